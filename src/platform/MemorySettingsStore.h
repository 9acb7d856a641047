#pragma once
// An in-memory settings store for tests and for runs that must not touch the
// user's settings.

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "platform/SettingsStore.h"

namespace plume::platform {

/// Keeps every value in memory; integers stay integers, strings stay strings,
/// read across types as SettingsStore describes.
class MemorySettingsStore final : public SettingsStore {
 public:
  std::optional<int> ReadInt(std::string_view section, std::string_view key) const override;
  std::optional<std::string> ReadString(std::string_view section, std::string_view key) const override;
  void WriteInt(std::string_view section, std::string_view key, int value) override;
  void WriteString(std::string_view section, std::string_view key, std::string_view value) override;
  void Remove(std::string_view section, std::string_view key) override;
  /// Returns false while SetFlushFails(true) is in effect; otherwise true.
  bool Flush() override;

  /// Number of keys held in all sections.
  std::size_t Size() const;
  /// Makes Flush report failure, to test how callers handle an unsavable store.
  void SetFlushFails(bool fails) { flushFails_ = fails; }

 private:
  using Value = std::variant<int, std::string>;
  using Section = std::map<std::string, Value, std::less<>>;

  const Value* Find(std::string_view section, std::string_view key) const;

  std::map<std::string, Section, std::less<>> sections_;
  bool flushFails_ = false;
};

}  // namespace plume::platform
