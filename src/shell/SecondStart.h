#pragma once
// A second start hands its document to the copy that runs: one line over a
// local socket in the user's runtime folder. These are the line's format and
// the test a socket passes before anything is sent through it.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace plume::shell {

/// The longest request line, its line feed included.
inline constexpr std::size_t kMaxHandOverBytes = 8192;
/// The answer of the running copy once it has taken a request.
inline constexpr std::string_view kHandOverTaken = "OK\n";

/// What a second start asks of the running copy.
struct HandOver {
  /// Open this document (an absolute path); none: only come to the front.
  std::optional<std::filesystem::path> document;
  friend bool operator==(const HandOver&, const HandOver&) = default;
};

/// "SHOW\n", or "OPEN " and the absolute path and "\n"; nullopt when the
/// path is not absolute or holds a line feed or a NUL (it cannot be sent).
std::optional<std::string> EncodeHandOver(const HandOver& request);

/// The request in one received line (with its line feed); nullopt for
/// anything else, including an over-long line or a relative path.
std::optional<HandOver> DecodeHandOver(std::string_view line);

/// Whether the socket file at `path` may be trusted: a socket itself (not a
/// link to one), owned by `uid`, and closed to its group and others. A socket
/// planted by another user, or left open to others, is never talked to.
bool IsTrustedSocket(const std::filesystem::path& path, unsigned uid);

}  // namespace plume::shell
