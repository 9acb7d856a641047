// The chart item commands and the store dialogs reached from the main window:
// shortcuts through the view, the ribbon's paste state, and the search and
// content check commands opening their dialogs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

#include "chartview/ui/CTesselView.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageSink.h"
#include "shell/CommandTable.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CTesselApp.h"
#include "shell/ui/CommandRouter.h"
#include "document/DemoChart.h"
#include "platform/qt/QtPixelCodec.h"
#include "store/ui/CDbDlg.h"
#include "store/ui/CDbPropDlg.h"

#include "ShellUiFixture.h"

namespace plume::shell {
namespace {

using chartview::Key;
using platform::MsgResult;

/// Closes the next modal dialog of type T once it shows; counts the ones seen.
template <typename T>
void CloseWhenShown(int& seen) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, poll, [poll, &seen] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* d = qobject_cast<T*>(w); d && d->isVisible()) {
        ++seen;
        d->reject();
        poll->deleteLater();
        return;
      }
    }
  });
  poll->start(20);
}

class MaterialFrameTest : public testing::ShellUiTest {
 protected:
  CMainFrame* Start() {
    app = MakeProgramApp();
    return ShowDemo(*app);
  }
  void Press(CMainFrame* frame, chartview::Key key, bool ctrl = true) {
    frame->ChartView()->Controller().KeyDown({key, ctrl});
  }

  std::unique_ptr<CTesselApp> app;
};

TEST_F(MaterialFrameTest, ShortcutsSelectCopyPasteAndDeleteThroughTheView) {
  CMainFrame* frame = Start();
  document::ChartDocument& doc = *app->Chart();
  const int before = doc.nodeCount;
  const int paste = static_cast<int>(CommandId::ID_VIEW_PASTE);
  EXPECT_FALSE(frame->Router().State(paste).enabled);
  Press(frame, Key::A);
  ASSERT_GE(doc.focusedNode, 0);
  Press(frame, Key::C);
  EXPECT_TRUE(frame->Router().State(paste).enabled);
  Press(frame, Key::V);
  const int pasted = doc.nodeCount - before;
  EXPECT_GT(pasted, 0);
  // Delete asks first; a cancelled deletion still empties the item clipboard.
  sink.Answer(MsgResult::Cancel);
  Press(frame, Key::Delete, false);
  EXPECT_EQ(sink.Last().id, 30033);
  EXPECT_EQ(doc.nodeCount, before + pasted);
  EXPECT_FALSE(frame->Router().State(paste).enabled);
  sink.Answer(MsgResult::No);
  Press(frame, Key::Delete, false);
  EXPECT_EQ(doc.nodeCount, before);
}

TEST_F(MaterialFrameTest, SearchAndContentCheckOpenTheirDialogs) {
  CMainFrame* frame = Start();
  const int search = static_cast<int>(CommandId::ID_DB_SEARCH);
  const int check = static_cast<int>(CommandId::ID_DB_PROP);
  ASSERT_TRUE(frame->Router().State(search).enabled);
  ASSERT_TRUE(frame->Router().State(check).enabled);
  // Without a store folder the content check asks for one (30016); No leaves the dialog empty.
  sink.Answer(MsgResult::No);
  int seenSearch = 0, seenCheck = 0;
  CloseWhenShown<store::CDbDlg>(seenSearch);
  frame->Router().Trigger(search);
  EXPECT_EQ(seenSearch, 1);
  CloseWhenShown<store::CDbPropDlg>(seenCheck);
  frame->Router().Trigger(check);
  EXPECT_EQ(seenCheck, 1);
}

}  // namespace
}  // namespace plume::shell
