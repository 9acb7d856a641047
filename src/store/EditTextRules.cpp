#include "store/EditTextRules.h"

#include "platform/Messages.h"
#include "store/StoredText.h"

namespace plume::store {

std::size_t EditByteLimit(EditMode mode) { return mode == EditMode::Title ? 100 : 1000; }

std::string EditCounterText(EditMode mode, std::size_t byteCount) {
  return "[" + std::to_string(byteCount) + (mode == EditMode::Title ? " / 100]" : " / 1,000]");
}

std::optional<std::string> AcceptEditedText(EditMode mode, std::string_view utf8Text, platform::WindowRef owner) {
  std::string stored = ToStoredText(utf8Text);
  if (stored.size() > EditByteLimit(mode)) {
    platform::ShowMessage(platform::StringId::TextTooLong, {}, platform::MsgIcon::Error, platform::MsgButtons::Ok,
                          owner);
    return std::nullopt;
  }
  return stored;
}

}  // namespace plume::store
