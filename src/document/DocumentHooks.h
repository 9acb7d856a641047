#pragma once
// What the document asks when items come and go: the defaults of new items.
// The chart view installs its hooks; DefaultDocumentHooks (an empty web page
// title, the built-in style) lets a document work without a view, as in the tool.

#include <string>

#include "document/ChartRecords.h"

namespace plume::document {

class DocumentHooks {
 public:
  virtual ~DocumentHooks() = default;
  /// Title (CP932) of the web page on show, used for nodes added without a
  /// title; the window connects it to its HTML area.
  virtual std::string WebPageTitle() = 0;
  /// Stored style defaults for new nodes and slips.
  virtual ItemStyle NodeDefaults() = 0;
  virtual ItemStyle SlipDefaults() = 0;
  /// `titlePos` of new picture nodes.
  virtual std::uint16_t TitlePosDefault() = 0;
  /// A new document was set up: reset the zoom and rebuild the page tabs.
  virtual void NewDocumentSetUp() = 0;
};

/// The hooks of a document without a view (the tool, tests): no web page, the
/// built-in style, titles below pictures.
class DefaultDocumentHooks : public DocumentHooks {
 public:
  std::string WebPageTitle() override { return {}; }
  ItemStyle NodeDefaults() override { return DefaultItemStyle(); }
  ItemStyle SlipDefaults() override { return DefaultItemStyle(); }
  std::uint16_t TitlePosDefault() override { return 2; }
  void NewDocumentSetUp() override {}
};

}  // namespace plume::document
