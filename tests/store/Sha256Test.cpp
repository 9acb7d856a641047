// SHA-256 on both compression routines: the standard vectors, every length
// around the block boundaries, and agreement with sha256sum on files.

#include "store/Sha256.h"

#include <gmock/gmock.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "StoreFixture.h"

namespace plume::store::test {
namespace {

std::vector<std::uint8_t> Bytes(std::string_view s) { return {s.begin(), s.end()}; }

class Sha256Engines : public ::testing::TestWithParam<Sha256Engine> {
 protected:
  void SetUp() override {
    if (GetParam() == Sha256Engine::ShaNi && !Sha256HasShaNi()) GTEST_SKIP() << "this CPU has no SHA extensions";
  }
  std::string Hex(std::string_view message) const { return Sha256::HexOf(Bytes(message), GetParam()); }
};

TEST_P(Sha256Engines, UsesTheRequestedRoutine) { EXPECT_EQ(Sha256(GetParam()).Engine(), GetParam()); }

TEST_P(Sha256Engines, MatchesTheStandardVectors) {
  EXPECT_EQ(Hex(""), "E3B0C44298FC1C149AFBF4C8996FB92427AE41E4649B934CA495991B7852B855");
  EXPECT_EQ(Hex("abc"), "BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD");
  EXPECT_EQ(Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            "248D6A61D20638B8E5C026930C3E6039A33CE45964FF2167F6ECEDD419DB06C1");
  EXPECT_EQ(Hex("abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrs"
                "mnopqrstnopqrstu"),
            "CF5B16A778AF8380036CE59E7B0492370B249B11E8F07A51AFAC45037AFEE9D1");
  Sha256 million(GetParam());
  const std::string chunk(1000, 'a');
  for (int i = 0; i < 1000; ++i) million.Update(chunk.data(), chunk.size());
  EXPECT_EQ(Sha256::ToHex(million.Final()), "CDC76E5C9914FB9281A1C7E284D73E67F1809A48A497200E046D39CCC7112CD0");
}

TEST_P(Sha256Engines, AgreesWithTheOtherRoutineAtEveryLengthAroundBlockEdges) {
  std::mt19937 random(7);
  std::vector<std::uint8_t> data(300);
  for (auto& b : data) b = static_cast<std::uint8_t>(random());
  for (std::size_t length = 0; length <= data.size(); ++length) {
    std::span<const std::uint8_t> message(data.data(), length);
    const std::string whole = Sha256::HexOf(message, GetParam());
    EXPECT_EQ(whole, Sha256::HexOf(message, Sha256Engine::Portable)) << "length " << length;
    // The same message fed in uneven pieces
    Sha256 pieces(GetParam());
    for (std::size_t at = 0; at < length;) {
      const std::size_t step = std::min<std::size_t>(length - at, 1 + (at * 7) % 67);
      pieces.Update(message.subspan(at, step));
      at += step;
    }
    EXPECT_EQ(Sha256::ToHex(pieces.Final()), whole) << "length " << length;
  }
}

std::string Sha256sumOf(const fs::path& file) {
  const std::string command = "sha256sum '" + file.string() + "' 2>/dev/null";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) return {};
  char out[128] = {};
  if (!std::fgets(out, sizeof out, pipe.get())) return {};
  std::string hex(out, std::strlen(out) < 64 ? std::strlen(out) : 64);
  for (char& c : hex) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return hex;
}

TEST_P(Sha256Engines, FileDigestsAgreeWithSha256sum) {
  const fs::path dir = MakeTempFolder("sha");
  if (Sha256sumOf("/dev/null").size() != 64) GTEST_SKIP() << "sha256sum not available";
  std::mt19937 random(11);
  for (std::size_t size : {0u, 1u, 55u, 56u, 63u, 64u, 65u, 119u, 120u, 128u, 4095u, 1048576u, 1048577u, 3000001u}) {
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    const fs::path file = dir / ("r" + std::to_string(size));
    WriteBytes(file, bytes);
    EXPECT_EQ(FileSha256(file, GetParam()), Sha256sumOf(file)) << "size " << size;
  }
  fs::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(BothRoutines, Sha256Engines,
                         ::testing::Values(Sha256Engine::Portable, Sha256Engine::ShaNi),
                         [](const auto& info) {
                           return std::string(info.param == Sha256Engine::Portable ? "Portable" : "ShaNi");
                         });

TEST(FileSha256, GivesUpperCaseHexOrEmptyForWhatCannotBeRead) {
  const fs::path dir = MakeTempFolder("shafile");
  WriteBytes(dir / "abc", "abc");
  WriteBytes(dir / "empty", "");
  EXPECT_EQ(FileSha256(dir / "abc"), "BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD");
  EXPECT_EQ(FileSha256(dir / "empty"), "E3B0C44298FC1C149AFBF4C8996FB92427AE41E4649B934CA495991B7852B855");
  EXPECT_EQ(FileSha256(dir / "missing"), "");
  EXPECT_EQ(FileSha256(dir), "");  // a folder
  fs::remove_all(dir);
}

}  // namespace
}  // namespace plume::store::test
