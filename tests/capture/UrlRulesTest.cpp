// Which file a dropped link points to, and the decoding of its escapes.

#include <gtest/gtest.h>

#include <string>

#include "capture/UrlRules.h"

namespace plume::capture {
namespace {

TEST(UrlRules, TypeComesFromTheEndingOrFromAnEmbeddedAddress) {
  struct Case {
    std::string url;
    std::string type;
    std::string urlAfter;
  };
  const Case cases[] = {
      {"http://a.jp/x.jpeg", "JPEG", "http://a.jp/x.jpeg"},
      {"http://a.jp/x.JPEG", "JPEG", "http://a.jp/x.JPEG"},
      {"http://a.jp/x.Jpg", "JPEG", "http://a.jp/x.Jpg"},
      {"http://a.jp/x.tif", "TIFF", "http://a.jp/x.tif"},
      {"http://a.jp/x.TIFF", "TIFF", "http://a.jp/x.TIFF"},
      {"http://a.jp/doc.pdf", "PDF", "http://a.jp/doc.pdf"},
      {"http://a.jp/index.html", "", "http://a.jp/index.html"},
      {".gif", "GIF", ".gif"},
      {"png", "", "png"},
      // An image search result: the outer address ends in .html, the image's is inside.
      {"http://search.jp/view.html?img=http://img.jp/a.gif&x=1", "GIF", "http://img.jp/a.gif"},
      // The inner address is percent-encoded: cut after ".PNG", decoded, searched again.
      {"https://search.jp/r?u=https%3A%2F%2Fimg.jp%2Fdir%2Fa.png&w=200", "PNG", "https://img.jp/dir/a.png"},
      // "JPEG" is tried before "PDF": the first word that finds an address wins.
      {"http://s.jp/?a=http://x.jp/d.pdf&b=http://y.jp/p.jpeg&c", "JPEG", "http://y.jp/p.jpeg"},
  };
  for (const Case& c : cases) {
    std::string url = c.url;
    EXPECT_EQ(DetectUrlType(url), c.type) << c.url;
    EXPECT_EQ(url, c.urlAfter) << c.url;
  }
}

TEST(UrlRules, EmbeddedAddressIsTheLastSchemeBeforeTheExtension) {
  EXPECT_EQ(FindEmbeddedUrl("http://a.jp/?u=HTTPS://b.jp/c.JPG?x", "JPG"), "HTTPS://b.jp/c.JPG");
  EXPECT_EQ(FindEmbeddedUrl("ftp://a.jp/c.jpg", "JPG"), "");
  EXPECT_EQ(FindEmbeddedUrl("http://a.jp/c.gif", "JPG"), "");
  // An embedded address whose decoding fails gives nothing.
  EXPECT_EQ(FindEmbeddedUrl("http://a.jp/%4.png", "PNG"), "");
}

TEST(UrlRules, DecodingEscapes) {
  struct Case {
    std::string text;
    std::string decoded;
  };
  const Case cases[] = {
      {"%E3%81%82", "\x82\xA0"},             // hiragana a, UTF-8 to Shift-JIS
      {"%e3%81%82x", "\x82\xA0x"},           // lower-case digits
      {"%82%A0", "\x82\xA0"},                // Shift-JIS escapes
      {"%41", "A"},
      {"a%20b", "a b"},
      {"%E3%80%80", "\x81\x40"},             // ideographic space
      {"%E3%82%FF", " "},                    // no such character: a blank
      {"plain", "plain"},
      {"%4", ""},                            // cut short
      {"abc%", ""},
      {"%82", ""},                           // a lead byte without its second escape
      {"%82xA0", ""},
      {"%E3%81", ""},                        // UTF-8 cut short
      {"%G1", ""},                           // not hexadecimal
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeUrlText(c.text), c.decoded) << c.text;
}

TEST(UrlRules, RepeatedlyEncodedAddressIsDecodedToTheEnd) {
  // Each round of encoding turns every "%" into "%25"; every round is undone.
  std::string inner = "http%3A%2F%2Fb.jp%2Fc.png";
  for (int round = 0; round < 300; ++round) {
    std::string encoded;
    for (char c : inner) encoded += c == '%' ? std::string("%25") : std::string(1, c);
    inner = std::move(encoded);
  }
  EXPECT_EQ(FindEmbeddedUrl("http://o.jp/?u=" + inner, "PNG"), "http://b.jp/c.png");
}

}  // namespace
}  // namespace plume::capture
