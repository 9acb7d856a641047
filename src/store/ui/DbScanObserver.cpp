#include "store/ui/DbScanObserver.h"

#include <QApplication>
#include <QProgressBar>

#include <algorithm>
#include <string>

#include "store/ui/MaterialList.h"

namespace plume::store {

void DbScanObserver::ScanStarted(int max) { progress_.setRange(0, std::max(1, max)); }

void DbScanObserver::RowFound(const SearchRow& row) {
  list_.AppendRow(row);
  progress_.setValue(std::stoi(row.col[kColNo]));
  if (list_.rowCount() == 1) QApplication::processEvents();  // the first row shows at once
}

bool DbScanObserver::KeepGoing() {
  QApplication::processEvents();
  return !stopRequested_;
}

}  // namespace plume::store
