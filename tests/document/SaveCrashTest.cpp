// A save stopped dead at any moment leaves the old document or the new one at
// its path, never a damaged or missing file: child processes saving a full
// document are stopped at every file-system step and killed at 200 moments
// spread over the whole save, and the file is then opened and compared.

#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

#include "DocIoFixture.h"
#include "platform/WorkFolder.h"
#include "support/FullChart.h"

namespace plume::document::test {
namespace {

class SaveCrashTest : public DocIoTest {
 protected:
  void SetUp() override {
    DocIoTest::SetUp();
    other = ChartDocument::Create();
    otherTessel = std::make_unique<CTesselDoc>(*other, settings, cabinet, codec);
  }

  // Removes the temporary files killed saves leave beside the document.
  void RemoveLeftovers() {
    for (const std::string& name : HiddenFiles(docs)) fs::remove(docs / name);
  }

  std::unique_ptr<ChartDocument> other;
  std::unique_ptr<CTesselDoc> otherTessel;
};

TEST_F(SaveCrashTest, StopAtEveryStepLeavesTheOldOrTheNewDocument) {
  const fs::path path = docs / "plan.pbd";
  MakeChart(*doc, 1);
  MakeChart(*other, 2);
  ASSERT_TRUE(otherTessel->SaveDocument(docs / "other.pbd"));  // clears the selection as a save does
  const std::string newBytes = ChartBytes(*other);
  for (platform::IoStep stop : platform::kAllIoSteps) {
    SCOPED_TRACE(std::string(platform::IoStepName(stop)));
    ASSERT_TRUE(tessel->SaveDocument(path));
    ASSERT_TRUE(tessel->SaveDocument(path));  // the backup holds the old content too
    const std::string oldBytes = ChartBytes(*doc);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      otherTessel->SetIoSteps([stop](platform::IoStep step) {
        if (step == stop) _exit(0);
        return true;
      });
      otherTessel->SaveDocument(path);
      _exit(3);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the save never reached the step";
    const bool renamed = stop == platform::IoStep::CabinetFolderSync;
    EXPECT_TRUE(SameChart(OpenedBytes(path), renamed ? newBytes : oldBytes));
    EXPECT_TRUE(SameChart(OpenedBytes(docs / "plan(back).PBD"), oldBytes));
    RemoveLeftovers();
  }
}

TEST_F(SaveCrashTest, KillAtTwoHundredMomentsLeavesTheOldOrTheNewDocument) {
  const fs::path path = docs / "plan.pbd";
  testing::FillToCapacity(*doc, 10 * 1024);
  testing::FillToCapacity(*other, 10 * 1024);
  std::snprintf(other->slips[999].slipText, sizeof other->slips[999].slipText, "changed");
  other->header.currentPage = 7;
  const std::string bytes[2] = {ChartBytes(*doc), ChartBytes(*other)};
  CTesselDoc* savers[2] = {tessel.get(), otherTessel.get()};

  ASSERT_TRUE(tessel->SaveDocument(path));
  // How long one whole save takes in a child (a fresh child writes to
  // copy-on-write memory, so it is slower than a save in this process): the
  // quickest of three.
  long long saveNs = 0;
  for (int run = 0; run < 3; ++run) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t timed = fork();
    ASSERT_GE(timed, 0);
    if (timed == 0) _exit(savers[1]->SaveDocument(docs / "timed.pbd") ? 0 : 1);
    int status = 0;
    ASSERT_EQ(waitpid(timed, &status, 0), timed);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const long long ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                             std::chrono::steady_clock::now() - start).count();
    saveNs = run == 0 ? ns : std::min(saveNs, ns);
  }

  int onDisk = 0;
  int killedOld = 0, killedNew = 0, finished = 0;
  constexpr int kPoints = 200;
  // A loaded machine can make every save slower than the timed ones; then
  // the later points wait twice as long each time until a save has got past
  // its rename, so both sides of it are always exercised.
  constexpr int kLatePoints = 12;
  for (int i = 0; i < kPoints + kLatePoints; ++i) {
    if (i >= kPoints && killedNew + finished > 0) break;
    SCOPED_TRACE("kill point " + std::to_string(i));
    const int saving = 1 - onDisk;
    // From the start of the save to a fifth past its usual end.
    const long long delay = i < kPoints ? saveNs * 12 / 10 * i / (kPoints - 1)
                                        : saveNs * (2LL << (i - kPoints));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      savers[saving]->SaveDocument(path);
      _exit(0);
    }
    const timespec wait{static_cast<time_t>(delay / 1000000000), static_cast<long>(delay % 1000000000)};
    nanosleep(&wait, nullptr);
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    if (WIFEXITED(status)) ++finished;

    const std::string opened = OpenedBytes(path);
    ASSERT_TRUE(opened == bytes[0] || opened == bytes[1]) << "document damaged or missing";
    const int now = opened == bytes[0] ? 0 : 1;
    if (WIFSIGNALED(status)) (now == onDisk ? killedOld : killedNew) += 1;
    onDisk = now;
    if (i % 20 == 0) {
      const std::string backup = OpenedBytes(docs / "plan(back).PBD");
      EXPECT_TRUE(backup.empty() || backup == bytes[0] || backup == bytes[1]);
    }
  }
  std::printf("save %.1f ms; %d killed leaving the old document, %d killed leaving the new one, %d finished\n",
              static_cast<double>(saveNs) / 1e6, killedOld, killedNew, finished);
  // The kill points must have hit the save before and after the rename.
  EXPECT_GT(killedOld, 0);
  EXPECT_GT(killedNew + finished, 0);

  // The killed saves' leftovers go with the next save beside the document and
  // with the next start in the work folder: only this process's folder stays.
  ASSERT_TRUE(tessel->SaveDocument(path));
  EXPECT_EQ(HiddenFiles(docs), std::vector<std::string>{});
  platform::RemoveDeadScratchFolders();
  std::vector<fs::path> inWork;
  for (const auto& item : fs::directory_iterator(work)) inWork.push_back(item.path());
  EXPECT_EQ(inWork, std::vector<fs::path>{scratch});
  EXPECT_EQ(fs::directory_iterator(scratch), fs::directory_iterator());
}

}  // namespace
}  // namespace plume::document::test
