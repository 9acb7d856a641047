// plumeboard: the program. Options beside a document path:
//   --screenshot FILE   grab the main window to a PNG once it has painted, then quit
//   --window-size WxH   size of the window (with --screenshot)
//   --settings FILE     an INI settings file instead of the user's
//   --demo              start with a chart of several pages
//   --timing            print the time from start to the first painted frame
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>
#include <iostream>

#include "document/DemoChart.h"
#include "document/RecoveryFolder.h"
#include "platform/WorkFolder.h"
#include "platform/Messages.h"
#include "platform/qt/JapaneseTranslations.h"
#include "convert/PictureServices.h"
#include "platform/qt/QtMessageSink.h"
#include "platform/qt/QtSettingsStore.h"
#include "shell/CommandLine.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CTesselApp.h"

namespace {

/// Reports the first paint of the main window.
class FirstPaint : public QObject {
 public:
  explicit FirstPaint(const QElapsedTimer& clock) : clock_(clock) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !done_) {
      done_ = true;
      std::printf("first painted frame after %lld ms\n", static_cast<long long>(clock_.elapsed()));
      std::fflush(stdout);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  const QElapsedTimer& clock_;
  bool done_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  QElapsedTimer clock;
  clock.start();
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication qtApp(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Plumeboard"));
  QApplication::setOrganizationName(QStringLiteral("Wendmoor"));
  QApplication::setApplicationVersion(QStringLiteral(PLUME_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("plumeboard"));
  plume::platform::InstallJapaneseTranslations(qtApp);

  std::vector<std::string> args;
  for (const QString& arg : QCoreApplication::arguments().mid(1)) args.push_back(arg.toStdString());
  const plume::shell::CommandLine line = plume::shell::ParseCommandLine(args);
  if (!line.error.empty()) {
    std::cerr << "plumeboard: " << line.error << "\n";
    return 2;
  }

  plume::platform::QtMessageSink messages;
  plume::platform::ScopedMessageSink sink(&messages);
  // Scratch folders of earlier runs that were killed go at start-up.
  plume::platform::RemoveDeadScratchFolders();
  std::unique_ptr<plume::platform::QtSettingsStore> store =
      line.settingsFile ? std::make_unique<plume::platform::QtSettingsStore>(QString::fromStdString(line.settingsFile->string()))
                        : std::make_unique<plume::platform::QtSettingsStore>();

  plume::shell::AppOptions options;
  options.store = store.get();
  options.programFolder = QCoreApplication::applicationDirPath().toStdString();
  options.materialIndex = true;
  // A run with its own settings file keeps no browser data either.
  if (!line.settingsFile)
    options.webStorage = (QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/WebEngine")).toStdString();
  options.recoveryFolder = plume::document::DefaultRecoveryFolder();
  plume::shell::CTesselApp app(std::move(options));
  FirstPaint firstPaint(clock);
  if (line.timing) qtApp.installEventFilter(&firstPaint);
  // A second start that handed its document to the running copy ends quietly.
  if (!app.Start(line.document)) return app.State().handedOver ? 0 : 1;

  plume::shell::CMainFrame* frame = app.Frame();
  if (line.demo) {
    plume::document::FillDemoChart(*app.Chart(), app.Pictures().pixels);
    frame->DocumentReplaced();
  }
  if (!line.windowSize.empty()) {
    int w = 0;
    int h = 0;
    if (std::sscanf(line.windowSize.c_str(), "%dx%d", &w, &h) == 2 && w > 0 && h > 0) {
      frame->showNormal();
      frame->setGeometry(0, 0, w, h);
    }
  }
  if (line.screenshot) {
    const QString file = QString::fromStdString(line.screenshot->string());
    QTimer::singleShot(2500, frame, [frame, file] {
      const bool ok = frame->grab().save(file, "PNG");
      std::cout << (ok ? "wrote " : "could not write ") << file.toStdString() << "\n";
      // Leave without writing the window state of a demonstration run.
      std::exit(ok ? 0 : 1);
    });
  }
  return QApplication::exec();
}
