#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "platform/cab/GcabCabinet.h"

namespace plume::platform {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WriteAll(const fs::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string RandomBytes(std::size_t size, std::uint32_t seed) {
  std::string out(size, '\0');
  for (char& c : out) {
    seed ^= seed << 13, seed ^= seed >> 17, seed ^= seed << 5;
    c = static_cast<char>(seed >> 24);
  }
  return out;
}

/// Standard output of a shell command; `status` gets its exit status.
std::string Shell(const std::string& command, int& status) {
  std::string out;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  for (int c; pipe != nullptr && (c = fgetc(pipe)) != EOF;) out += static_cast<char>(c);
  status = pipe != nullptr ? pclose(pipe) : -1;
  return out;
}

bool HasTool(const std::string& name) {
  return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

void SetModified(const fs::path& path, std::time_t when) {
  const timespec times[2] = {{when, 0}, {when, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

std::time_t Modified(const fs::path& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0 ? info.st_mtime : -1;
}

std::set<std::string> Listing(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& item : fs::directory_iterator(folder))
    names.insert(item.path().filename().string());
  return names;
}

/// Sets TZ for the test (children see it too); local time here is UTC+9.
class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* zone) {
    if (const char* old = getenv("TZ")) saved_ = old;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~ScopedTimeZone() {
    saved_.empty() ? unsetenv("TZ") : setenv("TZ", saved_.c_str(), 1);
    tzset();
  }

 private:
  std::string saved_;
};

// ---- A stored (uncompressed) cabinet built byte by byte, for names and
// layouts our writer refuses to make. ----

struct RawEntry {
  std::string name;  // raw stored bytes
  std::string data;
  std::uint16_t attributes = CabinetAttr::kArchive;
};

void Put(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint32_t Checksum(std::string_view bytes, std::uint32_t seed) {
  auto at = [&](std::size_t i) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i]));
  };
  std::size_t i = 0;
  for (; i + 4 <= bytes.size(); i += 4)
    seed ^= at(i) | at(i + 1) << 8 | at(i + 2) << 16 | at(i + 3) << 24;
  std::uint32_t tail = 0;
  for (int shift = 8 * static_cast<int>(bytes.size() - i - 1); i < bytes.size(); ++i, shift -= 8)
    tail |= at(i) << shift;
  return seed ^ tail;
}

/// A stored (uncompressed) cabinet; `checksum` turns each block's computed checksum into the one written.
std::string BuildStoredCabinet(const std::vector<RawEntry>& entries,
                               const std::function<std::uint32_t(std::uint32_t)>& checksum = {}) {
  std::string data, files, blocks;
  for (const RawEntry& entry : entries) {
    Put(files, static_cast<std::uint32_t>(entry.data.size()), 4);
    Put(files, static_cast<std::uint32_t>(data.size()), 4);
    Put(files, 0, 2);                         // folder 0
    Put(files, (40 << 9) | (3 << 5) | 4, 2);  // 2020-03-04
    Put(files, (5 << 11) | (6 << 5) | 4, 2);  // 05:06:08
    Put(files, entry.attributes, 2);
    files += entry.name + '\0';
    data += entry.data;
  }
  int count = 0;
  for (std::size_t at = 0; at < data.size(); at += 32768, ++count) {
    const std::string chunk = data.substr(at, 32768);
    std::string sizes;
    Put(sizes, static_cast<std::uint32_t>(chunk.size() * 0x10001), 4);  // compressed, uncompressed
    const std::uint32_t sum = Checksum(sizes, Checksum(chunk, 0));
    Put(blocks, checksum ? checksum(sum) : sum, 4);
    blocks += sizes + chunk;
  }
  const std::uint32_t dataAt = 36 + 8 + static_cast<std::uint32_t>(files.size());
  std::string cab = "MSCF";
  for (std::uint32_t field : {0u, dataAt + static_cast<std::uint32_t>(blocks.size()), 0u, 44u, 0u})
    Put(cab, field, 4);
  Put(cab, 0x0103, 2);  // version 1.3
  Put(cab, 1, 2), Put(cab, static_cast<std::uint32_t>(entries.size()), 2);
  Put(cab, 0, 2), Put(cab, 0, 2), Put(cab, 0, 2);  // flags, set id, cabinet index
  Put(cab, dataAt, 4), Put(cab, static_cast<std::uint32_t>(count), 2), Put(cab, 0, 2);  // stored
  return cab + files + blocks;
}

/// Success, or the tag and detail of the failure for the test log.
::testing::AssertionResult Written(const CabinetResult& result) {
  if (result) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << result.tag << " " << result.detail;
}

class GcabCabinetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/plume-cab-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
    target_ = root_ / "work";
  }
  void TearDown() override { fs::remove_all(root_); }

  fs::path Raw(const std::vector<RawEntry>& entries) {
    WriteAll(root_ / "raw.cab", BuildStoredCabinet(entries));
    return root_ / "raw.cab";
  }
  ExtractResult Extract(const fs::path& cab, ExtractOptions options = {}) {
    return cabinet_.ExtractAll(cab, target_, options);
  }

  GcabCabinet cabinet_;
  fs::path root_;
  fs::path target_;
};

TEST_F(GcabCabinetTest, WritesOneMszipFolderWithLocalTimeAndAttributes) {
  ScopedTimeZone tokyo("JST-9");
  const fs::path source = root_ / ".plan.pbd";
  WriteAll(source, std::string(5000, 'x'));
  SetModified(source, 1614834369);  // 2021-03-04 05:06:09 UTC = 14:06:09 local
  fs::permissions(source, fs::perms::owner_write, fs::perm_options::remove);
  ASSERT_TRUE(Written(cabinet_.WriteSingleFile(source, "計画.pbd", root_ / "a.cab")));

  const std::string cab = ReadAll(root_ / "a.cab");
  auto u16 = [&](std::size_t at) {
    return static_cast<unsigned>(static_cast<unsigned char>(cab[at]) |
                                 static_cast<unsigned char>(cab[at + 1]) << 8);
  };
  ASSERT_GT(cab.size(), 60u);
  EXPECT_EQ(cab.substr(0, 4), "MSCF");
  EXPECT_EQ(u16(0x1A), 1u) << "folders";
  EXPECT_EQ(u16(0x1C), 1u) << "files";
  EXPECT_EQ(u16(0x1E), 0u) << "flags: no reserve, no other cabinets";
  EXPECT_EQ(u16(0x20), 0u) << "set id";
  EXPECT_EQ(u16(0x2A), 1u) << "MSZIP";
  EXPECT_EQ(u16(0x2C + 10), (41u << 9) | (3u << 5) | 4u) << "date";
  EXPECT_EQ(u16(0x2C + 12), (14u << 11) | (6u << 5) | 4u) << "time in two-second steps";
  EXPECT_EQ(u16(0x2C + 14), 0x01u | 0x02u | 0x20u | 0x80u)
      << "read-only, hidden, archive, UTF-8 name";
  EXPECT_EQ(cab.substr(0x2C + 16, 11), std::string("計画.pbd") + '\0');

  const ExtractResult back = Extract(root_ / "a.cab");
  ASSERT_TRUE(back) << back.tag << back.detail;
  ASSERT_EQ(back.files.size(), 1u);
  EXPECT_EQ(back.files[0].path, target_ / "計画.pbd");
  EXPECT_EQ(ReadAll(target_ / "計画.pbd"), std::string(5000, 'x'));
  EXPECT_EQ(Modified(target_ / "計画.pbd"), 1614834368);
  const fs::perms writable =
      fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  EXPECT_EQ(fs::status(target_ / "計画.pbd").permissions() & writable, fs::perms::none);
}

TEST_F(GcabCabinetTest, CabextractAndGcabReadWhatWeWrite) {
  if (!HasTool("cabextract") || !HasTool("gcab"))
    GTEST_SKIP() << "cabextract or gcab is not installed";
  ScopedTimeZone tokyo("JST-9");
  const std::string bytes = RandomBytes(70000, 7) + std::string(200000, 'a');
  WriteAll(root_ / "src", bytes);
  SetModified(root_ / "src", 1614834368);
  ASSERT_TRUE(Written(cabinet_.WriteSingleFile(root_ / "src", "表.pbd", root_ / "b.cab")));

  int status = 0;
  const std::string listing = Shell("cabextract -l " + (root_ / "b.cab").string(), status);
  EXPECT_EQ(status, 0) << listing;
  EXPECT_NE(listing.find("270000 | 04.03.2021 14:06:08 | 表.pbd"), std::string::npos) << listing;
  // gcab shows the stored fields shifted to local time, so it runs in UTC.
  EXPECT_NE(Shell("TZ=UTC0 gcab -l " + (root_ / "b.cab").string(), status)
                .find("表.pbd 270000 2021-03-04 14:06:08"),
            std::string::npos);
  Shell("cabextract -q -d " + (root_ / "c").string() + " " + (root_ / "b.cab").string(), status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadAll(root_ / "c" / "表.pbd"), bytes);
  EXPECT_EQ(Modified(root_ / "c" / "表.pbd"), 1614834368);
  Shell("gcab -x -C " + (root_ / "g").string() + " " + (root_ / "b.cab").string(), status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadAll(root_ / "g" / "表.pbd"), bytes);
}

TEST_F(GcabCabinetTest, ExtractsCabinetsMadeByGcabInOrderWithProgress) {
  if (!HasTool("gcab")) GTEST_SKIP() << "gcab is not installed";
  ScopedTimeZone utc("UTC0");  // gcab stores UTC fields; we read them as local time
  const std::string first = RandomBytes(100000, 3), second = "second file\r\n";
  WriteAll(root_ / "one.bin", first);
  WriteAll(root_ / "two.txt", second);
  SetModified(root_ / "one.bin", 1600000000);
  for (const char* mode : {"-c -z", "-c"}) {
    SCOPED_TRACE(mode);
    int status = 0;
    fs::remove(root_ / "g.cab");
    Shell("cd " + root_.string() + " && gcab " + mode + " g.cab one.bin two.txt", status);
    ASSERT_EQ(status, 0);
    std::vector<std::string> reported;
    std::vector<std::uint64_t> done;
    ExtractOptions options;
    options.onFile = [&](const ExtractedFile& file) { reported.push_back(file.name); };
    options.onProgress = [&](std::uint64_t bytes, std::uint64_t total) {
      EXPECT_EQ(total, fs::file_size(root_ / "g.cab"));
      done.push_back(bytes);
      return true;
    };
    const ExtractResult result = Extract(root_ / "g.cab", options);
    ASSERT_TRUE(result) << result.tag << result.detail;
    EXPECT_EQ(reported, (std::vector<std::string>{"one.bin", "two.txt"}));
    EXPECT_EQ(ReadAll(target_ / "one.bin"), first);
    EXPECT_EQ(ReadAll(target_ / "two.txt"), second);
    EXPECT_EQ(Modified(target_ / "one.bin"), 1600000000);
    EXPECT_EQ(result.files[1].attributes, CabinetAttr::kArchive);
    EXPECT_TRUE(std::is_sorted(done.begin(), done.end()));
    EXPECT_EQ(done.back(), fs::file_size(root_ / "g.cab"));
    EXPECT_EQ(Listing(target_), (std::set<std::string>{"one.bin", "two.txt"}))
        << "staging left behind";
  }
}

// Checksum 0 means "not computed": such blocks are accepted; a wrong checksum is not.
TEST_F(GcabCabinetTest, BlocksWithoutChecksumAreAcceptedAndWrongChecksumsRefused) {
  const std::string data = RandomBytes(70000, 5);
  WriteAll(root_ / "zero.cab", BuildStoredCabinet({{"a.pbd", data}}, [](std::uint32_t) { return 0u; }));
  const ExtractResult zero = Extract(root_ / "zero.cab");
  ASSERT_TRUE(zero) << zero.tag << zero.detail;
  EXPECT_EQ(ReadAll(target_ / "a.pbd"), data);
  EXPECT_EQ(getenv("GCAB_SKIP_CHECKSUM"), nullptr);

  fs::remove_all(target_);
  int block = 0;
  WriteAll(root_ / "wrong.cab", BuildStoredCabinet({{"a.pbd", data}}, [&block](std::uint32_t sum) {
             return ++block == 2 ? sum ^ 1 : block == 1 ? 0u : sum;
           }));
  const ExtractResult wrong = Extract(root_ / "wrong.cab");
  EXPECT_FALSE(wrong);
  EXPECT_EQ(wrong.tag, CabinetTag::kFileCopy);
  EXPECT_TRUE(!fs::exists(target_) || fs::is_empty(target_));
}

TEST_F(GcabCabinetTest, StoredNamesNeverLeaveTheTargetFolder) {
  const std::string outside = (root_ / "escaped").string();
  const fs::path cab = Raw({{"../up", "1"},
                            {"..\\..\\back", "2"},
                            {outside, "3"},
                            {"C:\\dos", "4"},
                            {"sub/dir/deep", "5"}});
  const ExtractResult result = Extract(cab);
  ASSERT_TRUE(result) << result.tag << result.detail;
  EXPECT_EQ(Listing(target_), (std::set<std::string>{"up", "back", "escaped", "dos", "deep"}));
  EXPECT_EQ(Listing(root_), (std::set<std::string>{"raw.cab", "work"}));
  EXPECT_EQ(ReadAll(target_ / "escaped"), "3");
  EXPECT_EQ(result.files[0].storedName, "../up");
}

TEST_F(GcabCabinetTest, RefusesUnusableNamesBeforeWritingAnything) {
  for (const std::string& bad :
       std::vector<std::string>{"", ".", "..", "a/..", "a\\.", "C:\\..", "\xFF\xFE", "bell\a.pbd", "esc\x1B[2J.pbd", "del\x7F"}) {
    SCOPED_TRACE(bad);
    const ExtractResult result = Extract(Raw({{"fine.txt", "ok"}, {bad, "x"}}));
    EXPECT_FALSE(result);
    EXPECT_EQ(result.tag, CabinetTag::kFileName);
    EXPECT_FALSE(fs::exists(target_ / "fine.txt"));
  }
  const ExtractResult flagged = Extract(Raw({{"\x95\x5C.pbd", "x", CabinetAttr::kNameIsUtf8}}));
  EXPECT_EQ(flagged.tag, CabinetTag::kFileName) << "flagged UTF-8 that is not UTF-8";
}

TEST_F(GcabCabinetTest, DecodesCp932NamesBeforeCuttingFolders) {
  // 表 is 0x95 0x5C in CP932: its trail byte is the backslash.
  const ExtractResult result = Extract(Raw({{"dir\\\x95\x5C.pbd", "cp932"}, {"u\xC3\xA9", "utf"}}));
  ASSERT_TRUE(result) << result.tag << result.detail;
  EXPECT_EQ(ReadAll(target_ / "表.pbd"), "cp932");
  EXPECT_EQ(result.files[0].storedName, "dir\\表.pbd");
  EXPECT_EQ(result.files[1].name, "uﾃｩ") << "unflagged names are CP932 first";
}

TEST_F(GcabCabinetTest, ReplacesPlantedSymlinksAndReadOnlyFilesWithoutFollowing) {
  fs::create_directories(target_);
  WriteAll(root_ / "victim", "keep");
  fs::create_symlink(root_ / "victim", target_ / "doc.pbd");
  fs::create_symlink(root_ / "created", target_ / "dangling");
  WriteAll(target_ / "old.pbd", "old");
  fs::permissions(target_ / "old.pbd", fs::perms::owner_read);
  const ExtractResult result =
      Extract(Raw({{"doc.pbd", "new"}, {"dangling", "d"}, {"old.pbd", "fresh"}}));
  ASSERT_TRUE(result) << result.tag << result.detail;
  EXPECT_EQ(ReadAll(root_ / "victim"), "keep");
  EXPECT_FALSE(fs::exists(root_ / "created"));
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(target_ / "doc.pbd")));
  EXPECT_EQ(ReadAll(target_ / "doc.pbd"), "new");
  EXPECT_EQ(ReadAll(target_ / "old.pbd"), "fresh");
}

TEST_F(GcabCabinetTest, BadCabinetsFailWithFileCopyAndLeaveNothing) {
  WriteAll(root_ / "text.pbd", "this is not a cabinet at all");
  WriteAll(root_ / "real", RandomBytes(300000, 9));
  ASSERT_TRUE(Written(cabinet_.WriteSingleFile(root_ / "real", "real", root_ / "whole.cab")));
  const std::string whole = ReadAll(root_ / "whole.cab");
  WriteAll(root_ / "cut.cab", whole.substr(0, whole.size() / 2));
  for (const char* name : {"text.pbd", "missing.cab", "cut.cab"}) {
    SCOPED_TRACE(name);
    const ExtractResult result = Extract(root_ / name);
    EXPECT_FALSE(result);
    EXPECT_EQ(result.tag, CabinetTag::kFileCopy);
    EXPECT_FALSE(result.detail.empty());
    EXPECT_TRUE(!fs::exists(target_) || fs::is_empty(target_));
  }
  ExtractOptions limited;
  limited.maxTotalBytes = 299999;
  EXPECT_EQ(Extract(root_ / "whole.cab", limited).tag, CabinetTag::kTooLarge);
  EXPECT_TRUE(!fs::exists(target_) || fs::is_empty(target_));

  const ExtractResult empty = Extract(Raw({}));
  EXPECT_TRUE(empty) << empty.tag << empty.detail;
  EXPECT_TRUE(empty.files.empty());
}

TEST_F(GcabCabinetTest, TwentyMegabytesRoundTripAndCancelLeavesNoFile) {
  const std::string bytes = RandomBytes(20u << 20, 11);
  WriteAll(root_ / "big", bytes);
  ASSERT_TRUE(Written(cabinet_.WriteSingleFile(root_ / "big", "big.pbd", root_ / "big.cab")));
  const ExtractResult result = Extract(root_ / "big.cab");
  ASSERT_TRUE(result) << result.tag << result.detail;
  EXPECT_TRUE(ReadAll(target_ / "big.pbd") == bytes);

  fs::remove_all(target_);
  ExtractOptions cancel;
  cancel.onProgress = [](std::uint64_t done, std::uint64_t) { return done < (4u << 20); };
  const ExtractResult stopped = Extract(root_ / "big.cab", cancel);
  EXPECT_EQ(stopped.tag, CabinetTag::kCancelled);
  EXPECT_TRUE(fs::is_empty(target_));
}

TEST_F(GcabCabinetTest, WriteReportsTheFailedStep) {
  WriteAll(root_ / "src", "data");
  for (const std::string& bad :
       std::vector<std::string>{"", "..", "a/b", "a\\b", "\xFF", std::string(256, 'n')})
    EXPECT_EQ(cabinet_.WriteSingleFile(root_ / "src", bad, root_ / "x.cab").tag,
              CabinetTag::kAddFile);
  EXPECT_EQ(cabinet_.WriteSingleFile(root_ / "none", "n", root_ / "x.cab").tag,
            CabinetTag::kAddFile);
  EXPECT_EQ(cabinet_.WriteSingleFile(root_, "n", root_ / "x.cab").tag, CabinetTag::kAddFile);
  EXPECT_EQ(cabinet_.WriteSingleFile(root_ / "src", "n", root_ / "no" / "x.cab").tag,
            CabinetTag::kCabinetCreate);
  fs::create_directory(root_ / "dir.cab");
  EXPECT_EQ(cabinet_.WriteSingleFile(root_ / "src", "n", root_ / "dir.cab").tag,
            CabinetTag::kCabinetCreate);
  EXPECT_EQ(Listing(root_), (std::set<std::string>{"src", "dir.cab"}));

  // A symlink at the destination is replaced, not written through.
  WriteAll(root_ / "victim", "keep");
  fs::create_symlink(root_ / "victim", root_ / "link.cab");
  ASSERT_TRUE(Written(cabinet_.WriteSingleFile(root_ / "src", "n", root_ / "link.cab")));
  EXPECT_EQ(ReadAll(root_ / "victim"), "keep");
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(root_ / "link.cab")));
}

}  // namespace
}  // namespace plume::platform
