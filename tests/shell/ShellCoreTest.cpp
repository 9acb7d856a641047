#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include <set>

#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageSink.h"
#include "platform/SettingsTable.h"
#include "shell/AnimePointer.h"
#include "shell/AppStartup.h"
#include "shell/CommandLine.h"
#include "shell/CommandTable.h"
#include "shell/DocumentGuard.h"
#include "shell/RecentFileList.h"
#include "shell/SecondStart.h"
#include "shell/WindowGeometry.h"
#include "FakeDocumentActions.h"

namespace plume::shell {
namespace {

namespace settings = platform::settings;
using platform::MemorySettingsStore;
using platform::MsgResult;
using platform::ScopedMessageSink;
using platform::ScriptedMessageSink;

TEST(CommandTable, IdsAndNamesAreUniqueAndShortcutsDoNotCollideWithinAScope) {
  std::set<int> ids;
  std::set<std::string_view> names;
  std::set<std::pair<bool, std::string_view>> keys;  // (focus-handled, key)
  for (const CommandInfo& c : AllCommands()) {
    EXPECT_TRUE(ids.insert(c.id).second) << c.id;
    EXPECT_TRUE(names.insert(c.name).second) << c.name;
    if (c.owner == CommandOwner::ViewKeys) continue;  // the chart view's keys go ahead of the frame's
    for (auto key : SplitShortcuts(c.shortcuts)) {
      EXPECT_TRUE(keys.insert({InFrameKeyTable(c.owner), key}).second) << key;
    }
  }
  ASSERT_NE(FindCommand(CommandId::ID_DSP_VIEW), nullptr);
  EXPECT_EQ(FindCommand(32810)->shortcuts, "Ctrl+Right");
  EXPECT_EQ(FindCommand(CommandId::ID_VIEW_FULLSCREEN)->caption, "全画面表示(F11)");
  EXPECT_EQ(FindCommand(12345), nullptr);
  // The frame's table: F10, Ctrl+B, Ctrl+Z, F11 and the area keys.
  for (int id : {398, 315, 32828, 507, 32811, 32808, 32809, 32810}) {
    EXPECT_TRUE(InFrameKeyTable(FindCommand(id)->owner)) << id;
    EXPECT_FALSE(FindCommand(id)->shortcuts.empty()) << id;
  }
  EXPECT_FALSE(InFrameKeyTable(FindCommand(CommandId::ID_EDIT_UNDO)->owner));
  for (int n = 0; n < 10; ++n) EXPECT_NE(FindCommand(kFirstRecentFileCommand + n), nullptr);
  EXPECT_EQ(SplitShortcuts("Ctrl+X;Shift+Del"), (std::vector<std::string_view>{"Ctrl+X", "Shift+Del"}));
}

TEST(WindowGeometry, StoredPlacementIsClampedOntoTheDesktop) {
  EXPECT_EQ(ClampToDesktop({-20, 30, 640, 480}, 1920, 1080), (WindowBox{0, 30, 640, 480}));
  EXPECT_EQ(ClampToDesktop({100, 0, 1900, 480}, 1920, 1080), (WindowBox{20, 0, 1900, 480}));
  EXPECT_EQ(ClampToDesktop({0, 900, 640, 480}, 1920, 1080), (WindowBox{0, 600, 640, 480}));
  EXPECT_EQ(ClampToDesktop({50, 50, 3000, 480}, 1920, 1080).x, 0);  // wider than the desktop

  MemorySettingsStore store;
  settings::Set(store, settings::Last::PX, -20);
  settings::Set(store, settings::Last::SX, 0);
  EXPECT_EQ(LoadPlacement(store).box, (WindowBox{0, 0, 640, 480}));
  SavePlacement(store, {{-5, 12, 800, 600}, true});
  EXPECT_EQ(settings::Get(store, settings::Last::PX), 0);
  EXPECT_EQ(settings::Get(store, settings::Last::PY), 12);
  const Placement back = LoadPlacement(store);
  EXPECT_EQ(back.box, (WindowBox{0, 12, 800, 600}));
  EXPECT_TRUE(back.maximised);
}

TEST(WindowGeometry, TheWindowOpensAtAShareOfTheDesktopAndKeepsWhatStillFits) {
  const struct {
    bool stored;
    WindowBox box;
    int desktopWidth, desktopHeight;
    WindowBox expected;
  } cases[] = {
      {false, {}, 1920, 1080, {192, 108, 1536, 864}},
      {false, {}, 960, 540, {96, 30, 768, 480}},  // 1920 x 1080 at scale factor 2
      {false, {}, 600, 400, {0, 0, 600, 400}},    // smaller than the default size
      {true, {100, 100, 800, 600}, 1920, 1080, {100, 100, 800, 600}},
      {true, {50, 50, 1800, 1000}, 960, 540, {50, 50, 768, 480}},
      {true, {300, 10, 800, 1000}, 960, 540, {160, 10, 800, 480}},
  };
  for (const auto& c : cases) {
    const WindowBox placed = PlaceOnDesktop({c.box, false, c.stored}, c.desktopWidth, c.desktopHeight);
    EXPECT_EQ(placed, c.expected) << c.desktopWidth << "x" << c.desktopHeight << " stored " << c.stored;
  }
  MemorySettingsStore store;
  EXPECT_FALSE(LoadPlacement(store).stored);
  SavePlacement(store, {{0, 0, 700, 500}, false});
  EXPECT_TRUE(LoadPlacement(store).stored);
}

TEST(WindowGeometry, AreaCommandsSetTheSplitterSizes) {
  const AreaSizes now{300, 200};
  EXPECT_EQ(SizesFor(AreaCommand::Even, 1001, 601, now), (AreaSizes{500, 300}));
  EXPECT_EQ(SizesFor(AreaCommand::HtmlOnly, 1000, 600, now), (AreaSizes{1000, 600}));
  EXPECT_EQ(SizesFor(AreaCommand::TextOnly, 1000, 600, now), (AreaSizes{1000, 0}));
  EXPECT_EQ(SizesFor(AreaCommand::ChartOnly, 1000, 600, now), (AreaSizes{0, 200}));
  MemorySettingsStore store;
  EXPECT_EQ(LoadAreaSizes(store), (AreaSizes{400, 400}));
  SaveAreaSizes(store, {0, 250});
  EXPECT_EQ(LoadAreaSizes(store), (AreaSizes{0, 250}));
}

TEST(RecentFileList, KeepsTenNewestFirstWithoutDuplicates) {
  MemorySettingsStore store;
  settings::Set(store, settings::RecentFile(1), "/a.pbd");
  settings::Set(store, settings::RecentFile(3), "/orphan.pbd");  // after a gap: not part of the list
  RecentFileList list(store);
  ASSERT_EQ(list.Entries().size(), 1u);
  for (int i = 0; i < 12; ++i) list.Add("/d/" + std::to_string(i) + ".pbd");
  EXPECT_EQ(list.Entries().size(), 10u);
  EXPECT_EQ(list.Entry(1), "/d/11.pbd");
  list.Add("/d/5.pbd");
  EXPECT_EQ(list.Entry(1), "/d/5.pbd");
  EXPECT_EQ(list.Entries().size(), 10u);
  EXPECT_EQ(list.MenuCaption(1), "&1 5.pbd");
  list.Remove(1);
  EXPECT_EQ(settings::Get(store, settings::RecentFile(1)), "/d/11.pbd");
  EXPECT_EQ(settings::Get(store, settings::RecentFile(10)), "");
  EXPECT_EQ(RecentFileList(store).Entries(), list.Entries());
}

TEST(CommandLine, TakesTheDocumentAndTheHeadlessOptions) {
  const auto line = ParseCommandLine({"--no-sandbox", "/x/plan.pbd", "--screenshot", "s.png", "other"});
  EXPECT_EQ(line.document, std::filesystem::path("/x/plan.pbd"));
  EXPECT_EQ(line.screenshot, std::filesystem::path("s.png"));
  EXPECT_FALSE(ParseCommandLine({"--screenshot"}).error.empty());
  EXPECT_FALSE(ParseCommandLine({}).document);
}

TEST(AnimePointer, SwitchesOffAndBackToTheStoredCount) {
  EXPECT_EQ(ToggledAnimeCount(3, 5), 0);
  EXPECT_EQ(ToggledAnimeCount(0, 5), 5);
  EXPECT_EQ(ToggledAnimeCount(0, 0), 3);
  EXPECT_EQ(AnimeSwitchedText(0), "アニメポインタを表示しないように設定しました");
  EXPECT_EQ(AnimeSwitchedText(4), "アニメポインタを表示するように設定しました");
}

TEST(DocumentGuard, TitleAndQuestionBeforeAModifiedDocumentGoes) {
  testing::FakeDocumentActions doc;
  EXPECT_EQ(WindowTitle(doc), "無題 - Plumeboard");
  doc.path = "/x/plan.pbd";
  doc.modified = true;
  EXPECT_EQ(WindowTitle(doc), "plan.pbd* - Plumeboard");

  ScriptedMessageSink sink;
  ScopedMessageSink guard(&sink);
  sink.Answer(MsgResult::Cancel);
  EXPECT_FALSE(ConfirmDiscard(doc));
  EXPECT_EQ(sink.Last().id, 30340);
  EXPECT_EQ(doc.saves, 0);
  sink.Answer(MsgResult::No);
  EXPECT_TRUE(ConfirmDiscard(doc));
  sink.Answer(MsgResult::Yes);
  doc.saveSucceeds = false;
  EXPECT_FALSE(ConfirmDiscard(doc));  // a failed save keeps the document
  EXPECT_EQ(doc.saves, 1);
  doc.modified = false;
  sink.Reset();
  EXPECT_TRUE(ConfirmDiscard(doc));
  EXPECT_TRUE(sink.Ids().empty());
}

/// Records the order of the start-up steps.
struct FakeStartupHost : StartupHost {
  LockResult lock = LockResult::Acquired;
  bool tables = true, frame = true, printer = true, ribbon = true;
  std::vector<std::string> steps;
  testing::FakeDocumentActions doc;
  int anime = -1;
  bool reachable = false;
  LockResult TakeInstanceLock() override { steps.push_back("lock"); return lock; }
  bool HandOver(const std::optional<std::filesystem::path>& document) override {
    steps.push_back("hand over " + (document ? document->string() : std::string("-")));
    return reachable;
  }
  bool CreateDocumentTables() override { steps.push_back("tables"); return tables; }
  bool CreateFrame() override { steps.push_back("frame"); return frame; }
  DocumentActions& Document() override { return doc; }
  void ShowFrame(bool maximised) override { steps.push_back(maximised ? "show max" : "show"); }
  bool PreparePrinter(int paper, int orientation) override {
    steps.push_back("printer " + std::to_string(paper) + " " + std::to_string(orientation));
    return printer;
  }
  bool InitRibbon() override { steps.push_back("ribbon"); return ribbon; }
  void SetAnimeCount(int count) override { anime = count; }
};

class StartupTest : public ::testing::Test {
 protected:
  MemorySettingsStore store;
  FakeStartupHost host;
  ScriptedMessageSink sink;
  ScopedMessageSink guard{&sink};
};

TEST_F(StartupTest, RunsItsStepsInOrderAndOpensANewDocument) {
  settings::Set(store, settings::Last::Zoomed, 1);
  settings::Set(store, settings::Insatu::Orientation, 7);
  settings::Set(store, settings::KanSet::PlayAnime, 6);
  const StartupState state = RunStartup(host, store, std::nullopt);
  EXPECT_TRUE(state.ok);
  EXPECT_EQ(host.steps, (std::vector<std::string>{"lock", "tables", "frame", "show max", "printer 9 1", "ribbon"}));
  EXPECT_EQ(host.doc.log, (std::vector<std::string>{"new"}));
  EXPECT_EQ(host.anime, 6);
  EXPECT_TRUE(sink.Ids().empty());
}

TEST_F(StartupTest, ASecondCopyHandsOverAndStopsAtTheLockSaying30072OnlyWhenNobodyAnswers) {
  host.lock = LockResult::HeldByOther;
  EXPECT_FALSE(RunStartup(host, store, std::nullopt).ok);
  EXPECT_EQ(sink.Ids(), std::vector<int>{30072});
  EXPECT_EQ(host.steps, (std::vector<std::string>{"lock", "hand over -"}));

  sink.Reset();
  host.steps.clear();
  host.reachable = true;
  const StartupState state = RunStartup(host, store, std::filesystem::path("/given.pbd"));
  EXPECT_FALSE(state.ok);
  EXPECT_TRUE(state.handedOver);
  EXPECT_TRUE(sink.Ids().empty());
  EXPECT_EQ(host.steps, (std::vector<std::string>{"lock", "hand over /given.pbd"}));
}

TEST(SecondStart, RequestLinesRoundTripAndAnythingElseIsRefused) {
  for (const HandOver& request : {HandOver{}, HandOver{std::filesystem::path("/home/u/資料 1.pbd")}}) {
    const std::optional<std::string> line = EncodeHandOver(request);
    ASSERT_TRUE(line);
    EXPECT_EQ(DecodeHandOver(*line), request);
  }
  for (const char* path : {"relative.pbd", "/a\nb.pbd", ""})
    EXPECT_FALSE(EncodeHandOver({std::filesystem::path(path)})) << path;
  const std::string tooLong = "OPEN /" + std::string(kMaxHandOverBytes, 'a') + "\n";
  for (std::string_view line : std::initializer_list<std::string_view>{"SHOW", "OPEN relative.pbd\n", "OPEN \n", "open /x.pbd\n", "SHOW \n",
                                 std::string_view(tooLong), std::string_view("OPEN /a\0b\n", 10)})
    EXPECT_FALSE(DecodeHandOver(line)) << line;
}

TEST(SecondStart, OnlyAnOwnSocketClosedToOthersIsTrusted) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("plume-sock-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  auto makeSocket = [&](const char* name, mode_t mode) {
    const std::filesystem::path path = dir / name;
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    EXPECT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(fd);
    chmod(path.c_str(), mode);
    return path;
  };
  const unsigned me = geteuid();
  const std::filesystem::path own = makeSocket("own", 0700);
  EXPECT_TRUE(IsTrustedSocket(own, me));
  EXPECT_FALSE(IsTrustedSocket(makeSocket("open", 0777), me));
  std::filesystem::create_symlink(own, dir / "link");
  EXPECT_FALSE(IsTrustedSocket(dir / "link", me));
  std::ofstream(dir / "file").put('x');
  chmod((dir / "file").c_str(), 0600);
  EXPECT_FALSE(IsTrustedSocket(dir / "file", me));
  EXPECT_FALSE(IsTrustedSocket(dir / "missing", me));
  EXPECT_FALSE(IsTrustedSocket(own, me + 1));  // planted by another user
  std::filesystem::remove_all(dir);
}

TEST_F(StartupTest, FirstOpenReopensTheLatestDocumentUnlessTheCommandLineNamesOne) {
  settings::Set(store, settings::KanSet::FirstOpen, 1);
  EXPECT_TRUE(RunStartup(host, store, std::nullopt).ok);  // empty list: a new document
  EXPECT_EQ(host.doc.log, (std::vector<std::string>{"new"}));

  settings::Set(store, settings::RecentFile(1), "/recent.pbd");
  host.doc.log.clear();
  StartupState state = RunStartup(host, store, std::nullopt);
  EXPECT_EQ(host.doc.log, (std::vector<std::string>{"new", "open /recent.pbd"}));
  EXPECT_EQ(state.opened, std::filesystem::path("/recent.pbd"));

  host.doc.log.clear();
  state = RunStartup(host, store, std::filesystem::path("/given.pbd"));
  EXPECT_EQ(host.doc.log, (std::vector<std::string>{"open /given.pbd"}));
  EXPECT_EQ(state.opened, std::filesystem::path("/given.pbd"));
}

TEST_F(StartupTest, NoPrinterIsReportedOnlyWhenPrintingIsAskedFor) {
  host.printer = false;
  const StartupState state = RunStartup(host, store, std::nullopt);
  EXPECT_TRUE(state.ok);
  EXPECT_TRUE(sink.Ids().empty());
  EXPECT_FALSE(RequirePrinter(state));
  EXPECT_EQ(sink.Ids(), std::vector<int>{30082});
}

TEST_F(StartupTest, MissingRibbonElementsOrTablesEndStartUp) {
  host.ribbon = false;
  EXPECT_FALSE(RunStartup(host, store, std::nullopt).ok);
  EXPECT_EQ(sink.Ids(), std::vector<int>{30075});
  host.ribbon = true;
  host.tables = false;
  host.steps.clear();
  EXPECT_FALSE(RunStartup(host, store, std::nullopt).ok);
  EXPECT_EQ(host.steps, (std::vector<std::string>{"lock", "tables"}));
}

}  // namespace
}  // namespace plume::shell
