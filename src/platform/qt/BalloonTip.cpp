#include "platform/qt/BalloonTip.h"

#include <QEnterEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace plume::platform {

namespace {
constexpr const char* kAttachedName = "plumeBalloonTip";
// The tip's top left from the pointer: below and to the right, or above.
constexpr QPoint kBelowOffset(2, 16);
constexpr int kAboveGap = 4;
constexpr int kAboveShift = 12;
}  // namespace

BalloonTip::BalloonTip(QWidget& owner, const BalloonTipStyle& style, const BalloonTipTiming& timing)
    : QObject(&owner), style_(style), timing_(timing) {
  window_ = new QLabel(&owner, Qt::ToolTip | Qt::FramelessWindowHint);
  window_->setAttribute(Qt::WA_ShowWithoutActivating);
  window_->setAttribute(Qt::WA_TransparentForMouseEvents);
  window_->setTextFormat(Qt::PlainText);
  window_->hide();
  wake_.setSingleShot(true);
  stay_.setSingleShot(true);
  connect(&wake_, &QTimer::timeout, this, &BalloonTip::Appear);
  connect(&stay_, &QTimer::timeout, this, &BalloonTip::Hide);
}

BalloonTip::~BalloonTip() {
  if (window_) window_->hide();
}

BalloonTip& BalloonTip::For(QWidget& owner) {
  auto* tip = owner.findChild<BalloonTip*>(QLatin1String(kAttachedName), Qt::FindDirectChildrenOnly);
  if (!tip) {
    tip = new BalloonTip(owner);
    tip->setObjectName(QLatin1String(kAttachedName));
  }
  return *tip;
}

void BalloonTip::ShowText(const QString& text, QPoint globalPos) {
  if (text.isEmpty()) {
    Hide();
    return;
  }
  text_ = text;
  at_ = globalPos;
  const bool recentlyHidden = sinceHide_.isValid() && sinceHide_.elapsed() < timing_.reshowMs;
  if (timing_.wakeMs <= 0 || window_->isVisible() || recentlyHidden) {
    wake_.stop();
    Appear();
  } else {
    wake_.start(timing_.wakeMs);  // a further call while waiting restarts the rest
  }
}

void BalloonTip::Hide() {
  wake_.stop();
  stay_.stop();
  if (window_ && window_->isVisible()) {
    window_->hide();
    sinceHide_.start();
  }
}

void BalloonTip::Watch(QWidget& widget) { widget.installEventFilter(this); }

bool BalloonTip::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget) return false;
  switch (event->type()) {
    case QEvent::Enter:
      ShowText(widget->toolTip(), static_cast<QEnterEvent*>(event)->globalPosition().toPoint());
      return false;
    case QEvent::Leave:
    case QEvent::MouseButtonPress:
    case QEvent::Hide:
      Hide();
      return false;
    case QEvent::ToolTip:
      return true;  // Qt's own tooltip stays away; this tip shows the text
    default:
      return false;
  }
}

void BalloonTip::Appear() {
  if (!window_ || text_.isEmpty()) return;
  const BalloonTipStyle& s = style_;
  window_->setStyleSheet(QStringLiteral("QLabel { background-color: %1; color: %2; border: 1px solid %3; "
                                        "padding: %4px %5px %6px %7px; }")
                             .arg(s.background.name(), s.text.name(), s.border.name())
                             .arg(s.margins.top())
                             .arg(s.margins.right())
                             .arg(s.margins.bottom())
                             .arg(s.margins.left()));
  window_->setText(text_);
  window_->setWordWrap(false);
  window_->ensurePolished();
  QSize size = window_->sizeHint();
  if (size.width() > s.maxWidth) {
    // Longer text wraps at the maximum width.
    window_->setWordWrap(true);
    size = QSize(s.maxWidth, window_->heightForWidth(s.maxWidth));
  }
  window_->setFixedSize(size);

  QPoint topLeft = s.above ? at_ + QPoint(kAboveShift, -size.height() - kAboveGap) : at_ + kBelowOffset;
  if (const QScreen* screen = QGuiApplication::screenAt(at_)) {
    const QRect area = screen->availableGeometry();
    topLeft.setX(std::clamp(topLeft.x(), area.left(), std::max(area.left(), area.right() + 1 - size.width())));
    topLeft.setY(std::clamp(topLeft.y(), area.top(), std::max(area.top(), area.bottom() + 1 - size.height())));
  }
  window_->move(topLeft);
  window_->show();
  if (timing_.stayMs > 0) {
    stay_.start(timing_.stayMs);
  } else {
    stay_.stop();
  }
}

}  // namespace plume::platform
