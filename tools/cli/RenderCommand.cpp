// render: paint one page of a chart through the Qt canvas into a PNG file.

#include <QImage>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "output/PageBitmapRenderer.h"
#include "CliCommands.h"
#include "chartview/ChartView.h"
#include "chartview/CoordinateMapping.h"
#include "document/ChartFile.h"
#include "platform/MemorySettingsStore.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtPictureCodec.h"
#include "platform/qt/QtScratchSurface.h"

namespace plume::cli {
namespace {

using document::ChartDocument;

struct RenderOptions {
  std::string in, out;
  int page = 1;         ///< 1-based
  float zoomPercent = 100;
  std::string select;   ///< "", "all" or node ids "3,5" (the first is focused)
  bool viewport = false;
  int width = 0, height = 0, scrollX = 0, scrollY = 0;
};

// "WxH+X+Y"
bool ParseViewport(std::string_view s, RenderOptions& o) {
  const auto x = s.find('x'), p1 = s.find('+'), p2 = s.find('+', p1 + 1);
  if (x == std::string_view::npos || p1 == std::string_view::npos || p2 == std::string_view::npos) return false;
  return ParseInt(s.substr(0, x), o.width) && ParseInt(s.substr(x + 1, p1 - x - 1), o.height) &&
         ParseInt(s.substr(p1 + 1, p2 - p1 - 1), o.scrollX) && ParseInt(s.substr(p2 + 1), o.scrollY) &&
         o.width > 0 && o.height > 0 && o.width <= 20000 && o.height <= 20000;
}

bool ParseOptions(const std::vector<std::string_view>& args, RenderOptions& o) {
  std::vector<std::string_view> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--page" && hasValue) {
      if (!ParseInt(args[++i], o.page)) return false;
    } else if (a == "--zoom" && hasValue) {
      int z = 0;
      if (!ParseInt(args[++i], z)) return false;
      o.zoomPercent = static_cast<float>(z);
    } else if (a == "--select" && hasValue) {
      o.select = std::string(args[++i]);
    } else if (a == "--viewport" && hasValue) {
      if (!ParseViewport(args[++i], o)) return false;
      o.viewport = true;
    } else if (a.starts_with("--")) {
      return false;
    } else {
      positional.push_back(a);
    }
  }
  if (positional.size() != 2) return false;
  o.in = std::string(positional[0]);
  o.out = std::string(positional[1]);
  return true;
}

bool HasArcOnPage(const ChartDocument& doc, int index, std::uint16_t pageId) {
  const std::int32_t id = doc.nodes[index].nodeId;
  for (int a = 0; a < doc.arcCount; ++a) {
    const auto& arc = doc.arcs[a];
    if (arc.fromNode != id && arc.toNode != id) continue;
    const int other = doc.NodeIndexOf(arc.fromNode == id ? arc.toNode : arc.fromNode);
    if (other >= 0 && doc.nodes[other].pageId == pageId) return true;
  }
  return false;
}

// "all": every item of the page, the first node with an arc on the page and
// the first slip focused. Otherwise node ids, the first one focused.
bool ApplySelection(ChartDocument& doc, const std::string& select) {
  doc.ClearSelection();
  if (select.empty()) return true;
  const std::uint16_t pageId = doc.CurrentPage().pageId;
  if (select == "all") {
    for (int i = 0; i < doc.nodeCount; ++i) {
      if (doc.nodes[i].pageId != pageId) continue;
      doc.nodeStates[i].selected = 1;
      if (doc.focusedNode < 0 && HasArcOnPage(doc, i, pageId)) doc.focusedNode = i;
    }
    for (int i = 0; i < doc.slipCount; ++i) {
      if (doc.slips[i].pageId != pageId) continue;
      doc.slips[i].selected = 1;
      if (doc.focusedSlip < 0) doc.focusedSlip = i;
    }
    return true;
  }
  std::string_view rest = select;
  while (!rest.empty()) {
    const auto comma = rest.find(',');
    int id = 0;
    if (!ParseInt(rest.substr(0, comma), id)) return false;
    const int index = doc.NodeIndexOf(id);
    if (index < 0) return false;
    doc.nodeStates[index].selected = 1;
    if (doc.focusedNode < 0) doc.focusedNode = index;
    rest = comma == std::string_view::npos ? std::string_view{} : rest.substr(comma + 1);
  }
  return true;
}

}  // namespace

int RunRender(const std::vector<std::string_view>& args, const ToolCodecs& codecs) {
  RenderOptions o;
  if (!ParseOptions(args, o)) {
    std::cerr << "usage: plumeboard-tool render FILE [--page N] [--zoom PERCENT] [--select all|ID,...]"
                 " [--viewport WxH+X+Y] OUT.png\n";
    return 2;
  }
  auto doc = ChartDocument::Create();
  if (!doc) return 1;
  doc->NewDocument();
  if (!OpenChartFile(*doc, o.in, codecs.pictures)) return 1;
  if (o.page < 1 || o.page > doc->header.pageCount) {
    std::cerr << "plumeboard-tool: the document has " << doc->header.pageCount << " page(s)\n";
    return 1;
  }
  doc->header.currentPage = static_cast<std::uint16_t>(o.page - 1);
  if (!ApplySelection(*doc, o.select)) {
    std::cerr << "plumeboard-tool: --select takes \"all\" or node ids of the document\n";
    return 2;
  }

  platform::MemorySettingsStore settings;
  chartview::WindowlessHost host;
  platform::QtScratchSurface scratch;
  chartview::ChartView view(*doc, settings, host, &scratch);
  view.SetZoom(o.zoomPercent / 100.0f);

  const document::PageRecord& page = doc->CurrentPage();
  const int width = o.viewport ? o.width : std::max(1, chartview::ZoomLength(page.pageWidth, view.Zoom()));
  const int height = o.viewport ? o.height : std::max(1, chartview::ZoomLength(page.pageHeight, view.Zoom()));
  if (!output::PageBitmapFits({width, height})) return 1;
  QImage image(width, height, QImage::Format_RGB32);
  if (image.isNull()) {
    std::cerr << "plumeboard-tool: cannot make a " << width << " x " << height << " image\n";
    return 1;
  }
  image.fill(Qt::white);
  {
    platform::QtCanvas canvas(image);
    if (o.viewport) {
      view.SetClientSize({width, height});
      view.SetScroll({o.scrollX, o.scrollY});
      view.OnDraw(canvas);
    } else {
      view.DrawPage(canvas, doc->header.currentPage);
    }
  }
  if (!image.save(QString::fromStdString(o.out), "PNG")) {
    std::cerr << "plumeboard-tool: cannot write " << o.out << "\n";
    return 1;
  }
  return 0;
}

}  // namespace plume::cli
