#include "shell/ui/ChartDocumentActions.h"

#include "chartview/ui/CTesselView.h"
#include "document/ui/QtFileDialogs.h"
#include "document/ui/ShoriDialogRunner.h"
#include "shell/ui/CMainFrame.h"

namespace plume::shell {

ChartDocumentActions::ChartDocumentActions(document::ChartDocument& chart, platform::SettingsStore& settings,
                                           const platform::Cabinet& cabinet, const platform::PictureCodec& codec,
                                           document::JobGate* jobs)
    : doc_(chart, settings, cabinet, codec,
           document::DocumentServices{static_cast<platform::FileDialogs*>(this),
                                      static_cast<document::ShoriRunner*>(this),
                                      static_cast<document::DocumentViewHooks*>(this), jobs}) {}

ChartDocumentActions::~ChartDocumentActions() = default;

void ChartDocumentActions::AttachFrame(CMainFrame* frame) { frame_ = frame; }

void ChartDocumentActions::New() {
  // The chart's hooks show the new document in the view.
  doc_.NewDocument();
}

bool ChartDocumentActions::Open(const std::filesystem::path& path) {
  // The flows split at "/": a relative path from the command line is made whole.
  std::error_code error;
  const std::filesystem::path whole = std::filesystem::absolute(path, error);
  return doc_.OpenDocument(error ? path : whole);
}

std::optional<document::ScrollPosition> ChartDocumentActions::CurrentScroll() {
  if (!frame_) return std::nullopt;
  const QPoint scroll = frame_->ChartView()->ScrollPosition();
  return document::ScrollPosition{scroll.x(), scroll.y()};
}

void ChartDocumentActions::AddRecentFile(const std::filesystem::path& path) {
  if (frame_) frame_->RecentFileAdded(path);
}

std::optional<std::filesystem::path> ChartDocumentActions::AskSaveFile(const platform::SaveFileRequest& request) {
  if (dialogsOverride_) return dialogsOverride_->AskSaveFile(request);
  return document::ui::QtFileDialogs(frame_).AskSaveFile(request);
}

bool ChartDocumentActions::Run(document::ShoriJob& job) { return document::ui::ShoriDialogRunner(frame_).Run(job); }

}  // namespace plume::shell
