#include "document/DocumentChanges.h"

#include <algorithm>

namespace plume::document {

struct DocumentChanges::Subscription::Slot {
  Listener listener;
  DocumentChanges* owner = nullptr;  ///< null once the announcer or the subscription has gone
};

DocumentChanges::Subscription& DocumentChanges::Subscription::operator=(Subscription&& other) noexcept {
  if (this != &other) {
    Reset();
    slot_ = std::move(other.slot_);
  }
  return *this;
}

void DocumentChanges::Subscription::Reset() {
  if (!slot_) return;
  if (DocumentChanges* owner = slot_->owner) {
    std::erase(owner->slots_, slot_);
    slot_->owner = nullptr;
  }
  slot_.reset();
}

DocumentChanges::~DocumentChanges() {
  for (const auto& slot : slots_) slot->owner = nullptr;
}

void DocumentChanges::MarkModified() {
  modified_ = true;
  ++edits_;
  Announce(Change::Modified);
}

void DocumentChanges::SetModified(bool modified) {
  if (modified_ == modified) return;
  modified_ = modified;
  Announce(modified ? Change::Modified : Change::Unmodified);
}

void DocumentChanges::RequestRepaint(bool erase) { Announce(erase ? Change::RepaintErased : Change::Repaint); }

DocumentChanges::Subscription DocumentChanges::Subscribe(Listener listener) {
  Subscription subscription;
  subscription.slot_ = std::make_shared<Subscription::Slot>(Subscription::Slot{std::move(listener), this});
  slots_.push_back(subscription.slot_);
  return subscription;
}

void DocumentChanges::Announce(Change change) {
  // A listener may subscribe or unsubscribe while it hears this: walk a copy
  // and skip the slots that were dropped meanwhile.
  const std::vector<std::shared_ptr<Subscription::Slot>> slots = slots_;
  for (const auto& slot : slots) {
    if (slot->owner == this) slot->listener(change);
  }
}

}  // namespace plume::document
