// The Word export: text-only preparation, the document's content and name,
// the mode toggle, and how the word processor is found.

#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <map>

#include "convert/WordExport.h"
#include "platform/ScriptedMessageSink.h"

namespace plume::convert {
namespace {

namespace fs = std::filesystem;

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

TEST(WordExport, TextOnlyJoinsLinesOnlyWhenBreaksOutnumberBlanks) {
  // 30 line breaks and 5 blanks in the sample: the lines are joined.
  const std::string japanese = Repeat("日本語の文章\r\n", 25) + Repeat("行 末\n", 5);
  const std::string joined = PrepareTextOnly(japanese);
  EXPECT_EQ(joined.find('\n'), std::string::npos);
  EXPECT_EQ(joined.substr(0, 22), "日本語の文章 日");
  // More blanks than line breaks: unchanged.
  const std::string english = "one two three\nfour five six\n";
  EXPECT_EQ(PrepareTextOnly(english), english);
  // " . " becomes the end of a line once the lines are joined.
  EXPECT_EQ(PrepareTextOnly("a\nb . c\nd\n"), "a b.\r\nc d ");
}

TEST(WordExport, SampleIgnoresDoubleBlanksAndStopsAt1000Characters) {
  // Double blanks are not counted: 3 lines with 2 double blanks each.
  EXPECT_EQ(PrepareTextOnly("x  y  z\nx\nx\n"), "x  y  z x x ");
  // 1,000 characters without a line break, then many breaks: the sample sees none.
  const std::string late = Repeat("あ", 999) + " " + Repeat("\n", 50);
  EXPECT_EQ(PrepareTextOnly(late), late);
}

TEST(WordExport, FormattedContentKeepsLinesAndPages) {
  const WordContent c = BuildWordContent("p1 a\np1 b\fp2 a\r\n\f", true);
  ASSERT_EQ(c.pages.size(), 2u);
  EXPECT_EQ(c.pages[0], (std::vector<std::string>{"p1 a", "p1 b"}));
  EXPECT_EQ(c.pages[1], (std::vector<std::string>{"p2 a"}));  // its closing line break is no paragraph
  // The text read page by page ends every page with a form feed of its own.
  const WordContent read = BuildWordContent("p1 a\n\f\fp2 a\n\f\f\f\fp4 a\n\f", true);
  ASSERT_EQ(read.pages.size(), 4u);  // the third page is blank: one empty page, not three
  EXPECT_EQ(read.pages[0], std::vector<std::string>{"p1 a"});
  EXPECT_EQ(read.pages[1], std::vector<std::string>{"p2 a"});
  EXPECT_EQ(read.pages[2], std::vector<std::string>{""});
  EXPECT_EQ(read.pages[3], std::vector<std::string>{"p4 a"});
  const WordContent plain = BuildWordContent("a b c\fd e f", false);
  ASSERT_EQ(plain.pages.size(), 1u);
  EXPECT_EQ(plain.pages[0], (std::vector<std::string>{"a b c", "d e f"}));
}

TEST(WordExport, DocumentNameIsTheLastPartWithoutExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {"https://example.org/papers/Report.v2.pdf", "Report.v2"},
      {"C:\\docs\\memo.PDF", "memo"},
      {"file:///tmp/a.b/c", ""},
      {"nopath.pdf", ""},
  };
  for (const auto& [address, name] : cases) EXPECT_EQ(WordDocumentName(address), name) << address;
}

TEST(WordExport, ToggleTwiceRestoresValueAndCaption) {
  const WordOptionToggle first = ToggleWordOption(1);
  EXPECT_EQ(first.newValue, 0);
  EXPECT_STREQ(first.caption, "TEXT");
  const WordOptionToggle second = ToggleWordOption(first.newValue);
  EXPECT_EQ(second.newValue, 1);
  EXPECT_STREQ(second.caption, "書式付");
}

class FakeLauncher : public platform::ProcessLauncher {
 public:
  std::map<std::string, fs::path> installed;
  std::string mimeAnswer;
  std::vector<std::pair<fs::path, std::vector<std::string>>> started;

  fs::path FindProgram(const std::string& p) override { return installed.count(p) ? installed[p] : fs::path(); }
  bool StartDetached(const fs::path& p, const std::vector<std::string>& a) override {
    if (startFails) return false;
    started.emplace_back(p, a);
    return true;
  }
  bool startFails = false;
  std::optional<std::string> RunAndRead(const fs::path&, const std::vector<std::string>&) override {
    return mimeAnswer;
  }
};

TEST(WordExport, WriterFirstThenDesktopHandlerElseSaysWhatToInstall) {
  platform::ScriptedMessageSink sink;
  platform::ScopedMessageSink guard(&sink);
  FakeLauncher writer;
  writer.installed = {{"soffice", "/usr/bin/soffice"}, {"xdg-mime", "/usr/bin/xdg-mime"}, {"xdg-open", "/usr/bin/xdg-open"}};
  EXPECT_TRUE(OpenInWordProcessor(writer, "/w/a.odt"));
  ASSERT_EQ(writer.started.size(), 1u);
  EXPECT_EQ(writer.started[0].second, (std::vector<std::string>{"--writer", "-n", "/w/a.odt"}));

  FakeLauncher desktop;
  desktop.installed = {{"xdg-mime", "/usr/bin/xdg-mime"}, {"xdg-open", "/usr/bin/xdg-open"}};
  desktop.mimeAnswer = "abiword.desktop\n";
  EXPECT_TRUE(OpenInWordProcessor(desktop, "/w/a.odt"));
  ASSERT_EQ(desktop.started.size(), 1u);
  EXPECT_EQ(desktop.started[0].first, "/usr/bin/xdg-open");

  FakeLauncher none;
  none.installed = {{"xdg-mime", "/usr/bin/xdg-mime"}, {"xdg-open", "/usr/bin/xdg-open"}};
  none.mimeAnswer = "\n";
  EXPECT_FALSE(OpenInWordProcessor(none, "/w/a.odt"));
  EXPECT_TRUE(none.started.empty());

  FakeLauncher broken;
  broken.installed = {{"lowriter", "/usr/bin/lowriter"}};
  broken.startFails = true;
  EXPECT_FALSE(OpenInWordProcessor(broken, "/w/a.odt"));
  EXPECT_EQ(sink.Ids(), (std::vector<int>{static_cast<int>(platform::StringId::WordProcessorMissing),
                                          static_cast<int>(platform::StringId::WordProcessorStartFailed)}));
}

TEST(WordExport, ExportsNeverOverwriteEachOtherAndAFailedWriteSaysSo) {
  platform::ScriptedMessageSink sink;
  platform::ScopedMessageSink guard(&sink);
  const fs::path folder = fs::temp_directory_path() / ("plume-word-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  bool writable = true;
  WordExportServices services;
  services.writeDocument = [&](const WordContent&, const fs::path& path) {
    return writable && static_cast<bool>(std::ofstream(path) << "odt");
  };
  EXPECT_EQ(ExportToWord("https://h/paper.pdf", "text", true, folder, services), folder / "paper.odt");
  EXPECT_EQ(ExportToWord("https://h/paper.pdf", "text", true, folder, services), folder / "paper-2.odt");
  EXPECT_TRUE(sink.Ids().empty());
  writable = false;
  EXPECT_TRUE(ExportToWord("https://h/paper.pdf", "text", true, folder, services).empty());
  EXPECT_EQ(sink.Ids(), std::vector<int>{static_cast<int>(platform::StringId::WordFileWriteFailed)});
  fs::remove_all(folder);
}

TEST(WordExport, NothingIsWrittenWithoutNameOrText) {
  int writes = 0;
  WordExportServices services;
  services.writeDocument = [&](const WordContent&, const fs::path&) { return ++writes > 0; };
  EXPECT_TRUE(ExportToWord("https://h/x/paper", "text", true, "/w", services).empty());
  EXPECT_TRUE(ExportToWord("https://h/x/paper.pdf", "", true, "/w", services).empty());
  EXPECT_EQ(writes, 0);
  EXPECT_EQ(ExportToWord("https://h/x/paper.pdf", "text", true, "/w", services), fs::path("/w/paper.odt"));
}

}  // namespace
}  // namespace plume::convert
