// Mouse-move handling of the chart view controller during a node drag over a
// page of 10,000 nodes: the time per move event, which draws feedback only
// (the host here draws nothing, so this is the controller's own cost). Also
// the hover over the same page, which hit-tests every node. Run by hand:
// build/bench/drag_bench.

#include <benchmark/benchmark.h>

#include <memory>

#include "chartview/ChartView.h"
#include "chartview/ViewController.h"
#include "support/ChartViewNulls.h"
#include "platform/MemorySettingsStore.h"

namespace {

using namespace plume;
using document::ChartDocument;

constexpr int kPage = 5000;
constexpr int kGrid = 50;  // 100 x 100 cells of 50 x 50 page units

std::unique_ptr<ChartDocument> MakePage() {
  auto doc = ChartDocument::Create();
  doc->NewDocument();
  doc->pages[0].pageWidth = kPage;
  doc->pages[0].pageHeight = kPage;
  for (int i = 0; i < ChartDocument::kMaxNodes; ++i) {
    document::NodeRecord& n = doc->nodes[i];
    n = document::NodeRecord{};
    n.nodeId = i + 1;
    const int x = (i % 100) * kGrid, y = (i / 100) * kGrid;
    n.rect = {x + 5, y + 5, x + 45, y + 45};
    n.pageId = 1;
    n.transColor = document::kNoColor;
    n.style = document::DefaultItemStyle();
    doc->nodeStates[i] = {};
  }
  doc->nodeCount = ChartDocument::kMaxNodes;
  return doc;
}

/// Counts the feedback frames so the work cannot be optimised away.
struct CountingHost : testing::NullControllerHost {
  int feedbacks = 0;
  void DrawFeedback(chartview::FeedbackShape, const platform::IntRect&) override { ++feedbacks; }
};

void BM_MoveDuringNodeDrag(benchmark::State& state) {
  auto doc = MakePage();
  platform::MemorySettingsStore store;
  chartview::WindowlessHost viewHost;
  chartview::ChartView view(*doc, store, viewHost);
  view.SetClientSize({1920, 1080});
  CountingHost host;
  testing::ChangeCounter changes(*doc);
  chartview::ViewController controller(view, host);
  // Every node selected: the drag still draws only the focused outline.
  for (int i = 0; i < doc->nodeCount; ++i) doc->nodeStates[i].selected = 1;
  controller.LeftButtonDown({{25, 25}, chartview::mouse::kLeft, {25, 25}});
  changes.repaints = 0;  // the press repaints the new focus; the moves must not
  int x = 0;
  for (auto _ : state) {
    x = (x + 7) % 1900;
    controller.MouseMove({{x, 300}, chartview::mouse::kLeft, {x, 300}});
  }
  state.counters["repaints"] = changes.repaints;
  benchmark::DoNotOptimize(host.feedbacks);
}
BENCHMARK(BM_MoveDuringNodeDrag);

void BM_HoverOverFullPage(benchmark::State& state) {
  auto doc = MakePage();
  platform::MemorySettingsStore store;
  chartview::WindowlessHost viewHost;
  chartview::ChartView view(*doc, store, viewHost);
  CountingHost host;
  chartview::ViewController controller(view, host);
  int x = 0;
  for (auto _ : state) {
    x = (x + 7) % 1900;
    controller.MouseMove({{x, 30}, 0, {x, 30}});  // near the top: the scan runs through most nodes
  }
  benchmark::DoNotOptimize(host.feedbacks);
}
BENCHMARK(BM_HoverOverFullPage);

}  // namespace

BENCHMARK_MAIN();
