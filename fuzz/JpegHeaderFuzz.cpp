// The JPEG header walk on arbitrary bytes: it must end, never read outside
// the input, and answer the same from memory as from a file.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "convert/JpegHeader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto fromMemory = plume::convert::ReadJpegHeader(std::span<const std::uint8_t>(data, size));
  if (size == 0) return 0;
  std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
  if (!file) return 0;
  const auto fromFile = plume::convert::ReadJpegHeader(file);
  std::fclose(file);
  if (fromMemory != fromFile) std::abort();
  return 0;
}
