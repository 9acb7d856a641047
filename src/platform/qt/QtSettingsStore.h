#pragma once
// The settings store of the program: QSettings over an INI file, by default
// the user's file of organisation "Wendmoor", application "Plumeboard".

#include <QString>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/SettingsStore.h"

class QSettings;

namespace plume::platform {

/// Sections are INI groups and keys INI keys, both spelt as the settings
/// table spells them; QSettings escapes what INI cannot hold (the group
/// "Recent File List" is written as [Recent%20File%20List]). Integers are
/// written as plain numbers, strings as UTF-8. Fallbacks to the system-wide
/// and organisation-wide files are off, so a key never written by this user
/// reads as absent and yields its default.
class QtSettingsStore final : public SettingsStore {
 public:
  /// The user's store: the INI file "Wendmoor/Plumeboard.ini" in the user's
  /// configuration folder (~/.config on Linux).
  QtSettingsStore();
  /// A store kept in the INI file at `iniPath` (tests, portable runs).
  explicit QtSettingsStore(const QString& iniPath);
  /// Writes pending changes.
  ~QtSettingsStore() override;
  QtSettingsStore(const QtSettingsStore&) = delete;
  QtSettingsStore& operator=(const QtSettingsStore&) = delete;

  std::optional<int> ReadInt(std::string_view section, std::string_view key) const override;
  std::optional<std::string> ReadString(std::string_view section, std::string_view key) const override;
  void WriteInt(std::string_view section, std::string_view key, int value) override;
  void WriteString(std::string_view section, std::string_view key, std::string_view value) override;
  void Remove(std::string_view section, std::string_view key) override;
  /// Writes the INI file now; false when it could not be written.
  bool Flush() override;

  /// Path of the INI file.
  QString FileName() const;

 private:
  std::unique_ptr<QSettings> settings_;
};

}  // namespace plume::platform
