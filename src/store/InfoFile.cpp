#include "store/InfoFile.h"
#include "store/StoreChanges.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>
#include <utility>

#include "platform/DurableFiles.h"
#include "platform/ExclusiveFile.h"
#include "platform/FileDescriptor.h"
#include "platform/Cp932.h"
#include "store/InfoFileFormat.h"
#include "store/InfoLineReader.h"
#include "store/MaterialStore.h"

namespace plume::store {

namespace fs = std::filesystem;

namespace {

std::string PathToCp932(const fs::path& path) { return platform::Utf8ToCp932(path.string()); }

/// Writes `text` to a temporary file beside `file` and renames it over `file`,
/// so a failed write never leaves a half-written information file.
bool ReplaceFile(const fs::path& file, std::string_view text) {
  // The store may be shared: the temporary file is created exclusively, so
  // nothing planted under its name is written through.
  platform::RemoveDeadTemporaries(file);
  platform::ExclusiveFile temp(platform::TemporarySibling(file), 0666);
  if (!temp.IsOpen()) return false;
  temp.Stream().write(text.data(), static_cast<std::streamsize>(text.size()));
  if (!temp.Finish() || rename(temp.Path().c_str(), file.c_str()) != 0) {
    temp.Discard();
    return false;
  }
  return true;
}

/// Runs `read` on a stream over `file`: small regular files (every ordinary
/// information file) are taken in with one read, larger ones are streamed so
/// memory stays bounded. Nullopt when the file is missing, not a regular file
/// or unreadable.
template <typename Read>
auto WithInfoStream(const fs::path& file, Read read) -> std::optional<decltype(read(std::declval<std::istream&>()))> {
  constexpr off_t kWholeReadLimit = off_t{1} << 20;
  platform::FileDescriptor fd = platform::FileDescriptor::OpenForReading(file);
  struct stat status {};
  if (!fd.IsRegularFile(&status)) return std::nullopt;
  if (status.st_size > kWholeReadLimit) {
    fd.Close();
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    return read(in);
  }
  std::string text(static_cast<std::size_t>(status.st_size), '\0');
  std::size_t got = 0;
  while (got < text.size()) {
    const ssize_t n = ::read(fd.Get(), text.data() + got, text.size() - got);
    if (n <= 0) break;  // shrunk under us, or an error: keep what was read
    got += static_cast<std::size_t>(n);
  }
  fd.Close();
  text.resize(got);
  std::istringstream in(std::move(text));
  return read(in);
}

}  // namespace

fs::path InfoFile::PathForReading(std::string_view serialText) {
  const auto root = store_.Root();
  return root ? MaterialStore::InfoFileIn(*root, serialText) : fs::path();
}

bool InfoFile::WriteInfoAt(const fs::path& file, const MaterialInfo& info, const fs::path& owner) {
  const bool written = ReplaceFile(file, InfoFileText(info, PathToCp932(owner)));
  if (written) NotifyStoreFileChanged(file);
  return written;
}

std::optional<MaterialInfo> InfoFile::ReadInfoAt(const fs::path& file) {
  return WithInfoStream(file, [](std::istream& in) { return ReadInfoFrom(in); });
}

std::optional<OwnerSummary> InfoFile::ReadOwnersAt(const fs::path& file) {
  return WithInfoStream(file, [](std::istream& in) { return ReadOwnersFrom(in); });
}

std::string InfoFile::ReadInfoTagAt(const fs::path& file, std::string_view tag, int n) {
  return WithInfoStream(file, [&](std::istream& in) { return InfoLineReader(in).ReadTag(tag, n); })
      .value_or(std::string());
}

bool InfoFile::AppendAt(const fs::path& file, std::string_view addition) {
  std::optional<std::string> text;
  {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    text = AppendToInfoText(in, addition);
    if (in.bad()) return false;
  }
  const bool written = text && ReplaceFile(file, *text);
  if (written) NotifyStoreFileChanged(file);
  return written;
}

bool InfoFile::WriteInfo(std::string_view serialText, const MaterialInfo& info, const fs::path& owner) {
  const fs::path file = store_.InfoFilePath(serialText);
  return !file.empty() && WriteInfoAt(file, info, owner);
}

bool InfoFile::InfoFileExists(std::string_view serialText) {
  const fs::path file = PathForReading(serialText);
  return !file.empty() && platform::IsRegularFile(file);
}

bool InfoFile::AddOwner(std::string_view serialText, const fs::path& documentPath) {
  const fs::path file = PathForReading(serialText);
  return !file.empty() && AppendAt(file, OwnerLine(PathToCp932(documentPath)));
}

bool InfoFile::RemoveOwner(std::string_view serialText, const fs::path& documentPath) {
  const fs::path file = PathForReading(serialText);
  if (file.empty()) return false;
  const auto text = WithInfoStream(file, [](std::istream& in) {
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  });
  if (!text) return false;
  const auto rest = WithoutLastLine(*text, OwnerLine(PathToCp932(documentPath)));
  return rest && ReplaceFile(file, *rest);
}

bool InfoFile::SetSha256(std::string_view serialText, std::string_view hash) {
  const fs::path file = PathForReading(serialText);
  return !file.empty() && AppendAt(file, Sha256Block(hash));
}

std::optional<MaterialInfo> InfoFile::ReadInfo(std::string_view serialText) {
  const fs::path file = PathForReading(serialText);
  if (file.empty()) return std::nullopt;
  return ReadInfoAt(file);
}

std::string InfoFile::ReadInfoTag(Serial number, std::string_view tag, int n) {
  const fs::path file = PathForReading(FormatSerial(number));
  return file.empty() ? std::string() : ReadInfoTagAt(file, tag, n);
}

fs::path InfoFile::OwnerPath(Serial number, int n) {
  return fs::path(platform::Cp932ToUtf8(ReadInfoTag(number, "FilePath", n)));
}

std::optional<OwnerSummary> InfoFile::ReadOwners(std::string_view serialText) {
  const fs::path file = PathForReading(serialText);
  if (file.empty()) return std::nullopt;
  return ReadOwnersAt(file);
}

}  // namespace plume::store
