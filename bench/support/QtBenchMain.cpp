// The main of the benchmarks that need a Qt application: offscreen unless a
// platform is named, the PDF helper library's folder where the program is
// built with it, then the benchmarks.

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdlib>

#ifdef PLUME_DOCSMITH_DIR
#include "convert/DocsmithLibrary.h"
#endif

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
#ifdef PLUME_DOCSMITH_DIR
  plume::convert::DocsmithLibrary::SetFolder(PLUME_DOCSMITH_DIR);
#endif
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
