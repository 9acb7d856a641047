// Bookmark slots, address rules, the web search address and the page type
// display of the HTML area (no display needed).
#include <gtest/gtest.h>

#include "platform/Cp932.h"
#include "platform/MemorySettingsStore.h"
#include "platform/SettingsTable.h"
#include "shell/Bookmarks.h"
#include "shell/BrowserAddress.h"

namespace plume::shell {
namespace {

namespace settings = platform::settings;

class BookmarksTest : public ::testing::Test {
 protected:
  std::vector<std::string> Addresses() const {
    std::vector<std::string> out;
    for (const auto& e : marks_.Entries()) out.push_back(e.address);
    return out;
  }
  platform::MemorySettingsStore store_;
  Bookmarks marks_{store_};
};

TEST_F(BookmarksTest, NewestFirstAndAnAddressAlreadyBookmarkedChangesNothing) {
  EXPECT_TRUE(marks_.Add("http://a/", "A"));
  EXPECT_TRUE(marks_.Add("http://b/", "ページＢ"));
  EXPECT_FALSE(marks_.Add("http://a/", "A again"));
  EXPECT_FALSE(marks_.Add("", "nothing"));
  EXPECT_EQ(Addresses(), (std::vector<std::string>{"http://b/", "http://a/"}));
  EXPECT_EQ(settings::Get(store_, settings::BookmarkName(0)), platform::Utf8ToCp932("ページＢ"));
  EXPECT_EQ(marks_.Address(1), "http://a/");
  EXPECT_EQ(marks_.Address(2), "");
}

TEST_F(BookmarksTest, SeventeenthDropsTheOldest) {
  for (int i = 0; i < 17; ++i) marks_.Add("http://site/" + std::to_string(i), "page " + std::to_string(i));
  const auto addresses = Addresses();
  ASSERT_EQ(addresses.size(), 16u);
  EXPECT_EQ(addresses.front(), "http://site/16");
  EXPECT_EQ(addresses.back(), "http://site/1");
}

TEST_F(BookmarksTest, CaptionIsCutTo202BytesOnACharacterBoundaryOrIsTheAddressWithoutTitle) {
  std::string title(101, 'y');
  for (int i = 0; i < 60; ++i) title += "漢";
  marks_.Add("http://long/", title);
  // 101 single bytes, then double-byte characters: a 202nd byte would split one.
  EXPECT_EQ(marks_.Entries()[0].caption.size(), 201u);
  marks_.Add("http://untitled/", "");
  EXPECT_EQ(marks_.Entries()[0].caption, "http://untitled/");
}

TEST_F(BookmarksTest, RemovingASlotKeepsTheOthersInOrderEvenWithTheSameCaption) {
  marks_.Add("http://1/", "same");
  marks_.Add("http://2/", "other");
  marks_.Add("http://3/", "same");
  marks_.Remove(0);
  EXPECT_EQ(Addresses(), (std::vector<std::string>{"http://2/", "http://1/"}));
  EXPECT_EQ(settings::Get(store_, settings::BookmarkName(2)), "");
  EXPECT_EQ(settings::Get(store_, settings::BookmarkUrl(2)), "");
}

TEST_F(BookmarksTest, MenuCaptionsFollowMenuLenAndStopAtTheFirstEmptyCaption) {
  settings::Set(store_, settings::BookmarkName(0), std::string(30, 'a'));
  settings::Set(store_, settings::BookmarkUrl(0), "http://a/");
  settings::Set(store_, settings::BookmarkName(1), "short");
  settings::Set(store_, settings::BookmarkName(3), "after a gap");
  const auto captions = marks_.MenuCaptions(20);
  ASSERT_EQ(captions.size(), 2u);
  EXPECT_EQ(captions[0], std::string(20, 'a') + platform::Utf8ToCp932("…"));
  EXPECT_EQ(captions[1], "short");
}

TEST(BrowserAddress, TypedTextBecomesAnAddress) {
  const struct {
    const char* typed;
    const char* address;
  } cases[] = {
      {"  https://example.com/x  ", "https://example.com/x"},
      {"example.com", "http://example.com"},
      {"localhost:8000/page", "http://localhost:8000/page"},
      {"about:blank", "about:blank"},
      {"/tmp/a b#1.pdf", "file:///tmp/a%20b%231.pdf"},
      {"javascript:alert(1)", "javascript:alert(1)"},
      {"   ", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(AddressFromTyped(c.typed), c.address) << c.typed;
}

TEST(BrowserAddress, OnlyWebFileAndAboutAddressesAreShown) {
  for (const char* ok : {"http://a/", "HTTPS://a/", "file:///tmp/x.pdf", "about:blank"}) EXPECT_TRUE(IsNavigable(ok)) << ok;
  for (const char* refused : {"javascript:alert(1)", "data:text/html,x", "mailto:a@b", "ftp://a/", "C:\\x.pdf", ""})
    EXPECT_FALSE(IsNavigable(refused)) << refused;
}

TEST(BrowserAddress, LocalPathOfAFileAddressIsDecodedAndOtherAddressesHaveNone) {
  EXPECT_EQ(LocalPathOf("file:///tmp/a%20b%231.pdf"), "/tmp/a b#1.pdf");
  EXPECT_EQ(LocalPathOf(FileAddress("/home/ユーザー/資料.pdf")), "/home/ユーザー/資料.pdf");
  EXPECT_EQ(LocalPathOf("file://localhost/tmp/x.pdf"), "/tmp/x.pdf");
  EXPECT_EQ(LocalPathOf("file://server/share/x.pdf"), "");
  EXPECT_EQ(LocalPathOf("http://a/x.pdf"), "");
  EXPECT_EQ(LocalPathOf("file:///tmp/100%"), "/tmp/100%");
}

TEST(WebSearch, AddressForEachKind) {
  const std::string site(settings::kWebSearchSite);
  EXPECT_EQ(WebSearchAddress("猫 犬", SearchKind::All), site + "search?q=猫 犬");
  EXPECT_EQ(WebSearchAddress("猫 犬", SearchKind::Images), site + "search?q=猫 犬&tbm=isch");
  EXPECT_EQ(WebSearchAddress("猫 犬", SearchKind::Photos), site + "search?q=猫 犬&tbm=isch&tbs=itp:photo");
  EXPECT_EQ(WebSearchAddress("猫 犬", SearchKind::Pdf), site + "search?q=猫 犬 filetype:pdf");
  // Characters that would end the query value are kept in it.
  EXPECT_EQ(WebSearchAddress("C++ & C#", SearchKind::All), site + "search?q=C%2B%2B %26 C%23");
}

TEST(PageTypeDisplay, WordAndPictureForEachType) {
  const struct {
    const char* type;
    const char* label;
    int picture;
  } cases[] = {{"HTML", "HTML", 4}, {"PDF", "PDF", 5}, {"JPEG", "JPEG", 6}, {"TIFF", "TIFF", 6}, {"", "不明", 7}};
  for (const auto& c : cases) {
    EXPECT_EQ(PageTypeLabel(c.type), c.label);
    EXPECT_EQ(PageTypePicture(c.type), c.picture) << c.type;
  }
}

TEST(PageText, LineFeedTextIsTidiedAsTheTextAreaHoldsIt) {
  const std::string longLine(60, 'x');
  EXPECT_EQ(TidyForTextArea("見出し\n本文\n\n　　\n" + longLine + "\nend"), "見出し  本文  " + longLine + "\nend  ");
  EXPECT_EQ(TidyForTextArea("a\r\nb"), "a  b  ");
}

}  // namespace
}  // namespace plume::shell
