// The program killed at random moments while it edits, copies and saves.
//
//   recovery_kill_test run N DIR    N rounds; prints what each restart found
//   recovery_kill_test child DIR    (started by run) the window under a scripted sequence of edits
//
// The child opens DIR/docs/user.pbd and changes it every 20 ms (state k moves
// node k % 30 and writes "step k" into the sticky note), saves every 100
// steps and keeps recovery copies every 500 ms; it journals every state,
// save and copy. After SIGKILL the round checks what the next start finds:
// at most one copy, equal to a state no older than the last finished copy and
// newer than the last finished save (the order of the journal, not the clock:
// a loaded machine may take long for a copy); the user's file is the old or the new one; after the
// start-up tidying nothing else is left in the recovery or document folder.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "document/CTesselDoc.h"
#include "document/ChartFile.h"
#include "document/RecoveryFolder.h"
#include "platform/WorkFolder.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageSink.h"
#include "platform/cab/GcabCabinet.h"
#include "platform/qt/QtPictureCodec.h"
#include "shell/ui/CTesselApp.h"
#include "shell/ui/RecoveryService.h"

namespace {

namespace fs = std::filesystem;
using namespace plume;

constexpr int kNodes = 30;
constexpr int kStepMs = 20;
constexpr int kSaveEvery = 100;
constexpr int kIntervalMs = 500;

long NowMs() {
  return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                               std::chrono::steady_clock::now().time_since_epoch())
                               .count());
}

// State 0: 30 picture nodes of 300 KB each and one sticky note, nothing selected.
void StateZero(document::ChartDocument& doc) {
  doc.NewDocument();
  QImage image(8, 8, QImage::Format_RGB32);
  image.fill(QColor(30, 90, 200));
  const platform::Bytes png = platform::EncodeImage(image, "PNG");
  for (int i = 0; i < kNodes; ++i) {
    document::NodeRequest node;
    node.dataType = "PNG";
    node.serial = i;
    node.hasImage = true;
    platform::Bytes encoded = png;
    encoded.resize(300'000, static_cast<std::uint8_t>(i));
    node.picture = std::make_unique<platform::QtPicture>(image, std::move(encoded));
    node.pictureWidth = 40;
    node.pictureHeight = 40;
    node.x = 20 + (i % 10) * 60;
    node.y = 20 + (i / 10) * 60;
    doc.AddNode(std::move(node));
  }
  doc.AddSlip("step 0", 700, 20);
  doc.slips[0].rect = {700, 20, 800, 70};  // sized here, so painting changes nothing
  doc.ClearSelection();
}

void ApplyStep(document::ChartDocument& doc, int k) {
  document::Rect& rect = doc.nodes[k % kNodes].rect;
  rect = {rect.left + 1, rect.top + 1, rect.right + 1, rect.bottom + 1};
  std::snprintf(doc.slips[0].slipText, sizeof doc.slips[0].slipText, "step %d", k);
}

std::string ChartBytes(const document::ChartDocument& doc) {
  std::ostringstream out;
  document::WriteChart(doc, out);
  return out.str();
}

class Journal {
 public:
  explicit Journal(const fs::path& path) : fd_(open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600)) {}
  void Write(const char* what, long value) {
    char line[96];
    const int n = std::snprintf(line, sizeof line, "%s %ld %ld\n", what, value, NowMs());
    if (write(fd_, line, static_cast<std::size_t>(n)) != n) std::perror("journal");
  }

 private:
  int fd_;
};

int RunChild(const fs::path& dir) {
  int argc = 1;
  char name[] = "recovery_kill_test";
  char* argv[] = {name, nullptr};
  QApplication qt(argc, argv);
  platform::ScriptedMessageSink sink;
  platform::ScopedMessageSink guard(&sink);
  platform::MemorySettingsStore store;
  Journal journal(dir / "journal");
  const fs::path user = dir / "docs" / "user.pbd";
  {
    auto doc = document::ChartDocument::Create();
    StateZero(*doc);
    platform::GcabCabinet cabinet;
    platform::QtPictureCodec codec;
    document::CTesselDoc writer(*doc, store, cabinet, codec);
    if (!writer.SaveDocument(user)) return 3;
  }
  shell::AppOptions options;
  options.store = &store;
  options.lockFolder = QString::fromStdString((dir / "lock").string());
  options.webEngine = false;
  options.recoveryFolder = dir / "recovery";
  shell::CTesselApp app(std::move(options));
  if (!app.Start(user) || !app.Recovery()) return 4;
  document::ChartDocument& chart = *app.Chart();
  journal.Write("ready", 0);

  int k = 0;
  QTimer edits;
  QObject::connect(&edits, &QTimer::timeout, [&] {
    ApplyStep(chart, ++k);
    journal.Write("state", k);
    chart.Changes().MarkModified();
    chart.Changes().RequestRepaint();
    if (k % kSaveEvery == 0) {
      journal.Write("save-start", k);
      if (app.Document().Save()) journal.Write("save-done", k);
    }
  });
  bool writing = false;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    const bool now = app.Recovery()->Keeper().Writing();
    if (now != writing) journal.Write(now ? "copy-start" : "copy-end", k);
    writing = now;
  });
  edits.start(kStepMs);
  watch.start(2);
  return QApplication::exec();
}

struct Event {
  std::string what;
  long value;
  long time;
};

std::vector<Event> ReadJournal(const fs::path& path) {
  std::vector<Event> events;
  std::ifstream in(path);
  Event e;
  while (in >> e.what >> e.value >> e.time) events.push_back(e);
  return events;
}

// The chart of a document file or copy; "" when it cannot be read.
std::string OpenedBytes(const fs::path& path, const platform::Cabinet& cabinet, const platform::PictureCodec& codec) {
  auto doc = document::ChartDocument::Create();
  platform::MemorySettingsStore store;
  document::CTesselDoc reader(*doc, store, cabinet, codec);
  return reader.OpenDocument(path) ? ChartBytes(*doc) : std::string();
}

int StepOf(const std::string& chart) {
  const std::size_t at = chart.rfind("step ");
  return at == std::string::npos ? -1 : std::atoi(chart.c_str() + at + 5);
}

std::string StateBytes(int k) {
  auto doc = document::ChartDocument::Create();
  StateZero(*doc);
  for (int i = 1; i <= k; ++i) ApplyStep(*doc, i);
  return ChartBytes(*doc);
}

struct Round {
  std::string moment;  // edits, copy, save
  bool ok = true;
  std::string problem;
  int copies = 0;
  int leftovers = 0;          // files the start-up tidying removed
  bool copyFinished = false;  // the window finished a recovery copy before the kill
};

Round CheckRound(const fs::path& dir, const platform::Cabinet& cabinet,
                 const platform::PictureCodec& codec) {
  Round round;
  auto fail = [&round](const std::string& why) {
    round.ok = false;
    round.problem += why + "; ";
  };
  const std::vector<Event> events = ReadJournal(dir / "journal");
  // The step journaled when the last finished copy began. The copy holds the
  // state of its start, at most one step before the 2 ms watch noticed it.
  long copyStartedAt = -1;
  long lastCopyDone = -1;
  long lastSaveDone = 0;
  long saveRunning = -1;
  bool copyRunning = false;
  for (const Event& e : events) {
    if (e.what == "save-start") saveRunning = e.value;
    if (e.what == "save-done") lastSaveDone = e.value, saveRunning = -1;
    if (e.what == "copy-start") copyRunning = true, copyStartedAt = e.value;
    if (e.what == "copy-end") copyRunning = false, lastCopyDone = copyStartedAt - 1, round.copyFinished = true;
  }
  round.moment = saveRunning >= 0 ? "save" : copyRunning ? "copy" : "edits";

  const fs::path recovery = dir / "recovery";
  const fs::path docs = dir / "docs";
  std::size_t before = 0;
  for (const auto& folder : {recovery, docs})
    for (auto it = fs::directory_iterator(folder); it != fs::directory_iterator(); ++it) ++before;

  const std::string user = OpenedBytes(docs / "user.pbd", cabinet, codec);
  const int userStep = StepOf(user);
  if (user.empty() || user != StateBytes(userStep)) {
    const std::string want = StateBytes(userStep);
    std::size_t at = 0;
    while (at < user.size() && at < want.size() && user[at] == want[at]) ++at;
    fail("user's file damaged (step " + std::to_string(userStep) + ", " + std::to_string(user.size()) + " vs " +
         std::to_string(want.size()) + " bytes, first difference at " + std::to_string(at) + ")");
  }
  if (userStep != lastSaveDone && userStep != saveRunning)
    fail("user's file holds step " + std::to_string(userStep));
  // A save that put its file in place before the kill has removed the copy too.
  if (saveRunning >= 0 && userStep == saveRunning) lastSaveDone = saveRunning;

  // What the next start does: tidy beside the last saved file and every offered copy's original, and offer.
  document::RecoveryFolder folder(recovery);
  const std::vector<document::RecoveryEntry> offered = folder.DeadCopies();
  document::RemoveDeadSaveLeftovers(docs / "user.pbd");
  for (const document::RecoveryEntry& entry : offered)
    if (entry.record) document::RemoveDeadSaveLeftovers(entry.record->original);
  round.copies = static_cast<int>(offered.size());
  if (offered.size() > 1) fail("more than one copy");
  if (offered.size() == 1) {
    auto doc = document::ChartDocument::Create();
    std::string why;
    if (!folder.Load(offered[0], cabinet, codec, *doc, why)) {
      fail("copy unreadable: " + why);
    } else {
      const std::string bytes = ChartBytes(*doc);
      const int k = StepOf(bytes);
      if (k < 0 || bytes != StateBytes(k)) fail("copy is no state of the document");
      if (k <= lastSaveDone) fail("copy older than the last save: " + std::to_string(k));
      if (k < lastCopyDone)
        fail("copy of step " + std::to_string(k) + " is older than the last finished copy (step " +
             std::to_string(lastCopyDone) + ")");
    }
  } else {
    // No copy: no copy of unsaved changes had finished (or a later save removed it).
    if (lastCopyDone > lastSaveDone)
      fail("no copy though a copy of step " + std::to_string(lastCopyDone) + " had finished");
  }

  std::size_t after = 0;
  for (const auto& entry : fs::directory_iterator(recovery)) {
    const std::string name = entry.path().filename();
    const bool ofCopy = !offered.empty() && name.starts_with(offered[0].id + ".");
    if (!ofCopy) fail("left in the recovery folder: " + name);
    ++after;
  }
  for (const auto& entry : fs::directory_iterator(docs)) {
    const std::string name = entry.path().filename();
    if (name != "user.pbd" && name != "user(back).PBD") fail("left beside the document: " + name);
    ++after;
  }
  round.leftovers = static_cast<int>(before - after);
  return round;
}

int RunRounds(int rounds, const fs::path& base, const char* self) {
  int argc = 1;
  char name[] = "recovery_kill_test";
  char* argv[] = {name, nullptr};
  QGuiApplication qt(argc, argv);
  platform::ScriptedMessageSink sink;
  platform::ScopedMessageSink guard(&sink);
  platform::GcabCabinet cabinet;
  platform::QtPictureCodec codec;
  std::mt19937 random(12345);
  std::uniform_int_distribution<long> wait(200, 4000);
  std::map<std::string, int> moments;
  int failures = 0;
  int copies = 0;
  int leftovers = 0;
  int roundsWithCopies = 0;
  for (int r = 1; r <= rounds; ++r) {
    const fs::path dir = base / ("round" + std::to_string(r));
    fs::remove_all(dir);
    for (const char* sub : {"docs", "recovery", "tmp", "lock"}) fs::create_directories(dir / sub);
    const pid_t child = fork();
    if (child == 0) {
      setenv("TMPDIR", (dir / "tmp").c_str(), 1);
      unsetenv("XDG_RUNTIME_DIR");
      setenv("QT_QPA_PLATFORM", "offscreen", 1);
      setenv("PLUMEBOARD_RECOVERY_INTERVAL_MS", std::to_string(kIntervalMs).c_str(), 1);
      execl(self, self, "child", dir.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    // The moment is counted from the window's first edit.
    const long deadline = NowMs() + 30'000;
    while (NowMs() < deadline) {
      const std::vector<Event> events = ReadJournal(dir / "journal");
      if (!events.empty()) break;
      usleep(20'000);
    }
    usleep(static_cast<useconds_t>(wait(random) * 1000));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFSIGNALED(status)) {
      std::printf("round %d: the child ended by itself (status %d)\n", r, status);
      ++failures;
      continue;
    }
    const Round round = CheckRound(dir, cabinet, codec);
    ++moments[round.moment];
    copies += round.copies;
    leftovers += round.leftovers;
    if (round.copyFinished) ++roundsWithCopies;
    if (!round.ok) ++failures;
    std::printf("round %3d: killed during %-5s copy offered %d, tidied %d  %s%s\n", r, round.moment.c_str(),
                round.copies, round.leftovers, round.ok ? "ok" : "FAILED: ", round.problem.c_str());
    std::fflush(stdout);
    if (round.ok) fs::remove_all(dir);
  }
  std::printf("%d rounds: %d during edits, %d during a copy, %d during a save; %d offered a copy; "
              "%d files tidied at start; %d failed\n",
              rounds, moments["edits"], moments["copy"], moments["save"], copies, leftovers, failures);
  // The rounds run the window for up to four seconds, many copy intervals:
  // a run in which it never finished a copy has stopped keeping them.
  if (roundsWithCopies == 0) {
    std::printf("no round journaled a finished recovery copy\n");
    ++failures;
  }
  return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  if (argc == 3 && std::strcmp(argv[1], "child") == 0) return RunChild(argv[2]);
  if (argc == 4 && std::strcmp(argv[1], "run") == 0) return RunRounds(std::atoi(argv[2]), argv[3], argv[0]);
  std::fprintf(stderr, "usage: recovery_kill_test run N DIR\n");
  return 2;
}
