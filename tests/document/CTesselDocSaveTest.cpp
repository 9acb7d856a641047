// Saving document files: backups, the failure table, failures injected at
// every file-system step, and the questions of EnsureSaved.

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "DocIoFixture.h"
#include "platform/DurableFiles.h"
#include "platform/WorkFolder.h"
#include "platform/SettingsTable.h"

namespace plume::document::test {
namespace {

using platform::MsgIcon;
using platform::MsgResult;
namespace settings = platform::settings;

class SaveTest : public DocIoTest {
 protected:
  // Saves chart `variant` at `path` and clears the sink; returns its chart bytes.
  std::string Saved(const fs::path& path, int variant) {
    MakeChart(*doc, variant);
    EXPECT_TRUE(tessel->SaveDocument(path));
    sink.Reset();
    return ChartBytes(*doc);
  }

  // The save of chart `variant` at `path` fails, leaving the document modified
  // and Last FilePath as it was.
  platform::MessageRequest SaveFails(const fs::path& path, int variant) {
    MakeChart(*doc, variant);
    tessel->SetModified();
    const std::string filePathBefore = settings::Get(settings, settings::Last::FilePath);
    EXPECT_FALSE(tessel->SaveDocument(path));
    EXPECT_TRUE(tessel->IsModified());
    EXPECT_EQ(settings::Get(settings, settings::Last::FilePath), filePathBefore);
    EXPECT_EQ(sink.Messages().size(), 1u);
    return sink.Last();
  }
};

TEST_F(SaveTest, SaveStoresScrollClearsSelectionAndRecordsThePath) {
  MakeChart(*doc, 1);
  doc->nodeStates[0].selected = 1;
  doc->slips[0].selected = 1;
  doc->focusedNode = 0;
  view.scroll = ScrollPosition{123, 456};
  tessel->SetModified();
  const fs::path path = docs / "plan.pbd";
  ASSERT_TRUE(tessel->SaveDocument(path));

  EXPECT_EQ(doc->CurrentPage().scrollX, 123);
  EXPECT_EQ(doc->CurrentPage().scrollY, 456);
  EXPECT_EQ(doc->nodeStates[0].selected, 0);
  EXPECT_EQ(doc->slips[0].selected, 0);
  EXPECT_EQ(doc->focusedNode, 0);
  EXPECT_FALSE(tessel->IsModified());
  EXPECT_EQ(tessel->Path(), path);
  EXPECT_EQ(settings::Get(settings, settings::Last::FilePath), path.string());
  EXPECT_EQ(view.recent, std::vector<fs::path>{path});
  EXPECT_TRUE(SameChart(OpenedBytes(path), ChartBytes(*doc)));
  // Neither the work folder's data file nor a temporary cabinet is left.
  EXPECT_FALSE(fs::exists(scratch / "plan.pbd"));
  EXPECT_TRUE(HiddenFiles(docs).empty());
  EXPECT_TRUE(sink.Messages().empty());
}

TEST_F(SaveTest, BackupKeepsThePreviousContentOnlyWhenMakeBackupIsOne) {
  const fs::path path = docs / "plan.pbd";
  const std::string first = Saved(path, 1);
  const std::string second = Saved(path, 2);
  EXPECT_TRUE(SameChart(OpenedBytes(path), second));
  EXPECT_TRUE(SameChart(OpenedBytes(docs / "plan(back).PBD"), first));

  settings::Set(settings, settings::KanSet::MakeBackup, 0);
  fs::remove(docs / "plan(back).PBD");
  Saved(path, 3);
  EXPECT_FALSE(fs::exists(docs / "plan(back).PBD"));

  // Only a "." of the file name counts; the backup stays beside the document.
  settings::Set(settings, settings::KanSet::MakeBackup, 1);
  fs::create_directory(docs / "v1.2");
  Saved(docs / "v1.2" / "plan.pbd", 1);
  Saved(docs / "v1.2" / "plan.pbd", 2);
  EXPECT_TRUE(fs::exists(docs / "v1.2" / "plan(back).PBD"));
  EXPECT_FALSE(fs::exists(docs / "v1(back).PBD"));
}

TEST_F(SaveTest, ReplacedDocumentKeepsItsPermissions) {
  const fs::path path = docs / "plan.pbd";
  Saved(path, 1);
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  Saved(path, 2);
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(SaveTest, DataFileThatCannotBeCreatedShowsItsPathAbove30026) {
  const fs::path path = docs / "plan.pbd";
  const std::string old = Saved(path, 1);
  fs::create_directories(scratch / "plan.pbd" / "x");  // a folder where the data file goes
  const auto shown = SaveFails(path, 2);
  EXPECT_EQ(shown.id, 30026);
  EXPECT_EQ(shown.prefix, (scratch / "plan.pbd").string() + "\n");
  fs::remove_all(scratch / "plan.pbd");
  EXPECT_TRUE(SameChart(OpenedBytes(path), old));
}

TEST_F(SaveTest, LinkPlantedAtTheDataFileIsReplacedNotWrittenThrough) {
  const fs::path path = docs / "plan.pbd";
  Saved(path, 1);
  const fs::path victim = root / "victim";
  WriteAll(victim, "precious");
  fs::create_directories(scratch);
  fs::create_symlink(victim, scratch / "plan.pbd");
  const std::string saved = Saved(path, 2);
  EXPECT_EQ(ReadAll(victim), "precious");
  EXPECT_TRUE(SameChart(OpenedBytes(path), saved));
}

TEST_F(SaveTest, BackupThatCannotBeMadeShows30081AndLeavesTheOldFile) {
  // No "." in the file name: there is no backup name.
  const fs::path plain = docs / "plan";
  Saved(plain, 1);
  const std::string oldPlain = ReadAll(plain);
  EXPECT_EQ(SaveFails(plain, 2).id, 30081);
  EXPECT_EQ(ReadAll(plain), oldPlain);

  // The backup name is taken by a folder: the copy cannot be renamed there.
  sink.Reset();
  const fs::path path = docs / "plan.pbd";
  const std::string old = Saved(path, 1);
  fs::create_directories(docs / "plan(back).PBD" / "inside");
  const auto shown = SaveFails(path, 2);
  EXPECT_EQ(shown.id, 30081);
  EXPECT_EQ(shown.prefix, "");
  EXPECT_TRUE(SameChart(OpenedBytes(path), old));
  EXPECT_TRUE(HiddenFiles(docs).empty());
}

TEST_F(SaveTest, UnwritableFolderShows30035AndTheDocumentStaysModified) {
  // A folder below a file cannot be written, not even by root.
  WriteAll(docs / "file", "x");
  const auto shown = SaveFails(docs / "file" / "plan.pbd", 1);
  EXPECT_EQ(shown.id, 30035);
  EXPECT_EQ(shown.icon, MsgIcon::Information);
  EXPECT_EQ(shown.prefix, "");
  EXPECT_TRUE(tessel->Path().empty());
  EXPECT_TRUE(view.recent.empty());
  EXPECT_FALSE(fs::exists(scratch / "plan.pbd"));
}

TEST_F(SaveTest, UnavailableWorkFolderShows30002) {
  WriteAll(root / "not-a-folder", "x");
  setenv("TMPDIR", (root / "not-a-folder").c_str(), 1);
  EXPECT_EQ(SaveFails(docs / "plan.pbd", 1).id, 30002);
  EXPECT_FALSE(fs::exists(docs / "plan.pbd"));
}

// Each step refused in turn: the save fails with that step's message, and the
// document path holds the old document unless the new one was already renamed
// into place; no temporary file is left beside it.
TEST_F(SaveTest, FailureAtAnyStepLeavesTheOldOrTheNewDocument) {
  const fs::path path = docs / "plan.pbd";
  for (platform::IoStep failing : platform::kAllIoSteps) {
    SCOPED_TRACE(std::string(IoStepName(failing)));
    sink.Reset();
    const std::string old = Saved(path, 1);
    tessel->SetIoSteps([failing](platform::IoStep step) { return step != failing; });
    const auto shown = SaveFails(path, 2);
    const std::string newBytes = ChartBytes(*doc);
    tessel->SetIoSteps({});

    int expected = 30035;
    if (failing == platform::IoStep::DataCreate) expected = 30026;
    if (failing == platform::IoStep::DataWrite) expected = 30018;
    if (failing >= platform::IoStep::BackupCopy && failing <= platform::IoStep::BackupFolderSync) expected = 30081;
    EXPECT_EQ(shown.id, expected);
    EXPECT_TRUE(SameChart(OpenedBytes(path), failing == platform::IoStep::CabinetFolderSync ? newBytes : old));
    EXPECT_TRUE(HiddenFiles(docs).empty());
    EXPECT_FALSE(fs::exists(scratch / "plan.pbd"));
  }
}

// The processing dialog lets events run while a save packs. A dropped PDF's
// timer tick waits while the gate is held; an edit that slips in anyway keeps
// the document modified. Either way no node is lost at close: it is in the
// saved file or the document still asks to be saved. An open takes the gate
// too, and sweeps away the hidden file a killed save left beside the document.
TEST_F(SaveTest, SaveAndOpenRunAloneAndNeverClearTheFlagOverAnUnsavedEdit) {
  struct TickingRunner : ShoriRunner {
    std::function<void()> tick;
    bool Run(ShoriJob& job) override {
      if (tick) tick();  // an event the dialog let through
      return job.Run();
    }
  };
  JobGate jobs;
  TickingRunner runner;
  CTesselDoc gated(*doc, settings, cabinet, codec, CTesselDoc::Services{&dialogs, &runner, &view, &jobs});
  auto dropTick = [&](bool respectsGate) {
    if (respectsGate && jobs.Busy()) return;  // the timer tries again next tick
    NodeRequest node;
    node.dataType = "PDF";
    node.serial = 42;
    doc->AddNode(std::move(node));
    doc->Changes().MarkModified();
  };
  const fs::path path = docs / "plan.pbd";
  for (const bool respectsGate : {true, false}) {
    SCOPED_TRACE(respectsGate ? "tick waits" : "edit slips in");
    MakeChart(*doc, 1);
    runner.tick = [&] { dropTick(respectsGate); };
    ASSERT_TRUE(gated.SaveDocument(path));
    EXPECT_FALSE(jobs.Busy());
    runner.tick = nullptr;
    const std::string saved = OpenedBytes(path);
    const bool nodeSaved = saved == ChartBytes(*doc);
    EXPECT_TRUE(nodeSaved || gated.IsModified());
    EXPECT_EQ(gated.IsModified(), !respectsGate);
  }

  // A save killed by another process of this host left its hidden file.
  const pid_t dead = fork();
  if (dead == 0) _exit(0);
  waitpid(dead, nullptr, 0);
  std::string leftover = platform::TemporarySibling(path).filename().string();
  leftover.replace(leftover.find(std::to_string(getpid())), std::to_string(getpid()).size(), std::to_string(dead));
  WriteAll(docs / leftover, "half a cabinet");
  bool heldWhileOpening = false;
  runner.tick = [&] { heldWhileOpening = jobs.Busy(); };
  ASSERT_TRUE(gated.OpenDocument(path));
  EXPECT_TRUE(heldWhileOpening);
  EXPECT_TRUE(HiddenFiles(docs).empty());
}

TEST_F(SaveTest, EnsureSavedAsksOnlyWithoutAPath) {
  // No: abandoned, no chooser shown.
  sink.Answer(MsgResult::No);
  EXPECT_FALSE(tessel->EnsureSaved());
  ASSERT_EQ(sink.Ids(), std::vector<int>{30023});
  EXPECT_EQ(sink.Last().icon, MsgIcon::Question);
  EXPECT_EQ(sink.Last().buttons, platform::MsgButtons::YesNo);
  EXPECT_TRUE(dialogs.asked.empty());

  // Yes, then Cancel in the chooser: fails.
  sink.Answer(MsgResult::Yes);
  dialogs.answers.push_back(std::nullopt);
  EXPECT_FALSE(tessel->EnsureSaved());
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0].title, "保存するファイルを指定");
  EXPECT_EQ(dialogs.asked[0].filter, "Plumeboard File|*.PBD||");
  EXPECT_EQ(dialogs.asked[0].defaultExtension, "PBD");
  EXPECT_EQ(dialogs.asked[0].initialName, "");
  EXPECT_TRUE(dialogs.asked[0].hideReadOnly);
  EXPECT_FALSE(dialogs.asked[0].confirmOverwrite);
  EXPECT_TRUE(tessel->Path().empty());

  // Yes, then a path that cannot be written: fails, nothing recorded.
  sink.Reset();
  WriteAll(docs / "file", "x");
  sink.Answer(MsgResult::Yes);
  dialogs.answers.push_back(docs / "file" / "x.PBD");
  EXPECT_FALSE(tessel->EnsureSaved());
  EXPECT_EQ(sink.Ids(), (std::vector<int>{30023, 30035}));
  EXPECT_TRUE(tessel->Path().empty());
  EXPECT_TRUE(view.recent.empty());

  // Yes, then a path: saved, recorded and in the recent files.
  MakeChart(*doc, 5);
  sink.Answer(MsgResult::Yes);
  dialogs.answers.push_back(docs / "new.PBD");
  EXPECT_TRUE(tessel->EnsureSaved());
  EXPECT_EQ(tessel->Path(), docs / "new.PBD");
  EXPECT_EQ(view.recent, std::vector<fs::path>{docs / "new.PBD"});
  EXPECT_TRUE(SameChart(OpenedBytes(docs / "new.PBD"), ChartBytes(*doc)));

  // With a path: no question at all.
  sink.Reset();
  EXPECT_TRUE(tessel->EnsureSaved());
  EXPECT_TRUE(sink.Messages().empty());
}

TEST_F(SaveTest, DocumentInsideTheScratchFolderSurvivesItsOwnDataFile) {
  // There the data file's name is the document's own path.
  fs::create_directories(scratch);
  const fs::path path = scratch / "plan.pbd";
  const std::string first = Saved(path, 1);
  EXPECT_TRUE(SameChart(OpenedBytes(path), first));
  const std::string second = Saved(path, 2);
  EXPECT_TRUE(SameChart(OpenedBytes(path), second));
  EXPECT_TRUE(SameChart(OpenedBytes(scratch / "plan(back).PBD"), first));
}

TEST_F(SaveTest, LongNamesStillSave) {
  const fs::path path = docs / (std::string(250, 'n') + ".pbd");
  const std::string saved = Saved(path, 1);
  EXPECT_TRUE(SameChart(OpenedBytes(path), saved));
}

TEST_F(SaveTest, NewDocumentForgetsThePath) {
  Saved(docs / "plan.pbd", 1);
  tessel->SetModified();
  tessel->NewDocument();
  EXPECT_TRUE(tessel->Path().empty());
  EXPECT_FALSE(tessel->IsModified());
  EXPECT_EQ(doc->nodeCount, 0);
}

}  // namespace
}  // namespace plume::document::test
