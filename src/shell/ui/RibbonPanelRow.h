#pragma once
// The row of ribbon panels. Every panel keeps its preferred width; when the
// row is too narrow for all of them, the rightmost panels collapse one by one
// into a single button with the panel's caption, which opens the panel as a
// popup below itself. No control is ever squeezed below its own size.

#include <QWidget>

#include <vector>

class QFrame;
class QToolButton;

namespace plume::shell {

class RibbonPanelRow : public QWidget {
  Q_OBJECT
 public:
  explicit RibbonPanelRow(QWidget* parent = nullptr);

  /// Appends a panel; `caption` names its collapsed button.
  void AddPanel(QWidget* panel, const QString& caption);
  /// How many panels, counted from the left, show in full.
  int ExpandedCount() const { return expanded_; }
  int PanelCount() const { return static_cast<int>(slots_.size()); }
  /// The collapsed button of panel `index`.
  QToolButton* CollapsedButton(int index) const { return slots_[index].button; }
  /// Opens the popup of collapsed panel `index`; false when it shows in full.
  bool OpenPopup(int index);
  /// The popup that holds a collapsed panel while it is open (or nullptr).
  QFrame* OpenedPopup() const;

  QSize sizeHint() const override;
  /// As narrow as the row can become: every panel collapsed.
  QSize minimumSizeHint() const override;

  /// The caption on a collapsed panel's button: long captions on two lines.
  static QString CollapsedCaption(const QString& caption);
  /// How many panels from the left fit in full into `width`, given each
  /// panel's full and collapsed width and the gap between neighbours.
  static int FittingPanels(const std::vector<int>& full, const std::vector<int>& collapsed, int gap, int width);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;

 private:
  struct Slot {
    QWidget* panel = nullptr;
    QToolButton* button = nullptr;
    QFrame* popup = nullptr;
  };
  void Relayout();
  void Dock(Slot& slot);
  void Undock(Slot& slot);
  int RowHeight() const;

  std::vector<Slot> slots_;
  int expanded_ = 0;
  bool relayouting_ = false;
};

}  // namespace plume::shell
