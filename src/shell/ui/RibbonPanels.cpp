// The panels of the category "ホーム".
#include <QAction>
#include <QComboBox>
#include <QFontComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QSpinBox>
#include <QToolButton>

#include "shell/ui/CMyRibbonBar.h"
#include "commands/CommandTable.h"
#include "shell/ui/CommandRouter.h"

namespace plume::shell {

using commands::Id;
using enum commands::CommandId;

namespace {
QGridLayout* Grid(QWidget* box) {
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(2);
  grid->setVerticalSpacing(1);
  return grid;
}

/// A colour swatch of `size` for colour buttons.
QIcon Swatch(QColor colour, QSize size) {
  QPixmap pixmap(size);
  pixmap.fill(colour);
  QPainter painter(&pixmap);
  painter.setPen(Qt::gray);
  painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
  return QIcon(pixmap);
}
}  // namespace

QWidget* CMyRibbonBar::HtmlPanel() {
  auto* box = new QWidget(this);
  QGridLayout* grid = Grid(box);
  QToolButton* pageType = Button(Id(ID_NOW_DSP), true);
  pageType->setStyleSheet(QStringLiteral("font-weight: bold;"));
  grid->addWidget(pageType, 0, 0, 3, 1);
  grid->addWidget(Button(Id(ID_GET_WORD)), 0, 1);
  grid->addWidget(Button(Id(ID_OPT_WORD)), 1, 1);
  searchWords_ = new QLineEdit(box);
  searchWords_->setPlaceholderText(QStringLiteral("Web検索"));
  searchWords_->setMinimumWidth(150);
  Remember(Id(ID_EDIT3), searchWords_);
  router_.Follow(Id(ID_EDIT3), searchWords_);
  auto* searchRow = new QHBoxLayout;
  searchRow->addWidget(searchWords_);
  searchRow->addWidget(Button(Id(ID_BUTTON7)));
  grid->addLayout(searchRow, 0, 2);
  auto* kinds = new QHBoxLayout;
  for (int id : {Id(ID_BUTTON8), Id(ID_BUTTON9), Id(ID_BUTTON10), Id(ID_BUTTON11)}) {
    QToolButton* b = Button(id);
    b->defaultAction()->setCheckable(true);
    kinds->addWidget(b);
  }
  grid->addLayout(kinds, 1, 2);
  return Panel(QStringLiteral("HTMLエリア"), box);
}

QWidget* CMyRibbonBar::ViewPanel() {
  auto* box = new QWidget(this);
  QGridLayout* grid = Grid(box);
  QToolButton* area = Button(Id(ID_DSP_AREA), true);
  area->setPopupMode(QToolButton::InstantPopup);
  auto* menu = new QMenu(area);
  for (int id : {Id(ID_DSP_KINTOU), Id(ID_DSP_HVIEW), Id(ID_DSP_TVIEW), Id(ID_DSP_VIEW)}) menu->addAction(router_.Action(id));
  menu->addSeparator();
  menu->addAction(router_.Action(Id(ID_VIEW_FULLSCREEN)));
  area->setMenu(menu);
  grid->addWidget(area, 0, 0);
  return Panel(QStringLiteral("表示"), box);
}

QWidget* CMyRibbonBar::TextPanel() {
  auto* box = new QWidget(this);
  QGridLayout* grid = Grid(box);
  grid->addWidget(Button(Id(ID_TEXT_EDIT), true), 0, 0, 2, 1);
  auto* font = new QFontComboBox(box);
  font->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  font->setMinimumContentsLength(12);
  font->setCurrentFont(QFont(QStringLiteral("Meiryo UI")));
  Remember(Id(ID_FONT_NAME), font);
  router_.Follow(Id(ID_FONT_NAME), font);
  grid->addWidget(font, 0, 1, 1, 3);
  auto* size = new QComboBox(box);
  size->setEditable(true);
  for (int pt : {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 24, 28, 36, 48, 72}) size->addItem(QString::number(pt));
  size->setCurrentText(QStringLiteral("8"));
  size->setMaximumWidth(56);
  Remember(Id(ID_FONT_SIZE), size);
  router_.Follow(Id(ID_FONT_SIZE), size);
  grid->addWidget(size, 1, 1);
  QToolButton* bold = Button(Id(ID_FONT_BOLD));
  bold->defaultAction()->setText(QStringLiteral("B"));
  bold->setStyleSheet(QStringLiteral("font-weight: bold;"));
  grid->addWidget(bold, 1, 2);
  QToolButton* colour = Button(Id(ID_FONT_COL));
  colour->defaultAction()->setIcon(Swatch(QColor(0, 0, 128), QSize(24, 18)));
  colour->setIconSize(QSize(24, 18));
  colour->setToolButtonStyle(Qt::ToolButtonIconOnly);
  grid->addWidget(colour, 1, 3);
  return Panel(QStringLiteral("テキスト"), box);
}

QWidget* CMyRibbonBar::AlignPanel() {
  auto* box = new QWidget(this);
  QGridLayout* grid = Grid(box);
  int column = 0;
  for (int id : {Id(ID_H_LEFT), Id(ID_H_CEN), Id(ID_H_RIGHT)}) grid->addWidget(Button(id), 0, column++);
  auto* margin = new QSpinBox(box);
  margin->setRange(0, 99);
  margin->setPrefix(QStringLiteral("余白 "));
  Remember(Id(ID_MARGIN_L), margin);
  router_.Follow(Id(ID_MARGIN_L), margin);
  grid->addWidget(margin, 1, 0, 1, 2);
  grid->addWidget(Button(Id(ID_WORD_WRAP)), 1, 2);
  return Panel(QStringLiteral("配置・余白"), box);
}

QWidget* CMyRibbonBar::ColourPanel() {
  auto* box = new QWidget(this);
  QGridLayout* grid = Grid(box);
  auto colourButton = [this](int id, int noneId, QColor colour) {
    QToolButton* b = Button(id);
    b->defaultAction()->setIcon(Swatch(colour, QSize(16, 12)));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setPopupMode(QToolButton::MenuButtonPopup);
    auto* menu = new QMenu(b);
    menu->addAction(router_.Action(noneId));
    b->setMenu(menu);
    return b;
  };
  grid->addWidget(colourButton(Id(ID_BK_COL), Id(ID_BK_COL_NON), QColor(0xEC, 0xF0, 0xFF)), 0, 0);
  grid->addWidget(colourButton(Id(ID_LINE_COL), Id(ID_LINE_COL_NON), QColor(0, 0, 128)), 1, 0);
  auto* width = new QSpinBox(box);
  width->setRange(0, 20);
  width->setValue(1);
  width->setPrefix(QStringLiteral("太さ "));
  Remember(Id(ID_LINE_SIZE), width);
  router_.Follow(Id(ID_LINE_SIZE), width);
  grid->addWidget(width, 0, 1);
  grid->addWidget(Button(Id(ID_ROUND)), 1, 1);
  return Panel(QStringLiteral("背景色・線・角"), box);
}

QWidget* CMyRibbonBar::PositionPanel() {
  auto* box = new QWidget(this);
  QGridLayout* grid = Grid(box);
  QToolButton* align = Button(Id(ID_SEIRETU_BTN), true);
  align->setPopupMode(QToolButton::InstantPopup);
  auto* menu = new QMenu(align);
  for (int id : {Id(ID_TO_LEFT), Id(ID_TO_RIGHT), Id(ID_TO_TOP), Id(ID_TO_BOTTOM)}) menu->addAction(router_.Action(id));
  menu->addSeparator();
  for (int id : {Id(ID_TO_V_CEN), Id(ID_TO_H_CEN), Id(ID_TO_V_KIN), Id(ID_TO_H_KIN)}) menu->addAction(router_.Action(id));
  menu->addSeparator();
  for (int id : {Id(ID_SAME_W), Id(ID_SAME_H), Id(ID_SAME_WH)}) menu->addAction(router_.Action(id));
  align->setMenu(menu);
  grid->addWidget(align, 0, 0);
  return Panel(QStringLiteral("位置・サイズ"), box);
}

QWidget* CMyRibbonBar::DatabasePanel() {
  auto* box = new QWidget(this);
  QGridLayout* grid = Grid(box);
  grid->addWidget(Button(Id(ID_DB_SEARCH), true), 0, 0);
  grid->addWidget(Button(Id(ID_DB_PROP), true), 0, 1);
  return Panel(QStringLiteral("データベース"), box);
}

}  // namespace plume::shell
