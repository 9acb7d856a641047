#include "convert/JpegHeader.h"

#include <cstring>
#include <limits>

namespace plume::convert {
namespace {

// Reads from a block in memory. Like a file, the position may be moved past
// the end; the next read then fails.
class SpanSource {
 public:
  explicit SpanSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  bool Read(std::uint8_t* out, std::size_t count) {
    if (pos_ > bytes_.size() || bytes_.size() - pos_ < count) return false;
    std::memcpy(out, bytes_.data() + pos_, count);
    pos_ += count;
    return true;
  }
  bool Skip(std::size_t count) {
    pos_ = count > std::numeric_limits<std::size_t>::max() - pos_ ? std::numeric_limits<std::size_t>::max()
                                                                   : pos_ + count;
    return true;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t pos_ = 0;
};

class FileSource {
 public:
  explicit FileSource(std::FILE* file) : file_(file) {}
  bool Read(std::uint8_t* out, std::size_t count) { return std::fread(out, 1, count, file_) == count; }
  bool Skip(std::size_t count) { return std::fseek(file_, static_cast<long>(count), SEEK_CUR) == 0; }

 private:
  std::FILE* file_;
};

template <class Source>
bool ReadU16(Source& source, std::uint16_t& value) {
  std::uint8_t b[2];
  if (!source.Read(b, 2)) return false;
  value = static_cast<std::uint16_t>((b[0] << 8) | b[1]);
  return true;
}

template <class Source>
std::optional<JpegFrameInfo> Walk(Source& source) {
  std::uint16_t marker = 0;
  if (!ReadU16(source, marker) || marker != 0xFFD8) return std::nullopt;
  for (;;) {
    if (!ReadU16(source, marker)) return std::nullopt;
    if (marker == 0xFFC0 || marker == 0xFFC2) {
      std::uint8_t skipped[3];  // segment length and sample precision
      JpegFrameInfo info;
      std::uint8_t components = 0;
      if (!source.Read(skipped, 3) || !ReadU16(source, info.height) || !ReadU16(source, info.width) ||
          !source.Read(&components, 1))
        return std::nullopt;
      if (components != 3 && components != 4) return std::nullopt;
      // A frame without width or height has no picture to wrap.
      if (info.width == 0 || info.height == 0) return std::nullopt;
      info.cmyk = components == 4;
      return info;
    }
    if (marker == 0xFFFF || marker == 0xFFD9) return std::nullopt;
    std::uint16_t length = 0;
    if (!ReadU16(source, length)) return std::nullopt;
    // A length below 2 would move the walk backwards onto bytes it has read and
    // could loop for ever; such a segment is damaged.
    if (length < 2) return std::nullopt;
    if (!source.Skip(length - 2u)) return std::nullopt;
  }
}

}  // namespace

std::optional<JpegFrameInfo> ReadJpegHeader(std::span<const std::uint8_t> bytes) {
  SpanSource source(bytes);
  return Walk(source);
}

std::optional<JpegFrameInfo> ReadJpegHeader(std::FILE* file) {
  if (!file) return std::nullopt;
  FileSource source(file);
  return Walk(source);
}

}  // namespace plume::convert
