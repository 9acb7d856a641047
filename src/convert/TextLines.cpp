#include "convert/TextLines.h"

#include "platform/Cp932.h"

namespace plume::convert {

std::vector<std::string> SplitTextLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '\n' || c == '\r') {
      lines.emplace_back(text.substr(start, i - start));
      i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::vector<std::string> WrapTextLines(const std::vector<std::string>& lines, int usableWidth, int fontSize) {
  const long long byteWidth = fontSize / 2;
  std::vector<std::string> wrapped;
  wrapped.reserve(lines.size());
  for (const std::string& line : lines) {
    if (static_cast<long long>(line.size()) * byteWidth <= usableWidth) {
      wrapped.push_back(line);
      continue;
    }
    std::string piece;
    for (std::size_t i = 0; i < line.size(); ++i) {
      const auto byte = static_cast<unsigned char>(line[i]);
      if (platform::IsCp932LeadByte(byte)) {
        piece += line[i];
        const bool hasTrail = i + 1 < line.size();
        if (hasTrail) piece += line[++i];
        if (static_cast<long long>(piece.size()) * byteWidth > usableWidth - fontSize) {
          wrapped.push_back(std::move(piece));
          piece.clear();
        }
        if (!hasTrail) break;
      } else {
        piece += line[i];
        if (static_cast<long long>(piece.size()) * byteWidth > usableWidth - fontSize / 2) {
          wrapped.push_back(std::move(piece));
          piece.clear();
        }
      }
    }
    if (!piece.empty()) wrapped.push_back(std::move(piece));
  }
  return wrapped;
}

}  // namespace plume::convert
