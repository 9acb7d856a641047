#include "shell/ui/PageTypeIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace plume::shell {

QIcon PageTypeIcon(int number) {
  struct Look {
    QColor colour;
    const char* label;
  };
  const Look look = number == 4   ? Look{QColor(0x1F, 0x5F, 0xBF), "</>"}
                    : number == 5 ? Look{QColor(0xC8, 0x20, 0x20), "PDF"}
                    : number == 6 ? Look{QColor(0x2E, 0x8B, 0x3E), "IMG"}
                                  : Look{QColor(0x80, 0x80, 0x80), "?"};
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  // A sheet with a folded corner, a coloured band with the label.
  QPainterPath sheet;
  sheet.moveTo(5, 1);
  sheet.lineTo(21, 1);
  sheet.lineTo(27, 7);
  sheet.lineTo(27, 31);
  sheet.lineTo(5, 31);
  sheet.closeSubpath();
  p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1));
  p.setBrush(Qt::white);
  p.drawPath(sheet);
  p.drawLine(21, 1, 21, 7);
  p.drawLine(21, 7, 27, 7);
  p.setPen(Qt::NoPen);
  p.setBrush(look.colour);
  p.drawRect(QRectF(2, 14, 28, 12));
  QFont font = p.font();
  font.setPixelSize(9);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRectF(2, 14, 28, 12), Qt::AlignCenter, QString::fromLatin1(look.label));
  return QIcon(pixmap);
}

}  // namespace plume::shell
