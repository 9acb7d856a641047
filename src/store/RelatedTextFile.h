#pragma once
// The file side of the related text dialog: reading the related text of a
// material, the question before its pane is overwritten, and saving it with
// the question and the failure messages.

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/MessageSink.h"

namespace plume::store {

/// The whole file as it stands (code page 932 bytes); empty when the file
/// cannot be opened or read completely. Never shows a message.
std::string LoadRelatedText(const std::filesystem::path& file);

/// Before the pane takes over the text area's text: asks 30089 (Yes/No) when
/// the pane holds text. True when the pane may be overwritten.
bool ConfirmTextTakeOver(bool paneEmpty, platform::WindowRef owner = nullptr);

/// How a save ended.
enum class RelatedTextSave {
  Saved,     ///< the file holds the text; the dialog closes with OK
  Declined,  ///< No to 30074; nothing touched
  Failed,    ///< folder or file could not be made; the old file is unchanged
};

/// Asks 30074 (Yes/No); on Yes creates `folder` and replaces `file` with
/// `cp932Text` byte for byte (an empty text gives an empty file). A folder
/// that cannot be created fails without a message; a file that cannot be
/// written shows 30026 with the path and "\n" as prefix. The new text goes
/// through a temporary file, so a failed write leaves the old text intact.
RelatedTextSave SaveRelatedText(const std::filesystem::path& folder, const std::filesystem::path& file,
                                std::string_view cp932Text, platform::WindowRef owner = nullptr);

}  // namespace plume::store
