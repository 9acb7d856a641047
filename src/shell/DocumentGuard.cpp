#include "shell/DocumentGuard.h"

#include "platform/Messages.h"

namespace plume::shell {

namespace {
std::string DisplayName(const DocumentActions& document) {
  const auto path = document.Path();
  return path.empty() ? std::string(kUntitledName) : path.filename().string();
}
}  // namespace

std::string WindowTitle(const DocumentActions& document) {
  return DisplayName(document) + (document.IsModified() ? "*" : "") + " - " + platform::kAppTitle;
}

bool ConfirmDiscard(DocumentActions& document) {
  if (!document.IsModified()) return true;
  using platform::MsgResult;
  const MsgResult answer = platform::ShowMessage(platform::StringId::SaveChangesAsk, DisplayName(document) + "\n",
                                                 platform::MsgIcon::Question, platform::MsgButtons::YesNoCancel);
  switch (answer) {
    case MsgResult::Yes:
      return document.Save();
    case MsgResult::No:
      return true;
    default:
      return false;
  }
}

}  // namespace plume::shell
