#include "shell/SecondStart.h"

#include <sys/stat.h>

namespace plume::shell {

namespace {
constexpr std::string_view kShow = "SHOW\n";
constexpr std::string_view kOpen = "OPEN ";

bool Sendable(std::string_view path) {
  return !path.empty() && path.front() == '/' && path.find('\n') == std::string_view::npos &&
         path.find('\0') == std::string_view::npos;
}
}  // namespace

std::optional<std::string> EncodeHandOver(const HandOver& request) {
  if (!request.document) return std::string(kShow);
  const std::string path = request.document->string();
  if (!Sendable(path)) return std::nullopt;
  std::string line = std::string(kOpen) + path + "\n";
  if (line.size() > kMaxHandOverBytes) return std::nullopt;
  return line;
}

std::optional<HandOver> DecodeHandOver(std::string_view line) {
  if (line.size() > kMaxHandOverBytes || line.empty() || line.back() != '\n') return std::nullopt;
  if (line == kShow) return HandOver{};
  if (!line.starts_with(kOpen)) return std::nullopt;
  const std::string_view path = line.substr(kOpen.size(), line.size() - kOpen.size() - 1);
  if (!Sendable(path)) return std::nullopt;
  return HandOver{std::filesystem::path(path)};
}

bool IsTrustedSocket(const std::filesystem::path& path, unsigned uid) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0) return false;
  return S_ISSOCK(info.st_mode) && info.st_uid == uid && (info.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

}  // namespace plume::shell
