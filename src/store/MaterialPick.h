#pragma once
// A material picked in the search list to become a chart node.

#include <string>

#include "store/StorePaths.h"

namespace plume::store {

struct MaterialPick {
  std::string typeWord;  ///< "PDF", "JPEG", ...
  Serial serial = 0;
  std::string title;  ///< CP932
  int width = 0;      ///< picture size from the list, pixels
  int height = 0;
};

/// How a paste of picked materials ended.
struct PickPasteResult {
  int created = 0;       ///< nodes made
  bool refused = false;  ///< the chart refused a node (its own message was shown)
};

}  // namespace plume::store
