// capture: a web page drawn into a JPEG file as the HTML area's captures draw
// it, in an off-screen browser of the given window size; with --text, the
// text the text area would receive for it, from the same load. The page's
// dialogs are refused: nobody is there to answer them.

#include <QApplication>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QWebEngineView>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "CliCommands.h"
#include "capture/HtmlCapture.h"
#include "convert/ui/QtBitmapEncoder.h"
#include "platform/MemorySettingsStore.h"
#include "platform/SettingsTable.h"
#include "platform/web/QtPageCapture.h"
#include "platform/web/QtWebPage.h"
#include "platform/web/QtWebView.h"
#include "shell/BrowserAddress.h"

namespace plume::cli {
namespace {

// The page's plain text as the text area would hold it; nullopt when the page does not answer.
std::optional<std::string> AreaText(QWebEnginePage& page) {
  auto text = std::make_shared<std::optional<std::string>>();
  QEventLoop loop;
  QPointer<QEventLoop> waiting(&loop);
  QTimer::singleShot(platform::QtPageCapture::kAnswerMs, &loop, &QEventLoop::quit);
  page.toPlainText([text, waiting](const QString& plain) {
    *text = shell::TidyForTextArea(plain.toStdString());
    if (waiting) waiting->quit();
  });
  if (!*text) loop.exec();
  return *text;
}

}  // namespace

int RunCapture(const std::vector<std::string_view>& args, const ToolCodecs& /*codecs*/) {
  namespace settings = platform::settings;
  platform::MemorySettingsStore store;
  std::string address, out, textOut;
  bool visible = false;
  int windowW = 1280, windowH = 800;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view a = args[i];
    int value = 0;
    if (a == "--visible") {
      visible = true;
    } else if (a == "--window" && i + 1 < args.size()) {
      const std::string_view s = args[++i];
      const auto x = s.find('x');
      if (x == std::string_view::npos || !ParseInt(s.substr(0, x), windowW) || !ParseInt(s.substr(x + 1), windowH) ||
          windowW <= 0 || windowH <= 0) {
        std::cerr << "plumeboard-tool: --window needs WxH\n";
        return 2;
      }
    } else if (a == "--image-width" && i + 1 < args.size() && ParseInt(args[i + 1], value) && value > 0) {
      settings::Set(store, settings::KanSet::ImageW, value);
      ++i;
    } else if (a == "--quality" && i + 1 < args.size() && ParseInt(args[i + 1], value) && value >= 0 && value <= 100) {
      settings::Set(store, settings::KanSet::Quality, value);
      ++i;
    } else if (a == "--text" && i + 1 < args.size()) {
      textOut = std::string(args[++i]);
    } else if (address.empty()) {
      address = std::string(a);
    } else if (out.empty()) {
      out = std::string(a);
    } else {
      std::cerr << "plumeboard-tool: unexpected argument " << a << "\n";
      return 2;
    }
  }
  if (address.empty() || out.empty()) return 2;
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return 2;

  // The HTML area's own browser, with a profile that keeps nothing.
  platform::QtWebView web({}, nullptr);
  QWebEngineView& view = *web.View();
  if (auto* page = qobject_cast<platform::QtWebPage*>(view.page())) page->HoldDialogRefusal();
  view.setAttribute(Qt::WA_DontShowOnScreen);
  view.resize(windowW, windowH);
  view.show();
  QEventLoop loop;
  bool loaded = false;
  QObject::connect(&view, &QWebEngineView::loadFinished, &loop, [&](bool ok) {
    loaded = ok;
    loop.quit();
  });
  QTimer::singleShot(platform::QtPageCapture::kTimeoutMs, &loop, &QEventLoop::quit);
  view.load(QUrl::fromUserInput(QString::fromStdString(address)));
  loop.exec();
  if (!loaded) {
    std::cerr << "plumeboard-tool: cannot load " << address << "\n";
    return 1;
  }

  platform::QtPageCapture page(&view);
  convert::ui::QtBitmapEncoder encoder(store);
  capture::HtmlCapture capture(page, encoder, store);
  std::uint16_t width = 0;
  const bool ok = visible ? capture.CaptureVisiblePart(out, width) : capture.CaptureWholePage(out, width);
  if (!ok) return 1;
  if (!textOut.empty()) {
    const auto text = AreaText(*view.page());
    if (!text) {
      std::cerr << "plumeboard-tool: the page did not give its text\n";
      return 1;
    }
    std::ofstream file(textOut, std::ios::binary);
    file << *text;
    if (!file.flush()) {
      std::cerr << "plumeboard-tool: cannot write " << textOut << "\n";
      return 1;
    }
  }
  std::cout << width << "\n";
  return 0;
}

}  // namespace plume::cli
