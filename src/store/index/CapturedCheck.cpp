#include "store/index/CapturedCheck.h"

#include "platform/Cp932.h"
#include "platform/Messages.h"
#include "store/Sha256.h"
#include "store/index/IndexService.h"

namespace plume::store::index {

namespace {

/// How long a lookup waits for this process's own last registration to reach the index.
constexpr std::chrono::milliseconds kFreshness{500};

}  // namespace

std::string CapturedCheck::Describe(Serial serial, const MaterialInfo& info) {
  return "シリアルNo：" + FormatSerial(serial) + "\nタイトル：" + platform::Cp932ToUtf8(info.title) +
         "\n取得日時：" + platform::Cp932ToUtf8(info.createDate) + "\n\n";
}

bool CapturedCheck::Ask(Serial serial, const MaterialInfo& info, platform::WindowRef owner) {
  switch (platform::ShowMessage(platform::StringId::AlreadyCapturedAsk, Describe(serial, info),
                                platform::MsgIcon::Question, platform::MsgButtons::YesNoCancel, owner)) {
    case platform::MsgResult::Yes:
      return true;
    case platform::MsgResult::No:
      if (showExisting_) showExisting_(serial, info);
      return false;
    default:
      return false;
  }
}

bool CapturedCheck::ProceedWithFile(const std::filesystem::path& file, platform::WindowRef owner) {
  IndexKeeper* keeper = index_.Keeper();
  if (keeper == nullptr) return true;
  const std::string hash = FileSha256(file);
  Serial serial = 0;
  keeper->WaitForChanges(kFreshness);
  const auto found = keeper->FindByHash(hash, &serial);
  return !found || Ask(serial, *found, owner);
}

bool CapturedCheck::ProceedWithAddress(std::string_view address, platform::WindowRef owner) {
  IndexKeeper* keeper = index_.Keeper();
  if (keeper == nullptr || address.empty()) return true;
  Serial serial = 0;
  keeper->WaitForChanges(kFreshness);
  const auto found = keeper->FindByAddress(address, &serial);
  return !found || Ask(serial, *found, owner);
}

}  // namespace plume::store::index
