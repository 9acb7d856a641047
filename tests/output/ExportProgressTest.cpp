// The all-pages PDF export in the window: a progress dialog whose Cancel
// stops the export before the next page, leaving no file behind.

#include <gtest/gtest.h>

#include <QTimer>
#include <QWidget>

#include "tests/support/PdfTestFiles.h"
#include "convert/DocsmithLibrary.h"
#include "output/ui/ExportActions.h"
#include "chartview/ChartView.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageSink.h"

namespace plume::output::ui {
namespace {

TEST(ExportProgress, CancelInTheProgressDialogStopsTheExportAndWritesNothing) {
  convert::DocsmithLibrary::SetFolder(PLUME_DOCSMITH_DIR);
  platform::ScriptedMessageSink sink;
  platform::ScopedMessageSink guard(&sink);
  test::TempFolder folder;
  platform::MemorySettingsStore settings;
  chartview::WindowlessHost host;
  auto doc = document::ChartDocument::Create();
  doc->NewDocument();
  for (int p = 1; p < 6; ++p) {
    document::ChartDocument::InitPage(doc->pages[p], doc->NewPageId(), "p");
    doc->header.pageCount = static_cast<std::uint16_t>(p + 1);
  }
  chartview::ChartView view(*doc, settings, host);
  QWidget owner;
  ExportActions actions(view, settings, nullptr, &owner);

  int seen = 0;
  std::function<void()> cancelSoon = [&] {
    if (QProgressDialog* dialog = actions.ProgressDialog()) {
      if (++seen == 2) {
        dialog->grab().save(QString::fromStdString((folder.Path() / "progress.png").string()));
        dialog->cancel();
        return;
      }
    }
    QTimer::singleShot(0, cancelSoon);
  };
  QTimer::singleShot(0, cancelSoon);
  EXPECT_FALSE(actions.Export().WritePdf(true, folder.Path() / "all.pdf"));
  EXPECT_EQ(seen, 2);
  EXPECT_EQ(actions.ProgressDialog(), nullptr);
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "all.pdf"));
  EXPECT_TRUE(sink.Messages().empty());

  // Without a cancel every page arrives.
  ASSERT_TRUE(actions.Export().WritePdf(true, folder.Path() / "all.pdf"));
  EXPECT_EQ(test::PdfInfoField(test::RunCommand("pdfinfo " + test::Quoted(folder.Path() / "all.pdf")).output, "Pages"),
            "6");
  if (const char* shot = std::getenv("PLUME_SHOT_DIR"))
    std::filesystem::copy_file(folder.Path() / "progress.png", std::filesystem::path(shot) / "export-progress.png",
                               std::filesystem::copy_options::overwrite_existing);
  convert::DocsmithLibrary::SetFolder({});
}

}  // namespace
}  // namespace plume::output::ui
