#include "platform/qt/QtSettingsStore.h"

#include <QSettings>
#include <QStringList>
#include <QVariant>

#include <limits>

namespace plume::platform {
namespace {

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

/// "section/key": the INI group and key of a setting.
QString KeyPath(std::string_view section, std::string_view key) {
  return Utf8(section) + QLatin1Char('/') + Utf8(key);
}

/// An empty name would address a whole group (or the [General] group).
bool NamesOneKey(std::string_view section, std::string_view key) { return !section.empty() && !key.empty(); }

bool IsIntegerType(const QVariant& value) {
  switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
      return true;
    default:
      return false;
  }
}

/// The text of a stored value. An INI value holding unquoted commas, such as
/// a hand-edited "a, b", comes back from QSettings as a list: it is joined
/// again so that the text reads as it stands in the file.
std::string VariantText(const QVariant& value) {
  if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(QStringLiteral(", ")).toStdString();
  return value.toString().toStdString();
}

}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Wendmoor"),
                                            QStringLiteral("Plumeboard"))) {
  settings_->setFallbacksEnabled(false);
}

QtSettingsStore::QtSettingsStore(const QString& iniPath)
    : settings_(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {
  settings_->setFallbacksEnabled(false);
}

QtSettingsStore::~QtSettingsStore() { settings_->sync(); }

std::optional<int> QtSettingsStore::ReadInt(std::string_view section, std::string_view key) const {
  if (!NamesOneKey(section, key)) return std::nullopt;
  const QVariant value = settings_->value(KeyPath(section, key));
  if (!value.isValid()) return std::nullopt;
  if (IsIntegerType(value)) {
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (!ok || number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max()) {
      return std::nullopt;
    }
    return static_cast<int>(number);
  }
  return ParseInt(VariantText(value));
}

std::optional<std::string> QtSettingsStore::ReadString(std::string_view section, std::string_view key) const {
  if (!NamesOneKey(section, key)) return std::nullopt;
  const QVariant value = settings_->value(KeyPath(section, key));
  if (!value.isValid()) return std::nullopt;
  return VariantText(value);
}

void QtSettingsStore::WriteInt(std::string_view section, std::string_view key, int value) {
  if (!NamesOneKey(section, key)) return;
  settings_->setValue(KeyPath(section, key), value);
}

void QtSettingsStore::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  if (!NamesOneKey(section, key)) return;
  settings_->setValue(KeyPath(section, key), Utf8(value));
}

void QtSettingsStore::Remove(std::string_view section, std::string_view key) {
  if (!NamesOneKey(section, key)) return;
  settings_->remove(KeyPath(section, key));
}

bool QtSettingsStore::Flush() {
  settings_->sync();
  return settings_->status() == QSettings::NoError;
}

QString QtSettingsStore::FileName() const { return settings_->fileName(); }

}  // namespace plume::platform
