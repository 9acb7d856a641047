#include "convert/ImageFileBytes.h"

#include <fstream>
#include <new>
#include <system_error>

namespace plume::convert {

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path, FileReadError& error) {
  error = FileReadError::None;
  std::ifstream in(path, std::ios::binary);
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  if (!in || ec) {
    error = FileReadError::Open;
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes;
  try {
    bytes.resize(static_cast<std::size_t>(size));
  } catch (const std::bad_alloc&) {
    error = FileReadError::Memory;
    return std::nullopt;
  } catch (const std::length_error&) {
    error = FileReadError::Memory;
    return std::nullopt;
  }
  if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) {
    error = FileReadError::Read;
    return std::nullopt;
  }
  return bytes;
}

}  // namespace plume::convert
