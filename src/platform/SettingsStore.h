#pragma once
// The per-user settings store: named integer and string values grouped in
// sections. The program reaches it only through the typed table in
// SettingsTable.h, which supplies the defaults and the text encodings.

#include <optional>
#include <string>
#include <string_view>

namespace plume::platform {

/// A persistent store of section/key values. Values are text-compatible, as
/// in an INI file: an integer reads back through ReadString as its decimal
/// text, and a string that is a decimal integer reads back through ReadInt.
/// Strings are UTF-8. An empty section or key names nothing: reads give
/// nullopt and writes and removals are ignored. Used from the user-interface
/// thread only.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  /// The value as an integer; nullopt when the key is absent or its text is
  /// not a decimal integer in the range of int (see ParseInt).
  virtual std::optional<int> ReadInt(std::string_view section, std::string_view key) const = 0;

  /// The value as UTF-8 text; nullopt when the key is absent. An empty string
  /// is a value of its own, distinct from an absent key.
  virtual std::optional<std::string> ReadString(std::string_view section, std::string_view key) const = 0;

  /// Stores an integer (kept as an integer, not as text, where the store can).
  virtual void WriteInt(std::string_view section, std::string_view key, int value) = 0;

  /// Stores UTF-8 text.
  virtual void WriteString(std::string_view section, std::string_view key, std::string_view value) = 0;

  /// Deletes the key; afterwards reads yield nullopt. Absent keys are ignored.
  virtual void Remove(std::string_view section, std::string_view key) = 0;

  /// Makes every write so far durable; false when the store could not be saved.
  virtual bool Flush() = 0;

  /// Strict decimal parser shared by the stores: optional spaces or tabs
  /// around an optional sign and at least one digit, nothing else, within the
  /// range of int. "12abc", "", "0x10" and "99999999999" give nullopt.
  static std::optional<int> ParseInt(std::string_view text);
};

}  // namespace plume::platform
