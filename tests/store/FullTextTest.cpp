// The text inside materials: a word inside a PDF and Japanese words in a
// picture (drawn with the installed Noto CJK font) are found with the full
// text on and not with it off; the recogniser's blanks between Japanese
// characters are taken out.

#include <gtest/gtest.h>

#include <QFont>
#include <QImage>
#include <QPainter>

#include "StoreFixture.h"
#include "platform/Cp932.h"
#include "store/InfoFile.h"
#include "store/index/IndexKeeper.h"
#include "store/index/text/MaterialTextReader.h"

namespace plume::store::test {
namespace {

using index::IndexKeeper;
using index::MaterialTextReader;

/// A one-page PDF whose only text is `word` (Helvetica), offsets computed.
std::string PdfWithWord(const std::string& word) {
  const std::string content = "BT /F1 24 Tf 72 720 Td (" + word + ") Tj ET";
  const std::vector<std::string> objects = {
      "<< /Type /Catalog /Pages 2 0 R >>",
      "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
      "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents 4 0 R /Resources << /Font << /F1 5 0 R >> >> >>",
      "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "\nendstream",
      "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"};
  std::string pdf = "%PDF-1.4\n";
  std::vector<std::size_t> offsets;
  for (std::size_t i = 0; i < objects.size(); ++i) {
    offsets.push_back(pdf.size());
    pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  const std::size_t xref = pdf.size();
  pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
  for (const std::size_t o : offsets) {
    char line[24];
    std::snprintf(line, sizeof line, "%010zu 00000 n \n", o);
    pdf += line;
  }
  pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
         std::to_string(xref) + "\n%%EOF\n";
  return pdf;
}

/// Japanese text drawn black on white at 110 px with the Noto CJK face.
void DrawText(const fs::path& file, const QString& text) {
  QImage image(900, 220, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  QFont font(QStringLiteral("Noto Sans CJK JP"));
  font.setPixelSize(110);
  p.setFont(font);
  p.setPen(Qt::black);
  p.drawText(QRect(20, 0, 860, 220), Qt::AlignVCenter | Qt::AlignLeft, text);
  p.end();
  ASSERT_TRUE(image.save(QString::fromStdString(file.string()), "PNG"));
}

class FullTextTest : public StoreFixture {
 protected:
  void Add(Serial n, const char* ext, std::string_view bytes) {
    const std::string serial = FormatSerial(n);
    const fs::path info = MaterialStore::InfoFileIn(Root(), serial);
    fs::create_directories(info.parent_path());
    InfoFile::WriteInfoAt(info, MaterialInfo{ext, "1", "1", "1", std::string(64, 'A'), "title", "", "2020.01.01 00:00"}, "");
    WriteBytes(MaterialStore::DataFileIn(Root(), ext, serial), bytes);
  }
};

TEST_F(FullTextTest, FindsAPdfsInnerWordAndJapaneseWordsInAPicture) {
  Add(0, "PDF", PdfWithWord("zephyrine"));
  const fs::path picture = dir_ / "tide.png";
  DrawText(picture, QStringLiteral("潮汐表"));
  Add(1, "PNG", ReadBytes(picture));
  Add(2, "JPEG", "not a picture at all");  // unreadable data gives no text and no trouble
  MaterialTextReader reader;
  IndexKeeper keeper(Root(), dir_ / "cache" / "index.sqlite");
  keeper.RequestCatchUp(3);
  keeper.SetBodyReader(&reader);
  keeper.WaitIdle(true);
  EXPECT_EQ(keeper.Status().bodiesDone, 3);
  struct Case {
    std::string text;
    bool fullText;
    std::vector<std::string> serials;
  };
  const std::string tide = platform::Utf8ToCp932("潮汐");
  for (const Case& k : {Case{"zephyrine", true, {"00000000"}}, Case{"zephyrine", false, {}},
                        Case{tide, true, {"00000001"}}, Case{tide, false, {}}}) {
    SearchConditions c;
    c.text = k.text;
    c.fullText = k.fullText;
    struct Rows : ScanObserver {
      void RowFound(const SearchRow& row) override {
        serials.push_back(row.col[kColSerial]);
        snippets.push_back(row.snippet);
      }
      std::vector<std::string> serials, snippets;
    } rows;
    ASSERT_TRUE(keeper.Search(3, 500, c, rows).has_value());
    EXPECT_EQ(rows.serials, k.serials) << platform::Cp932ToUtf8(k.text) << " full text " << k.fullText;
    for (const std::string& s : rows.snippets) EXPECT_NE(s.find(k.text), std::string::npos);  // the hit in its context
  }
}

TEST(JoinJapanese, TakesOutBlanksBetweenJapaneseCharactersOnly) {
  struct Case {
    const char* in;
    const char* out;
  };
  for (const Case& k : {Case{"潮 汐 表", "潮汐表"}, Case{"tide 表 of", "tide 表 of"}, Case{"a  b", "a  b"},
                        Case{"潮   汐\n表", "潮汐\n表"}, Case{"", ""}}) {
    EXPECT_EQ(index::JoinJapanese(k.in), k.out) << k.in;
  }
}

}  // namespace
}  // namespace plume::store::test
