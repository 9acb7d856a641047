#include "shell/ui/CTopBar.h"

#include <QApplication>
#include <QCursor>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QToolButton>

#include "platform/Cp932.h"
#include "platform/SettingsTable.h"
#include "platform/qt/QtConvert.h"
#include "shell/HtmlAreaController.h"
#include "shell/RibbonTooltips.h"

namespace plume::shell {

namespace {

/// A small picture of `glyph` (and an optional smaller `mark` at its lower right).
QIcon GlyphIcon(const QString& glyph, const QColor& colour, const QString& mark = {}) {
  QPixmap pixmap(20, 20);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::TextAntialiasing);
  QFont font = p.font();
  font.setPixelSize(15);
  font.setBold(true);
  p.setFont(font);
  p.setPen(colour);
  p.drawText(QRect(0, 0, 20, 20), Qt::AlignCenter, glyph);
  if (!mark.isEmpty()) {
    font.setPixelSize(10);
    p.setFont(font);
    p.setPen(QColor(0x20, 0x80, 0x20));
    p.drawText(QRect(10, 9, 10, 11), Qt::AlignCenter, mark);
  }
  return QIcon(pixmap);
}

}  // namespace

CTopBar::CTopBar(HtmlAreaController& area, platform::SettingsStore& store, QWidget* parent)
    : QWidget(parent), area_(area), store_(store) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(2, 1, 2, 1);
  row->setSpacing(1);
  QStyle* s = style();
  const QColor ink(0x30, 0x30, 0x30);
  row->addWidget(AddButton(kBack, s->standardIcon(QStyle::SP_ArrowBack)));
  row->addWidget(AddButton(kForward, s->standardIcon(QStyle::SP_ArrowForward)));
  row->addWidget(AddButton(kStop, s->standardIcon(QStyle::SP_BrowserStop)));
  row->addWidget(AddButton(kHome, GlyphIcon(QStringLiteral("⌂"), ink)));
  row->addWidget(AddButton(kSetHome, GlyphIcon(QStringLiteral("⌂"), ink, QStringLiteral("+"))));
  row->addWidget(AddButton(kLarger, GlyphIcon(QStringLiteral("A"), ink, QStringLiteral("+"))));
  row->addWidget(AddButton(kSmaller, GlyphIcon(QStringLiteral("a"), ink, QStringLiteral("−"))));
  row->addWidget(AddButton(kBookmarks, GlyphIcon(QStringLiteral("★"), QColor(0xD0, 0x90, 0x10))));
  row->addWidget(AddButton(kGo, GlyphIcon(QStringLiteral("→"), QColor(0x20, 0x60, 0xC0))));
  address_ = new QLineEdit(this);
  address_->setObjectName(QStringLiteral("address"));
  row->addWidget(address_, 1);

  connect(buttons_[kBack], &QToolButton::clicked, this, [this] { area_.Back(); });
  connect(buttons_[kForward], &QToolButton::clicked, this, [this] { area_.Forward(); });
  connect(buttons_[kStop], &QToolButton::clicked, this, [this] { area_.Stop(); });
  connect(buttons_[kHome], &QToolButton::clicked, this, [this] { area_.GoHome(); });
  connect(buttons_[kSetHome], &QToolButton::clicked, this, [this] { area_.SetHome(); });
  connect(buttons_[kLarger], &QToolButton::clicked, this, [this] { area_.LargerText(); });
  connect(buttons_[kSmaller], &QToolButton::clicked, this, [this] { area_.SmallerText(); });
  connect(buttons_[kBookmarks], &QToolButton::clicked, this, [this] { ShowBookmarkMenu(); });
  connect(buttons_[kGo], &QToolButton::clicked, this, [this] { area_.Go(address_->text().toStdString()); });
  connect(address_, &QLineEdit::returnPressed, this, [this] { area_.Go(address_->text().toStdString()); });
  setFixedHeight(buttons_[kBack]->sizeHint().height() + 2);
  // The bar is as wide as the area, however narrow the user makes it.
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

QToolButton* CTopBar::AddButton(int id, const QIcon& icon) {
  auto* button = new QToolButton(this);
  button->setIcon(icon);
  button->setAutoRaise(true);
  button->setToolTip(QString::fromStdString(TooltipText(id)));
  button->setObjectName(QStringLiteral("bar%1").arg(id));
  buttons_[id] = button;
  return button;
}

QToolButton* CTopBar::Button(int id) const {
  const auto it = buttons_.find(id);
  return it == buttons_.end() ? nullptr : it->second;
}

void CTopBar::SetAddress(const QString& address) { address_->setText(address); }

QMenu* CTopBar::BuildBookmarkMenu() {
  auto* menu = new QMenu(this);
  const int menuLen = platform::settings::Get(store_, platform::settings::KanSet::MenuLen);
  const std::vector<std::string> captions = area_.Marks().MenuCaptions(menuLen);
  for (int slot = 0; slot < static_cast<int>(captions.size()); ++slot) {
    // "&" in a page title is text, not a menu accelerator.
    QString caption = platform::FromCp932(captions[slot]);
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    menu->addAction(caption)->setData(Bookmarks::kFirstCommand + slot);
  }
  if (!captions.empty()) menu->addSeparator();
  menu->addAction(QStringLiteral("現頁を追加 (削除 Ctrl+Click)"))->setData(Bookmarks::kAddCommand);
  return menu;
}

void CTopBar::RunBookmarkCommand(int id, bool ctrlHeld) {
  if (id == Bookmarks::kAddCommand) {
    area_.AddBookmark();
    return;
  }
  const int slot = id - Bookmarks::kFirstCommand;
  if (ctrlHeld) {
    area_.DeleteBookmark(slot);
  } else {
    area_.OpenBookmark(slot);
  }
}

void CTopBar::ShowBookmarkMenu() {
  QToolButton* button = buttons_[kBookmarks];
  QMenu* menu = BuildBookmarkMenu();
  const bool ctrl = QApplication::keyboardModifiers() & Qt::ControlModifier;
  const QPoint at = ctrl ? button->mapToGlobal(QPoint(0, button->height())) : QCursor::pos();
  QAction* chosen = menu->exec(at);
  const bool ctrlOnChoice = QApplication::keyboardModifiers() & Qt::ControlModifier;
  const int id = chosen ? chosen->data().toInt() : 0;
  menu->deleteLater();
  button->setDown(false);
  if (id != 0) RunBookmarkCommand(id, ctrlOnChoice);
}

}  // namespace plume::shell
