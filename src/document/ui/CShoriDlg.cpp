#include "document/ui/CShoriDlg.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace plume::document::ui {

CShoriDlg::CShoriDlg(ShoriJob& job, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), job_(job) {
  setWindowTitle(QString());
  setModal(true);
  progress_ = new QProgressBar(this);
  progress_->setRange(0, 100);
  progress_->setValue(0);
  progress_->setTextVisible(false);
  hide_ = new QPushButton(QStringLiteral("非表示"), this);
  hide_->hide();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(progress_);
  layout->addWidget(hide_, 0, Qt::AlignRight);
  setFixedSize(280, 64);
}

void CShoriDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (started_) return;
  started_ = true;
  // Once the dialog is on screen, so that the bar can be seen moving.
  QTimer::singleShot(0, this, &CShoriDlg::RunJob);
}

void CShoriDlg::RunJob() {
  const bool ok = job_.Run([this](int percent) {
    progress_->setValue(percent);
    // Repaint the bar; user input waits until the job is over.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  });
  done(ok ? QDialog::Accepted : QDialog::Rejected);
}

}  // namespace plume::document::ui
