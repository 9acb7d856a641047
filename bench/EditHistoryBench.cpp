// The undo history's memory and the time to record a step after 1,000 steps:
// on the full-capacity document (100 pages, 10,000 nodes, 10,000 arcs, 1,000
// slips) with edits of one item, with deletions of the first node (every
// record behind it moves: the worst case), and on a document of 1,000
// picture nodes of 100 KB each with moves and deletions. Counters:
// history_MB (the history's own count), rss_growth_MB (the process's resident
// memory before and after the 1,000 steps), table_MB (the document's tables,
// for scale) and pictures_MB (the pictures' bytes, for scale). Beside them,
// the time the history takes to follow a change of the selection.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "document/ChartDocument.h"
#include "support/FakePicture.h"
#include "support/FullChart.h"

namespace {

using plume::document::ChartDocument;
using plume::document::EditStep;

constexpr int kSteps = 1000;
constexpr double kMB = 1024.0 * 1024.0;

double ResidentMB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / kMB;
}

double TableMB(const ChartDocument& doc) {
  return (doc.pages.size() * sizeof doc.pages[0] + doc.arcs.size() * sizeof doc.arcs[0] +
          doc.nodes.size() * (sizeof doc.nodes[0] + sizeof doc.nodeStates[0]) + doc.slips.size() * sizeof doc.slips[0]) /
         kMB;
}

/// Runs `edit(step)` and commits it kSteps times, then reports the counters.
template <typename Edit>
void Run(benchmark::State& state, ChartDocument& doc, double picturesMB, Edit edit) {
  doc.History().Reset(doc);
  const double before = ResidentMB();
  for (auto _ : state) {
    for (int step = 0; step < kSteps; ++step) {
      const EditStep kind = edit(step);
      doc.CommitEdit(kind);
    }
  }
  state.counters["history_MB"] = static_cast<double>(doc.History().MemoryBytes()) / kMB;
  state.counters["rss_growth_MB"] = ResidentMB() - before;
  state.counters["table_MB"] = TableMB(doc);
  state.counters["pictures_MB"] = picturesMB;
  state.counters["steps_kept"] = doc.History().UndoCount();
  state.counters["us_per_step"] =
      benchmark::Counter(kSteps, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_History_FullCapacity_OneItemEdits(benchmark::State& state) {
  auto doc = ChartDocument::Create();
  plume::testing::FillToCapacity(*doc, 10 * 1024);
  Run(state, *doc, 200 * 10 * 1024 / kMB, [&doc](int step) {
    switch (step % 4) {
      case 0: doc->nodes[(step * 37) % doc->nodeCount].rect.left += 1; return EditStep::Move;
      case 1: doc->slips[(step * 13) % doc->slipCount].style.FontBold ^= 1; return EditStep::Style;
      case 2: doc->arcs[(step * 29) % doc->arcCount].toNode += 1; return EditStep::Arcs;
      default: doc->pages[step % doc->header.pageCount].backColor += 1; return EditStep::PageColour;
    }
  });
}

void BM_History_FullCapacity_DeleteFirstNode(benchmark::State& state) {
  auto doc = ChartDocument::Create();
  plume::testing::FillToCapacity(*doc, 10 * 1024);
  Run(state, *doc, 200 * 10 * 1024 / kMB, [&doc](int) {
    for (int i = 1; i < doc->nodeCount; ++i) doc->nodes[i - 1] = doc->nodes[i];
    doc->nodeCount -= 1;
    return EditStep::DeleteNodes;
  });
}

void BM_History_ThousandPictureNodes(benchmark::State& state) {
  constexpr std::size_t kPictureBytes = 100 * 1024;
  auto doc = ChartDocument::Create();
  doc->NewDocument();
  for (int i = 0; i < 1000; ++i) {
    plume::document::NodeRecord& n = doc->nodes[i];
    n = plume::document::NodeRecord{};
    n.nodeId = i + 1;
    n.rect = {i % 900, i % 700, i % 900 + 100, i % 700 + 80};
    n.pageId = 1;
    n.hasImage = 1;
    n.transColor = plume::document::kNoColor;
    n.style = plume::document::DefaultItemStyle();
    n.image = doc->pictures.Add(std::make_unique<plume::testing::FakePicture>(
        100, 80, plume::testing::FakeImageBytes(100, 80, kPictureBytes)));
  }
  doc->nodeCount = 1000;
  Run(state, *doc, 1000 * kPictureBytes / kMB, [&doc](int step) {
    // Every tenth step deletes the last picture node; the others move one.
    if (step % 10 == 9 && doc->nodeCount > 1) {
      doc->pictures.Release(doc->nodes[doc->nodeCount - 1].image);
      doc->nodeCount -= 1;
      return EditStep::DeleteNodes;
    }
    doc->nodes[(step * 37) % doc->nodeCount].rect.top += 1;
    return EditStep::Move;
  });
}

// What every click that changes the selection costs: the history takes in
// the new selection against its last state (full-capacity document).
void BM_History_FullCapacity_SelectionRefresh(benchmark::State& state) {
  auto doc = ChartDocument::Create();
  plume::testing::FillToCapacity(*doc, 10 * 1024);
  doc->History().Reset(*doc);
  int i = 0;
  for (auto _ : state) {
    doc->nodeStates[i].selected ^= 1;
    i = (i + 1) % doc->nodeCount;
    doc->Changes().FocusChanged();
  }
}

BENCHMARK(BM_History_FullCapacity_SelectionRefresh)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_History_FullCapacity_OneItemEdits)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_History_FullCapacity_DeleteFirstNode)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_History_ThousandPictureNodes)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
