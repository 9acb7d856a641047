#pragma once
// The processing dialog: a small untitled dialog with a progress bar that
// runs one pack or unpack job as soon as it is shown and closes itself with
// OK (Accepted) when the job succeeded and Cancel (Rejected) when it failed.

#include <QDialog>

#include "document/ShoriJob.h"

class QProgressBar;
class QPushButton;

namespace plume::document::ui {

class CShoriDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CShoriDlg(ShoriJob& job, QWidget* parent = nullptr);

  QProgressBar* ProgressBar() const { return progress_; }
  /// The button "非表示"; it is never shown.
  QPushButton* HideButton() const { return hide_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void RunJob();

  ShoriJob& job_;
  QProgressBar* progress_;
  QPushButton* hide_;
  bool started_ = false;
};

}  // namespace plume::document::ui
