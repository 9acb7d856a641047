#pragma once
// Do-nothing implementations of the chart view's host and port interfaces,
// for fakes that override only what a test looks at, and a counter of the
// document's change announcements.

#include <functional>
#include <optional>
#include <string>

#include "chartview/ConsolePort.h"
#include "chartview/ControllerHost.h"
#include "chartview/EditingPort.h"
#include "chartview/InlineEditorHost.h"
#include "chartview/ItemCommandHost.h"
#include "chartview/ViewFrame.h"
#include "document/ChartDocument.h"

namespace plume::testing {

/// Counts what a document announces: edits and repaint requests.
struct ChangeCounter {
  explicit ChangeCounter(document::ChartDocument& doc, int* modifiedCount = nullptr, int* repaintCount = nullptr)
      : modifiedOut(modifiedCount), repaintOut(repaintCount) {
    subscription = doc.Changes().Subscribe([this](document::Change change) {
      if (change == document::Change::Modified) Bump(modified, modifiedOut);
      if (change == document::Change::Repaint || change == document::Change::RepaintErased)
        Bump(repaints, repaintOut);
      if (change == document::Change::RepaintErased) ++erased;
    });
  }
  static void Bump(int& own, int* out) {
    ++own;
    if (out) ++*out;
  }
  int modified = 0;
  int repaints = 0;
  int erased = 0;  ///< repaints on a cleared window
  int* modifiedOut;
  int* repaintOut;
  document::DocumentChanges::Subscription subscription;
};

struct NullControllerHost : chartview::ControllerHost {
  void RepaintRect(const platform::IntRect&) override {}
  void DrawFeedback(chartview::FeedbackShape, const platform::IntRect&) override {}
  void EraseFeedback() override {}
  void SetFeedbackLabel(std::string_view, platform::Point) override {}
  void SetCursor(chartview::CursorRole) override {}
  void CaptureMouse() override {}
  void ReleaseMouse() override {}
  void TakeFocus() override {}
  int ShowContextMenu(const chartview::ContextMenu&, platform::Point) override { return 0; }
  chartview::MenuFacts QueryMenuFacts() override { return {}; }
  void RunCommand(int) override {}
  void SetTooltip(std::string_view) override {}
  void SetStatusText(std::string_view) override {}
  void SetPointerPane(std::string_view) override {}
  void StartTimer(int, int) override {}
  void StopTimer(int) override {}
  document::ColorRef PixelAt(platform::Point) override { return 0; }
  int TabAt(platform::Point) override { return -1; }
  int TabBandHeight() override { return 0; }
  void PageShown() override {}
  bool CanScrollVertically() override { return false; }
  void ScrollBy(int, int) override {}
};

/// Fakes start from the views without a console or editing.
using NullConsolePort = chartview::NoConsole;
using NullEditingPort = chartview::NoEditing;

struct NullInlineEditorHost : chartview::InlineEditorHost {
  void OpenEditor(const chartview::EditorSetup&) override {}
  std::string EditorText() const override { return {}; }
  void CloseEditor() override {}
  void MoveEditor(const platform::IntRect&) override {}
  void ShowBoxFeedback(const platform::IntRect&) override {}
  void TrackPointer(std::function<void(platform::Point, bool)>) override {}
  int ScreenDpiY() const override { return 96; }
  void Copy() override {}
  void Cut() override {}
  void Paste() override {}
};

struct NullItemCommandHost : chartview::ItemCommandHost {
  platform::Point MenuPoint() override { return {}; }
  bool InlineEditorOpen() override { return false; }
  void CloseInlineEditor() override {}
  std::optional<std::string> ClipboardText() override { return std::nullopt; }
  void DeleteMaterial(std::int32_t, std::string_view) override {}
  std::optional<std::string> EditText(const std::string&, bool) override { return std::nullopt; }
  void ShowNodeProperties(int) override {}
  void PickMaterials() override {}
  void ToggleFullScreen() override {}
  void RecordOwner(std::int32_t) override {}
  std::unique_ptr<platform::Picture> LoadMaterialPicture(std::string_view, std::int32_t,
                                                         document::ColorRef&) override {
    return nullptr;
  }
};

/// A main window that records what the chart view asks of it.
struct RecordingViewFrame : chartview::ViewFrame {
  std::string position, size, zoom, status, pointer;
  std::vector<int> commands;
  std::function<bool(int)> enabled;  ///< empty: every command is available
  std::function<int(platform::Point)> tabAt;
  int tabBand = 0, pagesShown = 0, trails = 0;
  std::string htmlTypeWord;

  void ShowItemPanes(std::string_view p, std::string_view s) override {
    position = p;
    size = s;
  }
  void ShowZoomPane(std::string_view text) override { zoom = text; }
  void ShowStatusText(std::string_view text) override { status = text; }
  void ShowPointerPane(std::string_view text) override { pointer = text; }
  int TabAt(platform::Point global) override { return tabAt ? tabAt(global) : -1; }
  int TabBandHeight() override { return tabBand; }
  void PageShown() override { ++pagesShown; }
  void RunCommand(int id) override { commands.push_back(id); }
  bool CommandEnabled(int id) override { return !enabled || enabled(id); }
  void CompleteMenuFacts(chartview::MenuFacts& facts) override { facts.htmlTypeWord = htmlTypeWord; }
  int PointerTrails() override { return trails; }
};

}  // namespace plume::testing
