// Text of a 100-page PDF (written by the program's text-to-PDF writer, 65
// Japanese lines a page) through PopplerPdfText, against the pdftotext
// program on the same file. The ratio of the two is the figure to watch.
// PLUME_BENCH_PDF=FILE measures FILE instead.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "convert/CTxt2Pdf.h"
#include "platform/Cp932.h"
#include "platform/ScriptedMessageSink.h"
#include "platform/pdf/PopplerPdfText.h"

namespace {

const std::filesystem::path& HundredPagePdf() {
  static const std::filesystem::path pdf = []() -> std::filesystem::path {
    if (const char* chosen = std::getenv("PLUME_BENCH_PDF")) return chosen;
    const auto folder = std::filesystem::temp_directory_path();
    const auto text = folder / "plume-bench-100.txt";
    const auto out = folder / "plume-bench-100.pdf";
    std::string lines;
    for (int i = 0; i < 6500; ++i) lines += "第" + std::to_string(i) + "行　資料の本文テキストを抽出する速さを測ります abc 123\r\n";
    std::ofstream(text, std::ios::binary) << plume::platform::Utf8ToCp932(lines);
    plume::platform::ScriptedMessageSink sink;
    plume::platform::ScopedMessageSink guard(&sink);
    plume::convert::CTxt2Pdf().Convert(text, out, 595);
    return out;
  }();
  return pdf;
}

void BM_PopplerPdfText(benchmark::State& state) {
  const plume::platform::PopplerPdfText pdfText;
  const auto& pdf = HundredPagePdf();
  std::size_t bytes = 0;
  for (auto _ : state) {
    const auto result = pdfText.FromFile(pdf);
    bytes = result.text.size();
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["textBytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_PopplerPdfText)->Unit(benchmark::kMillisecond);

void BM_Pdftotext(benchmark::State& state) {
  const std::string command = "pdftotext -enc UTF-8 '" + HundredPagePdf().string() + "' -";
  std::size_t bytes = 0;
  for (auto _ : state) {
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
      state.SkipWithError("pdftotext not found");
      return;
    }
    char buffer[65536];
    bytes = 0;
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) bytes += n;
    pclose(pipe);
  }
  state.counters["textBytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_Pdftotext)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
