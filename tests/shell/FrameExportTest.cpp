// The export commands run from the main window: the tab menu's all-pages PDF
// and the page image, through the real file chooser, the PDF writers and the
// helper library.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "convert/DocsmithLibrary.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageSink.h"
#include "shell/CommandTable.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CTesselApp.h"
#include "shell/ui/CommandRouter.h"
#include "document/DemoChart.h"
#include "platform/qt/QtPixelCodec.h"

#include "ChooseFileWhenAsked.h"
#include "ShellUiFixture.h"

namespace plume::shell {
namespace {

namespace fs = std::filesystem;
using platform::MsgResult;

std::string Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class FrameExportTest : public testing::ShellUiTest {
 protected:
  CMainFrame* Start() {
    convert::DocsmithLibrary::SetFolder(PLUME_DOCSMITH_DIR);
    app = MakeProgramApp();
    return ShowDemo(*app);
  }
  fs::path Temp(const char* name) const { return fs::path(dir.path().toStdString()) / name; }

  QTemporaryDir dir;
  std::unique_ptr<CTesselApp> app;
};

TEST_F(FrameExportTest, AllPagesBecomeOnePdfWithAPageForEachChartPage) {
  CMainFrame* frame = Start();
  const int pages = app->Chart()->header.pageCount;
  ASSERT_GT(pages, 1);
  const fs::path out = Temp("chart.pdf");
  ChooseFileWhenAsked(QString::fromStdString(out.string()));
  sink.Answer(MsgResult::Yes);  // every page
  ASSERT_TRUE(frame->Router().Trigger(static_cast<int>(CommandId::ID_PAGE_ALL_PDF)));
  EXPECT_EQ(sink.Ids(), std::vector<int>{30056});
  const std::string pdf = Contents(out);
  ASSERT_EQ(pdf.rfind("%PDF-", 0), 0u);
  EXPECT_NE(pdf.find("/Count " + std::to_string(pages)), std::string::npos);
  EXPECT_NE(pdf.find("/Creator"), std::string::npos);  // the document information was added
}

TEST_F(FrameExportTest, ThePageImageIsAJpegAndTheRibbonPdfAsksForAllPages) {
  CMainFrame* frame = Start();
  const fs::path image = Temp("page.jpeg");
  ChooseFileWhenAsked(QString::fromStdString(image.string()));
  ASSERT_TRUE(frame->Router().Trigger(static_cast<int>(CommandId::ID_FILE_IMAGE2)));
  const std::string jpeg = Contents(image);
  ASSERT_GE(jpeg.size(), 2u);
  EXPECT_EQ(static_cast<unsigned char>(jpeg[0]), 0xFF);
  EXPECT_EQ(static_cast<unsigned char>(jpeg[1]), 0xD8);

  // Cancel at the all-pages question writes nothing.
  sink.Reset();
  sink.Answer(MsgResult::Cancel);
  ASSERT_TRUE(frame->Router().Trigger(static_cast<int>(CommandId::ID_PDF_SAVE)));
  ASSERT_FALSE(sink.Ids().empty());
  EXPECT_EQ(sink.Ids().front(), 30056);
  EXPECT_FALSE(fs::exists(Temp("chart.pdf")));
}

}  // namespace
}  // namespace plume::shell
