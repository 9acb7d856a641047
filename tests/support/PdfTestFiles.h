#pragma once
// Files, folders and outside tools for the PDF tests.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace plume::test {

namespace fs = std::filesystem;

/// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    std::random_device rd;
    path_ = fs::temp_directory_path() / ("plume-pdf-test-" + std::to_string(rd()) + std::to_string(rd()));
    fs::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  fs::path operator/(const std::string& name) const { return path_ / name; }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

inline std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string TestDataFile(const std::string& name) {
  return ReadFile(fs::path(PLUME_TEST_DATA_DIR) / "capture" / name);
}

/// Standard output and exit status of a shell command.
struct CommandResult {
  int status = -1;
  std::string output;
};

inline std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

inline CommandResult RunCommand(const std::string& command) {
  CommandResult result;
  std::FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return result;
  char buffer[4096];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, n);
  const int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

/// The value of one "Key:   value" line of pdfinfo's output, runs of blanks
/// in the key counting as one ("Page 1 size"); "" when there is none.
inline std::string PdfInfoField(const std::string& output, const std::string& key) {
  std::size_t start = 0;
  while (start < output.size()) {
    std::size_t end = output.find('\n', start);
    if (end == std::string::npos) end = output.size();
    const std::string line = output.substr(start, end - start);
    start = end + 1;
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    std::string name;
    for (const char c : line.substr(0, colon))
      if (c != ' ' || (!name.empty() && name.back() != ' ')) name += c;
    if (name != key) continue;
    const std::size_t value = line.find_first_not_of(' ', colon + 1);
    return value == std::string::npos ? std::string() : line.substr(value);
  }
  return {};
}

/// Asserts that `qpdf --check` finds nothing wrong with the file.
inline void ExpectQpdfCheckClean(const fs::path& pdf) {
  const CommandResult r = RunCommand("qpdf --check " + Quoted(pdf));
  EXPECT_EQ(r.status, 0) << r.output;
  EXPECT_NE(r.output.find("No syntax or stream encoding errors found"), std::string::npos) << r.output;
}

/// A JPEG header: SOI, the given segments, and a frame header (SOF0 or SOF2)
/// with the size and component count; padded with zero bytes to `totalSize`.
struct JpegBuilder {
  std::string bytes = "\xFF\xD8";

  JpegBuilder& Segment(std::uint8_t marker, const std::string& payload) {
    const auto length = static_cast<std::uint16_t>(payload.size() + 2);
    bytes += '\xFF';
    bytes += static_cast<char>(marker);
    bytes += static_cast<char>(length >> 8);
    bytes += static_cast<char>(length & 0xFF);
    bytes += payload;
    return *this;
  }
  JpegBuilder& Frame(std::uint8_t marker, std::uint16_t width, std::uint16_t height, int components) {
    std::string payload;
    payload += '\x08';
    payload += static_cast<char>(height >> 8);
    payload += static_cast<char>(height & 0xFF);
    payload += static_cast<char>(width >> 8);
    payload += static_cast<char>(width & 0xFF);
    payload += static_cast<char>(components);
    for (int c = 0; c < components; ++c) payload += std::string{static_cast<char>(c + 1), '\x11', '\x00'};
    return Segment(marker, payload);
  }
  std::string PaddedTo(std::size_t totalSize) const {
    std::string out = bytes;
    if (out.size() < totalSize) out.resize(totalSize, '\0');
    return out;
  }
};

}  // namespace plume::test
