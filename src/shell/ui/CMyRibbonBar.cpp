#include "shell/ui/CMyRibbonBar.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStyle>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <filesystem>

#include "platform/SettingsTable.h"
#include "shell/CommandTable.h"
#include "shell/BrowserAddress.h"
#include "shell/RibbonTooltips.h"
#include "shell/ui/PageTypeIcon.h"
#include "shell/ui/CommandRouter.h"
#include "shell/ui/RibbonPanelRow.h"

namespace plume::shell {

namespace settings = platform::settings;

namespace {
/// The elements the frame updates after start-up; all must exist.
constexpr int kRememberedElements[] = {32829, 355, 32885, 32827, 32847, 32846, 320, 347, 394, 32815, 32816};
}  // namespace

CMyRibbonBar::CMyRibbonBar(CommandRouter& router, QWidget* parent) : QWidget(parent), router_(router) {
  setObjectName(QStringLiteral("ribbon"));
  setAutoFillBackground(true);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);

  // Title row: application button, quick access bar, the category tab and its hint.
  auto* titleRow = new QHBoxLayout;
  titleRow->setContentsMargins(2, 2, 6, 0);
  auto* appButton = new QToolButton(this);
  appButton->setObjectName(QStringLiteral("appButton"));
  appButton->setText(QStringLiteral("ファイル"));
  appButton->setPopupMode(QToolButton::InstantPopup);
  appButton->setStyleSheet(QStringLiteral(
      "QToolButton { background: #2b579a; color: white; padding: 3px 12px; border: none; }"
      "QToolButton::menu-indicator { image: none; }"));
  BuildAppMenu();
  appButton->setMenu(appMenu_);
  titleRow->addWidget(appButton);
  const std::pair<int, QStyle::StandardPixmap> quick[] = {{32828, QStyle::SP_ArrowBack},
                                                          {351, QStyle::SP_TitleBarShadeButton},
                                                          {57670, QStyle::SP_DialogHelpButton}};
  for (const auto& [id, icon] : quick) {
    QToolButton* b = Button(id);
    b->defaultAction()->setIcon(style()->standardIcon(icon));
    b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    b->setAutoRaise(true);
    titleRow->addWidget(b);
  }
  category_ = new QTabBar(this);
  category_->addTab(QStringLiteral("ホーム"));
  category_->setDrawBase(false);
  category_->installEventFilter(this);
  titleRow->addSpacing(12);
  titleRow->addWidget(category_);
  titleRow->addStretch(1);
  titleRow->addWidget(new QLabel(QStringLiteral("WClick , Ctrl+F1"), this));
  column->addLayout(titleRow);

  panels_ = new QWidget(this);
  panels_->setObjectName(QStringLiteral("panels"));
  panels_->setStyleSheet(QStringLiteral("#panels { background: #f5f6f7; border-top: 1px solid #c8c8c8;"
                                        " border-bottom: 1px solid #c8c8c8; }"));
  auto* rowLayout = new QHBoxLayout(panels_);
  rowLayout->setContentsMargins(4, 3, 4, 1);
  panelRow_ = new RibbonPanelRow(panels_);
  rowLayout->addWidget(panelRow_);
  for (QWidget* panel : {HtmlPanel(), ViewPanel(), TextPanel(), AlignPanel(), ColourPanel(), PositionPanel(),
                         DatabasePanel()}) {
    panelRow_->AddPanel(panel, panel->accessibleName());
  }
  column->addWidget(panels_);
}

bool CMyRibbonBar::Init(const platform::SettingsStore& store) {
  if (!CategoryName().startsWith(QStringLiteral("ホーム"))) return false;
  for (int id : kRememberedElements) {
    if (!Element(id)) return false;
  }
  searchWords_->setText(QString::fromStdString(settings::Get(store, settings::Last::WebGoku)));
  SetWordOption(settings::Get(store, settings::Last::OptWord) == 1);
  SetPageType({});
  return true;
}

QWidget* CMyRibbonBar::Element(int id) const {
  const auto it = elements_.find(id);
  return it == elements_.end() ? nullptr : it->second;
}

QString CMyRibbonBar::CategoryName() const { return category_->tabText(0); }

void CMyRibbonBar::SetMinimised(bool minimised) {
  minimised_ = minimised;
  panels_->setVisible(!minimised);
}

bool CMyRibbonBar::eventFilter(QObject* watched, QEvent* event) {
  if (watched == category_ && event->type() == QEvent::MouseButtonDblClick) {
    SetMinimised(!minimised_);
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void CMyRibbonBar::Remember(int id, QWidget* widget) {
  elements_[id] = widget;
  const std::string tip = TooltipText(id);
  if (!tip.empty()) widget->setToolTip(QString::fromStdString(tip));
}

QToolButton* CMyRibbonBar::Button(int id, bool large) {
  auto* button = new QToolButton(this);
  QAction* action = router_.Action(id);
  const std::string tip = TooltipText(id);
  if (!tip.empty()) action->setToolTip(QString::fromStdString(tip));
  button->setDefaultAction(action);
  button->setAutoRaise(true);
  button->setToolButtonStyle(large ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonTextOnly);
  if (large) button->setMinimumHeight(52);
  elements_[id] = button;
  return button;
}

QWidget* CMyRibbonBar::Panel(const QString& title, QWidget* content) {
  auto* panel = new QWidget(this);
  panel->setObjectName(QStringLiteral("panel"));
  panel->setAccessibleName(title);
  panel->setStyleSheet(QStringLiteral("#panel { border-right: 1px solid #d0d0d0; }"));
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(4, 0, 4, 0);
  layout->setSpacing(1);
  layout->addWidget(content, 1);
  auto* caption = new QLabel(title, panel);
  caption->setAlignment(Qt::AlignCenter);
  caption->setStyleSheet(QStringLiteral("color: #555; font-size: 9pt;"));
  layout->addWidget(caption);
  return panel;
}

void CMyRibbonBar::BuildAppMenu() {
  appMenu_ = new QMenu(this);
  auto add = [this](QMenu* menu, int id) {
    QAction* a = router_.Action(id);
    const std::string tip = TooltipText(id);
    if (!tip.empty()) a->setToolTip(QString::fromStdString(tip));
    menu->addAction(a);
  };
  appMenu_->setToolTipsVisible(true);
  add(appMenu_, 57600);
  add(appMenu_, 57601);
  add(appMenu_, static_cast<int>(CommandId::ID_OPEN_SAMPLE));
  QMenu* save = appMenu_->addMenu(QStringLiteral("保存"));
  save->menuAction()->setData(358);
  for (int id : {57603, 57604, 397, 32833}) add(save, id);
  add(appMenu_, 32832);
  QMenu* setup = appMenu_->addMenu(QStringLiteral("設定"));
  setup->menuAction()->setData(396);
  for (int id : {395, 311}) add(setup, id);
  appMenu_->addSeparator();
  appMenu_->addSection(QStringLiteral("最近使ったファイル"));
  for (int n = 0; n < 10; ++n) {
    QAction* a = router_.Action(kFirstRecentFileCommand + n);
    recentActions_.push_back(a);
    appMenu_->addAction(a);
  }
  appMenu_->addSeparator();
  add(appMenu_, 57664);
  add(appMenu_, 57665);
  connect(appMenu_, &QMenu::aboutToShow, this, [this] {
    router_.Refresh();
    FillRecentFiles();
  });
}

void CMyRibbonBar::FillRecentFiles() {
  const std::vector<std::string> files = recentFiles ? recentFiles() : std::vector<std::string>{};
  for (int n = 0; n < static_cast<int>(recentActions_.size()); ++n) {
    QAction* a = recentActions_[n];
    const bool used = n < static_cast<int>(files.size());
    a->setVisible(used);
    if (!used) continue;
    const QString name = QString::fromStdString(std::filesystem::path(files[n]).filename().string());
    a->setText(QStringLiteral("&%1 %2").arg(n + 1).arg(name));
    a->setToolTip(QString::fromStdString(files[n]));
  }
}

void CMyRibbonBar::SetPageType(const QString& type) {
  if (auto* b = qobject_cast<QToolButton*>(Element(32829))) {
    b->defaultAction()->setText(QString::fromStdString(PageTypeLabel(type.toStdString())));
    b->defaultAction()->setIcon(PageTypeIcon(PageTypePicture(type.toStdString())));
    b->defaultAction()->setToolTip(QString::fromStdString(PageTypeTooltip(type.toStdString())));
  }
}

void CMyRibbonBar::SetWordOption(bool formatted) {
  if (auto* b = qobject_cast<QToolButton*>(Element(355))) {
    b->defaultAction()->setText(formatted ? QStringLiteral("書式付") : QStringLiteral("TEXT"));
    b->defaultAction()->setToolTip(QString::fromStdString(WordOptionTooltip(formatted)));
  }
}

}  // namespace plume::shell
