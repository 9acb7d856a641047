#pragma once
// An application started offscreen with an in-memory store, a private lock
// folder, no web engine and a scripted message sink.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "FakeDocumentActions.h"
#include "document/DemoChart.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageSink.h"
#include "platform/qt/QtPixelCodec.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CTesselApp.h"

namespace plume::shell::testing {

class ShellUiTest : public ::testing::Test {
 protected:
  /// A new application over the fixture's store and lock folder; `fake`
  /// receives a pointer to its document actions.
  std::unique_ptr<CTesselApp> MakeApp(FakeDocumentActions** fake = nullptr) {
    AppOptions options;
    options.store = &store;
    options.lockFolder = lockDir.path();
    options.webEngine = false;
    options.programFolder = programDir.path().toStdString();
    options.makeDocument = [fake](document::ChartDocument& chart) {
      auto doc = std::make_unique<FakeDocumentActions>();
      doc->Follow(chart);
      if (fake) *fake = doc.get();
      return doc;
    };
    return std::make_unique<CTesselApp>(std::move(options));
  }
  /// A new application with the program's own document actions (real open and save).
  std::unique_ptr<CTesselApp> MakeProgramApp() {
    AppOptions options;
    options.store = &store;
    options.lockFolder = lockDir.path();
    options.webEngine = false;
    options.programFolder = programDir.path().toStdString();
    return std::make_unique<CTesselApp>(std::move(options));
  }
  /// Starts `app` and shows the demonstration chart in its window.
  static CMainFrame* ShowDemo(CTesselApp& app) {
    EXPECT_TRUE(app.Start(std::nullopt));
    CMainFrame* frame = app.Frame();
    if (!frame) return nullptr;
    document::FillDemoChart(*app.Chart(), platform::QtPixelCodec());
    frame->DocumentReplaced();
    return frame;
  }

  platform::MemorySettingsStore store;
  QTemporaryDir lockDir;
  QTemporaryDir programDir;
  platform::ScriptedMessageSink sink;
  platform::ScopedMessageSink guard{&sink};
};

/// The application started and showing the demonstration chart.
class DemoFrameTest : public ShellUiTest {
 protected:
  void SetUp() override {
    app = MakeApp(&doc);
    frame = ShowDemo(*app);
    ASSERT_NE(frame, nullptr);
  }
  std::unique_ptr<CTesselApp> app;
  FakeDocumentActions* doc = nullptr;
  CMainFrame* frame = nullptr;
};

}  // namespace plume::shell::testing
