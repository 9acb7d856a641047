#pragma once
// The page tab bar under the chart area: one tab per page, drawn in the
// page's tab colours, with the full page name as a tooltip. The page
// commands themselves live in PageTabs; the frame builds the context menu.

#include <QTabBar>

#include <functional>
#include <memory>

#include "document/PageTabs.h"
#include "document/TabBarSettings.h"

class QLabel;

namespace plume::platform {
class BalloonTip;
}

namespace plume::document {

class CUnderBar : public QTabBar, public PageTabsHost {
  Q_OBJECT
 public:
  explicit CUnderBar(QWidget* parent = nullptr);
  ~CUnderBar() override;

  /// Works on `doc` from now on and rebuilds the tabs.
  void SetDocument(ChartDocument& doc, const TabBarSettings& settings);
  PageTabs* Tabs() { return tabs_.get(); }
  const TabBarSettings& Settings() const { return settings_; }
  /// Applies confirmed properties: a changed caption length rebuilds the captions.
  void ApplySettings(const TabBarSettings& settings);
  /// Mirrors the page tabs' captions and current page.
  void Sync();

  // Services of the windows around the bar.
  std::function<QPoint()> scrollPosition;             ///< the chart view's scroll
  std::function<void()> pageChanged;                  ///< the chart view shows the current page
  std::function<void()> clearItemClipboard;
  std::function<void(const NodeRecord&)> deleteMaterial;
  /// Right click: on a tab (true) or beside the tabs; the frame shows the menu.
  std::function<void(QPoint globalPos, bool onTab)> menuRequested;

  // PageTabsHost
  std::optional<std::string> AskPageName(std::string_view initialCp932) override;
  void CurrentScroll(int& x, int& y) override;
  void CurrentPageChanged() override;
  void ClearItemClipboard() override;
  void DeleteMaterial(const NodeRecord& node) override;

  /// The tooltip window (for tests): its text is the full page name.
  QLabel* TipWindow() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  QSize tabSizeHint(int index) const override;

 private:
  void ShowTip(int tab, QPoint globalPos);

  ChartDocument* doc_ = nullptr;
  std::unique_ptr<PageTabs> tabs_;
  TabBarSettings settings_;
  QPoint lastRightClick_;
  platform::BalloonTip* tip_ = nullptr;  ///< a child of the bar
  int tipTab_ = -1;
};

}  // namespace plume::document
