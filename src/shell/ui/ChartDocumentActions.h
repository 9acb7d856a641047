#pragma once
// The document actions of the program over the document object: new, open,
// save and save as of the one ChartDocument through CTesselDoc, with the
// system's file choosers, the processing dialog and, once the main frame is
// attached, the frame's view, page tabs and recent file list.

#include <QPointer>
#include <QWidget>

#include <memory>

#include "document/CTesselDoc.h"
#include "document/ShoriRunner.h"
#include "platform/FileDialogs.h"
#include "shell/DocumentActions.h"

namespace plume::shell {

class CMainFrame;

class ChartDocumentActions final : public DocumentActions,
                                   private document::DocumentViewHooks,
                                   private platform::FileDialogs,
                                   private document::ShoriRunner {
 public:
  /// Everything given must outlive the actions; saves and opens hold `jobs` (may be null) while they run.
  ChartDocumentActions(document::ChartDocument& chart, platform::SettingsStore& settings,
                       const platform::Cabinet& cabinet, const platform::PictureCodec& codec,
                       document::JobGate* jobs = nullptr);
  ~ChartDocumentActions() override;

  /// From now on the dialogs are modal to `frame`, and its view, tabs and
  /// recent file list follow the document. Null detaches.
  void AttachFrame(CMainFrame* frame);
  /// Replaces the system's save-file chooser (tests); null restores it.
  void SetFileDialogs(platform::FileDialogs* dialogs) { dialogsOverride_ = dialogs; }
  document::CTesselDoc& Doc() { return doc_; }

  // DocumentActions
  void New() override;
  bool Open(const std::filesystem::path& path) override;
  bool Save() override { return doc_.Save(); }
  bool SaveAs() override { return doc_.SaveAs(); }
  bool EnsureSaved() override { return doc_.EnsureSaved(); }
  bool IsModified() const override { return doc_.IsModified(); }
  std::filesystem::path Path() const override { return doc_.Path(); }

 private:
  // DocumentViewHooks
  std::optional<document::ScrollPosition> CurrentScroll() override;
  void AddRecentFile(const std::filesystem::path& path) override;
  // FileDialogs
  std::optional<std::filesystem::path> AskSaveFile(const platform::SaveFileRequest& request) override;
  // ShoriRunner
  bool Run(document::ShoriJob& job) override;

  document::CTesselDoc doc_;
  QPointer<CMainFrame> frame_;
  platform::FileDialogs* dialogsOverride_ = nullptr;
};

}  // namespace plume::shell
