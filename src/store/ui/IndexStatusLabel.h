#pragma once
// A status bar pane that tells what the material index is doing: walking the
// store, or reading the text inside materials (with counts); empty when idle.

#include <QLabel>

namespace plume::store {

namespace index {
class IndexService;
}

class IndexStatusLabel : public QLabel {
 public:
  IndexStatusLabel(index::IndexService& index, QWidget* parent = nullptr);
  /// Reads the index's status now (a timer calls it twice a second).
  void Refresh();

 private:
  index::IndexService& index_;
};

}  // namespace plume::store
