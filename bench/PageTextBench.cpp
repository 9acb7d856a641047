// Time from a completed load of a 1 MB HTML page to its text in the text area
// (QTextEdit, as the main window holds it), against the load itself. Runs
// the real engine offscreen; as root the engine's sandbox must be switched
// off (QTWEBENGINE_DISABLE_SANDBOX=1), as in the tests.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextEdit>

#include <cstdlib>
#include <fstream>

#include "platform/MemorySettingsStore.h"
#include "platform/pdf/PopplerPdfText.h"
#include "platform/web/QtWebView.h"
#include "shell/BrowserAddress.h"
#include "shell/HtmlAreaController.h"

namespace {

class TextAreaHost : public plume::shell::HtmlAreaHost {
 public:
  void SetTextAreaText(std::string_view text) override {
    edit.setPlainText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    edit.moveCursor(QTextCursor::Start);
    if (!text.empty()) filled = true;
  }
  void Post(std::function<void()> task) override { QMetaObject::invokeMethod(qApp, std::move(task)); }
  QTextEdit edit;
  bool filled = false;
};

/// A page of about 1 MB: Japanese and ASCII paragraphs, headings and a table.
std::string MegabytePage() {
  std::string html = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>1MB</title></head><body>";
  for (int i = 0; html.size() < 1'000'000; ++i) {
    html += "<h2>見出し " + std::to_string(i) + "</h2><p>これは本文の段落です。資料を集めてチャートに整理します。"
            "The quick brown fox jumps over the lazy dog " + std::to_string(i) + ".</p>"
            "<table><tr><td>項目</td><td>" + std::to_string(i * 7) + "</td></tr></table>";
  }
  return html + "</body></html>";
}

void WaitUntil(const std::function<bool()>& done) {
  while (!done()) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void BM_PageText(benchmark::State& state) {
  QTemporaryDir folder;
  const std::string file = (folder.path() + "/page.html").toStdString();
  std::ofstream(file) << MegabytePage();
  plume::platform::MemorySettingsStore store;
  plume::platform::PopplerPdfText pdfText;
  plume::platform::QtWebView web({}, nullptr);
  web.View()->resize(800, 600);
  TextAreaHost host;
  plume::shell::HtmlAreaController area(web, store, pdfText, host, {});
  QElapsedTimer clock;
  qint64 loadedAt = 0;
  bool loaded = false;
  auto rules = web.loadFinished;
  web.loadFinished = [&](const std::string& at, bool ok) {
    loadedAt = clock.nsecsElapsed();
    loaded = true;
    rules(at, ok);
  };
  double loadSeconds = 0;
  double textSeconds = 0;
  int n = 0;
  for (auto _ : state) {
    loaded = false;
    host.filled = false;
    clock.start();
    area.Navigate(plume::shell::FileAddress(file) + "?" + std::to_string(n++));
    WaitUntil([&] { return host.filled; });
    loadSeconds += loadedAt / 1e9;
    textSeconds += (clock.nsecsElapsed() - loadedAt) / 1e9;
    state.SetIterationTime((clock.nsecsElapsed() - loadedAt) / 1e9);
  }
  state.counters["load_ms"] = loadSeconds * 1000 / n;
  state.counters["text_ms"] = textSeconds * 1000 / n;
  state.counters["text_per_load"] = textSeconds / loadSeconds;
}
BENCHMARK(BM_PageText)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
