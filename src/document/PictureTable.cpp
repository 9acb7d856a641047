#include "document/PictureTable.h"

namespace plume::document {

PictureTable::Handle PictureTable::Next() {
  if (next_ == kNone) ++next_;  // after 2^32 additions, skip the null handle
  return next_++;
}

PictureTable::Handle PictureTable::Add(std::unique_ptr<platform::Picture> picture) {
  if (!picture) return kNone;
  const Handle handle = Next();
  pictures_[handle] = std::make_shared<const Entry>(Entry{std::move(picture), {}});
  return handle;
}

PictureTable::Handle PictureTable::AddUndecoded(platform::Bytes bytes) {
  if (bytes.empty()) return kNone;
  const Handle handle = Next();
  pictures_[handle] = std::make_shared<const Entry>(Entry{nullptr, std::move(bytes)});
  return handle;
}

platform::Picture* PictureTable::Get(Handle handle) const {
  auto it = pictures_.find(handle);
  return it == pictures_.end() ? nullptr : it->second->picture.get();
}

const platform::Bytes* PictureTable::Undecoded(Handle handle) const {
  auto it = pictures_.find(handle);
  return it == pictures_.end() || it->second->picture ? nullptr : &it->second->undecoded;
}

void PictureTable::Release(Handle handle) { pictures_.erase(handle); }

PictureTable PictureTable::SharedCopy() const {
  PictureTable copy;
  copy.pictures_ = pictures_;
  copy.next_ = next_;
  return copy;
}

PictureTable::Held PictureTable::Hold(Handle handle) const {
  auto it = pictures_.find(handle);
  return it == pictures_.end() ? nullptr : it->second;
}

void PictureTable::Put(Handle handle, Held held) {
  if (handle == kNone || !held) return;
  pictures_[handle] = std::move(held);
}

void PictureTable::KeepOnly(const std::unordered_set<Handle>& kept) {
  std::erase_if(pictures_, [&kept](const auto& entry) { return !kept.contains(entry.first); });
}

}  // namespace plume::document
