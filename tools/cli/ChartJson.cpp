#include "ChartJson.h"

#include <cstring>

#include "platform/Cp932.h"

namespace plume::cli {
namespace {

using nlohmann::ordered_json;
using platform::Cp932ToUtf8;
using platform::FieldText;

ordered_json RectJson(const document::Rect& r) { return ordered_json::array({r.left, r.top, r.right, r.bottom}); }

ordered_json StyleJson(const document::ItemStyle& s) {
  return {{"refText", s.refText}, {"FontBold", s.FontBold}, {"FontSize", s.FontSize},
          {"FontName", Cp932ToUtf8(FieldText(s.FontName))}, {"AlineH", s.AlineH}, {"Yohaku", s.Yohaku},
          {"Wrap", s.Wrap}, {"refMen", s.refMen}, {"Round", s.Round}, {"Futosa", s.Futosa},
          {"refWaku", s.refWaku}};
}

bool StartsWith(const platform::Bytes& b, std::initializer_list<unsigned char> magic) {
  if (b.size() < magic.size()) return false;
  return std::equal(magic.begin(), magic.end(), b.begin());
}

}  // namespace

const char* ImageFileType(const platform::Bytes& b) {
  if (StartsWith(b, {0xFF, 0xD8})) return "JPEG";
  if (StartsWith(b, {0x89, 'P', 'N', 'G'})) return "PNG";
  if (StartsWith(b, {'B', 'M'})) return "BMP";
  if (StartsWith(b, {'G', 'I', 'F', '8'})) return "GIF";
  if (StartsWith(b, {0, 0, 1, 0})) return "ICO";
  if (StartsWith(b, {'I', 'I', 42, 0}) || StartsWith(b, {'M', 'M', 0, 42})) return "TIFF";
  return "unknown";
}

nlohmann::ordered_json ChartToJson(const document::ChartDocument& doc) {
  ordered_json out;
  out["header"] = {{"pageCount", doc.header.pageCount}, {"currentPage", doc.header.currentPage},
                   {"dialRadius", doc.header.dialRadius}, {"reserved", doc.header.reserved}};
  ordered_json pages = ordered_json::array();
  for (int i = 0; i < doc.header.pageCount; ++i) {
    const auto& p = doc.pages[i];
    pages.push_back({{"pageId", p.pageId}, {"pageName", Cp932ToUtf8(FieldText(p.pageName))},
                     {"pageWidth", p.pageWidth}, {"pageHeight", p.pageHeight}, {"scrollX", p.scrollX},
                     {"scrollY", p.scrollY}, {"backColor", p.backColor}, {"tabBackColor", p.tabBackColor},
                     {"tabTextColor", p.tabTextColor}});
  }
  out["pages"] = std::move(pages);
  ordered_json nodes = ordered_json::array();
  for (int i = 0; i < doc.nodeCount; ++i) {
    const auto& n = doc.nodes[i];
    ordered_json node = {{"nodeId", n.nodeId}, {"pageId", n.pageId}, {"rect", RectJson(n.rect)},
                         {"serial", n.serial}, {"dataType", Cp932ToUtf8(FieldText(n.dataType))},
                         {"title", Cp932ToUtf8(FieldText(n.title))}, {"titlePos", n.titlePos},
                         {"hasImage", n.hasImage}, {"transColor", n.transColor}, {"style", StyleJson(n.style)}};
    if (n.hasImage) {
      if (const platform::Picture* pic = doc.NodePicture(i)) {
        platform::Bytes bytes = pic->EncodedBytes();
        node["picture"] = {{"type", bytes.empty() ? "BMP" : ImageFileType(bytes)},
                           {"width", pic->Width()}, {"height", pic->Height()}, {"bytes", bytes.size()}};
      } else {
        node["picture"] = nullptr;
      }
    }
    nodes.push_back(std::move(node));
  }
  out["nodes"] = std::move(nodes);
  ordered_json arcs = ordered_json::array();
  for (int i = 0; i < doc.arcCount; ++i) arcs.push_back({{"fromNode", doc.arcs[i].fromNode}, {"toNode", doc.arcs[i].toNode}});
  out["arcs"] = std::move(arcs);
  ordered_json slips = ordered_json::array();
  for (int i = 0; i < doc.slipCount; ++i) {
    const auto& s = doc.slips[i];
    slips.push_back({{"pageId", s.pageId}, {"rect", RectJson(s.rect)},
                     {"slipText", Cp932ToUtf8(FieldText(s.slipText))}, {"style", StyleJson(s.style)}});
  }
  out["slips"] = std::move(slips);
  return out;
}

}  // namespace plume::cli
