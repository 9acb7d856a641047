// The JPEG-to-PDF writer on a 2 MB JPEG, against copying the same file (the
// floor: the writer copies the JPEG whole) and against the img2pdf tool.

#include <benchmark/benchmark.h>

#include <QImage>
#include <QRandomGenerator>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "convert/CJpg2Pdf.h"

namespace {

namespace fs = std::filesystem;

// A photograph-like JPEG of about 2 MB in a scratch folder, made once.
const fs::path& SampleJpeg() {
  static const fs::path path = [] {
    const fs::path folder = fs::temp_directory_path() / "plume-pdf-bench";
    fs::create_directories(folder);
    const fs::path file = folder / "sample.jpg";
    QImage image(2000, 1600, QImage::Format_RGB32);
    QRandomGenerator random(42);
    for (int y = 0; y < image.height(); ++y) {
      auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < image.width(); ++x)
        row[x] = qRgb((x + static_cast<int>(random.bounded(64))) & 0xFF, (y + static_cast<int>(random.bounded(64))) & 0xFF,
                      static_cast<int>(random.bounded(256)));
    }
    image.save(QString::fromStdString(file.string()), "JPEG", 88);
    return file;
  }();
  return path;
}

fs::path Output(const char* name) { return SampleJpeg().parent_path() / name; }

void BM_Jpg2Pdf(benchmark::State& state) {
  const fs::path out = Output("out.pdf");
  plume::convert::CJpg2Pdf writer;
  writer.SetSuccessLine(false);
  for (auto _ : state) {
    if (!writer.Convert(out, SampleJpeg())) state.SkipWithError("conversion failed");
  }
  state.counters["jpeg_bytes"] = static_cast<double>(fs::file_size(SampleJpeg()));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fs::file_size(SampleJpeg())));
}
BENCHMARK(BM_Jpg2Pdf)->Unit(benchmark::kMillisecond)->UseRealTime();

// The floor: read the whole file into one buffer and write it out.
void BM_CopyFile(benchmark::State& state) {
  const fs::path out = Output("copy.jpg");
  for (auto _ : state) {
    std::FILE* in = std::fopen(SampleJpeg().c_str(), "rb");
    std::fseek(in, 0, SEEK_END);
    const long size = std::ftell(in);
    std::fseek(in, 0, SEEK_SET);
    std::vector<char> buffer(static_cast<std::size_t>(size));
    benchmark::DoNotOptimize(std::fread(buffer.data(), 1, buffer.size(), in));
    std::fclose(in);
    std::FILE* o = std::fopen(out.c_str(), "wb");
    std::fwrite(buffer.data(), 1, buffer.size(), o);
    std::fclose(o);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fs::file_size(SampleJpeg())));
}
BENCHMARK(BM_CopyFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// img2pdf as a user runs it: one process per conversion.
void BM_Img2PdfTool(benchmark::State& state) {
  if (std::system("command -v img2pdf >/dev/null 2>&1") != 0) {
    state.SkipWithError("img2pdf is not installed");
    return;
  }
  const std::string command = "img2pdf '" + SampleJpeg().string() + "' -o '" + Output("img2pdf.pdf").string() + "'";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("img2pdf failed");
  }
}
BENCHMARK(BM_Img2PdfTool)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

// How much of the above is only starting the tool.
void BM_Img2PdfStartOnly(benchmark::State& state) {
  if (std::system("command -v img2pdf >/dev/null 2>&1") != 0) {
    state.SkipWithError("img2pdf is not installed");
    return;
  }
  for (auto _ : state) {
    if (std::system("img2pdf --version >/dev/null 2>&1") != 0) state.SkipWithError("img2pdf failed");
  }
}
BENCHMARK(BM_Img2PdfStartOnly)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
