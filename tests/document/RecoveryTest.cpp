// Recovery copies: the record, the keeper's copies and their removal, copies
// of programs that died, damaged copies, and restoring a copy.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "DocIoFixture.h"
#include "document/RecoveryFolder.h"
#include "document/RecoveryKeeper.h"

namespace plume::document::test {
namespace {

using Clock = RecoveryKeeper::Clock;
using platform::MsgResult;
using std::chrono::seconds;

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& item : fs::directory_iterator(folder, error)) names.push_back(item.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

class RecoveryTest : public DocIoTest {
 protected:
  void SetUp() override {
    DocIoTest::SetUp();
    folder = root / "state" / "recovery";
    keeper = StartKeeper();
    ASSERT_TRUE(keeper);
  }
  void TearDown() override {
    keeper.reset();
    DocIoTest::TearDown();
  }

  std::unique_ptr<RecoveryKeeper> StartKeeper() {
    RecoveryKeeper::Source source;
    source.original = [this] { return tessel->OriginalPath(); };
    source.base = [this] { return tessel->OriginalStamp(); };
    auto made = RecoveryKeeper::Start(folder, *doc, cabinet, source);
    if (made) subscription = doc->Changes().Subscribe([k = made.get()](Change c) { k->OnChange(c, Clock::now()); });
    return made;
  }

  // An edit of the document as the view makes it.
  void Edit(int variant) {
    MakeChart(*doc, variant);
    doc->Changes().MarkModified();
  }

  // Takes a copy now and waits until it is in place.
  void CopyNow() {
    ASSERT_TRUE(keeper->CopyNow(Clock::now()));
    keeper->WaitIdle();
    ASSERT_TRUE(keeper->LastStats().written);
  }

  // The chart bytes of a copy ("" when it cannot be read).
  std::string CopyBytes(const RecoveryEntry& entry) {
    auto read = ChartDocument::Create();
    std::string why;
    return RecoveryFolder(folder).Load(entry, cabinet, codec, *read, why) ? ChartBytes(*read) : std::string();
  }

  // The entry of this program's copy as the next start would find it.
  RecoveryEntry OwnEntry() {
    RecoveryEntry entry;
    entry.id = keeper->Id();
    entry.recordPath = folder / RecoveryFolder::RecordName(entry.id);
    entry.record = ParseRecoveryRecord(ReadAll(entry.recordPath));
    if (entry.record) entry.copyPath = folder / entry.record->copy;
    return entry;
  }

  // Leaves a copy of chart `variant` as a program killed after its copy would.
  void LeaveDeadCopy(int variant, const fs::path& original = {}) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      (void)keeper.release();  // the parent's keeper: its files are not the child's to remove
      auto own = StartKeeper();
      if (!own) _exit(1);
      if (!original.empty()) tessel->SaveDocument(original);
      Edit(variant);
      own->CopyNow(Clock::now());
      own->WaitIdle();
      raise(SIGKILL);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
  }

  fs::path folder;
  std::unique_ptr<RecoveryKeeper> keeper;
  DocumentChanges::Subscription subscription;
};

TEST(RecoveryRecordTest, RoundTripsAndRefusesAnythingButAWholeRecord) {
  RecoveryRecord record;
  record.original = "/home/u/100% plan\nB.pbd";
  record.time = 1765380000;
  record.page = 3;
  record.pid = 4242;
  record.copy = "4242-abcd.7.pbd";
  record.base = FileStamp{1765379999123456789, 98765};
  const std::optional<RecoveryRecord> back = ParseRecoveryRecord(FormatRecoveryRecord(record));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->original, record.original);
  EXPECT_EQ(back->time, record.time);
  EXPECT_EQ(back->page, record.page);
  EXPECT_EQ(back->pid, record.pid);
  EXPECT_EQ(back->copy, record.copy);
  EXPECT_EQ(back->base, record.base);

  const std::string good = FormatRecoveryRecord(record);
  auto replaced = [&](std::string_view from, std::string_view to) {
    std::string text = good;
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  for (const std::string& bad : {std::string(), good.substr(0, good.size() - 1), replaced("Plumeboard", "Plumboard"),
                                 replaced("copy=4242-abcd.7.pbd", "copy=../x.pbd"), replaced("time=", "time=x"),
                                 replaced("page=3", "page=-1"), replaced("pid=4242", "pid=4242\npid=1"),
                                 replaced("pid=4242", "colour=red"), replaced("copy=4242-abcd.7.pbd\n", ""),
                                 replaced("100%25", "100%2"), replaced("base=", "base=12")}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(ParseRecoveryRecord(bad));
  }
}

TEST_F(RecoveryTest, FirstChangeSchedulesACopySoonAndLaterOnesNoSoonerThanTheInterval) {
  keeper->SetFirstDelay(seconds(3));
  keeper->SetInterval(seconds(60));
  const Clock::time_point start = Clock::now();
  keeper->OnChange(Change::Repaint, start);
  EXPECT_FALSE(keeper->Due());
  keeper->OnChange(Change::Modified, start);
  ASSERT_TRUE(keeper->Due());
  EXPECT_EQ(*keeper->Due(), start + seconds(3));
  keeper->OnChange(Change::Modified, start + seconds(2));  // a burst keeps the first time
  EXPECT_EQ(*keeper->Due(), start + seconds(3));
  EXPECT_FALSE(keeper->Tick(start + seconds(2)));  // not yet

  doc->Changes().MarkModified();
  EXPECT_TRUE(keeper->Tick(start + seconds(3)));
  keeper->WaitIdle();
  EXPECT_FALSE(keeper->Due());
  keeper->OnChange(Change::Modified, start + seconds(10));
  EXPECT_EQ(*keeper->Due(), start + seconds(63));
  keeper->OnChange(Change::Unmodified, start + seconds(11));  // saved: nothing due, the next change starts afresh
  EXPECT_FALSE(keeper->Due());
  keeper->OnChange(Change::Modified, start + seconds(20));
  EXPECT_EQ(*keeper->Due(), start + seconds(23));
}

TEST_F(RecoveryTest, TheCopyHoldsTheChangedDocumentAndGoesWithSaveNewAndADiscardingClose) {
  const fs::path original = docs / "plan.pbd";
  struct Case {
    const char* name;
    std::function<void()> ends;  // what removes the copy
  };
  const Case cases[] = {
      {"save", [&] { ASSERT_TRUE(tessel->SaveDocument(original)); }},
      {"new", [&] { tessel->NewDocument(); }},
      {"close without saving", [&] { keeper.reset(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (!keeper) keeper = StartKeeper();
    EXPECT_FALSE(keeper->CopyNow(Clock::now())) << "a document without changes gets no copy";
    Edit(3);
    CopyNow();
    const RecoveryEntry entry = OwnEntry();
    ASSERT_TRUE(entry.record);
    EXPECT_EQ(entry.record->pid, getpid());
    EXPECT_TRUE(SameChart(CopyBytes(entry), ChartBytes(*doc)));
    Edit(4);  // the next copy replaces the first
    CopyNow();
    EXPECT_TRUE(SameChart(CopyBytes(OwnEntry()), ChartBytes(*doc)));
    EXPECT_FALSE(fs::exists(entry.copyPath));

    c.ends();
    const std::vector<std::string> left = Names(folder);
    const std::vector<std::string> lockOnly = keeper ? std::vector<std::string>{keeper->Id() + ".lock"}
                                                     : std::vector<std::string>{};
    EXPECT_EQ(left, lockOnly);
  }
}

TEST_F(RecoveryTest, ARemovalWinsOverACopyBeingWritten) {
  for (int round = 0; round < 20; ++round) {
    Edit(round);
    ASSERT_TRUE(keeper->CopyNow(Clock::now()));
    keeper->Remove();  // a save that finished while the worker packs
    keeper->WaitIdle();
    EXPECT_EQ(Names(folder), std::vector<std::string>{keeper->Id() + ".lock"});
  }
}

TEST_F(RecoveryTest, OnlyCopiesOfProgramsThatDiedAreOfferedAndTheirLeftoversGo) {
  Edit(1);
  CopyNow();  // this program's own copy: never offered while it runs
  LeaveDeadCopy(2);
  RecoveryFolder recovery(folder);
  std::vector<RecoveryEntry> dead = recovery.DeadCopies();
  ASSERT_EQ(dead.size(), 1u);
  EXPECT_NE(dead[0].id, keeper->Id());
  MakeChart(*doc, 2);
  const std::string expected = ChartBytes(*doc);
  EXPECT_TRUE(SameChart(CopyBytes(dead[0]), expected));

  // What a program killed while writing leaves: half-written files, a copy no record names.
  const std::string id = dead[0].id;
  for (const std::string& name : {id + ".9.chart", id + ".9.part", id + ".rec.part", id + ".8.pbd"})
    WriteAll(folder / name, "x");
  WriteAll(folder / "77-dead.lock", "");  // a lock without record
  dead = recovery.DeadCopies();
  ASSERT_EQ(dead.size(), 1u);
  const std::vector<std::string> expectedNames = {id + ".lock", id + ".rec", dead[0].record->copy,
                                                  keeper->Id() + ".lock", keeper->Id() + ".rec",
                                                  fs::path(keeper->CopyPath()).filename()};
  std::vector<std::string> sorted = expectedNames;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(Names(folder), sorted);
}

TEST_F(RecoveryTest, ACopyThatCannotBeReadIsKeptAsideNotDeleted) {
  LeaveDeadCopy(1);
  RecoveryFolder recovery(folder);
  RecoveryEntry entry = recovery.DeadCopies().at(0);
  struct Case {
    const char* name;
    std::function<void(const RecoveryEntry&)> damage;
  };
  const Case cases[] = {
      {"copy is no cabinet", [](const RecoveryEntry& e) { WriteAll(e.copyPath, "not a cabinet"); }},
      {"record is garbage", [](const RecoveryEntry& e) { WriteAll(e.recordPath, "garbage"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.name != cases[0].name) LeaveDeadCopy(1);
    entry = recovery.DeadCopies().at(0);
    c.damage(entry);
    entry = recovery.DeadCopies().at(0);
    const std::string copyName = fs::path(entry.copyPath).filename();
    auto read = ChartDocument::Create();
    std::string why;
    EXPECT_FALSE(recovery.Load(entry, cabinet, codec, *read, why));
    EXPECT_FALSE(why.empty());
    EXPECT_EQ(recovery.KeepAside(entry), recovery.DamagedFolder());
    EXPECT_TRUE(fs::exists(recovery.DamagedFolder() / RecoveryFolder::RecordName(entry.id)));
    EXPECT_EQ(Names(recovery.DamagedFolder()).size() % 2, 0u) << "record and copy moved together";
    EXPECT_TRUE(recovery.DeadCopies().empty());
  }
  EXPECT_EQ(Names(recovery.DamagedFolder()).size(), 4u);
}

TEST_F(RecoveryTest, ARestoredCopyIsModifiedAndItsFirstSaveProposesTheOriginalAndWarnsWhenItChanged) {
  const fs::path original = docs / "plan.pbd";
  struct Case {
    bool changedBehind;
    MsgResult answer;
    bool warned;
    bool saved;
  };
  const Case cases[] = {{false, MsgResult::Yes, false, true},
                        {true, MsgResult::No, true, false},
                        {true, MsgResult::Yes, true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.changedBehind << " " << static_cast<int>(c.answer));
    fs::remove_all(folder);
    fs::create_directories(folder);
    keeper = StartKeeper();
    tessel->NewDocument();
    LeaveDeadCopy(5, original);  // the dead program saved plan.pbd, then changed it
    if (c.changedBehind) {
      MakeChart(*doc, 9);  // someone else writes plan.pbd afterwards
      auto other = ChartDocument::Create();
      MakeChart(*other, 9);
      CTesselDoc writer(*other, settings, cabinet, codec);
      ASSERT_TRUE(writer.SaveDocument(original));
    }
    RecoveryEntry entry = RecoveryFolder(folder).DeadCopies().at(0);
    auto read = ChartDocument::Create();
    std::string why;
    ASSERT_TRUE(RecoveryFolder(folder).Load(entry, cabinet, codec, *read, why)) << why;
    const std::string restored = ChartBytes(*read);
    ASSERT_TRUE(keeper->Adopt(entry));
    tessel->AdoptRecovered(*read, *entry.record);
    EXPECT_TRUE(SameChart(ChartBytes(*doc), restored));
    EXPECT_TRUE(tessel->IsModified());
    EXPECT_TRUE(tessel->Path().empty());
    EXPECT_TRUE(fs::exists(keeper->CopyPath())) << "the adopted copy stays until a save";
    EXPECT_FALSE(fs::exists(entry.recordPath));

    sink.Reset();
    sink.Answer(c.answer);
    dialogs.answers.push_back(original);
    EXPECT_EQ(tessel->Save(), c.saved);
    EXPECT_EQ(dialogs.asked.back().initialName, original.string());
    EXPECT_EQ(sink.Ids().size(), c.warned ? 1u : 0u);
    if (c.warned) {
      EXPECT_EQ(sink.Last().id, static_cast<int>(platform::StringId::RecoveryOriginalChanged));
    }
    EXPECT_EQ(static_cast<bool>(SameChart(OpenedBytes(original), ChartBytes(*doc))), c.saved);
    EXPECT_EQ(fs::exists(folder / RecoveryFolder::RecordName(keeper->Id())), !c.saved);
  }
}

}  // namespace
}  // namespace plume::document::test
