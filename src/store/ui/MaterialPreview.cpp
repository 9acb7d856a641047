#include "store/ui/MaterialPreview.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

#include "convert/PictureFrame.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtPictureCodec.h"

namespace plume::store {

MaterialPreview::MaterialPreview(QWidget* parent) : QWidget(parent) { setMinimumSize(120, 90); }

void MaterialPreview::SetPicture(std::unique_ptr<platform::Picture> picture, int transparentColour) {
  picture_ = std::move(picture);
  transparentColour_ = transparentColour;
  update();
}

void MaterialPreview::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect frame = rect().adjusted(0, 0, -1, -1);
  p.fillRect(rect(), Qt::white);
  const auto* qt = dynamic_cast<const platform::QtPicture*>(picture_.get());
  if (qt == nullptr || qt->Image().isNull()) {
    if (noImageText_) p.setPen(QColor(112, 145, 190));
    if (noImageText_) p.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, QStringLiteral("No Image"));
  } else {
    QSize inner = frame.size() - QSize(2, 2);
    const int titleHeight = titlePos_ == 1 || titlePos_ == 2 ? QFontMetrics(titleFont_).height() + 5 : 0;
    inner.setHeight(std::max(1, inner.height() - 2 * titleHeight));
    const platform::IntRect box{1, 1 + titleHeight, 1 + inner.width(), 1 + titleHeight + inner.height()};
    // The shared picture-in-frame routine draws into an image of the widget.
    QImage buffer(size(), QImage::Format_RGB32);
    buffer.fill(Qt::white);
    platform::IntRect drawn;
    {
      platform::QtCanvas canvas(buffer);
      const bool framed = border_.alpha() > 0;
      const platform::CanvasColor colour = framed ? platform::CanvasColor(border_.red() | (border_.green() << 8) |
                                                                          (border_.blue() << 16))
                                                  : 0;
      drawn = convert::DrawPictureInFrame(canvas, colour, qt, box, framed ? 1 : 0, transparentColour_, scratch_);
    }
    p.drawImage(0, 0, buffer);
    const QRect target(drawn.left, drawn.top, drawn.Width(), drawn.Height());
    if (titleHeight > 0 && !drawn.IsEmpty()) {
      p.setFont(titleFont_);
      p.setPen(titleColour_);
      const QRect titleBox = titlePos_ == 2 ? QRect(target.left(), target.bottom() + 1, target.width(), titleHeight)
                                            : QRect(target.left(), target.top() - titleHeight, target.width(), titleHeight);
      p.drawText(titleBox, static_cast<int>(titleAlign_ | Qt::AlignVCenter | Qt::TextSingleLine), title_);
    }
  }
  p.setPen(Qt::black);
  p.drawRect(frame);
}

}  // namespace plume::store
