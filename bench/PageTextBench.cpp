// Time from a completed load of a 1 MB HTML page to its text in the text area
// (QTextEdit, as the main window holds it), against the load itself; and the
// same for a 272-page Japanese PDF served over HTTP (the text fetched again
// and read on a worker), against the pdftotext program on the same file. Runs
// the real engine offscreen; as root the engine's sandbox must be switched
// off (QTWEBENGINE_DISABLE_SANDBOX=1), as in the tests.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTextEdit>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "tests/shell/LocalHttpServer.h"

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

/// A book-like PDF of `pages` pages: Japanese and English paragraphs set in an
/// embedded CJK font (subset, with its Unicode map), as typesetting tools write them.
void WriteBookPdf(const QString& path, int pages) {
  QPdfWriter writer(path);
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setResolution(300);
  QPainter painter(&writer);
  QFont font(QStringLiteral("Noto Serif CJK JP"));
  font.setPointSizeF(9.5);
  painter.setFont(font);
  const int lineHeight = painter.fontMetrics().height() + 8;
  const int bottom = painter.viewport().height() - 200;
  for (int page = 0; page < pages; ++page) {
    if (page > 0) writer.newPage();
    painter.drawText(150, 200, QStringLiteral("第%1章　システム管理の手引き").arg(page / 12 + 1));
    int line = 0;
    for (int y = 200 + 2 * lineHeight; y < bottom; y += lineHeight, ++line)
      painter.drawText(150, y, QStringLiteral("%1.%2 パッケージ管理システムは依存関係を解決し、"
                                              "設定ファイルを保ちます。Use apt-get %3 to update.")
                                   .arg(page + 1)
                                   .arg(line + 1)
                                   .arg(page * 100 + line));
  }
}

double PdftotextSeconds(const std::string& pdf) {
  QElapsedTimer clock;
  clock.start();
  FILE* pipe = popen(("pdftotext -enc UTF-8 '" + pdf + "' -").c_str(), "r");
  if (!pipe) return 0;
  char buffer[65536];
  while (std::fread(buffer, 1, sizeof buffer, pipe) > 0) {
  }
  pclose(pipe);
  return clock.nsecsElapsed() / 1e9;
}

void BM_PdfPageText(benchmark::State& state) {
  QTemporaryDir folder;
  const QString pdf = folder.filePath(QStringLiteral("manual.pdf"));
  WriteBookPdf(pdf, 272);
  if (const char* keep = std::getenv("PLUME_BENCH_KEEP_PDF")) QFile::copy(pdf, QString::fromLocal8Bit(keep));
  plume::shell::testing::LocalHttpServer server(folder.path());
  QTemporaryDir scratch;
  plume::platform::MemorySettingsStore store;
  plume::platform::PopplerPdfText pdfText;
  plume::platform::QtWebView web({}, nullptr);
  web.View()->resize(800, 600);
  TextAreaHost host;
  plume::shell::HtmlAreaController area(web, store, pdfText, host, scratch.path().toStdString());
  QElapsedTimer clock;
  qint64 loadedAt = 0;
  auto rules = web.loadFinished;
  web.loadFinished = [&](const std::string& at, bool ok) {
    loadedAt = clock.nsecsElapsed();
    rules(at, ok);
  };
  double textSeconds = 0;
  double toolSeconds = 0;
  int n = 0;
  for (auto _ : state) {
    host.filled = false;
    clock.start();
    // A new name each time (a query would hide the type): nothing comes from a cache.
    const QString name = QStringLiteral("manual%1.pdf").arg(n++);
    QFile::link(pdf, folder.filePath(name));
    area.Navigate(server.Url(name).toStdString());
    WaitUntil([&] { return host.filled || clock.elapsed() > 60000; });
    if (!host.filled) return state.SkipWithError("no text");
    const double seconds = (clock.nsecsElapsed() - loadedAt) / 1e9;
    textSeconds += seconds;
    toolSeconds += PdftotextSeconds(pdf.toStdString());
    state.SetIterationTime(seconds);
  }
  state.counters["pdf_kb"] = QFileInfo(pdf).size() / 1024.0;
  state.counters["text_chars"] = host.edit.toPlainText().size();
  state.counters["pdftotext_ms"] = toolSeconds * 1000 / n;
  state.counters["text_per_pdftotext"] = textSeconds / toolSeconds;
}
BENCHMARK(BM_PdfPageText)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
