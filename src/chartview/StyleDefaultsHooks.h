#pragma once
// Document callbacks that give new nodes and slips the style defaults and the
// title position stored in the settings (read afresh for every item, no
// cache). Every other callback goes on to the hooks that were installed
// before.

#include "document/DocumentHooks.h"
#include "platform/SettingsStore.h"

namespace plume::chartview {

class StyleDefaultsHooks : public document::DocumentHooks {
 public:
  /// `next` must outlive these hooks.
  StyleDefaultsHooks(const platform::SettingsStore& store, document::DocumentHooks& next)
      : store_(store), next_(next) {}

  document::ItemStyle NodeDefaults() override;
  document::ItemStyle SlipDefaults() override;

  void DiscardUndo() override { next_.DiscardUndo(); }
  std::string WebPageTitle() override { return next_.WebPageTitle(); }
  /// SUB/TitlePos; a stored value that is no title position (0 none, 1 above, 2 below) gives 2.
  std::uint16_t TitlePosDefault() override;
  float Zoom() override { return next_.Zoom(); }
  void NewDocumentSetUp() override { next_.NewDocumentSetUp(); }

 private:
  const platform::SettingsStore& store_;
  document::DocumentHooks& next_;
};

}  // namespace plume::chartview
