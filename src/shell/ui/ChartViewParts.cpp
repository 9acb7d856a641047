#include "shell/ui/ChartViewParts.h"

#include "shell/ui/StoreMaterialAccess.h"

#include <QScrollBar>

#include "convert/PictureServices.h"
#include "convert/ui/NodeImageCommand.h"
#include "chartview/EditingController.h"
#include "chartview/MaterialAccess.h"
#include "document/PictureLoader.h"
#include "chartview/ZoomConsole.h"
#include "chartview/ui/CMyEdit.h"
#include "chartview/ui/CTesselView.h"
#include "platform/Cp932.h"
#include "store/InfoFile.h"
#include "store/MaterialStore.h"

namespace plume::shell {

using chartview::CTesselView;

/// The console's requests carried out by the view (erasable frames) and its
/// frame (the status panes).
class ChartViewParts::ConsoleAdapter : public chartview::ConsoleHost {
 public:
  explicit ConsoleAdapter(CTesselView& view) : view_(view) {}
  void DrawDragFrame(const platform::IntRect& client, platform::CanvasColor color) override {
    view_.ShowFeedbackFrame(client, color, 1);
  }
  void EraseDragFrame() override { view_.EraseFeedback(); }
  void ClearItemPanes() override { view_.Frame().ShowItemPanes({}, {}); }
  void ShowZoomPane(std::string_view text) override { view_.Frame().ShowZoomPane(text); }

 private:
  CTesselView& view_;
};


ChartViewParts::ChartViewParts(CTesselView& view, platform::SettingsStore& settings, store::MaterialStore& materials,
                               convert::PictureServices& pictures,
                               std::function<void(const std::string& address)> openAddress)
    : view_(&view),
      materials_(std::make_unique<StoreMaterialAccess>(materials, std::move(openAddress))),
      consoleHost_(std::make_unique<ConsoleAdapter>(view)) {
  console_ = std::make_unique<chartview::ZoomConsole>(view.View(), settings, *consoleHost_, pictures.pictures);
  if (console_->CreateImages()) {
    chartview::ZoomConsole* console = console_.get();
    view.SetConsolePort(console);
    for (int id : {chartview::ZoomConsole::kCmdAlwaysShown, chartview::ZoomConsole::kCmdShowTopLeft}) {
      view.AddViewCommand(id, [console, id] { console->RunCommand(id); });
    }
    // The console steps aside while a scroll bar is dragged.
    for (QScrollBar* bar : {view.horizontalScrollBar(), view.verticalScrollBar()}) {
      scrollConnections_.push_back(
          QObject::connect(bar, &QScrollBar::sliderPressed, bar, [console] { console->HideForScroll(); }));
      scrollConnections_.push_back(
          QObject::connect(bar, &QScrollBar::sliderReleased, bar, [console] { console->ShowAfterScroll(); }));
    }
  } else {
    console_.reset();
  }

  auto* box = new chartview::CMyEdit(view.viewport());
  QPointer<CTesselView> guarded(&view);
  box->trackPointer = [guarded](std::function<void(platform::Point, bool)> report) {
    if (guarded) guarded->TrackPointer(std::move(report));
  };
  editing_ = std::make_unique<chartview::EditingController>(view.View(), view.Host(), settings, box,
                                                            materials_.get(), &pictures.loader);
  editing_->feedbackFrame = [guarded](const platform::IntRect& r, platform::CanvasColor c, int width) {
    if (guarded) guarded->ShowFeedbackFrame(r, c, width);
  };
  view.SetEditingPort(editing_.get());
  view.RebuildConsole();

  nodeImage_ =
      std::make_unique<convert::ui::NodeImageCommand>(view.View().Document(), settings, pictures.pixels, &view);
  view.AddViewCommand(convert::NodeImageSaver::kCmdSaveNodeImage, [command = nodeImage_.get()] { command->Run(); });
}

ChartViewParts::~ChartViewParts() {
  if (!view_) return;
  SaveState();
  view_->SetEditingPort(nullptr);
  view_->SetConsolePort(nullptr);
  // Nothing the view keeps may still point at the console.
  if (console_) {
    for (int id : {chartview::ZoomConsole::kCmdAlwaysShown, chartview::ZoomConsole::kCmdShowTopLeft})
      view_->RemoveViewCommand(id);
  }
  for (const QMetaObject::Connection& c : scrollConnections_) QObject::disconnect(c);
  view_->RemoveViewCommand(convert::NodeImageSaver::kCmdSaveNodeImage);
}

void ChartViewParts::SaveState() {
  if (console_) console_->SavePosition();
}

void ChartViewParts::CloseEditorForDelete() { editing_->CloseEditorForDelete(); }

}  // namespace plume::shell
