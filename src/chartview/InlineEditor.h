#pragma once
// The in-place editor of a node title or a slip text: opened over the text
// in the item's font and colours, its box resizable by eight handles, and
// committed by the next click in the view, which stores the text cut to the
// field on a character boundary. A changed text is a step of the history. The
// editor stores into the item it was opened on, wherever that item is by
// then, and into nothing when the item is gone; commands that remove or
// reorder items let it finish first (see DocumentChanges::ItemsRearranging).

#include <array>
#include <string>

#include "chartview/ChartView.h"
#include "chartview/InlineEditorHost.h"
#include "platform/CanvasTypes.h"

namespace plume::chartview {

class InlineEditor {
 public:
  /// Byte limits of the edited fields.
  static constexpr std::size_t kTitleBytes = 100;
  static constexpr std::size_t kSlipTextBytes = 1000;
  /// The box's handles: the box grown by this, squares of +-kHandleReach.
  static constexpr int kHandleGrowth = 2;
  static constexpr int kHandleReach = 5;
  /// Smallest box while its handles are dragged, pixels.
  static constexpr int kMinBox = 10;
  /// The box reaches this far below the text rectangle.
  static constexpr int kBoxBelow = 5;

  /// `box` may be null: nothing opens.
  InlineEditor(ChartView& view, InlineEditorHost* box) : view_(view), box_(box) {}

  void SetHost(InlineEditorHost* box) { box_ = box; }
  InlineEditorHost* Host() const { return box_; }

  bool IsOpen() const { return target_ != 0; }
  /// n + 1 for node n, -(n + 1) for slip n, 0 for none.
  int Target() const { return target_; }
  /// The box as the user sees it: the dragged box while a handle moves.
  platform::IntRect ShownBox() const { return Dragging() ? dragBox_ : boxRect_; }
  /// The eight handle squares around `box` (client pixels), in handle order:
  /// the box grown by kHandleGrowth, squares of +-kHandleReach inclusive.
  static std::array<platform::IntRect, 8> HandleSquares(const platform::IntRect& box);

  /// Opens the editor on `target` with the caret at `caret` (client pixels);
  /// an editor still open is closed without storing its text.
  void Open(int target, platform::Point caret);
  /// Reads and closes the editor; a changed text is cut to its field, stored
  /// and the document marked modified. True when the text changed.
  bool Commit();
  /// Closes the editor without storing (the item is about to go away).
  void Discard();

  /// Handle 0..7 of the box under `client`, -1 for none.
  int HandleAt(platform::Point client) const;
  void BeginHandleDrag(int handle);
  bool Dragging() const { return dragHandle_ >= 0; }
  /// The dragged edges follow `client`, inside the page and at least 10 x 10.
  void DragTo(platform::Point client);
  /// Ends a handle drag: the editor moves to the new box and takes the focus.
  void EndDrag(platform::Point client);

  /// Stored text (CP932) as the editor shows it: UTF-8 with "\n" line breaks.
  static std::string ToEditorText(std::string_view cp932);
  /// Editor text (UTF-8, "\n") as stored: CP932 with CR LF line breaks.
  static std::string FromEditorText(std::string_view utf8);

 private:
  /// The index (as Target() counts) the edited item has now; 0 when it is gone.
  int ResolveTarget() const;
  platform::IntRect TrackBox(platform::Point client) const;
  void Close();

  ChartView& view_;
  InlineEditorHost* box_;
  int target_ = 0;
  // The edited item by identity: a node by its id, a slip (which has none)
  // by its page, rectangle and text as they were when the editor opened.
  std::int32_t nodeId_ = 0;
  document::SlipRecord slip_{};
  platform::IntRect boxRect_;
  int dragHandle_ = -1;
  platform::IntRect dragBox_;
};

}  // namespace plume::chartview
