// The processing dialog runs its job when shown and closes by the result.

#include "document/ui/CShoriDlg.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QProgressBar>
#include <QPushButton>
#include <filesystem>
#include <fstream>

#include "document/ui/QtFileDialogs.h"
#include "document/ui/ShoriDialogRunner.h"
#include "platform/ScriptedMessageSink.h"
#include "platform/cab/GcabCabinet.h"

namespace plume::document::ui {
namespace {

namespace fs = std::filesystem;

class CShoriDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/plume-shori-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root = pattern;
    std::ofstream(root / "data.bin", std::ios::binary) << std::string(300000, 'x');
  }
  void TearDown() override { fs::remove_all(root); }

  fs::path root;
  platform::GcabCabinet cabinet;
  platform::ScriptedMessageSink sink;
  platform::ScopedMessageSink guard{&sink};
};

TEST_F(CShoriDlgTest, PackAndUnpackCloseWithOkAndFillTheBar) {
  ShoriJob pack = ShoriJob::Pack(cabinet, root / "data.bin", "plan.pbd", root);
  CShoriDlg dialog(pack);
  EXPECT_TRUE(dialog.windowTitle().isEmpty());
  EXPECT_EQ(dialog.HideButton()->text(), QStringLiteral("非表示"));
  ASSERT_EQ(dialog.exec(), QDialog::Accepted);
  EXPECT_EQ(dialog.ProgressBar()->value(), 100);
  EXPECT_FALSE(dialog.HideButton()->isVisible());
  EXPECT_TRUE(fs::exists(root / "plan.pbd"));

  fs::create_directory(root / "out");
  ShoriJob unpack = ShoriJob::Unpack(cabinet, root / "out", "plan.pbd", root);
  ShoriDialogRunner runner;
  ASSERT_TRUE(runner.Run(unpack));
  EXPECT_EQ(fs::file_size(root / "out" / "plan.pbd"), 300000u);
  EXPECT_TRUE(sink.Messages().empty());
}

TEST_F(CShoriDlgTest, FailedJobClosesWithCancelAfterItsMessage) {
  std::ofstream(root / "bad.pbd") << "not a cabinet";
  ShoriJob unpack = ShoriJob::Unpack(cabinet, root / "out", "bad.pbd", root);
  CShoriDlg dialog(unpack);
  EXPECT_EQ(dialog.exec(), QDialog::Rejected);
  EXPECT_EQ(sink.Ids(), std::vector<int>{30036});
  EXPECT_EQ(sink.Last().prefix, "[File Copy]\n");
}

TEST(QtFileDialogs, FilterPairsBecomeQtNameFiltersInBothCases) {
  EXPECT_EQ(QtFileDialogs::NameFilters("Plumeboard File|*.PBD||"), QStringLiteral("Plumeboard File (*.PBD *.pbd)"));
  EXPECT_EQ(QtFileDialogs::NameFilters("A|*.a;*.B|All|*||"), QStringLiteral("A (*.a *.A *.B *.b);;All (*)"));
  // Names that already carry their patterns show them once.
  EXPECT_EQ(QtFileDialogs::NameFilters("Plumeboard Files (*.pbd)|*.pbd||"),
            QStringLiteral("Plumeboard Files (*.pbd *.PBD)"));
  EXPECT_EQ(QtFileDialogs::NameFilters("JPEGファイル(*.jpeg)|*.jpeg||"), QStringLiteral("JPEGファイル (*.jpeg *.JPEG)"));
}

// Renders the dialog half way for a look (PLUME_RENDER_DIR=folder to keep it).
TEST_F(CShoriDlgTest, RendersSmallUntitledBar) {
  ShoriJob pack = ShoriJob::Pack(cabinet, root / "data.bin", "plan.pbd", root);
  CShoriDlg dialog(pack);
  dialog.ProgressBar()->setValue(60);
  const QImage image = dialog.grab().toImage();
  EXPECT_EQ(image.size(), QSize(280, 64));
  if (const char* dir = getenv("PLUME_RENDER_DIR")) image.save(QString::fromUtf8(dir) + "/shori.png");
}

}  // namespace
}  // namespace plume::document::ui
