#pragma once
// Materials as the store knows them, for the chart view's commands: their
// data files and source addresses, shown in the HTML area.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "chartview/MaterialAccess.h"
#include "platform/Cp932.h"
#include "store/InfoFile.h"
#include "store/MaterialStore.h"

namespace plume::shell {

class StoreMaterialAccess : public chartview::MaterialAccess {
 public:
  /// `open` shows a UTF-8 address in the HTML area.
  StoreMaterialAccess(store::MaterialStore& store, std::function<void(const std::string&)> open)
      : store_(store), open_(std::move(open)) {}
  std::optional<std::filesystem::path> DataFile(std::string_view typeWord, std::int32_t serial) override {
    const auto location = store_.MaterialLocation(typeWord, serial);
    if (!location) return std::nullopt;
    return location->File();
  }
  std::string SourceAddress(std::int32_t serial) override {
    return store::InfoFile(store_).ReadInfoTag(serial, "GetFrom", 1);
  }
  void OpenInHtmlArea(std::string_view address) override {
    // Information files hold CP932 text.
    if (open_) open_(platform::Cp932ToUtf8(address));
  }

 private:
  store::MaterialStore& store_;
  std::function<void(const std::string&)> open_;
};

}  // namespace plume::shell
