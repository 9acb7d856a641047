#pragma once
// Owns the decoded pictures of picture nodes. A node's `image` field holds a
// handle into this table, so node records stay plain bytes that can be copied,
// swapped and snapshotted; several nodes may hold the same handle.

#include <cstdint>
#include <memory>
#include <unordered_map>

#include "platform/Picture.h"

namespace plume::document {

class PictureTable {
 public:
  using Handle = std::uint32_t;
  static constexpr Handle kNone = 0;

  /// Takes ownership; returns a handle never handed out before (kNone for nullptr).
  Handle Add(std::unique_ptr<platform::Picture> picture);
  /// The picture behind a handle; nullptr for kNone or a released handle.
  platform::Picture* Get(Handle handle) const;
  /// Releases the picture; releasing kNone or an unknown handle does nothing.
  void Release(Handle handle);
  /// Releases every picture, also one no node holds any more.
  void ReleaseAll() { pictures_.clear(); }
  std::size_t Count() const { return pictures_.size(); }

 private:
  std::unordered_map<Handle, std::unique_ptr<platform::Picture>> pictures_;
  Handle next_ = 1;
};

}  // namespace plume::document
