#include "store/RelatedTextFile.h"

#include <cstdio>
#include <fstream>
#include <system_error>

#include "platform/DurableFiles.h"
#include "platform/ExclusiveFile.h"
#include "platform/FileDescriptor.h"
#include "platform/Messages.h"
#include "store/StoreChanges.h"
#include "store/StorePaths.h"

namespace plume::store {

namespace fs = std::filesystem;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;
using platform::StringId;

std::string LoadRelatedText(const fs::path& file) {
  // Only a regular file: reading a folder through a stream throws.
  if (!platform::IsRegularFile(file)) return {};
  std::ifstream in(file, std::ios::binary);
  if (!in) return {};
  std::string bytes;
  char chunk[16384];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
  if (in.bad()) return {};
  return bytes;
}

bool ConfirmTextTakeOver(bool paneEmpty, platform::WindowRef owner) {
  if (paneEmpty) return true;
  return platform::ShowMessage(StringId::OverwriteTextAsk, {}, MsgIcon::Question, MsgButtons::YesNo, owner) ==
         MsgResult::Yes;
}

RelatedTextSave SaveRelatedText(const fs::path& folder, const fs::path& file, std::string_view cp932Text,
                                platform::WindowRef owner) {
  if (platform::ShowMessage(StringId::SaveTextAsk, {}, MsgIcon::Question, MsgButtons::YesNo, owner) != MsgResult::Yes) {
    return RelatedTextSave::Declined;
  }
  if (!EnsureFolder(folder)) return RelatedTextSave::Failed;

  // The store may be shared: the temporary file is created exclusively.
  platform::RemoveDeadTemporaries(file);
  platform::ExclusiveFile temporary(platform::TemporarySibling(file), 0666);
  if (temporary.IsOpen()) temporary.Stream().write(cp932Text.data(), static_cast<std::streamsize>(cp932Text.size()));
  const bool written = temporary.Finish();
  if (!written || rename(temporary.Path().c_str(), file.c_str()) != 0) {
    temporary.Discard();
    platform::ShowMessage(StringId::FileOpenFailed, file.string() + "\n", MsgIcon::Error, MsgButtons::Ok, owner);
    return RelatedTextSave::Failed;
  }
  NotifyStoreFileChanged(file);
  return RelatedTextSave::Saved;
}

}  // namespace plume::store
