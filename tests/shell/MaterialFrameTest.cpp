// The chart item commands and the store dialogs reached from the main window:
// shortcuts through the view, the ribbon's paste state, and the search and
// content check commands opening their dialogs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QFileDialog>
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
#include "store/MaterialStore.h"
#include "store/StorePaths.h"
#include "store/ui/CDbDlg.h"
#include "shell/ui/MaterialCommandBinding.h"
#include "platform/SettingsTable.h"
#include "store/ui/CDbPropDlg.h"

#include "ShellUiFixture.h"

namespace plume::shell {
namespace {

using chartview::Key;
using platform::MsgResult;

/// Closes the next modal dialog of type T once it shows; counts the ones seen.
template <typename T>
void CloseWhenShown(int& seen) {
  auto* poll = new QTimer(qApp);  // a poll whose dialog never comes goes with the application
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

// Pasting from the store needs a document on disk: an unsaved document is
// asked about first (30023), and only a Yes brings the file chooser.
// A material pasted from the store becomes a picture node as a registration
// makes one: transparency keyed, fitted to the node width, opaque pictures
// kept as JPEG in the document.
TEST_F(MaterialFrameTest, MaterialsPastedFromTheStoreGoThroughTheNodePictureLoader) {
  QTemporaryDir dir;
  platform::settings::Set(store, platform::settings::KanSet::StorePath, dir.path().toStdString() + "/Data");
  CMainFrame* frame = Start();
  const auto root = std::filesystem::path(dir.path().toStdString()) / "Data" / "PLUMEDATA";
  struct Case {
    const char* what;
    int width;
    bool transparent;
  };
  const int fitWidth = platform::settings::Get(store, platform::settings::KanSet::ImageDefW);
  const std::vector<Case> cases = {{"transparent", 60, true}, {"opaque", 60, false}, {"wide", fitWidth * 2, false}};
  std::int32_t serial = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::filesystem::path file = store::MaterialStore::DataFileIn(root, "PNG", store::FormatSerial(++serial));
    std::filesystem::create_directories(file.parent_path());
    QImage image(c.width, 40, QImage::Format_ARGB32);
    image.fill(QColor(200, 30, 30));
    if (c.transparent) {
      image.fill(Qt::transparent);
      image.setPixelColor(5, 5, QColor(0, 0, 255));
    }
    ASSERT_TRUE(image.save(QString::fromStdString(file.string()), "PNG"));
    document::ChartDocument& doc = *app->Chart();
    const auto result = frame->MaterialCommands().Commands().PasteMaterials({{"PNG", serial, "t", c.width, 40}});
    ASSERT_EQ(result.created, 1);
    const document::NodeRecord& node = doc.nodes[doc.nodeCount - 1];
    const platform::Picture* picture = doc.NodePicture(doc.nodeCount - 1);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(node.transColor != document::kNoColor, c.transparent);
    EXPECT_EQ(node.rect.right - node.rect.left, std::min(c.width, fitWidth) / 2 * 2);
    const platform::Bytes bytes = picture->EncodedBytes();
    if (!c.transparent) {
      EXPECT_TRUE(bytes.size() > 2 && bytes[0] == 0xFF && bytes[1] == 0xD8) << "kept as JPEG";
    }
  }
}

TEST_F(MaterialFrameTest, PasteFromTheStoreAsksBeforeTheSaveChooser) {
  CMainFrame* frame = Start();
  chartview::ItemCommands& commands = frame->MaterialCommands().Commands();
  static int choosers = 0, searches = 0;  // the polls may outlive the test
  choosers = searches = 0;
  CloseWhenShown<QFileDialog>(choosers);
  CloseWhenShown<store::CDbDlg>(searches);
  sink.Answer(MsgResult::No);
  ASSERT_TRUE(commands.Run(chartview::ItemCommands::kNodesFromStore));
  EXPECT_EQ(sink.Ids(), std::vector<int>{30023});
  EXPECT_EQ(choosers, 0);
  sink.Answer(MsgResult::Yes);  // the chooser is cancelled: still no search
  commands.Run(chartview::ItemCommands::kNodesFromStore);
  EXPECT_EQ(sink.Ids(), (std::vector<int>{30023, 30023}));
  EXPECT_EQ(choosers, 1);
  EXPECT_EQ(searches, 0);
}

}  // namespace
}  // namespace plume::shell
