#pragma once
// What the document asks of its chart view and settings when items come and
// go: the view's zoom to place new items, the zoom reset of a new document, and the stored
// style defaults and title position of new items (read afresh for every
// item, no cache). The chart view installs one; nothing is chained.

#include <functional>
#include <string>

#include "chartview/ChartView.h"
#include "chartview/StoredDefaultsHooks.h"
#include "platform/SettingsStore.h"

namespace plume::chartview {

class ChartViewHooks : public StoredDefaultsHooks {
 public:
  /// `view` and `settings` must outlive the hooks.
  ChartViewHooks(ChartView& view, const platform::SettingsStore& settings)
      : StoredDefaultsHooks(settings), view_(view) {}

  /// Zoom back to Last/Zoom and the new document shown.
  void NewDocumentSetUp() override;
  /// The title of the page in the HTML area (CP932), from `webPageTitle`.
  std::string WebPageTitle() override { return webPageTitle ? webPageTitle() : std::string(); }

  /// Gives the HTML area's title; set by the window that has one.
  std::function<std::string()> webPageTitle;

 private:
  ChartView& view_;
};

}  // namespace plume::chartview
