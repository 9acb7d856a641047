#pragma once
// Owns the decoded pictures of picture nodes. A node's `image` field holds a
// handle into this table, so node records stay plain bytes that can be copied,
// swapped and snapshotted; several nodes may hold the same handle. A picture
// the codec cannot decode (a metafile, say) is kept as its file bytes, so it
// is written back unchanged though it cannot be drawn. The edit history holds
// entries beside the table, so a picture released by a deletion comes back
// under its old handle when the deletion is undone, never copied. A copy made
// by SharedCopy holds the same pictures without copying a pixel; a picture is
// never changed once it is in a table.

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <unordered_set>

#include "platform/Picture.h"

namespace plume::document {

class PictureTable {
  struct Entry;

 public:
  using Handle = std::uint32_t;
  static constexpr Handle kNone = 0;
  /// Keeps one entry alive outside the table (the edit history's share).
  using Held = std::shared_ptr<const Entry>;

  /// Takes ownership; returns a handle never handed out before (kNone for nullptr).
  Handle Add(std::unique_ptr<platform::Picture> picture);
  /// Keeps the bytes of a picture file that cannot be decoded; kNone for no bytes.
  Handle AddUndecoded(platform::Bytes bytes);
  /// The picture behind a handle; nullptr for kNone, a released handle or kept bytes.
  platform::Picture* Get(Handle handle) const;
  /// The kept bytes behind a handle of AddUndecoded; nullptr otherwise.
  const platform::Bytes* Undecoded(Handle handle) const;
  /// Releases the picture; releasing kNone or an unknown handle does nothing.
  void Release(Handle handle);
  /// Releases every picture, also one no node holds any more.
  void ReleaseAll() { pictures_.clear(); }
  std::size_t Count() const { return pictures_.size(); }
  /// A table holding the same pictures under the same handles (shared, not
  /// copied): a copy of the document's state that may be read on another
  /// thread while this table goes on changing.
  PictureTable SharedCopy() const;

  /// A share of the entry behind `handle` (null for none): it outlives a Release.
  Held Hold(Handle handle) const;
  /// Puts a held entry back under its old handle (an undone deletion).
  void Put(Handle handle, Held held);
  /// Releases every entry whose handle is not in `kept`.
  void KeepOnly(const std::unordered_set<Handle>& kept);

 private:
  struct Entry {
    std::unique_ptr<platform::Picture> picture;
    platform::Bytes undecoded;
  };
  Handle Next();

  std::unordered_map<Handle, std::shared_ptr<const Entry>> pictures_;
  Handle next_ = 1;
};

}  // namespace plume::document
