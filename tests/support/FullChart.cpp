#include "support/FullChart.h"

#include <cstdio>
#include <cstring>

#include "support/FakePicture.h"

namespace plume::testing {

using document::ChartDocument;

void FillToCapacity(ChartDocument& doc, std::size_t pictureBytes) {
  doc.NewDocument();
  doc.header.pageCount = ChartDocument::kMaxPages;
  doc.header.currentPage = 42;
  doc.header.reserved = 7;
  for (int p = 0; p < ChartDocument::kMaxPages; ++p) {
    ChartDocument::InitPage(doc.pages[p], static_cast<std::uint16_t>(p + 1), "page " + std::to_string(p));
    doc.pages[p].scrollX = p * 3;
  }
  doc.nodeCount = ChartDocument::kMaxNodes;
  for (int i = 0; i < doc.nodeCount; ++i) {
    document::NodeRecord& n = doc.nodes[i];
    n = document::NodeRecord{};
    n.nodeId = i + 1;
    n.rect = {i % 900, i % 700, i % 900 + 100, i % 700 + 50};
    n.serial = i * 7;
    std::strcpy(n.dataType, "PDF");
    n.pageId = static_cast<std::uint16_t>(i % 100 + 1);
    std::snprintf(n.title, sizeof n.title, "node %d", i);
    n.style = document::DefaultItemStyle();
    n.transColor = document::kNoColor;
    if (i % 50 == 0 && i != 100) {
      n.hasImage = 1;
      n.transColor = i;
      n.image = doc.pictures.Add(
          std::make_unique<FakePicture>(i % 200, 3, FakeImageBytes(i % 200, 3, pictureBytes ? pictureBytes : i)));
    }
  }
  doc.nodes[100].hasImage = 1;
  doc.nodes[100].image = doc.nodes[50].image;
  doc.arcCount = ChartDocument::kMaxArcs;
  for (int i = 0; i < doc.arcCount; ++i) doc.arcs[i] = {i + 1, (i + 1) % 10000 + 1};
  doc.slipCount = ChartDocument::kMaxSlips;
  for (int i = 0; i < doc.slipCount; ++i) {
    doc.slips[i] = document::SlipRecord{};
    doc.slips[i].rect = {i, i, i + 100, i + 50};
    doc.slips[i].pageId = static_cast<std::uint16_t>(i % 100 + 1);
    std::snprintf(doc.slips[i].slipText, sizeof doc.slips[i].slipText, "slip %d", i);
    doc.slips[i].style = document::DefaultItemStyle();
  }
}

}  // namespace plume::testing
