#pragma once
// The text box of the in-place editor as the core sees it: opened over an
// item with the item's font and colours, read, moved and closed. The Qt
// widget CMyEdit implements it over the chart view; tests use a fake.

#include <functional>
#include <string>

#include "document/ChartRecords.h"
#include "platform/CanvasTypes.h"

namespace plume::chartview {

/// Everything the box needs to open.
struct EditorSetup {
  platform::IntRect box;        ///< client pixels of the chart view
  platform::FontSpec font;      ///< face (UTF-8), character height (negative: without leading), weight
  document::ColorRef textColor = 0;
  document::ColorRef background = document::kNoColor;  ///< kNoColor: transparent
  int align = 0;                ///< 0 left, 1 centre, 2 right
  bool wrap = true;             ///< false: the box scrolls horizontally instead of wrapping
  std::string text;             ///< UTF-8, line breaks as "\n"
  platform::Point caret;        ///< client pixels: the caret goes to the character there
};

class InlineEditorHost {
 public:
  virtual ~InlineEditorHost() = default;
  /// Creates the box (multi-line, Enter inserts a line break) and gives it the keyboard focus.
  virtual void OpenEditor(const EditorSetup& setup) = 0;
  /// The text in the box, UTF-8 with "\n" line breaks.
  virtual std::string EditorText() const = 0;
  /// Destroys the box.
  virtual void CloseEditor() = 0;
  /// Moves the box to `box` (client pixels) and gives it the keyboard focus again.
  virtual void MoveEditor(const platform::IntRect& box) = 0;
  /// Shows the box being dragged to `box` (client pixels) while a handle moves.
  virtual void ShowBoxFeedback(const platform::IntRect& box) = 0;
  /// A handle of the box was grabbed: until the button is released, every
  /// pointer move is reported with `released` false, then the release with
  /// true (client pixels of the chart view).
  virtual void TrackPointer(std::function<void(platform::Point client, bool released)> report) = 0;
  /// Vertical pixels per inch of the screen.
  virtual int ScreenDpiY() const = 0;
  /// The edit commands copy, cut and paste, on the box.
  virtual void Copy() = 0;
  virtual void Cut() = 0;
  virtual void Paste() = 0;
};

}  // namespace plume::chartview
