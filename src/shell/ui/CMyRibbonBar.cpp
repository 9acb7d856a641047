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

using commands::Id;
using enum commands::CommandId;

namespace settings = platform::settings;

namespace {
/// The elements the frame updates after start-up; all must exist.
constexpr int kRememberedElements[] = {Id(ID_NOW_DSP), Id(ID_OPT_WORD), Id(ID_EDIT3), Id(ID_DSP_AREA), Id(ID_FONT_NAME), Id(ID_FONT_SIZE), Id(ID_FONT_COL), Id(ID_MARGIN_L), Id(ID_BK_COL), Id(ID_LINE_COL), Id(ID_LINE_SIZE)};
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
  const std::pair<int, QStyle::StandardPixmap> quick[] = {{Id(ID_UNDO), QStyle::SP_ArrowBack},
                                                          {Id(ID_REDO), QStyle::SP_ArrowForward},
                                                          {Id(ID_SHOW_MENU), QStyle::SP_TitleBarShadeButton},
                                                          {Id(ID_HELP), QStyle::SP_DialogHelpButton}};
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
  add(appMenu_, Id(ID_FILE_NEW));
  add(appMenu_, Id(ID_FILE_OPEN));
  add(appMenu_, Id(ID_OPEN_SAMPLE));
  QMenu* save = appMenu_->addMenu(QStringLiteral("保存"));
  save->menuAction()->setData(Id(ID_HOZON_BTN));
  for (int id : {Id(ID_FILE_SAVE), Id(ID_FILE_SAVE_AS), Id(ID_FILE_IMAGE2), Id(ID_PDF_SAVE)}) add(save, id);
  add(appMenu_, Id(ID_INSATU));
  QMenu* setup = appMenu_->addMenu(QStringLiteral("設定"));
  setup->menuAction()->setData(Id(ID_SETTEU_BTN));
  for (int id : {Id(ID_RECENT_KANRI), Id(ID_KAN_SET)}) add(setup, id);
  appMenu_->addSeparator();
  appMenu_->addSection(QStringLiteral("最近使ったファイル"));
  for (int n = 0; n < 10; ++n) {
    QAction* a = router_.Action(kFirstRecentFileCommand + n);
    recentActions_.push_back(a);
    appMenu_->addAction(a);
  }
  appMenu_->addSeparator();
  add(appMenu_, Id(ID_APP_ABOUT));
  add(appMenu_, Id(ID_APP_EXIT));
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
  if (auto* b = qobject_cast<QToolButton*>(Element(Id(ID_NOW_DSP)))) {
    b->defaultAction()->setText(QString::fromStdString(PageTypeLabel(type.toStdString())));
    b->defaultAction()->setIcon(PageTypeIcon(PageTypePicture(type.toStdString())));
    b->defaultAction()->setToolTip(QString::fromStdString(PageTypeTooltip(type.toStdString())));
  }
}

void CMyRibbonBar::SetWordOption(bool formatted) {
  if (auto* b = qobject_cast<QToolButton*>(Element(Id(ID_OPT_WORD)))) {
    b->defaultAction()->setText(formatted ? QStringLiteral("書式付") : QStringLiteral("TEXT"));
    b->defaultAction()->setToolTip(QString::fromStdString(WordOptionTooltip(formatted)));
  }
}

}  // namespace plume::shell
