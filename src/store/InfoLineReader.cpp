#include "store/InfoLineReader.h"

namespace plume::store {

bool InfoLineReader::NextLine(std::string& line) {
  if (!std::getline(in_, line)) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

void InfoLineReader::Rewind() {
  in_.clear();
  in_.seekg(0);
}

bool InfoLineReader::LineStartsWith(std::string_view line, std::string_view text) {
  const std::size_t start = line.find_first_not_of(" \t");
  return start != std::string_view::npos && line.substr(start).starts_with(text);
}

bool InfoLineReader::LineValue(std::string_view line, std::string_view tag, std::string& value) {
  const std::size_t start = line.find_first_not_of(" \t");
  if (start == std::string_view::npos) return false;
  line.remove_prefix(start);
  if (line.size() < tag.size() + 2 || line[0] != '<' || line.substr(1, tag.size()) != tag ||
      line[tag.size() + 1] != '>') {
    return false;
  }
  line.remove_prefix(tag.size() + 2);
  const std::size_t end = line.find("</");
  // Without a closing tag on the line the value is empty, not the rest of the line.
  value = end == std::string_view::npos ? std::string() : std::string(line.substr(0, end));
  return true;
}

std::string InfoLineReader::ReadTag(std::string_view tag, int n) {
  std::string line, value;
  int seen = 0;
  for (int i = 0; i < kLineLimit && NextLine(line); ++i) {
    if (LineValue(line, tag, value) && ++seen == n) return value;
  }
  return {};
}

std::string InfoLineReader::ReadLastNonEmpty(std::string_view tag) {
  std::string line, value, last;
  for (int i = 0; i < kLineLimit && NextLine(line); ++i) {
    if (LineValue(line, tag, value) && !value.empty()) last = value;
  }
  return last;
}

}  // namespace plume::store
