#include "platform/MemorySettingsStore.h"

namespace plume::platform {

const MemorySettingsStore::Value* MemorySettingsStore::Find(std::string_view section, std::string_view key) const {
  const auto sectionIt = sections_.find(section);
  if (sectionIt == sections_.end()) return nullptr;
  const auto keyIt = sectionIt->second.find(key);
  return keyIt == sectionIt->second.end() ? nullptr : &keyIt->second;
}

std::optional<int> MemorySettingsStore::ReadInt(std::string_view section, std::string_view key) const {
  const Value* value = Find(section, key);
  if (value == nullptr) return std::nullopt;
  if (const int* number = std::get_if<int>(value)) return *number;
  return ParseInt(std::get<std::string>(*value));
}

std::optional<std::string> MemorySettingsStore::ReadString(std::string_view section, std::string_view key) const {
  const Value* value = Find(section, key);
  if (value == nullptr) return std::nullopt;
  if (const int* number = std::get_if<int>(value)) return std::to_string(*number);
  return std::get<std::string>(*value);
}

void MemorySettingsStore::WriteInt(std::string_view section, std::string_view key, int value) {
  if (section.empty() || key.empty()) return;
  auto& entries = sections_[std::string(section)];
  entries.insert_or_assign(std::string(key), Value(value));
}

void MemorySettingsStore::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  if (section.empty() || key.empty()) return;
  auto& entries = sections_[std::string(section)];
  entries.insert_or_assign(std::string(key), Value(std::string(value)));
}

void MemorySettingsStore::Remove(std::string_view section, std::string_view key) {
  const auto sectionIt = sections_.find(section);
  if (sectionIt == sections_.end()) return;
  const auto keyIt = sectionIt->second.find(key);
  if (keyIt != sectionIt->second.end()) sectionIt->second.erase(keyIt);
  if (sectionIt->second.empty()) sections_.erase(sectionIt);
}

bool MemorySettingsStore::Flush() { return !flushFails_; }

std::size_t MemorySettingsStore::Size() const {
  std::size_t count = 0;
  for (const auto& [name, entries] : sections_) count += entries.size();
  return count;
}

}  // namespace plume::platform
