#include "store/ui/MaterialPreview.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

#include "platform/qt/QtPictureCodec.h"

namespace plume::store {

MaterialPreview::MaterialPreview(QWidget* parent) : QWidget(parent) { setMinimumSize(120, 90); }

void MaterialPreview::SetPicture(std::unique_ptr<platform::Picture> picture, int transparentColour) {
  picture_ = std::move(picture);
  transparentColour_ = transparentColour;
  update();
}

void MaterialPreview::paintEvent(QPaintEvent*) {
  // Drawn here until the shared picture-in-frame routine is available to dialogs.
  QPainter p(this);
  const QRect frame = rect().adjusted(0, 0, -1, -1);
  p.fillRect(rect(), Qt::white);
  const auto* qt = dynamic_cast<const platform::QtPicture*>(picture_.get());
  if (qt == nullptr || qt->Image().isNull()) {
    if (noImageText_) p.setPen(QColor(112, 145, 190));
    if (noImageText_) p.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, QStringLiteral("No Image"));
  } else {
    QImage image = qt->Image();
    if (transparentColour_ >= 0) {
      const QColor key(transparentColour_ & 0xFF, (transparentColour_ >> 8) & 0xFF, (transparentColour_ >> 16) & 0xFF);
      image = image.convertToFormat(QImage::Format_ARGB32);
      const QRgb keyRgb = key.rgb();
      for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
          if ((line[x] & 0xFFFFFF) == (keyRgb & 0xFFFFFF)) line[x] = 0;
        }
      }
    }
    QSize inner = frame.size() - QSize(2, 2);
    const int titleHeight = titlePos_ == 1 || titlePos_ == 2 ? QFontMetrics(titleFont_).height() + 5 : 0;
    inner.setHeight(std::max(1, inner.height() - 2 * titleHeight));
    QSize size = image.size();
    if (size.width() > inner.width() || size.height() > inner.height()) size.scale(inner, Qt::KeepAspectRatio);
    const QRect target(frame.x() + 1 + (inner.width() - size.width()) / 2,
                       frame.y() + 1 + (inner.height() - size.height()) / 2, size.width(), size.height());
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(target, image);
    if (titleHeight > 0) {
      p.setFont(titleFont_);
      p.setPen(titleColour_);
      const QRect box = titlePos_ == 2 ? QRect(target.left(), target.bottom() + 1, target.width(), titleHeight)
                                       : QRect(target.left(), target.top() - titleHeight, target.width(), titleHeight);
      p.drawText(box, static_cast<int>(titleAlign_ | Qt::AlignVCenter | Qt::TextSingleLine), title_);
    }
    if (border_.alpha() > 0 && border_ != Qt::black) {
      p.setPen(border_);
      p.drawRect(target.adjusted(-1, -1, 0, 0));
    }
  }
  p.setPen(Qt::black);
  p.drawRect(frame);
}

}  // namespace plume::store
