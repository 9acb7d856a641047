#include "platform/Cp932.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>

namespace plume::platform {
namespace {

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";  // U+FFFD
constexpr std::string_view kReplacementCp932 = "?";

/// Owns one iconv conversion descriptor.
class IconvHandle {
 public:
  IconvHandle(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~IconvHandle() {
    if (Valid()) iconv_close(cd_);
  }
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;

  /// False when the C library has no such conversion (missing gconv modules).
  bool Valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t Get() const { return cd_; }

 private:
  iconv_t cd_;
};

/// Bytes to skip over an input sequence the converter refused, and what to
/// write in its place.
struct Skip {
  std::size_t bytes;
  std::string_view replacement;
};

/// Valid second byte of a double-byte CP932 character.
bool IsCp932TrailByte(unsigned char byte) {
  return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

/// A refused CP932 sequence: a lead byte with a proper second byte is one
/// (unassigned) character; anything else is one stray byte.
Skip SkipBrokenCp932(std::string_view rest) {
  const auto lead = static_cast<unsigned char>(rest[0]);
  if (IsCp932LeadByte(lead) && rest.size() >= 2 && IsCp932TrailByte(static_cast<unsigned char>(rest[1]))) {
    return {2, kReplacementUtf8};
  }
  return {1, kReplacementUtf8};
}

/// A refused UTF-8 sequence: a complete character with no CP932 form, or the
/// maximal ill-formed prefix of a broken one, becomes a single "?".
Skip SkipBrokenUtf8(std::string_view rest) {
  const auto lead = static_cast<unsigned char>(rest[0]);
  std::size_t length = 0;
  unsigned char low = 0x80;  // allowed range of the first continuation byte
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return {1, kReplacementCp932};
  }
  std::size_t consumed = 1;
  while (consumed < length && consumed < rest.size()) {
    const auto byte = static_cast<unsigned char>(rest[consumed]);
    if (byte < low || byte > high) break;
    low = 0x80;
    high = 0xBF;
    ++consumed;
  }
  return {consumed, kReplacementCp932};
}

/// Runs `handle` over `input`; every sequence the converter refuses is
/// replaced as `skipBroken` says, so the conversion always completes.
template <typename SkipFn>
std::string Convert(const IconvHandle& handle, std::string_view input, SkipFn skipBroken) {
  std::string out;
  out.reserve(input.size() * 3 / 2 + 8);
  iconv_t cd = handle.Get();
  iconv(cd, nullptr, nullptr, nullptr, nullptr);  // initial state

  // iconv takes a non-const input pointer but never writes through it.
  char* in = const_cast<char*>(input.data());
  std::size_t inLeft = input.size();
  char buffer[4096];
  while (inLeft > 0) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    const int error = errno;
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    if (result != static_cast<std::size_t>(-1) || error == E2BIG) continue;
    // EILSEQ (refused sequence) or EINVAL (sequence cut off at the end).
    const Skip skip = skipBroken(std::string_view(in, inLeft));
    out += skip.replacement;
    in += skip.bytes;
    inLeft -= skip.bytes;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  return out;
}

/// Used only when the C library lacks the CP932 converter: ASCII passes,
/// every other sequence is replaced.
template <typename SkipFn>
std::string ConvertAsciiOnly(std::string_view input, SkipFn skipBroken) {
  std::string out;
  std::size_t i = 0;
  while (i < input.size()) {
    if (static_cast<unsigned char>(input[i]) < 0x80) {
      out += input[i++];
      continue;
    }
    const Skip skip = skipBroken(input.substr(i));
    out += skip.replacement;
    i += skip.bytes;
  }
  return out;
}

const IconvHandle& Cp932ToUtf8Handle() {
  thread_local const IconvHandle handle("UTF-8", "CP932");
  return handle;
}

const IconvHandle& Utf8ToCp932Handle() {
  thread_local const IconvHandle handle("CP932", "UTF-8");
  return handle;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
  const IconvHandle& handle = Cp932ToUtf8Handle();
  if (!handle.Valid()) return ConvertAsciiOnly(cp932, SkipBrokenCp932);
  return Convert(handle, cp932, SkipBrokenCp932);
}

std::optional<std::string> Cp932ToUtf8Exact(std::string_view cp932) {
  // No CP932 character maps to U+FFFD, so a replacement marks a refused sequence.
  std::string utf8 = Cp932ToUtf8(cp932);
  if (utf8.find(kReplacementUtf8) != std::string::npos) return std::nullopt;
  return utf8;
}

std::string Utf8ToCp932(std::string_view utf8) {
  const IconvHandle& handle = Utf8ToCp932Handle();
  if (!handle.Valid()) return ConvertAsciiOnly(utf8, SkipBrokenUtf8);
  return Convert(handle, utf8, SkipBrokenUtf8);
}

std::size_t Cp932CutLength(std::string_view text, std::size_t maxBytes) {
  std::size_t length = 0;  // never above maxBytes
  while (length < text.size()) {
    const auto byte = static_cast<unsigned char>(text[length]);
    if (byte == 0) break;
    std::size_t charBytes = 1;
    if (IsCp932LeadByte(byte)) {
      if (length + 1 >= text.size() || text[length + 1] == '\0') break;  // lead byte without its pair
      charBytes = 2;
    }
    if (charBytes > maxBytes - length) break;
    length += charBytes;
  }
  return length;
}

std::string CutToBytes(std::string_view cp932, std::size_t maxBytes) {
  return std::string(cp932.substr(0, Cp932CutLength(cp932, maxBytes)));
}

void CopyToField(char* field, std::size_t fieldSize, std::string_view cp932) {
  if (field == nullptr || fieldSize == 0) return;
  const std::size_t length = Cp932CutLength(cp932, fieldSize - 1);
  if (length > 0) std::memcpy(field, cp932.data(), length);
  std::memset(field + length, 0, fieldSize - length);
}

std::string_view FieldText(const char* field, std::size_t fieldSize) {
  if (field == nullptr) return {};
  const void* nul = std::memchr(field, '\0', fieldSize);
  const std::size_t length = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - field) : fieldSize;
  return std::string_view(field, length);
}

}  // namespace plume::platform
