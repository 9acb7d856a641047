#pragma once
// The chart area: a scroll area over the current page. Owns the chart view
// and its mouse and keyboard controller; translates Qt input into the
// controller's events, and implements the view's host (scroll extent,
// console, status panes). It repaints when the document announces a change,
// and reaches the main window only through its ViewFrame. The page is
// painted through a QtCanvas into a back buffer, only when something asked
// for a repaint; drag feedback and the pointer animation are drawn over that
// buffer and erased by restoring it, so they never paint the page again. The
// document's callbacks reach the view through ChartViewHooks installed by
// this widget.

#include <QAbstractScrollArea>
#include <QFont>
#include <QImage>
#include <QString>

#include <functional>
#include <map>
#include <memory>

#include "chartview/ChartView.h"
#include "chartview/ChartViewHooks.h"
#include "chartview/ViewController.h"
#include "chartview/ViewFrame.h"
#include "document/DocumentChanges.h"
#include "chartview/ui/BackBufferOverlay.h"
#include "chartview/ui/OverlaySurface.h"
#include "chartview/ui/QtControllerHost.h"
#include "platform/ScratchSurface.h"
#include "platform/SettingsStore.h"

class QAction;
class QMenu;

namespace plume::chartview {

class HoverAnimation;

class CTesselView : public QAbstractScrollArea, public ViewHost, private OverlaySurface {
  Q_OBJECT
 public:
  /// Shows `doc` in `frame` (both must outlive the view) and installs the
  /// document's hooks; `scratch` may be null (pictures are left out).
  CTesselView(document::ChartDocument& doc, platform::SettingsStore& settings, platform::ScratchSurface* scratch,
              ViewFrame& frame, QWidget* parent = nullptr);
  /// Writes the zoom to Last/Zoom and removes the document hooks.
  ~CTesselView() override;

  ChartView& View() { return view_; }
  ViewController& Controller() { return *controller_; }
  /// Whether the view takes `event` before the window's shortcuts: Ctrl with
  /// an arrow key while something is selected (the one-pixel nudge).
  bool ClaimsKey(const QKeyEvent& event) const;
  /// The controller's host, for the console and the editing operations
  /// (feedback, cursor, repaint).
  QtControllerHost& Host() { return host_; }
  /// The zoom console the controller hands mouse events to first and the
  /// view draws over the page; null for none. The port must outlive the view
  /// or be reset to null first.
  void SetConsolePort(ConsolePort* console);
  /// Where nodes added without a title take theirs from (the HTML area's title, CP932).
  void SetWebPageTitle(std::function<std::string()> title) { hooks_.webPageTitle = std::move(title); }
  /// The in-place editor, resizing, page sizing and dial; null for none.
  void SetEditingPort(EditingPort* editing);
  /// A command the view runs itself when its context menu or a key chooses
  /// it (enabled by the menu's own rules, not the frame's). The zoom
  /// commands 336..340 and the colour pick 372 are registered already.
  void AddViewCommand(int id, std::function<void()> run);
  /// Forgets the view command `id` (its owner goes away).
  void RemoveViewCommand(int id) { viewCommands_.erase(id); }
  /// Whether `id` is one of the view's own commands.
  bool HasViewCommand(int id) const { return viewCommands_.count(id) > 0; }
  /// Runs the view command `id`; false when the view has none of that id.
  bool RunViewCommand(int id);
  /// Draws a frame of `width` pixels and `colour` along the inside of
  /// `client` as erasable feedback (the shape on screen is erased first);
  /// never paints the page again.
  void ShowFeedbackFrame(const platform::IntRect& client, platform::CanvasColor colour, int width = 1);
  /// Runs `draw` over `area` (client pixels) as erasable feedback, the
  /// feedback label drawn over it; the shape on screen is erased first.
  void ShowFeedback(const QRect& area, BackBufferOverlay::Draw draw);
  /// Restores what the feedback covered (and drops the feedback label);
  /// nothing when none is shown.
  void EraseFeedback();
  /// A text drawn with its top-left at `at` (client pixels) in "Meiryo UI"
  /// 8 point as part of the feedback shapes shown after it; empty for none.
  void SetFeedbackLabel(const QString& text, QPoint at);
  /// Until the left button is released, hands every pointer move (released
  /// false) and then the release (released true) to `report` instead of the
  /// controller; client pixels. For drags that belong to a child window.
  void TrackPointer(std::function<void(platform::Point client, bool released)> report);
  /// The back buffer's pixel at `client` as it is without the feedback.
  QRgb PixelUnderFeedback(QPoint client) const { return overlay_.PixelUnder(back_, client); }

  /// After the current page changed (page tabs): scroll extent, the page's
  /// saved scroll position, repaint.
  void ShowCurrentPage();
  /// After a document was opened or set up: the controller's DocumentShown.
  void DocumentShown();
  /// Scroll position in screen pixels.
  QPoint ScrollPosition() const;
  void ScrollTo(QPoint position);
  /// Zoom commands 336..340; false for any other id.
  bool RunZoomCommand(int id) { return view_.RunZoomCommand(id); }
  /// The last painted back buffer (client pixels), with any feedback on it.
  const QImage& BackBuffer() const { return back_; }
  /// How many times the page has been painted into the back buffer.
  int PageRenders() const { return pageRenders_; }
  bool AnimationRunning() const;

  ViewFrame& Frame() { return frame_; }
  /// Runs a built context menu at `global` and returns the action chosen;
  /// QMenu::exec until replaced (tests choose an action instead).
  void SetMenuRunner(std::function<QAction*(QMenu& menu, QPoint global)> run) { menuRunner_ = std::move(run); }
  /// Runs `menu` at `global` through the menu runner; the action chosen, null for none.
  QAction* RunMenu(QMenu& menu, QPoint global);
  /// Whether the zoom console stays shown (the console setting).
  bool ConsoleAlwaysShown() const { return console_->AlwaysShown(); }

  /// Paints the page again before the next show; `erase` clears the window first.
  void Repaint(bool erase);

  // ViewHost
  void SetScrollExtent(platform::Size extent) override;
  /// The console's picture for the new zoom, then the zoom pane.
  void RebuildConsole() override;
  void DrawConsole(platform::Canvas& canvas) override;
  void ShowStatusPanes(std::string_view position, std::string_view size) override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  /// The text drawn with the erasable feedback.
  struct FeedbackLabel {
    QString text;
    QFont font;
    QRect area;  ///< client pixels the text covers
    QRect Area() const { return text.isEmpty() ? QRect() : area; }
    void Draw(QPainter& painter) const;
  };

  /// Client pixels the in-place editor's box handles cover now; empty when
  /// no editor is open.
  QRect EditorHandlesArea() const;
  /// Draws the editor's box handles over the viewport (not into the back
  /// buffer, so they go away with the next paint of their area).
  void DrawEditorHandles(QPainter& painter);
  /// Asks for a paint where the editor's handles were and are now, when the
  /// box changed (a handle drag).
  void UpdateEditorHandles();

  void UpdateRanges();
  /// Moves the scroll bars to the controller's scroll position, then takes
  /// back what the bars allow.
  void SyncBarsFromView();
  void TakeScrollFromBars();
  /// The page must be painted into the back buffer before the next show.
  void InvalidatePage();
  void MakeController();

  // OverlaySurface
  void ShowShape(const QRect& area, BackBufferOverlay::Draw draw) override;
  void EraseShape() override;

  document::ChartDocument& doc_;
  ChartView view_;
  ChartViewHooks hooks_;
  QtControllerHost host_;
  ViewFrame& frame_;
  NoConsole noConsole_;
  ConsolePort* console_ = &noConsole_;
  EditingPort* editing_ = nullptr;
  document::DocumentChanges::Subscription changes_;
  std::function<QAction*(QMenu& menu, QPoint global)> menuRunner_;
  std::unique_ptr<ViewController> controller_;
  std::map<int, std::function<void()>> viewCommands_;

  platform::Size extent_;
  QImage back_;
  BackBufferOverlay overlay_;
  FeedbackLabel label_;
  QRect editorHandles_;  ///< where the editor handles were last painted
  bool pageDirty_ = true;
  int pageRenders_ = 0;
  int wheelRemainder_ = 0;
  std::function<void(platform::Point client, bool released)> tracker_;

  HoverAnimation* animation_ = nullptr;
};

}  // namespace plume::chartview
