#pragma once
// "Already captured": before a registration stores anything, the store is
// looked up for the same file (by its SHA-256) or, for a page capture, the
// same address. When it holds one, the user chooses: register again, show
// the material that is there in the search dialog, or cancel.

#include <filesystem>
#include <functional>
#include <string_view>

#include "platform/MessageSink.h"
#include "store/MaterialInfo.h"
#include "store/StorePaths.h"

namespace plume::store::index {

class IndexService;

class CapturedCheck {
 public:
  /// `showExisting` opens the search dialog on a material (empty: that answer only stops the registration).
  CapturedCheck(IndexService& index, std::function<void(Serial, const MaterialInfo&)> showExisting)
      : index_(index), showExisting_(std::move(showExisting)) {}

  /// Before a file (dropped, downloaded, pasted) is registered: false when the user does not go on.
  bool ProceedWithFile(const std::filesystem::path& file, platform::WindowRef owner = nullptr);
  /// Before the page at `address` (CP932) is captured: false when the user does not go on.
  bool ProceedWithAddress(std::string_view address, platform::WindowRef owner = nullptr);

  /// The question's first lines naming the material that is there (UTF-8).
  static std::string Describe(Serial serial, const MaterialInfo& info);

 private:
  bool Ask(Serial serial, const MaterialInfo& info, platform::WindowRef owner);

  IndexService& index_;
  std::function<void(Serial, const MaterialInfo&)> showExisting_;
};

}  // namespace plume::store::index
