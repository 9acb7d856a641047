#include "document/ChartFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "support/FakePicture.h"
#include "support/FullChart.h"
#include "platform/ScriptedMessageSink.h"

namespace plume::document {
namespace {

using platform::ScriptedMessageSink;
using platform::ScopedMessageSink;
using testing::FakeImageBytes;
using testing::FakePicture;
using testing::FakePictureCodec;
using testing::FillToCapacity;

std::string Write(const ChartDocument& doc) {
  std::ostringstream out;
  EXPECT_TRUE(WriteChart(doc, out));
  return out.str();
}

bool Read(ChartDocument& doc, const std::string& bytes) {
  std::istringstream in(bytes);
  return ReadChart(doc, in, FakePictureCodec{});
}

void PutBigEndian(std::string& s, std::uint32_t v) {
  s += static_cast<char>(v >> 24);
  s += static_cast<char>(v >> 16);
  s += static_cast<char>(v >> 8);
  s += static_cast<char>(v);
}

template <typename T>
void PutRecord(std::string& s, const T& r) {
  s.append(reinterpret_cast<const char*>(&r), sizeof r);
}

class ChartFileTest : public ::testing::Test {
 protected:
  ScriptedMessageSink sink;
  ScopedMessageSink guard{&sink};
  std::unique_ptr<ChartDocument> doc = ChartDocument::Create();

  // A minimal valid version 2 file with `pages` pages and the given tables.
  static std::string MinimalFile(const char* magic = kChartMagic) {
    std::string s(magic, kChartMagicSize);
    PutRecord(s, DocHeader{1, 0, 70, 0});
    PutBigEndian(s, 0);  // arcs
    PutBigEndian(s, 0);  // nodes
    PutBigEndian(s, 0);  // slips
    PutBigEndian(s, 1);  // pages
    PageRecord page{};
    ChartDocument::InitPage(page, 1, "p");
    PutRecord(s, page);
    return s;
  }

  void ExpectRefusedAsNewDocument(const std::string& bytes, int id, const std::string& prefix) {
    sink.Reset();
    EXPECT_FALSE(Read(*doc, bytes));
    ASSERT_EQ(sink.Ids(), std::vector<int>{id});
    EXPECT_EQ(sink.Last().prefix, prefix);
    EXPECT_EQ(sink.Last().icon, platform::MsgIcon::Error);
    EXPECT_EQ(doc->header.pageCount, 1);
    EXPECT_EQ(doc->nodeCount, 0);
    EXPECT_EQ(doc->arcCount, 0);
    EXPECT_EQ(doc->slipCount, 0);
    EXPECT_EQ(doc->pictures.Count(), 0u);
  }
};

TEST_F(ChartFileTest, FullCapacityDocumentRoundTripsByteForByte) {
  FillToCapacity(*doc);
  const std::string first = Write(*doc);
  ASSERT_TRUE(Read(*doc, first));
  EXPECT_TRUE(sink.Messages().empty());
  EXPECT_EQ(doc->nodeCount, 10000);
  EXPECT_EQ(doc->arcCount, 10000);
  EXPECT_EQ(doc->slipCount, 1000);
  EXPECT_EQ(doc->header.pageCount, 100);
  EXPECT_EQ(doc->header.currentPage, 42);
  EXPECT_EQ(doc->header.reserved, 7);
  EXPECT_EQ(doc->nodes[150].transColor, 150);
  ASSERT_NE(doc->NodePicture(150), nullptr);
  EXPECT_EQ(doc->NodePicture(150)->Width(), 150);
  EXPECT_EQ(doc->NodePicture(1), nullptr);
  EXPECT_EQ(Write(*doc), first);
}

TEST_F(ChartFileTest, WrittenFileHasTheDocumentedLayout) {
  doc->NewDocument();
  ASSERT_TRUE(doc->AddNode(NodeRequest{.dataType = "PDF", .serial = 5, .title = "a"}));
  doc->nodes[0].image = 0xDEADBEEF;  // a stale handle must not reach the file
  doc->nodes[0].hasImage = 0;
  const std::string s = Write(*doc);
  ASSERT_EQ(s.size(), 10u + 8 + 4 + 4 + 224 + 4 + 4 + 144);
  EXPECT_EQ(s.substr(0, 10), "PBD002    ");
  EXPECT_EQ(s.substr(18, 4), std::string("\0\0\0\0", 4));   // arcs
  EXPECT_EQ(s.substr(22, 4), std::string("\0\0\0\1", 4));   // nodes, big-endian
  EXPECT_EQ(s.substr(26 + 36, 4), std::string(4, '\0'));   // image field
  EXPECT_EQ(s.substr(26 + 224 + 4, 4), std::string("\0\0\0\1", 4));  // pages
}

TEST_F(ChartFileTest, VersionOneTakesPictureLengthsFromTheNodesAndDropsTransparency) {
  std::string s("PBD001    ", 10);
  PutRecord(s, DocHeader{1, 0, 70, 0});
  PutBigEndian(s, 0);
  PutBigEndian(s, 3);
  const platform::Bytes pic1 = FakeImageBytes(20, 10, 3), pic2 = FakeImageBytes(30, 5, 0);
  for (int i = 0; i < 3; ++i) {
    NodeRecord n{};
    n.nodeId = i + 1;
    n.pageId = 1;
    n.transColor = 0x123456;
    n.hasImage = i != 1;
    n.image = i == 0 ? static_cast<std::uint32_t>(pic1.size()) : i == 2 ? static_cast<std::uint32_t>(pic2.size()) : 999;
    PutRecord(s, n);
  }
  PutBigEndian(s, 0);
  PutBigEndian(s, 1);
  PageRecord page{};
  ChartDocument::InitPage(page, 1, "p");
  PutRecord(s, page);
  s.append(pic1.begin(), pic1.end());
  s.append(pic2.begin(), pic2.end());

  ASSERT_TRUE(Read(*doc, s));
  ASSERT_NE(doc->NodePicture(0), nullptr);
  EXPECT_EQ(doc->NodePicture(0)->Width(), 20);
  ASSERT_NE(doc->NodePicture(2), nullptr);
  EXPECT_EQ(doc->NodePicture(2)->Width(), 30);
  EXPECT_EQ(doc->nodes[0].transColor, kNoColor);
  EXPECT_EQ(doc->nodes[1].transColor, 0x123456);  // not a picture node
  EXPECT_EQ(doc->nodes[2].transColor, kNoColor);
  EXPECT_EQ(doc->nodes[1].image, 0u);
}

TEST_F(ChartFileTest, VersionIsReadLikeANumberAndOnlyOneAndTwoAreAccepted) {
  for (const char* magic : {"PBD002    ", "PBD001xxxx", "PBD 2!????", "PBD+1\0\0\0\0\0", "PBD2ab    "}) {
    sink.Reset();
    EXPECT_TRUE(Read(*doc, MinimalFile(magic))) << magic;
  }
  ExpectRefusedAsNewDocument(MinimalFile("PBD003    "), 30020, "ver 003\n");
  ExpectRefusedAsNewDocument(MinimalFile("PBD000    "), 30020, "ver 000\n");
  ExpectRefusedAsNewDocument(MinimalFile("PBD-02    "), 30020, "ver -02\n");
  ExpectRefusedAsNewDocument(MinimalFile("PBDabc    "), 30020, "ver abc\n");
  ExpectRefusedAsNewDocument(MinimalFile("PBX002    "), 30019, "");
  ExpectRefusedAsNewDocument("", 30019, "");
}

TEST_F(ChartFileTest, CountsOverCapacityAreRefusedWithTheCountLine) {
  struct Case { int section; std::uint32_t count; int id; const char* prefix; };
  // Sections in file order: 0 arcs, 1 nodes, 2 slips, 3 pages.
  for (const Case& c : {Case{0, 10001, 30043, "10001 > 10000\n"}, Case{1, 10001, 30044, "10001 > 10000\n"},
                        Case{2, 1001, 30063, "1001 > 1000\n"}, Case{3, 101, 30045, "101 > 100\n"},
                        Case{3, 65537, 30045, "65537 > 100\n"}}) {
    std::string s(kChartMagic, kChartMagicSize);
    PutRecord(s, DocHeader{1, 0, 70, 0});
    for (int section = 0; section < c.section; ++section) PutBigEndian(s, 0);
    PutBigEndian(s, c.count);
    ExpectRefusedAsNewDocument(s, c.id, c.prefix);
  }
}

TEST_F(ChartFileTest, DamagedFilesAreRefusedWithoutCrashOrHugeAllocation) {
  // A negative count.
  std::string neg(kChartMagic, kChartMagicSize);
  PutRecord(neg, DocHeader{1, 0, 70, 0});
  PutBigEndian(neg, 0xFFFFFFFB);
  ExpectRefusedAsNewDocument(neg, 30301, "-5 < 0\n");

  // No pages, and a current page past the last one.
  std::string noPages = MinimalFile();
  noPages.resize(noPages.size() - 144 - 4);
  PutBigEndian(noPages, 0);
  ExpectRefusedAsNewDocument(noPages, 30301, "[Page Count]\n0 < 1\n");
  std::string pastEnd = MinimalFile();
  pastEnd[12] = 1;  // currentPage = 1 with one page
  ExpectRefusedAsNewDocument(pastEnd, 30301, "1 >= 1\n");

  // A picture entry that promises 4 GiB.
  FillToCapacity(*doc);
  std::string full = Write(*doc);
  const std::size_t firstPicture = full.size() - [&] {
    std::size_t tail = 0;
    for (int i = 0; i < doc->nodeCount; ++i)
      if (doc->nodes[i].hasImage) tail += 4 + doc->NodePicture(i)->EncodedBytes().size();
    return tail;
  }();
  std::string huge = full.substr(0, firstPicture);
  PutBigEndian(huge, 0xFFFFFFFF);
  huge += "IMG";
  ExpectRefusedAsNewDocument(huge, 30301, "[Picture]\n");
}

TEST_F(ChartFileTest, FileCutAnywhereIsRefusedAndLeavesANewDocument) {
  FillToCapacity(*doc);
  const std::string full = Write(*doc);
  // Every section boundary and a point inside each section, then a sweep.
  std::vector<std::size_t> cuts = {3, 9, 10, 17, 18, 21, 22, 100, 80022, 80025, 80026, 2000000, 2320030,
                                   2320034, 3420000, 3420034, 3434434, full.size() - 1};
  for (std::size_t cut = 11; cut < full.size(); cut += full.size() / 37) cuts.push_back(cut);
  for (std::size_t cut : cuts) {
    ASSERT_LT(cut, full.size());
    sink.Reset();
    EXPECT_FALSE(Read(*doc, full.substr(0, cut))) << "cut at " << cut;
    ASSERT_EQ(sink.Messages().size(), 1u) << "cut at " << cut;
    EXPECT_EQ(sink.Last().id, 30301) << "cut at " << cut;
    EXPECT_EQ(doc->nodeCount, 0);
    EXPECT_EQ(doc->header.pageCount, 1);
    EXPECT_EQ(doc->pictures.Count(), 0u);
  }
}

TEST_F(ChartFileTest, PictureEntriesStayInStepWithTheFlags) {
  doc->NewDocument();
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(doc->AddNode(NodeRequest{.x = i * 10, .y = 0}));
  // Node 0: a picture; node 1: the flag without a picture; node 2: a picture
  // without its encoded bytes; node 3: no picture at all.
  doc->nodes[0].hasImage = 1;
  doc->nodes[0].image = doc->pictures.Add(std::make_unique<FakePicture>(4, 5, FakeImageBytes(4, 5)));
  doc->nodes[1].hasImage = 1;
  doc->nodes[2].hasImage = 1;
  doc->nodes[2].image = doc->pictures.Add(std::make_unique<FakePicture>(6, 7, platform::Bytes{}));
  const std::string s = Write(*doc);
  ASSERT_TRUE(Read(*doc, s));
  EXPECT_EQ(doc->NodePicture(0)->Width(), 4);
  EXPECT_EQ(doc->nodes[1].hasImage, 1);
  EXPECT_EQ(doc->NodePicture(1), nullptr);
  ASSERT_NE(doc->NodePicture(2), nullptr);
  EXPECT_EQ(doc->NodePicture(2)->Height(), 7);
  EXPECT_EQ(doc->NodePicture(3), nullptr);
}

TEST_F(ChartFileTest, UndecodablePictureKeepsItsBytesThroughReadAndWrite) {
  doc->NewDocument();
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(doc->AddNode(NodeRequest{.x = i * 10, .y = 0}));
    doc->nodes[i].hasImage = 1;
  }
  const platform::Bytes metafile{0xD7, 0xCD, 0xC6, 0x9A, 'w', 'm', 'f'};
  doc->nodes[0].image = doc->pictures.Add(std::make_unique<FakePicture>(1, 1, metafile));
  doc->nodes[1].image = doc->pictures.Add(std::make_unique<FakePicture>(9, 9, FakeImageBytes(9, 9)));
  const std::string written = Write(*doc);
  ASSERT_TRUE(Read(*doc, written));
  EXPECT_TRUE(sink.Messages().empty());
  EXPECT_EQ(doc->NodePicture(0), nullptr);
  EXPECT_EQ(doc->nodes[0].hasImage, 1);
  ASSERT_NE(doc->pictures.Undecoded(doc->nodes[0].image), nullptr);
  EXPECT_EQ(*doc->pictures.Undecoded(doc->nodes[0].image), metafile);
  ASSERT_NE(doc->NodePicture(1), nullptr);
  EXPECT_EQ(doc->NodePicture(1)->Width(), 9);
  EXPECT_EQ(Write(*doc), written);
}

TEST_F(ChartFileTest, ReadingReplacesThePicturesOfThePreviousDocument) {
  FakePicture::live = 0;
  FillToCapacity(*doc);
  const int pictures = FakePicture::live;
  const std::string s = Write(*doc);
  ASSERT_TRUE(Read(*doc, s));
  // The shared picture came back as two objects; nothing of the old document is left.
  EXPECT_EQ(FakePicture::live, pictures + 1);
  EXPECT_EQ(static_cast<int>(doc->pictures.Count()), FakePicture::live);
}

// A stream buffer that accepts `room` bytes and then fails, as a full disk would.
class FullDisk : public std::streambuf {
 public:
  explicit FullDisk(std::size_t room) : room_(room) {}

 protected:
  int_type overflow(int_type c) override {
    if (room_ == 0) return traits_type::eof();
    --room_;
    return c;
  }
  std::streamsize xsputn(const char*, std::streamsize n) override {
    std::streamsize taken = std::min<std::streamsize>(n, static_cast<std::streamsize>(room_));
    room_ -= static_cast<std::size_t>(taken);
    return taken;
  }

 private:
  std::size_t room_;
};

TEST_F(ChartFileTest, WriteReportsAFailedWriteAtAnyPoint) {
  FillToCapacity(*doc);
  const std::size_t size = Write(*doc).size();
  for (std::size_t room : {std::size_t{0}, std::size_t{5}, std::size_t{18}, size / 2, size - 1}) {
    FullDisk disk(room);
    std::ostream out(&disk);
    EXPECT_FALSE(WriteChart(*doc, out)) << room;
  }
  FullDisk enough(size);
  std::ostream out(&enough);
  EXPECT_TRUE(WriteChart(*doc, out));
}

}  // namespace
}  // namespace plume::document
