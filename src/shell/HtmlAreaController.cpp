#include "shell/HtmlAreaController.h"

#include <algorithm>

#include "convert/DetectType.h"
#include "platform/Cp932.h"
#include "platform/Messages.h"
#include "platform/SettingsTable.h"

namespace plume::shell {

namespace settings = platform::settings;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;
using platform::ShowMessage;
using platform::StringId;

HtmlAreaController::HtmlAreaController(platform::WebView& view, platform::SettingsStore& store,
                                       const platform::PdfText& pdfText, HtmlAreaHost& host,
                                       std::filesystem::path scratchFolder)
    : view_(view), store_(store), pdfText_(pdfText), host_(host), scratch_(std::move(scratchFolder)),
      bookmarks_(store) {
  view_.loadFinished = [this](const std::string& address, bool ok) { OnLoadFinished(address, ok); };
  view_.statusText = [this](const std::string& text) {
    link_ = text;
    host_.SetStatusPane(text);
  };
  view_.newWindowRefused = [this](const std::string& address, bool) { OnNewWindowRefused(address); };
}

HtmlAreaController::~HtmlAreaController() {
  view_.loadFinished = nullptr;
  view_.statusText = nullptr;
  view_.newWindowRefused = nullptr;
}

void HtmlAreaController::Start(bool showHome) {
  view_.SetTextSize(textSize_);
  if (showHome) GoHome();
}

bool HtmlAreaController::Navigate(std::string_view address) {
  const std::string target = AddressFromTyped(address);
  if (target.empty()) return false;
  if (!IsNavigable(target)) {
    ShowMessage(StringId::AddressNotAllowed, std::string(address) + "\n", MsgIcon::Error);
    return false;
  }
  view_.Navigate(target);
  return true;
}

void HtmlAreaController::GoHome() { Navigate(settings::Get(store_, settings::KanSet::Home)); }

void HtmlAreaController::SetHome() {
  const std::string address = view_.Address();
  if (address.empty() || address == "about:blank") return;
  const MsgResult answer = ShowMessage(StringId::SetHomeAsk, {}, MsgIcon::Question, MsgButtons::YesNoCancel);
  if (answer == MsgResult::Yes) {
    settings::Set(store_, settings::KanSet::Home, address);
  } else if (answer == MsgResult::No) {
    settings::Set(store_, settings::KanSet::Home, "about:blank");
  } else {
    return;
  }
  ShowMessage(StringId::HomeSet, {}, MsgIcon::Information);
}

void HtmlAreaController::LargerText() {
  textSize_ = std::min(textSize_ + 1, kMaxTextSize);
  view_.SetTextSize(textSize_);
}

void HtmlAreaController::SmallerText() {
  textSize_ = std::max(textSize_ - 1, 0);
  view_.SetTextSize(textSize_);
}

void HtmlAreaController::Go(std::string_view typed) {
  if (!typed.empty()) Navigate(typed);
}

void HtmlAreaController::OpenBookmark(int slot) {
  const std::string address = bookmarks_.Address(slot);
  if (!address.empty()) Navigate(address);
}

void HtmlAreaController::AddBookmark() { bookmarks_.Add(view_.Address(), view_.Title()); }

void HtmlAreaController::DeleteBookmark(int slot) {
  const auto entries = bookmarks_.Entries();
  if (slot < 0 || slot >= static_cast<int>(entries.size())) return;
  const std::string prefix = platform::Cp932ToUtf8(entries[slot].caption) + "\n";
  if (ShowMessage(StringId::DeleteBookmarkAsk, prefix, MsgIcon::Question, MsgButtons::YesNo) != MsgResult::Yes) return;
  bookmarks_.Remove(slot);
}

void HtmlAreaController::WebSearch(std::string_view words, SearchKind kind) {
  if (words.empty()) return;
  if (Navigate(WebSearchAddress(words, kind))) settings::Set(store_, settings::Last::WebGoku, words);
}

void HtmlAreaController::OnLoadFinished(const std::string& address, bool ok) {
  ++generation_;
  host_.SetAddressField(address);
  pageType_ = convert::DetectType(address);
  host_.ShowPageType(pageType_);
  if (pdfTimerRunning_) {
    host_.StopPdfTimer();
    pdfTimerRunning_ = false;
  }
  if (pageType_ == "PDF") {
    host_.SetTextAreaText({});
    progress_ = {};
    host_.StartPdfTimer();
    pdfTimerRunning_ = true;
    StartPdfText(address);
    return;
  }
  if (pageType_ != "HTML") return;
  host_.SetTextAreaText({});
  if (!ok) return;
  const unsigned generation = generation_;
  std::weak_ptr<int> alive = alive_;
  view_.PageText([this, generation, alive](std::string text) {
    if (alive.expired() || generation != generation_) return;
    host_.SetTextAreaText(TidyForTextArea(text));
  });
}

void HtmlAreaController::OnNewWindowRefused(const std::string& address) {
  // Only a link the pointer is on opens, and then in this area; a script's
  // own window request opens nothing.
  if (link_.starts_with("http") && link_ == address) Navigate(link_);
}

void HtmlAreaController::StartPdfText(const std::string& address) {
  pdfAddress_ = address;
  const std::string local = LocalPathOf(address);
  if (!local.empty()) {
    ExtractOnWorker(local, false);
    return;
  }
  if (scratch_.empty()) return;
  const unsigned generation = generation_;
  const std::filesystem::path file = scratch_ / ("pdftext-" + std::to_string(generation) + ".pdf");
  std::weak_ptr<int> alive = alive_;
  view_.Download(address, file, [this, generation, alive, file](bool ok) {
    if (alive.expired() || generation != generation_ || !pdfTimerRunning_ || !ok) {
      std::error_code ec;
      std::filesystem::remove(file, ec);
      return;
    }
    ExtractOnWorker(file, true);
  });
}

void HtmlAreaController::ExtractOnWorker(std::filesystem::path file, bool removeAfter) {
  const unsigned generation = generation_;
  std::weak_ptr<int> alive = alive_;
  // Replacing the worker stops the previous extraction (between pages) and waits for it.
  worker_ = std::jthread([this, file = std::move(file), removeAfter, generation, alive](std::stop_token stop) {
    platform::PdfTextResult result = pdfText_.FromFile(file, stop);
    if (removeAfter) {
      std::error_code ec;
      std::filesystem::remove(file, ec);
    }
    if (stop.stop_requested()) return;
    host_.Post([this, generation, alive, result = std::move(result)] {
      if (!alive.expired()) PdfTextArrived(generation, result);
    });
  });
}

void HtmlAreaController::PdfTextArrived(unsigned generation, const platform::PdfTextResult& result) {
  if (generation != generation_ || !pdfTimerRunning_) return;
  host_.StopPdfTimer();
  pdfTimerRunning_ = false;
  if (result.ok && !result.text.empty()) host_.SetTextAreaText(result.text);
  progress_.done = true;
  progress_.address = pdfAddress_;
}

void HtmlAreaController::PdfTimerTick() {
  if (!pdfTimerRunning_) return;
  if (++progress_.ticks < kPdfTextTicks) return;
  host_.StopPdfTimer();
  pdfTimerRunning_ = false;
  worker_.request_stop();
  host_.SetTextAreaText({});
}

}  // namespace plume::shell
