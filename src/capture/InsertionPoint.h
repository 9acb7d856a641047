#pragma once
// Where a registration puts its new node.

namespace plume::capture {

/// Where a new node goes: a point on the current page, in page units, taken
/// when the command was given or the drop made (the zoom of that moment).
struct InsertionPoint {
  int x = 0;
  int y = 0;
};

}  // namespace plume::capture
