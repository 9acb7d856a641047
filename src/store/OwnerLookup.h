#pragma once
// Whether a chart document still stands behind an owner line. Owner paths are
// written in CP932, so a character CP932 has no place for comes back as "?"
// (or as a neighbour the codec maps it to): such a value names no file as it
// stands. The lookup matches it against the names that convert to it, one
// path component at a time, and says "unknown" when it cannot tell.

#include <string_view>

namespace plume::store {

enum class OwnerPresence { Present, Absent, Unknown };

class OwnerLookup {
 public:
  /// Directory entries read at most per lookup; beyond that the answer is Unknown.
  static constexpr int kEntryLimit = 100000;

  /// Whether a file exists whose path, written as an owner line, gives `cp932Path`.
  static OwnerPresence Find(std::string_view cp932Path);
};

}  // namespace plume::store
