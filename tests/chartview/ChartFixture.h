#pragma once
// A document with two pages and helpers that put nodes, slips and arcs
// straight into its tables, for painter and view tests.

#include <memory>
#include <string_view>

#include "document/ChartDocument.h"
#include "platform/Cp932.h"
#include "platform/RecordingCanvas.h"
#include "platform/ScratchSurface.h"

namespace plume::chartview::testing {

class ChartFixture {
 public:
  ChartFixture() : doc(document::ChartDocument::Create()) {
    doc->NewDocument();
    document::ChartDocument::InitPage(doc->pages[1], 2, "p2");
    doc->header.pageCount = 2;
  }

  /// A text node with the default style on page `pageId`; returns its index.
  int AddNode(document::Rect rect, std::uint16_t pageId = 1, std::string_view title = "node") {
    const int i = doc->nodeCount++;
    document::NodeRecord& n = doc->nodes[i];
    n = document::NodeRecord{};
    n.nodeId = i + 1;
    n.rect = rect;
    n.pageId = pageId;
    n.titlePos = 2;
    n.transColor = document::kNoColor;
    platform::CopyToField(n.title, title);
    n.style = document::DefaultItemStyle();
    doc->nodeStates[i] = {};
    return i;
  }

  int AddSlip(document::Rect rect, std::uint16_t pageId = 1, std::string_view text = "slip") {
    const int i = doc->slipCount++;
    document::SlipRecord& s = doc->slips[i];
    s = document::SlipRecord{};
    s.rect = rect;
    s.pageId = pageId;
    platform::CopyToField(s.slipText, text);
    s.style = document::DefaultItemStyle();
    return i;
  }

  /// A node or slip on page 1, selected unless told otherwise.
  int NodeSelected(document::Rect rect, bool selected = true) {
    const int i = AddNode(rect);
    doc->nodeStates[i].selected = selected ? 1 : 0;
    return i;
  }
  int SlipSelected(document::Rect rect, bool selected = true) {
    const int i = AddSlip(rect);
    doc->slips[i].selected = selected ? 1 : 0;
    return i;
  }

  void AddArc(int fromIndex, int toIndex) {
    doc->arcs[doc->arcCount++] = {doc->nodes[fromIndex].nodeId, doc->nodes[toIndex].nodeId};
  }

  std::unique_ptr<document::ChartDocument> doc;
};

/// A scratch surface backed by a recording canvas.
class RecordingScratch : public platform::ScratchSurface {
 public:
  platform::Canvas* Reset(const platform::Canvas&, platform::Size size) override {
    lastSize = size;
    ++resets;
    if (fail) return nullptr;
    canvas = platform::RecordingCanvas{};
    canvas.failPictures = failPictures;
    return &canvas;
  }
  platform::RecordingCanvas canvas;
  platform::Size lastSize;
  int resets = 0;
  bool fail = false;
  bool failPictures = false;
};

}  // namespace plume::chartview::testing
