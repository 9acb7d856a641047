#pragma once
// The history of edits behind undo and redo. It keeps the document's
// contents as they were after each step: the tables cut into small chunks
// that consecutive states share when their bytes are equal, so a step costs
// the chunks it changed, and pictures by a share of the picture table's
// entry, never a copy. Undo and redo put a state back byte for byte; what
// only the view owns (the scroll of each page) stays, and the page the step
// happened on is shown. At most kMaxSteps steps are kept, the oldest going
// first.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>

#include "document/EditStep.h"

namespace plume::document {

class ChartDocument;

class EditHistory {
 public:
  static constexpr int kMaxSteps = 100;

  EditHistory();
  ~EditHistory();
  EditHistory(const EditHistory&) = delete;
  EditHistory& operator=(const EditHistory&) = delete;

  /// Forgets every step: the history starts at the document as it is now,
  /// which is the saved state when the document is unmodified.
  void Reset(const ChartDocument& doc);
  /// Records the edit that brought the document to what it holds now as
  /// one step on page `pageId`; undone steps are gone. False, and no step,
  /// when the contents equal the last state's (only the selection, the page
  /// shown or the scroll differ).
  bool Record(const ChartDocument& doc, EditStep step, std::uint16_t pageId);
  /// Takes in a change of the selection or of the page shown, so that an
  /// undo of the next step restores it; contents that changed without a
  /// step are left for the next Record.
  void Refresh(const ChartDocument& doc);

  bool CanUndo() const { return cursor_ > 0; }
  bool CanRedo() const { return cursor_ < static_cast<int>(steps_.size()); }
  std::optional<EditStep> NextUndo() const;
  std::optional<EditStep> NextRedo() const;
  int UndoCount() const { return cursor_; }

  /// Puts the document back as it was before the last step (after the next
  /// undone one), shows the step's page, announces the change and marks the
  /// document modified or, back at the saved state, unmodified. False when
  /// there is nothing to do.
  bool Undo(ChartDocument& doc);
  bool Redo(ChartDocument& doc);

  /// The document now equals its file.
  void MarkSaved() { saved_ = cursor_; }
  bool AtSavedState() const { return saved_ == cursor_; }

  /// Bytes the states hold (each shared chunk once), pictures not counted:
  /// they are the document's own.
  std::size_t MemoryBytes() const;

 private:
  struct State;
  struct Step {
    EditStep kind;
    std::uint16_t pageId;
    std::shared_ptr<const State> before;
    std::shared_ptr<const State> after;
  };
  void Restore(ChartDocument& doc, const State& state, std::uint16_t pageId);

  std::deque<Step> steps_;
  int cursor_ = 0;  ///< steps done; steps_[cursor_] onwards can be redone
  int saved_ = 0;   ///< the cursor where the document equals its file; -1 none
  std::shared_ptr<const State> current_;
};

}  // namespace plume::document
