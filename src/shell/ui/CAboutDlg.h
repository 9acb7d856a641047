#pragma once
// The about dialog: the application's icon and name and the version notes.

#include <QDialog>

class QPlainTextEdit;

namespace plume::shell {

class CAboutDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
  /// The version notes 30214 down to 30200, one per line, newest first.
  static QString VersionNotes();

 private:
  QPlainTextEdit* notes_;
};

}  // namespace plume::shell
