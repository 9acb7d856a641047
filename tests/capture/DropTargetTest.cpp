// What the chart view's drop target reads out of drag data, and that a drop
// reaches the registration flows at the drop point plus the scroll position.

#include <gtest/gtest.h>

#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include "capture/RegistrationFlows.h"
#include "capture/ui/CMyDropTarget.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageSink.h"
#include "platform/SettingsTable.h"
#include "store/MaterialStore.h"
#include "tests/capture/RegistrationFakes.h"

namespace plume::capture::test {
namespace {

using ui::CMyDropTarget;
using ui::ReadDroppedData;

QMimeData* MozUrl(const QString& text) {
  auto* mime = new QMimeData;
  mime->setData("text/x-moz-url", QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2));
  return mime;
}

TEST(DropTarget, ReadsFilesAndLinksFromEachFormat) {
  QMimeData files;
  files.setUrls({QUrl::fromLocalFile("/tmp/a.jpg"), QUrl::fromLocalFile("/tmp/b.pdf")});
  EXPECT_EQ(ReadDroppedData(files).files, (QStringList{"/tmp/a.jpg", "/tmp/b.pdf"}));

  QMimeData link;
  link.setUrls({QUrl::fromEncoded("http://a.jp/%E3%81%82.png")});
  EXPECT_EQ(ReadDroppedData(link).link, "http://a.jp/%E3%81%82.png");  // escapes kept for the link rules

  std::unique_ptr<QMimeData> moz(MozUrl("https://img.jp/c.gif\nA picture"));
  EXPECT_EQ(ReadDroppedData(*moz).link, "https://img.jp/c.gif");

  QMimeData text;
  text.setText(" http://a.jp/x.tif \n");
  EXPECT_EQ(ReadDroppedData(text).link, "http://a.jp/x.tif");
  text.setText("just words");
  EXPECT_FALSE(CMyDropTarget::Accepts(text));
}

TEST(DropTarget, DropRegistersAtThePointPlusScroll) {
  platform::ScriptedMessageSink sink;
  platform::ScopedMessageSink guard(&sink);
  const fs::path dir = fs::temp_directory_path() / ("plume-drop-" + std::to_string(::getpid()));
  fs::create_directories(dir / "work");
  platform::MemorySettingsStore settings;
  platform::settings::Set(settings, platform::settings::KanSet::StorePath, (dir / "Data").string());
  store::MaterialStore store(settings);
  FakeHost host;
  FakeHtml html;
  FakeText text;
  FakeCapture capture;
  FakePdf pdf;
  FakePictures pictures;
  FakeDownloads downloads;
  FakeClipboard clipboard;
  RegistrationFlows flows(RegistrationPorts{host, store, settings, html, text, capture, pdf, pictures, downloads,
                                            clipboard, [&] { return dir / "work"; }});
  QWidget viewport;
  CMyDropTarget target(&viewport, flows, [](QPoint p) { return InsertionPoint{p.x() + 200, p.y()}; });
  EXPECT_TRUE(viewport.acceptDrops());

  WriteAll(dir / "photo.png", "png");
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(QString::fromStdString((dir / "photo.png").string()))});
  ASSERT_TRUE(target.Drop(mime, QPoint(100, 40)));
  EXPECT_EQ(host.chart->nodes[0].rect.left, 300 - 75);  // centred on the point, 150 wide

  mime.setUrls({QUrl::fromLocalFile("/tmp/a.png"), QUrl::fromLocalFile("/tmp/b.png")});
  EXPECT_FALSE(target.Drop(mime, QPoint(0, 0)));
  ASSERT_EQ(sink.Messages().size(), 1u);
  EXPECT_EQ(sink.Messages()[0].id, static_cast<int>(platform::StringId::DropOneFileAtATime));
  fs::remove_all(dir);
}

}  // namespace
}  // namespace plume::capture::test
