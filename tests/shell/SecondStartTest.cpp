// A second start of the program (a real second process) while the first runs
// in this test: it hands over its document or brings the window forward and
// ends, the first asks about its changes before it opens the document, and a
// socket that another user planted is never talked to.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QDialog>
#include <QLocalServer>
#include <QProcess>
#include <QTest>

#include "ShellUiFixture.h"
#include "shell/ui/InstanceChannel.h"
#include "shell/ui/InstanceLock.h"

namespace plume::shell::testing {
namespace {

using platform::MsgResult;

class SecondStartTest : public ShellUiTest {
 protected:
  /// Runs the program with `args` in `folder` against this test's runtime
  /// folder, serving this process's events meanwhile; its exit status.
  int SecondStart(const QStringList& args, const QString& folder) {
    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), lockDir.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    second.setProcessEnvironment(env);
    second.setWorkingDirectory(folder);
    second.start(QStringLiteral(PLUME_PROGRAM),
                 QStringList{QStringLiteral("--settings"), settingsDir.filePath(QStringLiteral("s.ini"))} + args);
    if (!second.waitForStarted()) return -1;
    if (!QTest::qWaitFor([&] { return second.state() == QProcess::NotRunning; }, 30000)) {
      second.kill();
      second.waitForFinished();
      return -1;
    }
    return second.exitStatus() == QProcess::NormalExit ? second.exitCode() : -1;
  }

  QTemporaryDir settingsDir;
};

TEST_F(SecondStartTest, ADocumentGoesToTheRunningCopyWhichAsksAboutItsChangesFirst) {
  FakeDocumentActions* doc = nullptr;
  auto app = MakeApp(&doc);
  ASSERT_TRUE(app->Start(std::nullopt));
  doc->modified = true;
  QTemporaryDir work;
  const std::filesystem::path plan = std::filesystem::path(work.path().toStdString()) / "計画.pbd";
  // A dialog of the first copy is open: the document waits for it, the second start does not.
  QDialog busy(app->Frame());
  busy.setModal(true);
  busy.show();
  EXPECT_EQ(SecondStart({QStringLiteral("計画.pbd")}, work.path()), 0);
  QTest::qWait(100);
  EXPECT_EQ(doc->log, std::vector<std::string>{"new"});
  EXPECT_TRUE(sink.Ids().empty());

  sink.Answer(MsgResult::No);  // discard the changes
  busy.close();
  ASSERT_TRUE(QTest::qWaitFor([&] { return doc->log.size() == 2; }, 5000));
  EXPECT_EQ(sink.Ids(), std::vector<int>{30340});
  EXPECT_EQ(doc->log.back(), "open " + plan.string());
}

TEST_F(SecondStartTest, WithoutADocumentTheRunningWindowComesToTheFront) {
  FakeDocumentActions* doc = nullptr;
  auto app = MakeApp(&doc);
  ASSERT_TRUE(app->Start(std::nullopt));
  app->Frame()->showMinimized();
  ASSERT_TRUE(QTest::qWaitFor([&] { return app->Frame()->isMinimized(); }, 2000));
  QTemporaryDir work;
  EXPECT_EQ(SecondStart({}, work.path()), 0);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !app->Frame()->isMinimized(); }, 5000));
  EXPECT_EQ(doc->log, std::vector<std::string>{"new"});
  EXPECT_TRUE(sink.Ids().empty());
}

TEST_F(SecondStartTest, APlantedOrOpenSocketIsNeverTalkedTo) {
  // The lock is held as by a running copy; the socket beside it is not its.
  InstanceLock held(lockDir.path());
  ASSERT_EQ(held.Take(), LockResult::Acquired);
  QLocalServer planted;
  ASSERT_TRUE(planted.listen(held.SocketPath()));
  const QByteArray path = held.SocketPath().toLocal8Bit();
  const HandOver request{std::filesystem::path("/tmp/x.pbd")};
  // Open to everybody.
  ASSERT_EQ(chmod(path.constData(), 0777), 0);
  EXPECT_FALSE(InstanceChannel::Send(held.SocketPath(), request, 500));
  // Another user's, closed to others.
  ASSERT_EQ(chmod(path.constData(), 0700), 0);
  if (geteuid() == 0) {
    ASSERT_EQ(chown(path.constData(), 65534, 65534), 0);
    EXPECT_FALSE(InstanceChannel::Send(held.SocketPath(), request, 500));
  }
  QTest::qWait(50);
  EXPECT_FALSE(planted.hasPendingConnections());
}

}  // namespace
}  // namespace plume::shell::testing
