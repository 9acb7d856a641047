#pragma once
// A view controller wired to the editing operations, with a fake editor box,
// a fake material store and a fake picture loader, for replaying resize,
// page-edge, dial and in-place editing events.

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../support/FakePicture.h"
#include "ControllerFixture.h"
#include "chartview/EditingController.h"
#include "platform/SettingsTable.h"

namespace plume::chartview::testing {

/// The editor box: remembers how it was opened and returns the typed text.
struct FakeEditorBox : plume::testing::NullInlineEditorHost {
  bool open = false;
  int opens = 0, moves = 0;
  EditorSetup setup;
  std::string typed;
  platform::IntRect box;
  std::function<void(platform::Point, bool)> tracking;

  void OpenEditor(const EditorSetup& s) override {
    open = true;
    ++opens;
    setup = s;
    typed = s.text;
    box = s.box;
  }
  std::string EditorText() const override { return typed; }
  void CloseEditor() override { open = false; }
  void MoveEditor(const platform::IntRect& b) override {
    box = b;
    ++moves;
  }
  void TrackPointer(std::function<void(platform::Point, bool)> report) override { tracking = std::move(report); }
};

struct FakeMaterials : MaterialAccess {
  std::optional<std::filesystem::path> file;
  std::map<std::int32_t, std::string> sources;
  std::vector<std::string> opened;

  std::optional<std::filesystem::path> DataFile(std::string_view, std::int32_t) override { return file; }
  std::string SourceAddress(std::int32_t serial) override {
    const auto it = sources.find(serial);
    return it == sources.end() ? std::string() : it->second;
  }
  void OpenInHtmlArea(std::string_view address) override { opened.emplace_back(address); }
};

/// Loads every file as a 10 x 10 picture; records the redraw it was asked for.
struct FakeLoader : document::PictureLoader {
  bool loads = true;
  document::ColorRef foundTrans = document::kNoColor;
  std::string redraw;  ///< "jpeg WxH" or "stretch WxH"

  std::unique_ptr<platform::Picture> LoadNodePicture(const std::filesystem::path&,
                                                     document::ColorRef& trans) override {
    if (!loads) return nullptr;
    trans = foundTrans;
    return std::make_unique<plume::testing::FakePicture>(10, 10, platform::Bytes{});
  }
  std::unique_ptr<platform::Picture> ResampleToJpeg(const platform::Picture&, int w, int h) override {
    redraw = "jpeg " + std::to_string(w) + "x" + std::to_string(h);
    return std::make_unique<plume::testing::FakePicture>(w, h, platform::Bytes{});
  }
  std::unique_ptr<platform::Picture> Stretch(const platform::Picture&, int w, int h) override {
    redraw = "stretch " + std::to_string(w) + "x" + std::to_string(h);
    return std::make_unique<plume::testing::FakePicture>(w, h, platform::Bytes{});
  }
};

class EditingFixture : public ControllerFixture, public ::testing::Test {
 public:
  void Select(int node) {
    doc->nodeStates[node].selected = 1;
    doc->focusedNode = node;
  }
  void SelectSlip(int slip) {
    doc->slips[slip].selected = 1;
    doc->focusedSlip = slip;
  }
  void Set(const platform::settings::IntSetting& s, int v) { platform::settings::Set(store, s, v); }

  void Press(int x, int y) { edit.LeftButtonDown({{x, y}, mouse::kLeft, {x, y}}); }
  void Drag(int x, int y) { edit.MouseMove({{x, y}, mouse::kLeft, {x, y}}); }
  void Release(int x, int y) { edit.LeftButtonUp({{x, y}, 0, {x, y}}); }
  void DragFromTo(int x0, int y0, int x1, int y1) {
    Press(x0, y0);
    Drag((x0 + x1) / 2, (y0 + y1) / 2);
    Drag(x1, y1);
    Release(x1, y1);
  }
  void DoubleClick(int x, int y) { edit.LeftDoubleClick({{x, y}, mouse::kLeft, {x, y}}); }

  FakeEditorBox box;
  FakeMaterials materials;
  FakeLoader loader;
  EditingController editing{view, host, store, &box, &materials, &loader};
  ViewController edit{view, host, nullptr, &editing};
};

}  // namespace plume::chartview::testing
