#pragma once
// The one place a document's changes are announced. An edit marks the
// document modified; anything that changes how the chart looks asks for a
// repaint. Windows listen: the chart view repaints, the frame updates its
// title. The modified flag lives here, so every edit path marks the same
// document, and nothing else keeps a flag of its own.

#include <functional>
#include <memory>
#include <vector>

namespace plume::document {

enum class Change {
  Modified,       ///< an edit: the document is modified now
  Unmodified,     ///< opened, saved or renewed: the flag was cleared
  Repaint,        ///< the chart must be painted again
  RepaintErased,  ///< the chart must be painted again on a cleared window (zoom change)
  Focus,          ///< the focused item changed: the style controls follow it
  Rearranging,    ///< items are about to be removed or reordered: what holds an item's index lets go of it
};

class DocumentChanges {
 public:
  using Listener = std::function<void(Change)>;

  /// Keeps a listener subscribed while it lives; moving it moves the
  /// subscription. Safe to drop during a notification and after the
  /// announcer has gone.
  class Subscription {
   public:
    Subscription() = default;
    Subscription(Subscription&& other) noexcept = default;
    Subscription& operator=(Subscription&& other) noexcept;
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    ~Subscription() { Reset(); }
    void Reset();

   private:
    friend class DocumentChanges;
    struct Slot;
    std::shared_ptr<Slot> slot_;
  };

  DocumentChanges() = default;
  DocumentChanges(const DocumentChanges&) = delete;
  DocumentChanges& operator=(const DocumentChanges&) = delete;
  ~DocumentChanges();

  /// An edit happened: sets the flag and announces Modified.
  void MarkModified();
  /// Sets the flag without an edit (open, save, a new document); announces
  /// Modified or Unmodified when the flag changes.
  void SetModified(bool modified);
  bool IsModified() const { return modified_; }

  /// Asks every listener to repaint; `erase` clears the window first.
  void RequestRepaint(bool erase = false);

  /// The focused item changed (a click, a new item, a paste, a deletion).
  void FocusChanged() { Announce(Change::Focus); }

  /// Items are about to be removed or reordered (a deletion, a page
  /// deletion, a swap of the drawing order): an open in-place editor stores
  /// its text into its item now, while the item is still where it was.
  void ItemsRearranging() { Announce(Change::Rearranging); }

  /// Counts every MarkModified: a save compares it before and after, so a
  /// change made while it ran keeps the document modified.
  unsigned long long EditCount() const { return edits_; }

  /// `listener` hears every announcement until the subscription goes.
  [[nodiscard]] Subscription Subscribe(Listener listener);

 private:
  void Announce(Change change);

  bool modified_ = false;
  unsigned long long edits_ = 0;
  std::vector<std::shared_ptr<Subscription::Slot>> slots_;
};

}  // namespace plume::document
