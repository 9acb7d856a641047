#include "platform/qt/QtSettingsStore.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <optional>
#include <string>

#include "platform/SettingsTable.h"

namespace plume::platform {
namespace {

namespace s = settings;

// "日本語" in CP932 and UTF-8.
const std::string kNihongoCp932 = "\x93\xFA\x96\x7B\x8C\xEA";
const std::string kNihongoUtf8 = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E";

class QtSettingsStoreTest : public ::testing::Test {
 protected:
  QString IniPath() const { return dir_.filePath(QStringLiteral("Plumeboard.ini")); }
  std::unique_ptr<QtSettingsStore> Open() const { return std::make_unique<QtSettingsStore>(IniPath()); }
  QByteArray FileBytes() const {
    QFile file(IniPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  void WriteFile(const QByteArray& bytes) const {
    QFile file(IniPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }

  QTemporaryDir dir_;
};

TEST_F(QtSettingsStoreTest, ValuesSurviveReopeningTheFile) {
  const std::string path = "/home/" + kNihongoUtf8 + "/plan.pbd";
  {
    auto store = Open();
    s::Set(*store, s::Last::Zoom, 125);
    s::Set(*store, s::NODE.refMen, -1);
    s::Set(*store, s::RecentFile(1), path);
    s::Set(*store, s::BookmarkName(0), kNihongoCp932);
    s::Set(*store, s::BookmarkUrl(0), "https://example.org/a?b=c&d=e");
    s::Set(*store, s::BookmarkUrl(15), "about:blank");
    s::Set(*store, s::Kensaku::Text, kNihongoCp932);
    ASSERT_TRUE(store->Flush());
  }
  auto store = Open();
  EXPECT_EQ(s::Get(*store, s::Last::Zoom), 125);
  EXPECT_EQ(s::Get(*store, s::NODE.refMen), -1);
  EXPECT_EQ(s::Get(*store, s::RecentFile(1)), path);
  EXPECT_EQ(s::Get(*store, s::BookmarkName(0)), kNihongoCp932);
  EXPECT_EQ(s::Get(*store, s::BookmarkUrl(0)), "https://example.org/a?b=c&d=e");
  EXPECT_EQ(s::Get(*store, s::BookmarkUrl(15)), "about:blank");
  EXPECT_EQ(s::Get(*store, s::Kensaku::Text), kNihongoCp932);
  EXPECT_EQ(s::Get(*store, s::RecentFile(2)), "");  // never written
  EXPECT_EQ(s::Get(*store, s::Last::ZoomX), 79);

  // Integers are plain numbers and Japanese is plain UTF-8 in the file.
  const QByteArray bytes = FileBytes();
  EXPECT_TRUE(bytes.contains("Zoom=125\n")) << bytes.constData();
  EXPECT_TRUE(bytes.contains("refMen=-1\n")) << bytes.constData();
  EXPECT_TRUE(bytes.contains(QByteArray::fromStdString(kNihongoUtf8))) << bytes.constData();
}

TEST_F(QtSettingsStoreTest, TextsThatIniMustEscapeComeBackUnchanged) {
  const std::string texts[] = {"@Variant(1)", "a, b", "a;b", " padded ", "x=y", "\"quoted\"",
                               "back\\slash", "line\nbreak", "#hash", ""};
  {
    auto store = Open();
    for (int i = 0; i < static_cast<int>(std::size(texts)); ++i) {
      s::Set(*store, s::BookmarkUrl(i), texts[i]);
    }
  }
  auto store = Open();
  for (int i = 0; i < static_cast<int>(std::size(texts)); ++i) {
    const std::optional<std::string> read = store->ReadString("BM_URL", std::to_string(i));
    ASSERT_TRUE(read.has_value()) << i;
    EXPECT_EQ(*read, texts[i]);
  }
}

TEST_F(QtSettingsStoreTest, HandEditedFileReadsSensiblyAndGarbageGivesDefaults) {
  WriteFile(
      "[KanSet]\nQuality=high\nImageW=12abc\nViewW = 1200 \n"
      "[NODE]\nrefMen=blue\nrefText=255\n"
      "[Last]\nWebGoku=cats, dogs\n"
      "[Recent%20File%20List]\nFile1=/tmp/a.pbd\n");
  auto store = Open();
  EXPECT_EQ(s::Get(*store, s::KanSet::Quality), 70);
  EXPECT_EQ(s::Get(*store, s::KanSet::ImageW), 1000);
  EXPECT_EQ(s::Get(*store, s::KanSet::ViewW), 1200);
  EXPECT_EQ(s::Get(*store, s::NODE.refMen), 16773100);
  EXPECT_EQ(s::Get(*store, s::NODE.refText), 255);
  EXPECT_EQ(s::Get(*store, s::Last::WebGoku), "cats, dogs");
  EXPECT_EQ(s::Get(*store, s::RecentFile(1)), "/tmp/a.pbd");
}

TEST_F(QtSettingsStoreTest, RemovedKeyIsGoneAfterReopening) {
  {
    auto store = Open();
    s::Set(*store, s::RecentFile(3), "/tmp/c.pbd");
    s::Set(*store, s::RecentFile(4), "/tmp/d.pbd");
    store->Flush();
    s::Reset(*store, s::RecentFile(3));
    store->Remove("Recent File List", "");  // names no key: must not drop the section
  }
  auto store = Open();
  EXPECT_FALSE(store->ReadString("Recent File List", "File3").has_value());
  EXPECT_EQ(s::Get(*store, s::RecentFile(4)), "/tmp/d.pbd");
}

TEST_F(QtSettingsStoreTest, FlushReportsAFileThatCannotBeWritten) {
  const QString blocker = dir_.filePath(QStringLiteral("file"));
  QFile file(blocker);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  QtSettingsStore store(blocker + QStringLiteral("/Plumeboard.ini"));  // its folder is a file
  store.WriteInt("Last", "Zoom", 100);
  EXPECT_FALSE(store.Flush());
}

TEST(QtSettingsStoreDefault, UsesTheUserIniFileOfWendmoorPlumeboard) {
  // QSettings takes the user folder from XDG_CONFIG_HOME the first time it needs it.
  QTemporaryDir config;
  const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
  const bool wasSet = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
  {
    const QtSettingsStore store;
    EXPECT_EQ(QDir::cleanPath(store.FileName()),
              QDir::cleanPath(config.filePath(QStringLiteral("Wendmoor/Plumeboard.ini"))));
  }
  if (wasSet) {
    qputenv("XDG_CONFIG_HOME", saved);
  } else {
    qunsetenv("XDG_CONFIG_HOME");
  }
}

}  // namespace
}  // namespace plume::platform
