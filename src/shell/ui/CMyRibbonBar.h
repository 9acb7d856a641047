#pragma once
// The ribbon: the application button with its menu and the recent files, the
// quick access bar, and the category "ホーム" with its panels. Every element
// is a command of the command table, found by its id.

#include <QWidget>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/SettingsStore.h"

class QHBoxLayout;
class QLineEdit;
class QMenu;
class QTabBar;
class QToolButton;
class QVBoxLayout;

namespace plume::shell {

class CommandRouter;
class RibbonPanelRow;

class CMyRibbonBar : public QWidget {
  Q_OBJECT
 public:
  CMyRibbonBar(CommandRouter& router, QWidget* parent = nullptr);

  /// Looks up the category "ホーム" and the elements the frame updates later,
  /// fills the search field and the export option's caption from the
  /// settings. False when the category or an element is missing.
  bool Init(const platform::SettingsStore& store);
  /// The element of command `id`; nullptr when the ribbon has none.
  QWidget* Element(int id) const;
  /// The category title ("ホーム").
  QString CategoryName() const;
  /// Minimised: only the title row shows.
  bool IsMinimised() const { return minimised_; }
  void SetMinimised(bool minimised);
  /// The recent file paths shown in the application menu, newest first.
  std::function<std::vector<std::string>()> recentFiles;
  /// The application menu (for tests and screenshots).
  QMenu* AppMenu() const { return appMenu_; }
  /// The row of panels, which collapses panels that do not fit.
  RibbonPanelRow* PanelRow() const { return panelRow_; }
  /// Shows the page type of the HTML area on 32829 and in its tooltip.
  void SetPageType(const QString& type);
  /// Sets the caption and tooltip of 355 from OptWord.
  void SetWordOption(bool formatted);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QToolButton* Button(int id, bool large = false);
  QWidget* Panel(const QString& title, QWidget* content);
  void Remember(int id, QWidget* widget);
  void BuildAppMenu();
  void FillRecentFiles();
  QWidget* HtmlPanel();
  QWidget* ViewPanel();
  QWidget* TextPanel();
  QWidget* AlignPanel();
  QWidget* ColourPanel();
  QWidget* PositionPanel();
  QWidget* DatabasePanel();

  CommandRouter& router_;
  std::map<int, QWidget*> elements_;
  QTabBar* category_ = nullptr;
  QWidget* panels_ = nullptr;
  RibbonPanelRow* panelRow_ = nullptr;
  QMenu* appMenu_ = nullptr;
  std::vector<QAction*> recentActions_;
  QLineEdit* searchWords_ = nullptr;
  bool minimised_ = false;
};

}  // namespace plume::shell
