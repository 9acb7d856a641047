#include "document/PictureTable.h"

namespace plume::document {

PictureTable::Handle PictureTable::Add(std::unique_ptr<platform::Picture> picture) {
  if (!picture) return kNone;
  if (next_ == kNone) ++next_;  // after 2^32 additions, skip the null handle
  Handle handle = next_++;
  pictures_[handle] = std::move(picture);
  return handle;
}

platform::Picture* PictureTable::Get(Handle handle) const {
  auto it = pictures_.find(handle);
  return it == pictures_.end() ? nullptr : it->second.get();
}

void PictureTable::Release(Handle handle) { pictures_.erase(handle); }

}  // namespace plume::document
