// The settings sheet, the recent file manager and the frame's print, settings
// and Word export commands, driven offscreen. Set PLUME_SHOT_DIR to also
// write screenshots of the six sheet pages and the recent file manager.
#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QPrinter>
#include <QRegularExpression>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QPainter>
#include <QProcess>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QToolButton>

#include <cstdlib>

#include "ShellUiFixture.h"
#include "capture/WordExport.h"
#include "capture/ui/OdfWordWriter.h"
#include "document/WorkFolder.h"
#include "platform/pdf/PopplerPdfText.h"
#include "platform/ProcessLauncher.h"
#include "platform/SettingsTable.h"
#include "shell/ui/CHView.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CMainSheet.h"
#include "shell/ui/CMyRibbonBar.h"
#include "shell/ui/CRecentDlg.h"
#include "shell/ui/CommandRouter.h"
#include "shell/ui/SpinField.h"
#include "store/ui/CInsatuDlg.h"
#include "shell/ui/CHView.h"

namespace plume::shell::testing {
namespace {

namespace settings = platform::settings;
namespace KanSet = settings::KanSet;

void Shoot(QWidget& widget, const QString& name) {
  const char* dir = std::getenv("PLUME_SHOT_DIR");
  if (dir) widget.grab().save(QString::fromUtf8(dir) + QLatin1Char('/') + name);
}

void Type(QWidget* field, const QString& text) {
  field->setFocus();
  if (auto* spin = qobject_cast<QAbstractSpinBox*>(field)) spin->selectAll();
  if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
  QTest::keyClicks(field, text);
}

/// Runs `act` on the modal dialog that the next command opens.
void OnModal(std::function<void(QWidget*)> act) {
  QTimer::singleShot(0, [act] {
    QWidget* modal = QApplication::activeModalWidget();
    ASSERT_TRUE(modal);
    act(modal);
  });
}

class SettingsSheetTest : public ShellUiTest {};

TEST_F(SettingsSheetTest, TypedValuesAreCleanedAndWrittenOnOk) {
  settings::Set(store, KanSet::Quality, 55);
  CMainSheet sheet(store, 5);
  sheet.show();
  auto* imageW = sheet.findChild<SpinField*>(QStringLiteral("ImageW"));
  auto* menuLen = sheet.findChild<SpinField*>(QStringLiteral("MenuLen"));
  ASSERT_TRUE(imageW && menuLen);
  EXPECT_EQ(sheet.findChild<QButtonGroup*>(QStringLiteral("Quality"))->checkedId(), 0);  // 55 shows 高画質
  Type(imageW, QStringLiteral("1,200"));
  EXPECT_EQ(imageW->value(), 1200);
  Type(menuLen, QStringLiteral("3000"));
  for (QCheckBox* box : sheet.findChildren<QCheckBox*>())
    if (box->text().startsWith(QStringLiteral("4 オブジェクト上"))) box->setChecked(false);
  sheet.accept();
  EXPECT_EQ(settings::Get(store, KanSet::ImageW), 1200);
  EXPECT_EQ(settings::Get(store, KanSet::MenuLen), 200);
  EXPECT_EQ(settings::Get(store, KanSet::Quality), 100);
  EXPECT_EQ(settings::Get(store, KanSet::PlayAnime), 0);
  CMainSheet reopened(store, sheet.Result()->animeCount);
  EXPECT_EQ(reopened.findChild<SpinField*>(QStringLiteral("AnimeCount"))->value(), 3);
}

TEST_F(SettingsSheetTest, CancelWritesNothing) {
  CMainSheet sheet(store, 3);
  Type(sheet.findChild<SpinField*>(QStringLiteral("ViewW")), QStringLiteral("700"));
  sheet.reject();
  EXPECT_FALSE(sheet.Result().has_value());
  EXPECT_EQ(settings::Get(store, KanSet::ViewW), 1000);
}

TEST_F(SettingsSheetTest, SixPagesInTabOrder) {
  CMainSheet sheet(store, 3);
  sheet.resize(560, 420);
  sheet.show();
  const QStringList tabs = {QStringLiteral("全般"), QStringLiteral("Ｗｅｂ"), QStringLiteral("ＰＤＦ"),
                            QStringLiteral("イメージ"), QStringLiteral("ノード"), QStringLiteral("検索")};
  ASSERT_EQ(sheet.Tabs()->count(), 6);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(sheet.Tabs()->tabText(i), tabs[i]);
    sheet.Tabs()->setCurrentIndex(i);
    Shoot(sheet, QStringLiteral("settings-sheet-%1.png").arg(i + 1));
  }
}

TEST_F(SettingsSheetTest, HomeReloadsOnlyWhenChanged) {
  auto app = MakeApp();
  ASSERT_TRUE(app->Start(std::nullopt));
  CMainFrame* frame = app->Frame();
  frame->HtmlArea()->Navigate("https://example.org/shown");
  OnModal([](QWidget* sheet) { static_cast<QDialog*>(sheet)->accept(); });
  ASSERT_TRUE(frame->Router().Trigger(static_cast<int>(CommandId::ID_KAN_SET)));
  EXPECT_EQ(frame->HtmlArea()->GetLocation(), "https://example.org/shown");
  OnModal([](QWidget* sheet) {
    for (QPushButton* b : sheet->findChildren<QPushButton*>())
      if (b->text() == QStringLiteral("空白を使用(&B)")) b->click();
    static_cast<QDialog*>(sheet)->accept();
  });
  frame->Router().Trigger(static_cast<int>(CommandId::ID_KAN_SET));
  EXPECT_EQ(frame->HtmlArea()->GetLocation(), "about:blank");
  EXPECT_EQ(settings::Get(store, KanSet::Home), "about:blank");
}

TEST_F(SettingsSheetTest, DeletingCheckedRowsRenumbersTheRest) {
  RecentFileList recent(store);
  for (int i = 6; i >= 1; --i) recent.Add("/docs/file" + std::to_string(i) + ".pbd");
  std::string opened;
  CRecentDlg dialog(recent, [&](const std::string& path) { opened = path; });
  QTableWidget* list = dialog.List();
  ASSERT_EQ(list->rowCount(), 6);
  Shoot(dialog, QStringLiteral("recent-files.png"));
  list->item(1, 0)->setCheckState(Qt::Checked);
  list->item(4, 0)->setCheckState(Qt::Checked);
  dialog.DeleteChecked();
  ASSERT_EQ(list->rowCount(), 4);
  for (int row = 0; row < 4; ++row) EXPECT_EQ(list->item(row, 0)->text(), QString::number(row + 1));
  EXPECT_EQ(recent.Entries(), (std::vector<std::string>{"/docs/file1.pbd", "/docs/file3.pbd", "/docs/file4.pbd",
                                                        "/docs/file6.pbd"}));
  emit list->cellDoubleClicked(2, 1);
  EXPECT_EQ(opened, "/docs/file4.pbd");
  dialog.DeleteAll();
  EXPECT_EQ(list->rowCount(), 0);
  EXPECT_TRUE(RecentFileList(store).Entries().empty());
}

TEST_F(SettingsSheetTest, WordExportFollowsThePageTypeAndTheToggleRestores) {
  auto app = MakeApp();
  ASSERT_TRUE(app->Start(std::nullopt));
  CMainFrame* frame = app->Frame();
  const int getWord = static_cast<int>(CommandId::ID_GET_WORD);
  frame->HtmlArea()->Navigate("https://example.org/page.html");
  EXPECT_FALSE(frame->Router().State(getWord).enabled);

  auto caption = [&] { return qobject_cast<QToolButton*>(frame->Ribbon()->Element(355))->defaultAction()->text(); };
  const QString before = caption();
  frame->Router().Trigger(355);
  EXPECT_EQ(settings::Get(store, settings::Last::OptWord), 0);
  EXPECT_EQ(caption(), QStringLiteral("TEXT"));
  frame->Router().Trigger(355);
  EXPECT_EQ(settings::Get(store, settings::Last::OptWord), 1);
  EXPECT_EQ(caption(), before);
}

class RecordingLauncher : public platform::ProcessLauncher {
 public:
  std::vector<std::string> started;
  std::filesystem::path FindProgram(const std::string& p) override {
    return p == "soffice" ? std::filesystem::path("/opt/soffice") : std::filesystem::path();
  }
  bool StartDetached(const std::filesystem::path& p, const std::vector<std::string>& a) override {
    started.push_back(p.string() + " " + a.back());
    return true;
  }
  std::optional<std::string> RunAndRead(const std::filesystem::path&, const std::vector<std::string>&) override {
    return std::nullopt;
  }
};

TEST_F(SettingsSheetTest, WordExportWritesTheShownPdfsTextAndOpensIt) {
  QTemporaryDir dir;
  const QString pdf = dir.filePath(QStringLiteral("minutes.pdf"));
  {
    QPdfWriter writer(pdf);
    QPainter painter(&writer);
    painter.drawText(QPointF(200, 400), QStringLiteral("meeting minutes"));
    writer.newPage();
    painter.drawText(QPointF(200, 400), QStringLiteral("second page"));
  }
  // The export the frame runs for the PDF on show: its text with the pages apart.
  RecordingLauncher launcher;
  const std::filesystem::path odt = document::GetWorkFolder("") / "minutes.odt";
  std::filesystem::remove(odt);
  const platform::PdfTextResult text = platform::PopplerPdfText('\f').FromFile(pdf.toStdString());
  ASSERT_TRUE(text.ok);
  capture::WordExportServices services;
  services.writeDocument = capture::ui::WriteOdfDocument;
  services.launcher = &launcher;
  EXPECT_EQ(capture::ExportToWord(QUrl::fromLocalFile(pdf).toString().toStdString(), text.text, true,
                                  document::GetWorkFolder(""), services),
            odt);
  ASSERT_TRUE(std::filesystem::exists(odt));
  EXPECT_EQ(launcher.started, (std::vector<std::string>{"/opt/soffice " + odt.string()}));
  QProcess unzip;
  unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), QString::fromStdString(odt.string()), QStringLiteral("content.xml")});
  unzip.waitForFinished();
  const QString content = QString::fromUtf8(unzip.readAllStandardOutput());
  EXPECT_TRUE(content.contains(QStringLiteral("meeting minutes")));
  EXPECT_TRUE(content.contains(QStringLiteral("fo:break-before=\"page\"")));
}

TEST_F(SettingsSheetTest, PrintingWithoutPrinterWritesAPdfFileWithEverySheet) {
  auto app = MakeApp();
  ASSERT_TRUE(app->Start(std::nullopt));
  if (!app->State().printerReady) {
    ASSERT_TRUE(app->Printer());
    EXPECT_EQ(app->Printer()->outputFormat(), QPrinter::PdfFormat);
  }
  QTemporaryDir dir;
  const QString pdf = dir.filePath(QStringLiteral("印刷.pdf"));
  int sheets = 0;
  OnModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<store::ui::CInsatuDlg*>(modal);
    ASSERT_TRUE(dialog);
    // The PDF file is on offer whether a printer is installed or not.
    auto* destination = dialog->findChild<QComboBox*>();
    ASSERT_TRUE(destination);
    destination->setCurrentIndex(destination->count() - 1);
    emit destination->activated(destination->count() - 1);
    dialog->askPdfFile = [pdf] { return pdf; };
    sheets = dialog->Grid().Count();
    for (QPushButton* b : dialog->findChildren<QPushButton*>())
      if (b->text() == QStringLiteral("印刷実行(&S)")) b->click();
  });
  app->Frame()->Router().Trigger(static_cast<int>(CommandId::ID_INSATU));
  EXPECT_TRUE(sink.Ids().empty());
  ASSERT_GT(sheets, 0);
  QProcess info;
  info.start(QStringLiteral("pdfinfo"), {pdf});
  ASSERT_TRUE(info.waitForFinished());
  EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression(
      QStringLiteral("Pages:\\s+%1\\n").arg(sheets))));
}

}  // namespace
}  // namespace plume::shell::testing
