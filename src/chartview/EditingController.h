#pragma once
// The chart view's editing operations the view controller starts: resizing
// items by their handles, the page edges, the dial, the node picture reload,
// and the in-place text editor with its double click. Drags draw erasable
// feedback only; the page is repainted once, when the drag ends.

#include <functional>

#include "commands/CommandTable.h"
#include "chartview/ChartView.h"
#include "chartview/ControllerHost.h"
#include "chartview/EditingPort.h"
#include "chartview/InlineEditor.h"
#include "chartview/InlineEditorHost.h"
#include "chartview/MaterialAccess.h"
#include "document/PictureLoader.h"
#include "platform/SettingsStore.h"

namespace plume::chartview {

class EditingController : public EditingPort {
 public:
  /// The node properties command a double click on a node body may run.
  static constexpr int kCmdNodeProperties = commands::Id(commands::CommandId::ID_NODE_PROPERTY);
  /// Colour of the resize and page-edge feedback (red 100, green 100, blue 180).
  static constexpr platform::CanvasColor kFeedbackColour = 11822180;
  /// During a page-edge drag the new size is shown this far right of and
  /// below the pointer, while the pointer is at least kSizeLabelRoom pixels
  /// inside the page's far edge across the drag (above the bottom for the
  /// width, left of the right edge for the height).
  static constexpr int kSizeLabelOffset = 8;
  static constexpr int kSizeLabelRoom = 50;

  /// `box`, `materials` and `loader` may be null: no editor opens, no
  /// material is known, no picture loads.
  EditingController(ChartView& view, ControllerHost& host, platform::SettingsStore& settings,
                    InlineEditorHost* box = nullptr, MaterialAccess* materials = nullptr,
                    document::PictureLoader* loader = nullptr);

  void SetEditorHost(InlineEditorHost* box);
  void SetPictureLoader(document::PictureLoader* loader) { loader_ = loader ? loader : &noLoader_; }

  // EditingPort
  bool EditorOpen() const override { return editor_.IsOpen(); }
  platform::IntRect EditorBox() const override { return editor_.IsOpen() ? editor_.ShownBox() : platform::IntRect{}; }
  int EditorHandleAt(platform::Point client) override { return editor_.HandleAt(client); }
  void BeginEditorHandleDrag(int handle, platform::Point client) override;
  void CommitEditor() override { editor_.Commit(); }
  void DoubleClick(platform::Point client) override;
  bool DialKnobHit(platform::Point screen) override;
  bool DialRingHit(platform::Point screen) override;
  void SizingBegin(DragMode mode, int handle, platform::Point screen) override;
  void SizingMove(DragMode mode, platform::Point screen) override;
  void SizingEnd(DragMode mode, platform::Point screen) override;

  /// Called before items are deleted: an open editor closes without storing.
  void CloseEditorForDelete() { editor_.Discard(); }
  /// Re-renders node `index`'s picture from its material at the node's size.
  bool ReloadNodePicture(int index, bool showMessages);

  /// Draws erasable feedback frames in a colour and width (client pixels);
  /// when unset, the host's plain outline feedback is drawn.
  std::function<void(const platform::IntRect& client, platform::CanvasColor colour, int width)> feedbackFrame;

  const InlineEditor& Editor() const { return editor_; }

 private:
  void TrackResize(DragMode mode, platform::Point screen);
  void EndResize(DragMode mode);
  void ShowFeedback(const platform::IntRect& screen, int width);
  void ShowSizeLabel(bool width, platform::Point screen, int size);
  bool InsidePage(platform::Point screen) const;
  void OpenSource(int node);

  ChartView& view_;
  document::ChartDocument& doc_;
  ControllerHost& host_;
  platform::SettingsStore& settings_;
  NoMaterials noMaterials_;
  document::NoPictureLoader noLoader_;
  MaterialAccess* materials_;
  document::PictureLoader* loader_;
  InlineEditor editor_;
  /// Before items are removed or reordered the open editor stores its text.
  document::DocumentChanges::Subscription rearranging_;

  int handle_ = -1;
  platform::Point pressPoint_;
  platform::IntRect resizeRect_;
  bool moved_ = false;
};

}  // namespace plume::chartview
