#pragma once
// Answers the next modal file chooser of a test with a path.

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QString>
#include <QTimer>

namespace plume::shell {

/// Answers the next modal file chooser with `path` once it is shown.
inline void ChooseFileWhenAsked(const QString& path) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, poll, [poll, path] {
    QFileDialog* dialog = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* d = qobject_cast<QFileDialog*>(w); d && d->isVisible()) dialog = d;
    }
    if (!dialog) return;
    // The chooser's file list fills in the background; answer once it shows the name.
    const QFileInfo file(path);
    dialog->setDirectory(file.absolutePath());
    if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) name->setText(file.fileName());
    if (!dialog->selectedFiles().contains(path)) return;
    static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept is protected
    poll->deleteLater();
  });
  poll->start(20);
}

}  // namespace plume::shell
