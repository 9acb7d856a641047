#pragma once
// The rules of the text edit dialog: what it edits, the byte limit, the
// counter line and the check on OK. Text is counted in code page 932 bytes,
// so a Japanese character counts 2 and a line break (CR LF) counts 2.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/MessageSink.h"

namespace plume::store {

/// What the dialog edits.
enum class EditMode {
  Title,  ///< a node title, at most 100 bytes
  Slip,   ///< a slip text, at most 1000 bytes
};

/// The byte limit of `mode`.
std::size_t EditByteLimit(EditMode mode);

/// The counter line: "[%d / 100]" for a title, "[%d / 1,000]" for a slip.
std::string EditCounterText(EditMode mode, std::size_t byteCount);

/// The check on OK: the stored form of `utf8Text` (ToStoredText) when it fits the limit of
/// `mode`; otherwise shows 30008 (error icon) and gives nothing.
std::optional<std::string> AcceptEditedText(EditMode mode, std::string_view utf8Text,
                                            platform::WindowRef owner = nullptr);

}  // namespace plume::store
