#pragma once
// One row of the material search list: the twelve column texts.

#include <array>
#include <string>

namespace plume::store {

/// Columns of the search list, in display order.
enum SearchColumn : int {
  kColNo,
  kColType,
  kColSerial,
  kColTitle,
  kColSizeKb,
  kColWidth,
  kColHeight,
  kColDate,
  kColFrom,
  kColOwnerCount,
  kColOwner,
  kColSha256,
  kSearchColumnCount
};

/// The texts of one row, CP932 as stored (the owner column too).
struct SearchRow {
  std::array<std::string, kSearchColumnCount> col;
  std::string snippet;  ///< the text around a hit inside the material itself; empty otherwise
};

}  // namespace plume::store
