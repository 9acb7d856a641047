#include "document/RecoveryRecord.h"

#include <sys/stat.h>

#include <charconv>
#include <set>

#include "platform/FileDescriptor.h"

namespace plume::document {
namespace {

constexpr std::string_view kFirstLine = "Plumeboard recovery 1";

template <typename Number>
bool ParseNumber(std::string_view text, Number& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

bool ParseStamp(std::string_view text, FileStamp& stamp) {
  const std::size_t colon = text.find(':');
  return colon != std::string_view::npos && ParseNumber(text.substr(0, colon), stamp.mtimeNs) &&
         ParseNumber(text.substr(colon + 1), stamp.size);
}

// A plain file name: no separators, no "." or "..", no control characters.
bool PlainName(std::string_view name) {
  if (name.empty() || name == "." || name == ".." || name.size() > 255) return false;
  for (const char c : name)
    if (c == '/' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
  return true;
}

// A path may hold any byte but NUL: "%" and line breaks are written as %25 and %0A.
std::string EscapePath(const std::string& path) {
  std::string out;
  for (const char c : path) {
    if (c == '%') out += "%25";
    else if (c == '\n') out += "%0A";
    else out += c;
  }
  return out;
}

std::optional<std::string> UnescapePath(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
    } else if (text.substr(i, 3) == "%25") {
      out += '%';
      i += 2;
    } else if (text.substr(i, 3) == "%0A") {
      out += '\n';
      i += 2;
    } else {
      return std::nullopt;
    }
  }
  return out;
}

}  // namespace

std::optional<FileStamp> StampOf(const std::filesystem::path& path) {
  struct stat info {};
  if (!platform::IsRegularFile(path, true, &info)) return std::nullopt;
  return FileStamp{static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec,
                   static_cast<std::uint64_t>(info.st_size)};
}

std::string FormatRecoveryRecord(const RecoveryRecord& record) {
  std::string text(kFirstLine);
  text += "\npath=" + EscapePath(record.original.string());
  text += "\ntime=" + std::to_string(record.time);
  text += "\npage=" + std::to_string(record.page);
  text += "\npid=" + std::to_string(record.pid);
  text += "\ncopy=" + record.copy;
  if (record.base) text += "\nbase=" + std::to_string(record.base->mtimeNs) + ":" + std::to_string(record.base->size);
  return text + "\n";
}

std::optional<RecoveryRecord> ParseRecoveryRecord(std::string_view text) {
  if (!text.starts_with(kFirstLine) || text.size() > 64 * 1024) return std::nullopt;
  text.remove_prefix(kFirstLine.size());
  // Every line, the first too, ends with a line break.
  if (!text.starts_with('\n') || !text.ends_with('\n')) return std::nullopt;
  text.remove_prefix(1);
  RecoveryRecord record;
  std::set<std::string_view> seen;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end + 1);
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    const std::string_view key = line.substr(0, equals);
    const std::string_view value = line.substr(equals + 1);
    if (!seen.insert(key).second) return std::nullopt;
    bool ok = true;
    if (key == "path") {
      const std::optional<std::string> path = UnescapePath(value);
      ok = path && path->find('\0') == std::string::npos;
      if (ok) record.original = *path;
    } else if (key == "time") {
      ok = ParseNumber(value, record.time);
    } else if (key == "page") {
      ok = ParseNumber(value, record.page) && record.page >= 0;
    } else if (key == "pid") {
      ok = ParseNumber(value, record.pid) && record.pid > 0;
    } else if (key == "copy") {
      record.copy = std::string(value);
      ok = PlainName(value);
    } else if (key == "base") {
      record.base.emplace();
      ok = ParseStamp(value, *record.base);
    } else {
      ok = false;
    }
    if (!ok) return std::nullopt;
  }
  if (!seen.contains("copy") || !seen.contains("time") || !seen.contains("pid")) return std::nullopt;
  return record;
}

bool OriginalChangedSince(const RecoveryRecord& record) {
  if (record.original.empty()) return false;
  const std::optional<FileStamp> now = StampOf(record.original);
  if (!now) return false;  // nothing there to overwrite
  if (record.base) return *now != *record.base;
  return now->mtimeNs / 1'000'000'000 > record.time;
}

}  // namespace plume::document
