#pragma once
// The program's tooltip window: one look (colours, margins, a maximum width
// that wraps longer text) and one timing (a wake-up delay after the pointer
// rests, a display time, and a reshow delay within which a following tip
// appears at once). Used by the chart view, the material dialog and the page
// tab bar, which differ only in style and timing values.

#include <QColor>
#include <QElapsedTimer>
#include <QLabel>
#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QTimer>

class QWidget;

namespace plume::platform {

/// How a tip looks. The defaults are the chart view's and the material dialog's.
struct BalloonTipStyle {
  QColor background{255, 255, 255};
  QColor text{0, 51, 102};
  QColor border{0, 51, 102};
  QMargins margins{2, 1, 2, 1};  ///< left, top, right, bottom, in pixels
  int maxWidth = 512;            ///< pixels of the whole window; longer text wraps
  bool above = false;            ///< placed above the pointer (for a bar at a window's bottom edge)
};

/// When a tip shows and hides, in milliseconds.
struct BalloonTipTiming {
  int wakeMs = 100;     ///< rest before a tip appears; 0 shows at once
  int stayMs = 3000;    ///< how long it stays; 0 keeps it until hidden
  int reshowMs = 2000;  ///< a tip asked for within this time of the last hide appears at once
};

class BalloonTip : public QObject {
  Q_OBJECT

 public:
  /// A tip for `owner`, deleted with it.
  explicit BalloonTip(QWidget& owner, const BalloonTipStyle& style = {}, const BalloonTipTiming& timing = {});
  ~BalloonTip() override;

  /// The tip attached to `owner` with the default style and timing, made on first use.
  static BalloonTip& For(QWidget& owner);

  void SetStyle(const BalloonTipStyle& style) { style_ = style; }

  /// Shows `text` at the global point `globalPos`: at once while a tip shows or within
  /// the reshow delay, otherwise after the wake-up delay. An empty text hides the tip.
  void ShowText(const QString& text, QPoint globalPos);
  void Hide();

  /// Shows `widget`'s toolTip() through this tip when the pointer enters it (instead of
  /// Qt's own tooltip), and hides it when the pointer leaves or a button is pressed.
  void Watch(QWidget& widget);

  /// The tip window (for tests and screenshots).
  QLabel* Window() const { return window_; }
  bool Pending() const { return wake_.isActive(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Appear();

  BalloonTipStyle style_;
  BalloonTipTiming timing_;
  QPointer<QLabel> window_;
  QTimer wake_;
  QTimer stay_;
  QElapsedTimer sinceHide_;  ///< invalid until the first hide of a shown tip
  QString text_;
  QPoint at_;
};

}  // namespace plume::platform
