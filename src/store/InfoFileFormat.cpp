#include "store/InfoFileFormat.h"

#include "platform/Cp932.h"
#include "store/InfoLineReader.h"

namespace plume::store {
namespace {

constexpr std::string_view kEol = "\r\n";

void AddLine(std::string& text, std::string_view indent, std::string_view tag, std::string_view value) {
  text += indent;
  text += '<';
  text += tag;
  text += '>';
  text += SingleLineValue(value);
  text += "</";
  text += tag;
  text += '>';
  text += kEol;
}

void AddLine(std::string& text, std::string_view line) {
  text += line;
  text += kEol;
}

}  // namespace

std::string SingleLineValue(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
      out += ' ';
    } else {
      out += c;
    }
  }
  return out;
}

std::string InfoFileText(const MaterialInfo& info, std::string_view owner) {
  std::string text;
  AddLine(text, kInfoHeader);
  AddLine(text, "<Root>");
  AddLine(text, "\t<FileInfo>");
  AddLine(text, "\t\t", "Ext", info.ext);
  AddLine(text, "\t\t", "Width", info.width);
  AddLine(text, "\t\t", "Height", info.height);
  AddLine(text, "\t\t", "Size", info.size);
  AddLine(text, "\t\t", "SHA256", info.sha256);
  AddLine(text, "\t</FileInfo>");
  AddLine(text, "\t<GetInfo>");
  AddLine(text, "\t\t", "Title", info.title);
  AddLine(text, "\t\t", "GetFrom", info.getFrom);
  AddLine(text, "\t\t", "CreateDate", info.createDate);
  AddLine(text, "\t</GetInfo>");
  AddLine(text, "\t", "FilePath", owner);
  AddLine(text, "</Root>");
  return text;
}

std::string OwnerLine(std::string_view owner) {
  std::string text;
  AddLine(text, "\t", "FilePath", owner);
  return text;
}

std::string Sha256Block(std::string_view hash) {
  std::string text;
  AddLine(text, "\t<FileInfo>");
  AddLine(text, "\t\t", "SHA256", hash);
  AddLine(text, "\t</FileInfo>");
  return text;
}

MaterialInfo ReadInfoFrom(std::istream& in) {
  InfoLineReader reader(in);
  MaterialInfo info;
  info.ext = reader.ReadTag("Ext");
  info.width = reader.ReadTag("Width");
  info.height = reader.ReadTag("Height");
  info.size = reader.ReadTag("Size");
  // From the start again, so that a missing SHA256 line cannot hide the later tags.
  reader.Rewind();
  info.sha256 = reader.ReadLastNonEmpty("SHA256");
  reader.Rewind();
  info.title = reader.ReadTag("Title");
  info.getFrom = reader.ReadTag("GetFrom");
  info.createDate = reader.ReadTag("CreateDate");
  return info;
}

OwnerSummary ReadOwnersFrom(std::istream& in) {
  InfoLineReader reader(in);
  OwnerSummary owners;
  std::string line, value;
  for (int i = 0; i < InfoLineReader::kLineLimit && reader.NextLine(line); ++i) {
    if (!InfoLineReader::LineValue(line, "FilePath", value)) continue;
    if (value.empty()) break;
    if (owners.count++ == 0) owners.firstOwner = std::filesystem::path(platform::Cp932ToUtf8(value));
  }
  return owners;
}

std::optional<std::string> AppendToInfoText(std::istream& in, std::string_view addition) {
  InfoLineReader reader(in);
  std::string line;
  bool inBody = false;
  std::string text;
  AddLine(text, kInfoHeader);
  AddLine(text, "<Root>");
  while (reader.NextLine(line)) {
    if (!inBody) {
      inBody = InfoLineReader::LineStartsWith(line, "<Root>");
      continue;
    }
    if (InfoLineReader::LineStartsWith(line, "</Root>")) break;
    AddLine(text, line);
  }
  if (!inBody) return std::nullopt;
  text += addition;
  AddLine(text, "</Root>");
  return text;
}

std::optional<std::string> WithoutLastLine(std::string_view text, std::string_view line) {
  if (line.empty()) return std::nullopt;
  for (std::size_t at = text.rfind(line); at != std::string_view::npos; at = at == 0 ? std::string_view::npos : text.rfind(line, at - 1)) {
    if (at != 0 && text[at - 1] != '\n') continue;  // only a whole line
    std::string out(text.substr(0, at));
    out += text.substr(at + line.size());
    return out;
  }
  return std::nullopt;
}

}  // namespace plume::store
