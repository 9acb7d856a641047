#pragma once
// Document callbacks that give new nodes and slips the style defaults and the
// title position stored in the settings (read afresh for every item, no cache) and let the ribbon
// refresh its style controls when the focus changes. Every other callback
// goes on to the hooks that were installed before.

#include <functional>

#include "document/DocumentHooks.h"
#include "platform/SettingsStore.h"

namespace plume::chartview {

class StyleDefaultsHooks : public document::DocumentHooks {
 public:
  /// `next` must outlive these hooks; `refresh` may be empty.
  StyleDefaultsHooks(const platform::SettingsStore& store, document::DocumentHooks& next,
                     std::function<void()> refresh)
      : store_(store), next_(next), refresh_(std::move(refresh)) {}

  document::ItemStyle NodeDefaults() override;
  document::ItemStyle SlipDefaults() override;
  /// The hooks before, then `refresh`.
  void RefreshStyleControls() override;

  void Repaint() override { next_.Repaint(); }
  void DiscardUndo() override { next_.DiscardUndo(); }
  std::string WebPageTitle() override { return next_.WebPageTitle(); }
  /// SUB/TitlePos; a stored value that is no title position (0 none, 1 above, 2 below) gives 2.
  std::uint16_t TitlePosDefault() override;
  float Zoom() override { return next_.Zoom(); }
  void NewDocumentSetUp() override { next_.NewDocumentSetUp(); }

 private:
  const platform::SettingsStore& store_;
  document::DocumentHooks& next_;
  std::function<void()> refresh_;
};

}  // namespace plume::chartview
