#include "platform/cab/BlockChecksums.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

namespace plume::platform {
namespace {

std::uint32_t BlockChecksum(const unsigned char* bytes, std::size_t size, std::uint32_t seed) {
  std::size_t i = 0;
  for (; i + 4 <= size; i += 4)
    seed ^= std::uint32_t{bytes[i]} | std::uint32_t{bytes[i + 1]} << 8 | std::uint32_t{bytes[i + 2]} << 16 |
            std::uint32_t{bytes[i + 3]} << 24;
  std::uint32_t tail = 0;
  for (int shift = 8 * static_cast<int>(size - i - 1); i < size; ++i, shift -= 8) tail |= std::uint32_t{bytes[i]} << shift;
  return seed ^ tail;
}

}  // namespace

BlockChecksums CheckBlockChecksums(const std::filesystem::path& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return BlockChecksums::Computed;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> closer(file, std::fclose);
  auto read = [file](void* into, std::size_t n) { return std::fread(into, 1, n, file) == n; };
  auto u16 = [](const unsigned char* b) { return static_cast<std::uint32_t>(b[0] | b[1] << 8); };
  auto u32 = [](const unsigned char* b) {
    return std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 | std::uint32_t{b[3]} << 24;
  };
  unsigned char header[36];
  if (!read(header, sizeof header) || std::memcmp(header, "MSCF", 4) != 0) return BlockChecksums::Computed;
  const std::uint32_t folders = u16(header + 26), flags = u16(header + 30);
  std::uint32_t folderReserve = 0, dataReserve = 0;
  if (flags & 4) {
    unsigned char sizes[4];
    if (!read(sizes, 4)) return BlockChecksums::Computed;
    folderReserve = sizes[2];
    dataReserve = sizes[3];
    if (std::fseek(file, static_cast<long>(u16(sizes)), SEEK_CUR) != 0) return BlockChecksums::Computed;
  }
  // The names of a previous and a next cabinet: two strings each.
  for (int strings = ((flags & 1) ? 2 : 0) + ((flags & 2) ? 2 : 0); strings > 0; --strings) {
    int c = 0;
    while ((c = std::fgetc(file)) > 0) {
    }
    if (c < 0) return BlockChecksums::Computed;
  }
  std::vector<std::pair<std::uint32_t, std::uint32_t>> starts;  // first block, block count
  for (std::uint32_t f = 0; f < folders; ++f) {
    unsigned char entry[8];
    if (!read(entry, 8) || std::fseek(file, static_cast<long>(folderReserve), SEEK_CUR) != 0)
      return BlockChecksums::Computed;
    starts.emplace_back(u32(entry), u16(entry + 4));
  }
  bool zero = false;
  std::vector<unsigned char> block;
  for (const auto& [at, count] : starts) {
    if (std::fseek(file, static_cast<long>(at), SEEK_SET) != 0) return BlockChecksums::Computed;
    for (std::uint32_t b = 0; b < count; ++b) {
      unsigned char head[8];
      if (!read(head, 8)) return BlockChecksums::Computed;
      block.resize(4 + dataReserve + u16(head + 4));
      std::memcpy(block.data(), head + 4, 4);
      if (!read(block.data() + 4, block.size() - 4)) return BlockChecksums::Computed;
      const std::uint32_t stored = u32(head);
      if (stored == 0) {
        zero = true;
        continue;
      }
      const std::size_t dataAt = 4 + dataReserve;
      const std::uint32_t computed =
          BlockChecksum(block.data(), dataAt, BlockChecksum(block.data() + dataAt, block.size() - dataAt, 0));
      if (computed != stored) return BlockChecksums::Wrong;
    }
  }
  return zero ? BlockChecksums::SomeNotComputed : BlockChecksums::Computed;
}

}  // namespace plume::platform
