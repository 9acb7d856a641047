#pragma once
// The defaults of new items as the user stored them: node and slip styles and
// the title position of new picture nodes, read afresh for every item. The
// chart view's hooks build on these; a document without a view (the
// command-line tool) installs them alone, so its new items look as the
// window would make them.

#include "document/DocumentHooks.h"
#include "platform/SettingsStore.h"

namespace plume::chartview {

class StoredDefaultsHooks : public document::DefaultDocumentHooks {
 public:
  /// `settings` must outlive the hooks.
  explicit StoredDefaultsHooks(const platform::SettingsStore& settings) : settings_(settings) {}

  document::ItemStyle NodeDefaults() override;
  document::ItemStyle SlipDefaults() override;
  /// SUB/TitlePos; a stored value that is no title position (0 none, 1 above, 2 below) gives 2.
  std::uint16_t TitlePosDefault() override;

 protected:
  const platform::SettingsStore& settings_;
};

}  // namespace plume::chartview
