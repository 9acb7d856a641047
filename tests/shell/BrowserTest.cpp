// The HTML area driven for real: Qt WebEngine offscreen, pages and PDFs served
// by a local HTTP server started here (no internet), the main frame around it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QToolTip>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <fstream>

#include "FakeDocumentActions.h"
#include "LocalHttpServer.h"
#include "convert/CTxt2Pdf.h"
#include "platform/Cp932.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageSink.h"
#include "platform/SettingsTable.h"
#include "shell/HtmlAreaController.h"
#include "shell/ui/CHView.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CMyRibbonBar.h"
#include "shell/ui/CTesselApp.h"
#include "shell/ui/CTopBar.h"

namespace plume::shell::testing {
namespace {

namespace settings = platform::settings;
constexpr int kWaitMs = 20000;

const char* kPage = R"html(<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>テストページ</title></head>
<body style="margin:0">
<h1>日本語の見出し</h1>
<p>本文の段落です。</p>
<a id="next" href="second.html" style="display:block;height:40px">次のページへ</a>
<a id="blank" href="target.html" target="_blank" style="display:block;height:40px">新しい窓のリンク</a>
<button id="pop" style="display:block;height:40px" onclick="window.open('popup.html')">ポップアップ</button>
</body></html>)html";

class BrowserTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // The engine's sandbox cannot start for root; only tests switch it off.
    if (geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  }

  BrowserTest() : server_(site_.path()) {
    Write("page.html", kPage);
    for (const char* name : {"second", "target", "popup"})
      Write(QStringLiteral("%1.html").arg(QLatin1String(name)),
            QStringLiteral("<html><head><title>%1</title></head><body>%1</body></html>").arg(QLatin1String(name)).toUtf8());
    WritePdf(QDir(site_.path()).filePath(QStringLiteral("doc.pdf")).toStdString(), "ＰＤＦの一行目\r\n二行目の文章\r\n");
  }

  void Write(const QString& name, const QByteArray& bytes) {
    QFile file(QDir(site_.path()).filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }

  static void WritePdf(const std::string& path, const std::string& utf8) {
    const std::string text = path + ".txt";
    std::ofstream(text, std::ios::binary) << platform::Utf8ToCp932(utf8);
    ASSERT_TRUE(convert::CTxt2Pdf().Convert(text, path, 595));
  }

  /// The program's window with the HTML area starting at `home`.
  CMainFrame* Start(const QString& home) {
    settings::Set(store_, settings::KanSet::Home, home.toStdString());
    AppOptions options;
    options.store = &store_;
    options.lockFolder = lockDir_.path();
    options.webEngine = true;
    options.programFolder = programDir_.path().toStdString();
    options.makeDocument = [](document::ChartDocument&) { return std::make_unique<FakeDocumentActions>(); };
    app_ = std::make_unique<CTesselApp>(std::move(options));
    EXPECT_TRUE(app_->Start(std::nullopt));
    CMainFrame* frame = app_->Frame();
    frame->resize(1200, 800);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(frame));
    return frame;
  }

  CHView* Area() const { return app_->Frame()->HtmlArea(); }
  QString Text() const { return app_->Frame()->TextArea()->toPlainText(); }
  bool WaitFor(const QString& address) const {
    return QTest::qWaitFor([&] { return QString::fromStdString(Area()->GetLocation()) == address; }, kWaitMs);
  }
  bool WaitForText(const QString& part) const {
    return QTest::qWaitFor([&] { return Text().contains(part); }, kWaitMs);
  }

  /// Result of a script in the page, as a variant (waits for it).
  QVariant Run(const QString& script) const {
    QVariant result;
    bool done = false;
    Area()->EngineView()->page()->runJavaScript(script, [&](const QVariant& v) {
      result = v;
      done = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, kWaitMs));
    return result;
  }

  /// The centre of element `id` in the view's widget coordinates.
  QPoint Centre(const QString& id) const {
    const QVariantList box =
        Run(QStringLiteral("(function(){var r=document.getElementById('%1').getBoundingClientRect();"
                           "return [r.left+r.width/2, r.top+r.height/2];})()")
                .arg(id))
            .toList();
    return QPoint(box.value(0).toInt(), box.value(1).toInt());
  }

  /// The widget that takes the engine's mouse events.
  QWidget* Input() const {
    QWidget* proxy = Area()->EngineView()->focusProxy();
    return proxy ? proxy : Area()->EngineView();
  }

  /// Saves a picture of `widget` when PLUME_SHOTS_DIR names a folder (for review).
  static void Shot(QWidget* widget, const char* name) {
    const QByteArray folder = qgetenv("PLUME_SHOTS_DIR");
    if (!folder.isEmpty() && widget) widget->grab().save(QDir(QString::fromLocal8Bit(folder)).filePath(QLatin1String(name)));
  }

  platform::MemorySettingsStore store_;
  platform::ScriptedMessageSink sink_;
  platform::ScopedMessageSink guard_{&sink_};
  QTemporaryDir lockDir_, programDir_, site_;
  LocalHttpServer server_;
  std::unique_ptr<CTesselApp> app_;
};

TEST_F(BrowserTest, AJapanesePageFillsAddressTitleTypeStatusAndTextAreaWithoutTheClipboard) {
  QGuiApplication::clipboard()->setText(QStringLiteral("the user's copy"));
  const QString page = server_.Url(QStringLiteral("page.html"));
  CMainFrame* frame = Start(page);
  ASSERT_TRUE(WaitFor(page));
  ASSERT_TRUE(WaitForText(QStringLiteral("本文の段落です。")));
  EXPECT_TRUE(Text().startsWith(QStringLiteral("日本語の見出し  本文の段落です。  ")));
  EXPECT_EQ(Area()->TopBar()->AddressField()->text(), page);
  EXPECT_EQ(Area()->GetPageType(), "HTML");
  EXPECT_EQ(Area()->GetPageTitle(), "テストページ");
  EXPECT_EQ(qobject_cast<QToolButton*>(frame->Ribbon()->Element(32829))->text(), QStringLiteral("HTML"));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("the user's copy"));

  // The link under the pointer shows in the status pane "URL".
  const QPoint link = Centre(QStringLiteral("next"));
  QTest::mouseMove(Input(), link);
  EXPECT_TRUE(QTest::qWaitFor([&] { return frame->StatusPane(120)->text() == server_.Url(QStringLiteral("second.html")); },
                              kWaitMs));
  QTest::qWait(300);
  Shot(frame, "browser-page.png");

  // For review: the bar's tooltips and the bookmark menu.
  CTopBar* bar = Area()->TopBar();
  for (int id : {CTopBar::kBack, CTopBar::kSetHome, CTopBar::kBookmarks, CTopBar::kGo}) {
    QToolButton* button = bar->Button(id);
    QToolTip::showText(button->mapToGlobal(QPoint(4, button->height())), button->toolTip(), button);
    QTest::qWait(100);
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->inherits("QTipLabel") && w->isVisible()) Shot(w, QStringLiteral("browser-tip-%1.png").arg(id).toLatin1().constData());
  }
  QToolTip::hideText();
  Area()->Controller().AddBookmark();
  store_.WriteString("BM_NAME", "1", "とても長い題名のブックマーク、メニューでは MenuLen バイトで切られます");
  store_.WriteString("BM_URL", "1", "http://127.0.0.1/long");
  QMenu* menu = bar->BuildBookmarkMenu();
  menu->popup(bar->mapToGlobal(QPoint(0, bar->height())));
  QTest::qWait(100);
  Shot(menu, "browser-bookmarks.png");
  delete menu;
}

TEST_F(BrowserTest, BackForwardAndStop) {
  const QString page = server_.Url(QStringLiteral("page.html"));
  Start(page);
  ASSERT_TRUE(WaitFor(page));
  HtmlAreaController& area = Area()->Controller();
  area.Navigate(server_.Url(QStringLiteral("second.html")).toStdString());
  ASSERT_TRUE(WaitFor(server_.Url(QStringLiteral("second.html"))));
  area.Back();
  EXPECT_TRUE(WaitFor(page));
  area.Forward();
  EXPECT_TRUE(WaitFor(server_.Url(QStringLiteral("second.html"))));

  // A page that never answers loads until Stop ends it.
  bool ended = false;
  QObject::connect(Area()->EngineView()->page(), &QWebEnginePage::loadFinished, [&](bool) { ended = true; });
  area.Navigate(server_.Url(QStringLiteral("slow")).toStdString());
  QTest::qWait(300);
  EXPECT_FALSE(ended);
  area.Stop();
  EXPECT_TRUE(QTest::qWaitFor([&] { return ended; }, kWaitMs));
}

TEST_F(BrowserTest, ALinkToANewWindowOpensHereAndAScriptedWindowOpensNothing) {
  const QString page = server_.Url(QStringLiteral("page.html"));
  CMainFrame* frame = Start(page);
  ASSERT_TRUE(WaitFor(page));
  ASSERT_TRUE(WaitForText(QStringLiteral("本文")));

  // window.open from a script, with and without a click on a button.
  const auto windows = QGuiApplication::topLevelWindows().size();
  Run(QStringLiteral("window.open('popup.html')"));
  const QPoint button = Centre(QStringLiteral("pop"));
  QTest::mouseMove(Input(), button);
  QTest::mouseClick(Input(), Qt::LeftButton, {}, button);
  QTest::qWait(1500);
  EXPECT_EQ(QString::fromStdString(Area()->GetLocation()), page);
  EXPECT_EQ(QGuiApplication::topLevelWindows().size(), windows);

  // A target=_blank link the pointer is on opens in the area itself.
  const QPoint link = Centre(QStringLiteral("blank"));
  QTest::mouseMove(Input(), link);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !frame->StatusPane(120)->text().isEmpty(); }, kWaitMs));
  QTest::mouseClick(Input(), Qt::LeftButton, {}, link);
  EXPECT_TRUE(WaitFor(server_.Url(QStringLiteral("target.html"))));
}

TEST_F(BrowserTest, PdfTextReachesTheTextAreaFromTheServerAndFromALocalFile) {
  const QString pdf = server_.Url(QStringLiteral("doc.pdf"));
  CMainFrame* frame = Start(pdf);
  ASSERT_TRUE(WaitFor(pdf));
  EXPECT_TRUE(WaitForText(QStringLiteral("ＰＤＦの一行目\n二行目の文章")));
  EXPECT_EQ(Area()->GetPageType(), "PDF");
  EXPECT_EQ(qobject_cast<QToolButton*>(frame->Ribbon()->Element(32829))->text(), QStringLiteral("PDF"));

  const std::string local = QDir(site_.path()).filePath(QStringLiteral("資料 2.pdf")).toStdString();
  WritePdf(local, "ローカルのＰＤＦ\r\n");
  ASSERT_TRUE(Area()->Navigate(local));
  EXPECT_TRUE(WaitForText(QStringLiteral("ローカルのＰＤＦ")));
  EXPECT_FALSE(Text().contains(QStringLiteral("一行目")));
  QTest::qWait(1000);
  Shot(frame, "browser-pdf.png");
}

}  // namespace
}  // namespace plume::shell::testing
