#include "shell/ui/ColourPalette.h"

#include <QGridLayout>
#include <QMenu>
#include <QPainter>
#include <QToolButton>

namespace plume::shell {

namespace {
constexpr int kColumns = 10;
constexpr QSize kSwatch(14, 14);
}  // namespace

ColourPalette::ColourPalette(QObject* parent) : QWidgetAction(parent) {}

const std::vector<QColor>& ColourPalette::Colours() {
  // Neutral tones, then the standard colours from dark red to purple, then their light tints.
  static const std::vector<QColor> colours = [] {
    std::vector<QColor> c;
    for (const char* name : {"#ffffff", "#000000", "#404040", "#808080", "#c0c0c0", "#000080", "#ecf0ff", "#fffbd0",
                             "#e0ffe0", "#ffe0e0",  // neutrals and the default item colours
                             "#c00000", "#ff0000", "#ffc000", "#ffff00", "#92d050", "#00b050", "#00b0f0", "#0070c0",
                             "#002060", "#7030a0",  // standard colours
                             "#f4b0b0", "#ffc7ce", "#ffe699", "#ffffcc", "#d8ecc4", "#c6efce", "#c5e9f8", "#bdd7ee",
                             "#b4c6e7", "#d9c3e9"}) {  // light tints
      c.emplace_back(QString::fromLatin1(name));
    }
    return c;
  }();
  return colours;
}

QWidget* ColourPalette::createWidget(QWidget* parent) {
  auto* box = new QWidget(parent);
  box->setObjectName(QStringLiteral("colourPalette"));
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(6, 4, 6, 4);
  grid->setSpacing(3);
  const std::vector<QColor>& colours = Colours();
  for (int i = 0; i < static_cast<int>(colours.size()); ++i) {
    const QColor colour = colours[i];
    QPixmap pixmap(kSwatch);
    pixmap.fill(colour);
    QPainter painter(&pixmap);
    painter.setPen(Qt::gray);
    painter.drawRect(0, 0, kSwatch.width() - 1, kSwatch.height() - 1);
    painter.end();
    auto* swatch = new QToolButton(box);
    swatch->setAutoRaise(true);
    swatch->setIcon(QIcon(pixmap));
    swatch->setIconSize(kSwatch);
    swatch->setToolTip(colour.name());
    swatch->setProperty("colour", colour);
    connect(swatch, &QToolButton::clicked, this, [this, colour, parent] {
      // Close the menu first: the command may open a message box.
      if (auto* menu = qobject_cast<QMenu*>(parent)) menu->close();
      emit picked(colour);
    });
    grid->addWidget(swatch, i / kColumns, i % kColumns);
  }
  return box;
}

}  // namespace plume::shell
