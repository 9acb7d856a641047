// One whole-page PDF capture of a long page (1,280 x 20,000 px with text),
// served by a local HTTP server, step by step as the registration command
// runs it: reservation, page capture in bands, image page, text pages, join,
// document information, storing with the information file, and the node.
// Each step's time and its share of the whole are reported as counters, with
// the process's peak memory (browser process; the page's renderer is apart).

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QEventLoop>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "convert/DocsmithLibrary.h"
#include "capture/HtmlCapture.h"
#include "capture/ProgramPdfSteps.h"
#include "capture/RegistrationFlows.h"
#include "convert/ui/QtBitmapEncoder.h"
#include "document/ChartDocument.h"
#include "platform/Cp932.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageSink.h"
#include "platform/SettingsTable.h"
#include "platform/web/QtPageCapture.h"
#include "store/InfoFile.h"
#include "store/MaterialStore.h"
#include "store/StorePaths.h"
#include "../tests/support/LoadPage.h"

namespace {

namespace fs = std::filesystem;
using namespace plume;
using Clock = std::chrono::steady_clock;

const bool kSandboxSwitch = [] {
  if (geteuid() == 0) setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
  return true;
}();

fs::path g_root;
QString g_base;

// 1,280 px wide, 20,000 px tall: 200 blocks of 100 px, each with a line of text.
std::string LongPage() {
  std::string html =
      "<!doctype html><html><head><title>Long page</title><style>body{margin:0;width:1280px;font:16px sans-serif}"
      "div{height:100px;overflow:hidden}</style></head><body>";
  for (int i = 0; i < 200; ++i) {
    html += "<div style='background:#" + std::string(i % 2 ? "eef" : "fee") + "'>Block " + std::to_string(i) +
            ": the quick brown fox jumps over the lazy dog, and the page goes on and on.</div>";
  }
  return html + "</body></html>";
}

void Wait(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

double Ms(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

void BM_WholePagePdfCapture(benchmark::State& state) {
  platform::ScriptedMessageSink sink;
  platform::ScopedMessageSink guard{&sink};
  platform::MemorySettingsStore settings;
  platform::settings::Set(settings, platform::settings::KanSet::StorePath, (g_root / "Data").string());
  store::MaterialStore store(settings);
  store::InfoFile infoFile(store);
  auto chart = document::ChartDocument::Create();
  chart->NewDocument();

  QWebEngineView view;
  view.setAttribute(Qt::WA_DontShowOnScreen);
  view.resize(1280, 800);
  view.show();
  if (!testing::LoadPage(view, QUrl(g_base + "long.html"))) {
    state.SkipWithError("page did not load");
    return;
  }
  Wait(500);
  // What the text area holds for this page.
  std::string text;
  {
    QEventLoop loop;
    view.page()->toPlainText([&](const QString& t) {
      text = platform::Utf8ToCp932(t.toStdString());
      loop.quit();
    });
    loop.exec();
  }
  const std::string title = platform::Utf8ToCp932(view.title().toStdString());
  const std::string address = view.url().toString().toStdString();

  platform::QtPageCapture page{&view};
  convert::ui::QtBitmapEncoder encoder{settings};
  capture::HtmlCapture capture{page, encoder, settings};
  capture::ProgramPdfSteps pdf;
  const fs::path work = g_root / "work";
  fs::create_directories(work);
  const fs::path jpg = work / "tmp.jpg", txt = work / "tmp.txt", pdf1 = work / "tmp1.pdf",
                 pdf2 = work / "tmp2.pdf", pdf3 = work / "tmp3.pdf", pdf4 = work / "tmp4.pdf";

  double capture_ms = 0, jpeg_pdf_ms = 0, text_pdf_ms = 0, join_ms = 0, info_ms = 0, store_ms = 0, node_ms = 0;
  std::uintmax_t jpegBytes = 0, pdfBytes = 0;
  QSize imageSize;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    const auto serial = store.ReserveSerial();
    const auto t1 = Clock::now();
    std::uint16_t width = 0;
    bool ok = serial && capture.CaptureWholePage(jpg, width);
    const auto t2 = Clock::now();
    ok = ok && pdf.JpegToPdf(pdf1, jpg);
    const auto t3 = Clock::now();
    ok = ok && capture::RegistrationFlows::WriteTextFile(txt, text) && pdf.TextToPdf(txt, pdf2, width);
    const auto t4 = Clock::now();
    ok = ok && pdf.Join(pdf1, pdf2, pdf3);
    const auto t5 = Clock::now();
    ok = ok && pdf.AddInfo(pdf3, pdf4, {title, address, std::nullopt});
    const auto t6 = Clock::now();
    const std::string serialText = serial ? store::FormatSerial(*serial) : std::string();
    store::MaterialInfo info;
    info.ext = "PDF";
    info.width = "0";
    info.height = "0";
    info.size = "0";
    info.title = title;
    info.getFrom = address;
    info.createDate = "2026.01.01 00:00";
    ok = ok && store.StoreMaterialFile(store::kTextType, txt, serialText) &&
         store.StoreMaterialFile("PDF", pdf4, serialText) &&
         infoFile.WriteInfo(serialText, info, g_root / "bench.pbd");
    const auto t7 = Clock::now();
    document::NodeRequest node;
    node.dataType = "PDF";
    node.serial = serial ? static_cast<std::int32_t>(*serial) : 0;
    node.title = title;
    node.x = 100;
    node.y = 100;
    ok = ok && chart->AddNode(std::move(node));
    const auto t8 = Clock::now();
    if (ok) store.CommitSerial(*serial);
    const auto t9 = Clock::now();
    if (!ok) {
      state.SkipWithError("a step failed");
      break;
    }
    capture_ms += Ms(t1, t2);
    jpeg_pdf_ms += Ms(t2, t3);
    text_pdf_ms += Ms(t3, t4);
    join_ms += Ms(t4, t5);
    info_ms += Ms(t5, t6);
    store_ms += Ms(t0, t1) + Ms(t6, t7) + Ms(t8, t9);
    node_ms += Ms(t7, t8);
    state.SetIterationTime(std::chrono::duration<double>(t9 - t0).count());
    jpegBytes = fs::file_size(jpg);
    imageSize = QImageReader(QString::fromStdString(jpg.string())).size();
    pdfBytes = fs::file_size(pdf4);
  }
  const double n = static_cast<double>(state.iterations());
  const double total = capture_ms + jpeg_pdf_ms + text_pdf_ms + join_ms + info_ms + store_ms + node_ms;
  if (total <= 0) return;
  const auto report = [&](const char* name, double ms) {
    state.counters[std::string(name) + "_ms"] = ms / n;
    state.counters[std::string(name) + "_pct"] = 100.0 * ms / total;
  };
  state.counters["total_ms"] = total / n;
  report("capture", capture_ms);
  report("jpg2pdf", jpeg_pdf_ms);
  report("txt2pdf", text_pdf_ms);
  report("join", join_ms);
  report("info", info_ms);
  report("store", store_ms);
  report("node", node_ms);
  state.counters["image_w"] = imageSize.width();
  state.counters["image_h"] = imageSize.height();
  state.counters["jpeg_kB"] = static_cast<double>(jpegBytes) / 1024.0;
  state.counters["pdf_kB"] = static_cast<double>(pdfBytes) / 1024.0;
  state.counters["text_kB"] = static_cast<double>(text.size()) / 1024.0;
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_WholePagePdfCapture)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QImageReader::setAllocationLimit(0);
  convert::DocsmithLibrary::SetFolder(PLUME_DOCSMITH_DIR);
  g_root = fs::temp_directory_path() / ("plume-capture-bench-" + std::to_string(::getpid()));
  fs::remove_all(g_root);
  fs::create_directories(g_root / "site");
  std::ofstream(g_root / "site" / "long.html") << LongPage();
  QProcess server;
  server.setWorkingDirectory(QString::fromStdString((g_root / "site").string()));
  server.setProcessChannelMode(QProcess::MergedChannels);
  server.start("python3", {"-u", "-m", "http.server", "--bind", "127.0.0.1", "0"});
  QString out;
  while (g_base.isEmpty() && server.waitForReadyRead(5000)) {
    out += QString::fromUtf8(server.readAll());
    if (const auto m = QRegularExpression("port (\\d+)").match(out); m.hasMatch()) {
      g_base = "http://127.0.0.1:" + m.captured(1) + "/";
    }
  }
  int rc = 1;
  if (!g_base.isEmpty()) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    rc = 0;
  }
  server.kill();
  server.waitForFinished();
  fs::remove_all(g_root);
  return rc;
}
