// The save chooser opens where the user is likely to save: beside the document,
// then wherever the user last chose a file.
#include "document/ui/QtFileDialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

namespace plume::document::ui {
namespace {

namespace fs = std::filesystem;

/// Runs `respond` on the next file chooser once it is shown, until it answers true.
void WhenAsked(std::function<bool(QFileDialog&)> respond) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, poll, [poll, respond] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* d = qobject_cast<QFileDialog*>(w); d && d->isVisible()) {
        if (respond(*d)) poll->deleteLater();
        return;
      }
    }
  });
  poll->start(20);
}

TEST(QtFileDialogsFolder, SaveChooserStartsBesideTheDocumentThenInTheFolderLastUsed) {
  QTemporaryDir documentDir;
  QTemporaryDir otherDir;
  QtFileDialogs::SetDocumentFolder([&] { return fs::path(documentDir.path().toStdString()); });
  platform::SaveFileRequest request;
  request.filter = "JPEGファイル(*.jpeg)|*.jpeg||";
  request.initialName = "page.jpeg";
  QString shown;
  auto cancel = [&shown](QFileDialog& d) {
    shown = d.directory().absolutePath();
    d.reject();
    return true;
  };
  WhenAsked(cancel);
  EXPECT_EQ(QtFileDialogs().AskSaveFile(request), std::nullopt);
  EXPECT_EQ(shown, documentDir.path());

  const QString chosen = otherDir.path() + QStringLiteral("/out.jpeg");
  WhenAsked([&chosen, &otherDir](QFileDialog& d) {
    // The chooser's file list fills in the background; answer once it shows the name.
    d.setDirectory(otherDir.path());
    if (auto* name = d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) name->setText(QStringLiteral("out.jpeg"));
    if (!d.selectedFiles().contains(chosen)) return false;
    static_cast<QDialog&>(d).accept();  // QFileDialog::accept is protected
    return true;
  });
  EXPECT_EQ(QtFileDialogs().AskSaveFile(request), fs::path(chosen.toStdString()));
  WhenAsked(cancel);
  QtFileDialogs().AskSaveFile(request);
  EXPECT_EQ(shown, otherDir.path());
  QtFileDialogs::SetDocumentFolder({});
}

}  // namespace
}  // namespace plume::document::ui
