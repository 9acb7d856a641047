#pragma once
// The recent file manager ("最近使ったファイルの管理"): removes entries of
// the recent file list and shows an entry's folder on a double click.

#include <QDialog>

#include <functional>
#include <string>

#include "shell/RecentFileList.h"

class QTableWidget;

namespace plume::shell {

class CRecentDlg : public QDialog {
  Q_OBJECT
 public:
  /// `openFolder` shows the folder of a path (the file manager).
  CRecentDlg(RecentFileList& recent, std::function<void(const std::string& path)> openFolder,
             QWidget* parent = nullptr);

  QTableWidget* List() const { return list_; }
  /// "チェックのある履歴を削除(&P)".
  void DeleteChecked();
  /// "すべての履歴を削除(&A)".
  void DeleteAll();

 private:
  void Renumber();

  RecentFileList& recent_;
  std::function<void(const std::string&)> openFolder_;
  QTableWidget* list_;
};

}  // namespace plume::shell
