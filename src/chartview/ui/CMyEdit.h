#pragma once
// The in-place editor's text box: a plain-text QTextEdit laid over the chart
// view's viewport in the edited item's font and colours. It is created once
// and shown for each edit; closing hides it and hands the keyboard focus back
// to the view.

#include <QTextEdit>

#include <functional>

#include "chartview/InlineEditorHost.h"

namespace plume::chartview {

class CMyEdit : public QTextEdit, public InlineEditorHost {
  Q_OBJECT
 public:
  /// The window id the editor has over the view.
  static constexpr int kEditorId = 8900;

  /// `viewport` is the chart view's viewport: its coordinates are client pixels.
  explicit CMyEdit(QWidget* viewport);

  // InlineEditorHost
  void OpenEditor(const EditorSetup& setup) override;
  std::string EditorText() const override;
  void CloseEditor() override;
  void MoveEditor(const platform::IntRect& box) override;
  void ShowBoxFeedback(const platform::IntRect& box) override;
  void TrackPointer(std::function<void(platform::Point client, bool released)> report) override;
  int ScreenDpiY() const override { return logicalDpiY(); }
  void Copy() override { copy(); }
  void Cut() override { cut(); }
  void Paste() override { paste(); }

  /// How a grabbed box handle follows the pointer: the chart view's own
  /// pointer tracking when set (the press happened on the view), else the
  /// box grabs the mouse itself.
  std::function<void(std::function<void(platform::Point, bool)>)> trackPointer;

  /// Whether the box is transparent (the item and its page have no fill).
  bool Transparent() const { return transparent_; }

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void Place(const platform::IntRect& box);
  platform::Point ToClient(const QPoint& local) const;

  std::function<void(platform::Point, bool)> tracking_;
  bool transparent_ = false;
};

}  // namespace plume::chartview
