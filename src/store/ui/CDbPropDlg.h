#pragma once
// "DB内容確認": the store's files counted per type, the next serial number and
// the check of that number against the information files present.

#include <QDialog>

#include "platform/SettingsStore.h"
#include "store/MaterialStore.h"

class QLabel;

namespace plume::store {

class CDbPropDlg : public QDialog {
  Q_OBJECT
 public:
  CDbPropDlg(MaterialStore& store, platform::SettingsStore& settings, QWidget* parent = nullptr);

  /// 1002: the largest serial with an information file against the next
  /// serial; offers to correct the counter when they disagree.
  void CheckLastSerial();
  /// 1001: the store root in the file manager.
  void OpenStoreFolder();

  QLabel* CountLabel(int type) const { return counts_[type]; }
  QLabel* NextLabel() const { return next_; }

 private:
  MaterialStore& store_;
  platform::SettingsStore& settings_;
  std::filesystem::path root_;
  QLabel* counts_[7] = {};
  QLabel* kbs_[7] = {};
  QLabel* next_ = nullptr;
};

}  // namespace plume::store
