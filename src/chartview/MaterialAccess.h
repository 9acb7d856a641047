#pragma once
// What the chart view's editing needs from the material store and the HTML
// area, without depending on either: where a material's data file lives, its
// source address, and showing an address in the HTML area. The frame
// implements it over the store (MaterialLocation, ReadInfoTag "GetFrom") and
// the browser. Fully abstract; NoMaterials knows no material.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace plume::chartview {

class MaterialAccess {
 public:
  virtual ~MaterialAccess() = default;
  /// The data file of material `serial` of type `typeWord`; nullopt when the
  /// store cannot name it (no store folder, unknown type).
  virtual std::optional<std::filesystem::path> DataFile(std::string_view typeWord, std::int32_t serial) = 0;
  /// The first source address (GetFrom) recorded for `serial`, CP932; empty when none.
  virtual std::string SourceAddress(std::int32_t serial) = 0;
  /// Shows `address` (CP932) in the HTML area.
  virtual void OpenInHtmlArea(std::string_view address) = 0;
};

/// Material access without a store: no material is known.
class NoMaterials final : public MaterialAccess {
 public:
  std::optional<std::filesystem::path> DataFile(std::string_view, std::int32_t) override { return std::nullopt; }
  std::string SourceAddress(std::int32_t) override { return {}; }
  void OpenInHtmlArea(std::string_view) override {}
};

}  // namespace plume::chartview
