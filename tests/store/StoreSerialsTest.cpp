// The store's own numbers: a registration never receives the number of a
// stored material, whatever the user's counter says.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include "store/InfoFile.h"
#include "store/StoreSerials.h"
#include "tests/store/StoreFixture.h"

namespace plume::store::test {
namespace {

namespace settings = platform::settings;

class StoreSerialsTest : public StoreFixture {
 protected:
  void WriteMaterial(Serial n) {
    const std::string text = FormatSerial(n);
    WriteBytes(MaterialStore::InfoFileIn(Root(), text), "info " + text);
    WriteBytes(MaterialStore::DataFileIn(Root(), "JPEG", text), "data " + text);
  }
};

TEST_F(StoreSerialsTest, CounterBehindTheStoreTakesTheNumberAfterTheLastMaterial) {
  // GIVEN materials 0..41 with 20 deleted, the user's counter at 5 and no store number yet
  for (Serial n = 0; n <= 41; ++n) {
    if (n != 20) WriteMaterial(n);
  }
  settings::Set(settings_, settings::Sys::No, "00000005");
  // WHEN a registration reserves its number
  const auto n = store_.ReserveSerial();
  // THEN it takes 42, leaves every stored material as it was and moves the store on
  ASSERT_TRUE(n);
  EXPECT_EQ(*n, 42);
  for (Serial m = 5; m <= 41; ++m) {
    if (m == 20) continue;
    EXPECT_EQ(ReadBytes(MaterialStore::DataFileIn(Root(), "JPEG", FormatSerial(m))), "data " + FormatSerial(m));
  }
  EXPECT_EQ(ReadStoreNextNumber(Root()), 43);
  EXPECT_EQ(store_.ReserveSerial(), 43);  // the counter is still 5: the store alone moves on
}

TEST_F(StoreSerialsTest, CounterAheadOfTheStoreIsHonoured) {
  WriteMaterial(3);
  settings::Set(settings_, settings::Sys::No, "00000060");
  EXPECT_EQ(store_.ReserveSerial(), 60);
}

TEST_F(StoreSerialsTest, ReservationSkipsInformationFilesAboveTheStoreNumber) {
  // Another writer that did not know the store number left material 7.
  WriteBytes(Root() / kNextNumberFile, "00000006\n");
  WriteMaterial(6);
  WriteMaterial(7);
  EXPECT_EQ(store_.ReserveSerial(), 8);
}

TEST_F(StoreSerialsTest, AbandonedReservationLeavesAGapAndDeletedNumbersAreNotReused) {
  // A registration reserved 0 and failed (nothing committed); material 1 was stored and then deleted.
  ASSERT_EQ(store_.ReserveSerial(), 0);
  ASSERT_EQ(store_.ReserveSerial(), 1);
  WriteMaterial(1);
  store_.CommitSerial(1);
  ASSERT_TRUE(store_.DeleteMaterial(1, "JPEG"));
  EXPECT_EQ(store_.ReserveSerial(), 2);
}

TEST_F(StoreSerialsTest, WalksEndAtTheLargerOfCounterAndStoreNumber) {
  settings::Set(settings_, settings::Sys::No, "00000003");
  EXPECT_EQ(store_.SerialWalkEnd(Root()), 3);  // empty store, no number file
  WriteMaterial(9);
  EXPECT_EQ(store_.SerialWalkEnd(Root()), 10);  // found by the walk of KANRI
  WriteBytes(Root() / kNextNumberFile, "00000030\n");
  EXPECT_EQ(store_.SerialWalkEnd(Root()), 30);
  settings::Set(settings_, settings::Sys::No, "00000040");
  EXPECT_EQ(store_.SerialWalkEnd(Root()), 40);
}

TEST_F(StoreSerialsTest, HeldLockRefusesWithAMessageAndChangesNothing) {
  fs::create_directories(Root());
  int ready[2];
  int release[2];
  ASSERT_EQ(pipe(ready), 0);
  ASSERT_EQ(pipe(release), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // Another process holds the lock, as a stale network server would.
    const int fd = ::open((Root() / kNextNumberLock).c_str(), O_RDWR | O_CREAT, 0666);
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_len = 1;
    const char ok = ::fcntl(fd, F_SETLK, &lock) == 0 ? 'y' : 'n';
    (void)!::write(ready[1], &ok, 1);
    char c;
    (void)!::read(release[0], &c, 1);
    _exit(0);
  }
  char ok = 0;
  ASSERT_EQ(::read(ready[0], &ok, 1), 1);
  ASSERT_EQ(ok, 'y');
  EXPECT_FALSE(ReserveSerial(Root(), 0, std::chrono::milliseconds(100)));
  ASSERT_EQ(sink_.Messages().size(), 1u);
  EXPECT_EQ(sink_.Messages()[0].id, static_cast<int>(platform::StringId::SerialReservationFailed));
  EXPECT_FALSE(fs::exists(Root() / kNextNumberFile));
  (void)!::write(release[1], "x", 1);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_EQ(ReserveSerial(Root(), 0), 0);  // free again once the holder is gone
}

TEST_F(StoreSerialsTest, StoringLeavesNoTemporaryFileBehind) {
  const fs::path source = dir_ / "a.png";
  WriteBytes(source, "png bytes");
  ASSERT_TRUE(store_.StoreMaterialFile("PNG", source, "00000004"));
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(Root() / "PNG" / "04")) names.push_back(e.path().filename().string());
  EXPECT_EQ(names, std::vector<std::string>{"00000004.PNG"});
}

}  // namespace
}  // namespace plume::store::test
