// plumeboard-tool page-text ADDRESS: loads an address (or a local path) in an
// offscreen browser exactly as the HTML area does and prints, as UTF-8, the
// text the text area would then hold: a web page's tidied text or a PDF's
// text. A load that fails exits with 1 after its message.

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <iostream>

#include "CliCommands.h"
#include "platform/MemorySettingsStore.h"
#include "platform/Messages.h"
#include "platform/pdf/PopplerPdfText.h"
#include "platform/web/QtWebView.h"
#include "shell/HtmlAreaController.h"

namespace plume::cli {

namespace {

/// Keeps what the HTML area would hand to the window.
class ToolHost : public shell::HtmlAreaHost {
 public:
  void SetTextAreaText(std::string_view text) override {
    text_ = text;
    ++texts_;
  }
  void StartPdfTimer() override { timerRunning_ = true; }
  void StopPdfTimer() override { timerRunning_ = false; }
  void Post(std::function<void()> task) override {
    QMetaObject::invokeMethod(qApp, std::move(task), Qt::QueuedConnection);
  }

  std::string text_;
  int texts_ = 0;
  bool timerRunning_ = false;
};

/// Runs the event loop until `done` holds or `ms` have passed.
bool WaitUntil(const std::function<bool()>& done, int ms) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  }
  return true;
}

}  // namespace

int RunPageText(const std::vector<std::string_view>& args, const ToolCodecs& /*codecs*/) {
  const std::string address(args[0]);
  QTemporaryDir scratch;
  platform::MemorySettingsStore store;
  platform::PopplerPdfText pdfText;
  platform::QtWebView web({}, nullptr);
  ToolHost host;
  shell::HtmlAreaController area(web, store, pdfText, host, scratch.path().toStdString());

  bool loaded = false;
  bool ok = false;
  auto rules = web.loadFinished;
  web.loadFinished = [&](const std::string& at, bool success) {
    loaded = true;
    ok = success;
    rules(at, success);
  };
  // The PDF timer of the area, one tick a second.
  QTimer ticks;
  ticks.setInterval(1000);
  QObject::connect(&ticks, &QTimer::timeout, [&] { area.PdfTimerTick(); });

  if (!area.Navigate(address)) return 1;
  if (!WaitUntil([&] { return loaded; }, 60000) || !ok) {
    platform::ShowMessage(platform::StringId::PageLoadFailed, address + "\n");
    return 1;
  }
  const std::string type = area.GetPageType();
  if (type == "HTML") {
    // The area clears the text on the load, then fills it with the page's text.
    WaitUntil([&] { return host.texts_ >= 2; }, 20000);
  } else if (type == "PDF") {
    ticks.start();
    WaitUntil([&] { return !host.timerRunning_; }, 25000);
  }
  std::cout << host.text_;
  if (!host.text_.empty() && host.text_.back() != '\n') std::cout << '\n';
  return 0;
}

}  // namespace plume::cli
