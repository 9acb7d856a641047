#pragma once
// Hands a scan's rows to the material list and its progress bar, and keeps
// the window alive meanwhile: events are pumped while the scan runs.

#include "store/MaterialScan.h"

class QProgressBar;

namespace plume::store {

class MaterialList;

class DbScanObserver : public ScanObserver {
 public:
  /// The scan stops at the next check once `stopRequested` turns true.
  DbScanObserver(MaterialList& list, QProgressBar& progress, const bool& stopRequested)
      : list_(list), progress_(progress), stopRequested_(stopRequested) {}

  void ScanStarted(int max) override;
  void RowFound(const SearchRow& row) override;
  bool KeepGoing() override;

 private:
  MaterialList& list_;
  QProgressBar& progress_;
  const bool& stopRequested_;
};

}  // namespace plume::store
