#pragma once
// What the document asks when items come and go: the view's zoom and the
// defaults of new items. The chart view installs its hooks; the defaults
// here (zoom 1, an empty web page title, the built-in style) let a document
// work without a view, as in the tool.

#include <string>

#include "document/ChartRecords.h"

namespace plume::document {

class DocumentHooks {
 public:
  virtual ~DocumentHooks() = default;
  /// Title (CP932) of the web page on show, used for nodes added without a
  /// title; the window connects it to its HTML area.
  virtual std::string WebPageTitle() { return {}; }
  /// Stored style defaults for new nodes and slips.
  virtual ItemStyle NodeDefaults() { return DefaultItemStyle(); }
  virtual ItemStyle SlipDefaults() { return DefaultItemStyle(); }
  /// `titlePos` of new picture nodes.
  virtual std::uint16_t TitlePosDefault() { return 2; }
  /// The view's zoom factor, used to turn chart-area positions into page units.
  virtual float Zoom() { return 1.0f; }
  /// A new document was set up: reset the zoom and rebuild the page tabs.
  virtual void NewDocumentSetUp() {}
};

}  // namespace plume::document
