#pragma once
// The next-serial check of the store content: the largest serial that has an
// information file, against the counter the next registration will use.

#include <cstdint>
#include <filesystem>

#include "store/StorePaths.h"

namespace plume::store {

/// What the information files of a store say about its serials.
struct SerialCheck {
  Serial largest = 0;          ///< largest serial with an information file (0 when none)
  std::int64_t infoFiles = 0;  ///< number of information files found

  /// The next serial these files call for: largest + 1, or 0 for a store
  /// without information files.
  Serial ExpectedNext() const { return infoFiles > 0 ? largest + 1 : 0; }
  /// Whether `next` can be handed out without overwriting a material: it is
  /// above every serial that has an information file.
  bool NextIsSafe(Serial next) const { return infoFiles == 0 || next > largest; }
};

/// Walks the bucket folders 00..99 of `root`/KANRI and counts the files whose
/// name is a serial text (eight or nine digits) with any extension.
SerialCheck CheckSerials(const std::filesystem::path& root);

}  // namespace plume::store
