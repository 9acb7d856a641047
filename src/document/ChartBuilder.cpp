#include "document/ChartBuilder.h"

#include <utility>

#include "platform/Cp932.h"

namespace plume::document {

using platform::Utf8ToCp932;

namespace {

std::int32_t LastNodeId(const ChartDocument& doc) { return doc.nodes[doc.nodeCount - 1].nodeId; }

NodeRequest PictureRequest(PictureNodeSpec spec) {
  NodeRequest r;
  r.dataType = "JPEG";
  r.serial = spec.serial;
  r.title = Utf8ToCp932(spec.titleUtf8);
  r.hasImage = true;
  r.pictureWidth = spec.picture ? spec.picture->Width() : 0;
  r.pictureHeight = spec.picture ? spec.picture->Height() : 0;
  r.picture = std::move(spec.picture);
  r.transColor = spec.transColor;
  return r;
}

}  // namespace

std::int32_t AddTextNode(ChartDocument& doc, std::string_view type, std::int32_t serial, std::string_view titleUtf8,
                         Rect rect) {
  NodeRequest r;
  r.dataType = std::string(type);
  r.serial = serial;
  r.title = Utf8ToCp932(titleUtf8);
  doc.AddNode(std::move(r));
  doc.nodes[doc.nodeCount - 1].rect = rect;
  return LastNodeId(doc);
}

std::int32_t AddPictureNode(ChartDocument& doc, PictureNodeSpec spec, int x, int y) {
  NodeRequest r = PictureRequest(std::move(spec));
  r.x = x;
  r.y = y;
  doc.AddNode(std::move(r));
  return LastNodeId(doc);
}

std::int32_t AddPictureNode(ChartDocument& doc, PictureNodeSpec spec, Rect rect) {
  doc.AddNode(PictureRequest(std::move(spec)));
  doc.nodes[doc.nodeCount - 1].rect = rect;
  return LastNodeId(doc);
}

void AddSlip(ChartDocument& doc, std::string_view textUtf8, Rect rect) {
  doc.AddSlip(Utf8ToCp932(textUtf8), rect.left, rect.top);
  doc.slips[doc.slipCount - 1].rect = rect;
}

void AddPage(ChartDocument& doc, std::string_view nameUtf8, ColorRef tabBack, ColorRef tabText) {
  const int index = doc.header.pageCount;
  ChartDocument::InitPage(doc.pages[index], doc.NewPageId(), Utf8ToCp932(nameUtf8));
  doc.pages[index].tabBackColor = tabBack;
  doc.pages[index].tabTextColor = tabText;
  doc.header.pageCount += 1;
}

}  // namespace plume::document
