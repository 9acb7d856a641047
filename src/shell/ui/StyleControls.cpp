#include "shell/ui/StyleControls.h"

#include <QAction>
#include <QColorDialog>
#include <QComboBox>
#include <QFontComboBox>
#include <QMenu>
#include <QPainter>
#include <QSpinBox>
#include <QToolButton>

#include "chartview/ui/CTesselView.h"
#include "platform/Cp932.h"
#include "shell/ui/CMyRibbonBar.h"
#include "shell/ui/ColourPalette.h"
#include "shell/ui/CommandRouter.h"
#include "platform/qt/QtConvert.h"

namespace plume::shell {

using platform::ToQColor;
using platform::FromQColor;

namespace {

using chartview::StyleCommands;


/// A swatch of the colour; "none" (-1) is white crossed out in red.
QIcon Swatch(document::ColorRef colour, QSize size) {
  QPixmap pixmap(size);
  pixmap.fill(colour == document::kNoColor ? QColor(Qt::white) : ToQColor(colour));
  QPainter painter(&pixmap);
  if (colour == document::kNoColor) {
    painter.setPen(QPen(Qt::red, 2));
    painter.drawLine(1, size.height() - 2, size.width() - 2, 1);
  }
  painter.setPen(Qt::gray);
  painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
  return QIcon(pixmap);
}

/// The edit of a numeric element: the ribbon uses spin boxes or editable combos.
QString EditText(QWidget* element) {
  if (auto* spin = qobject_cast<QSpinBox*>(element)) return spin->cleanText();
  if (auto* combo = qobject_cast<QComboBox*>(element)) return combo->currentText();
  return {};
}

void SetEditText(QWidget* element, const QString& text) {
  const QSignalBlocker block(element);
  if (auto* spin = qobject_cast<QSpinBox*>(element)) spin->setValue(text.toInt());
  if (auto* combo = qobject_cast<QComboBox*>(element)) combo->setEditText(text);
}

constexpr int kColourButtons[] = {StyleCommands::kFontColour, StyleCommands::kFillColour,
                                  StyleCommands::kFrameColour};

}  // namespace

StyleControls::StyleControls(document::ChartDocument& doc, platform::SettingsStore& store,
                             chartview::CTesselView& view, CMyRibbonBar& ribbon, CommandRouter& router,
                             QObject* parent)
    : QObject(parent),
      doc_(doc),
      store_(store),
      view_(view),
      ribbon_(ribbon),
      router_(router),
      styles_(doc, *this, state_),
      align_(doc),
      ownerMeta_(parent ? parent->metaObject() : nullptr) {
  focus_ = doc_.Changes().Subscribe([this](document::Change change) {
    if (change == document::Change::Focus) RefreshStyleControls();
  });
  ConnectControls();
  ShowColours();
}

StyleControls::~StyleControls() = default;

void StyleControls::ConnectControls() {
  for (int id : {StyleCommands::kFontBold, StyleCommands::kAlignLeft, StyleCommands::kAlignCentre,
                 StyleCommands::kAlignRight, StyleCommands::kWordWrap, StyleCommands::kRound, StyleCommands::kNoFill,
                 StyleCommands::kNoFrame}) {
    router_.Action(id)->setCheckable(true);
  }
  if (auto* font = qobject_cast<QComboBox*>(ribbon_.Element(StyleCommands::kFontName))) {
    connect(font, &QComboBox::textActivated, this, [this] { TriggerFromControl(StyleCommands::kFontName); });
  }
  if (auto* size = qobject_cast<QComboBox*>(ribbon_.Element(StyleCommands::kFontSize))) {
    connect(size, &QComboBox::textActivated, this, [this] { TriggerFromControl(StyleCommands::kFontSize); });
  }
  for (int id : {StyleCommands::kMargin, StyleCommands::kFrameWidth}) {
    if (auto* spin = qobject_cast<QSpinBox*>(ribbon_.Element(id))) {
      // The commands take any number; the value is applied on Enter, on
      // leaving the edit and on the arrows, not on every key.
      spin->setRange(0, 65535);
      spin->setKeyboardTracking(false);
      connect(spin, &QSpinBox::valueChanged, this, [this, id] { TriggerFromControl(id); });
    }
  }
  for (int id : kColourButtons) {
    auto* button = qobject_cast<QToolButton*>(ribbon_.Element(id));
    if (!button) continue;
    QMenu* menu = button->menu();
    if (!menu) {
      menu = new QMenu(button);
      button->setMenu(menu);
      button->setPopupMode(QToolButton::MenuButtonPopup);
    } else {
      menu->addSeparator();
    }
    auto* palette = new ColourPalette(menu);
    connect(palette, &ColourPalette::picked, this, [this, id](const QColor& colour) { ApplyColour(id, colour); });
    menu->addAction(palette);
    QAction* more = menu->addAction(QStringLiteral("その他の色(&M)..."));
    connect(more, &QAction::triggered, this, [this, id] { ChooseColour(id); });
  }
}

void StyleControls::TriggerFromControl(int id) {
  if (!parent() || parent()->metaObject() != ownerMeta_) return;
  router_.Trigger(id);
}

void StyleControls::ShowColours() {
  const std::pair<int, document::ColorRef> colours[] = {{StyleCommands::kFontColour, state_.textColour},
                                                        {StyleCommands::kFillColour, state_.fillColour},
                                                        {StyleCommands::kFrameColour, state_.frameColour}};
  for (const auto& [id, colour] : colours) {
    auto* button = qobject_cast<QToolButton*>(ribbon_.Element(id));
    if (!button) continue;
    const QSize size = id == StyleCommands::kFontColour ? QSize(24, 18) : QSize(16, 12);
    router_.Action(id)->setIcon(Swatch(colour, size));
  }
}

void StyleControls::ReadTexts() {
  if (QWidget* font = ribbon_.Element(StyleCommands::kFontName)) {
    state_.fontName = platform::ToCp932(EditText(font));
  }
  state_.fontSize = EditText(ribbon_.Element(StyleCommands::kFontSize)).toStdString();
  state_.margin = EditText(ribbon_.Element(StyleCommands::kMargin)).toStdString();
  state_.frameWidth = EditText(ribbon_.Element(StyleCommands::kFrameWidth)).toStdString();
}

void StyleControls::RefreshStyleControls() {
  if (styles_.RefreshState()) {
    SetEditText(ribbon_.Element(StyleCommands::kFontName),
                platform::FromCp932(state_.fontName));
    SetEditText(ribbon_.Element(StyleCommands::kFontSize), QString::fromStdString(state_.fontSize));
    SetEditText(ribbon_.Element(StyleCommands::kMargin), QString::fromStdString(state_.margin));
    SetEditText(ribbon_.Element(StyleCommands::kFrameWidth), QString::fromStdString(state_.frameWidth));
  }
  ShowColours();
  router_.Refresh();
  ribbon_.update();
}

void StyleControls::ChooseColour(int id) {
  document::ColorRef& colour = id == StyleCommands::kFontColour   ? state_.textColour
                               : id == StyleCommands::kFillColour ? state_.fillColour
                                                                  : state_.frameColour;
  const QColor chosen = QColorDialog::getColor(colour == document::kNoColor ? QColor(Qt::white) : ToQColor(colour),
                                               &ribbon_);
  if (chosen.isValid()) ApplyColour(id, chosen);
}

void StyleControls::ApplyColour(int id, const QColor& chosen) {
  document::ColorRef& colour = id == StyleCommands::kFontColour   ? state_.textColour
                               : id == StyleCommands::kFillColour ? state_.fillColour
                                                                  : state_.frameColour;
  colour = FromQColor(chosen);
  ShowColours();
  router_.Trigger(id);
}

float StyleControls::Zoom() const { return view_.View().Zoom(); }

}  // namespace plume::shell
