// Renders the main window's dialogs and menus to PNG files for review:
//   shell_dialog_shots OUTDIR
#include <QApplication>
#include <QFileDialog>
#include <QMenu>
#include <QTemporaryDir>
#include <QFrame>
#include <QTest>
#include <QToolButton>

#include <iostream>

#include "document/ui/CPageDlg.h"
#include "document/ui/CPropertyTip.h"
#include "document/ui/CRenameDlg.h"
#include "document/ui/CUnderBar.h"
#include "platform/MemorySettingsStore.h"
#include "platform/Messages.h"
#include "platform/qt/JapaneseTranslations.h"
#include "platform/qt/QtMessageSink.h"
#include "shell/ui/CAboutDlg.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CMyRibbonBar.h"
#include "shell/ui/RibbonPanelRow.h"
#include "shell/ui/CTesselApp.h"
#include "document/DemoChart.h"
#include "platform/qt/QtPixelCodec.h"

using namespace plume;

namespace {
void Save(QWidget* w, const QString& dir, const QString& name) {
  w->show();
  QTest::qWait(50);
  const bool ok = w->grab().save(dir + QLatin1Char('/') + name, "PNG");
  std::cout << (ok ? "wrote " : "failed ") << name.toStdString() << "\n";
}
}  // namespace

int main(int argc, char** argv) {
  QApplication qtApp(argc, argv);
  platform::InstallJapaneseTranslations(qtApp);
  if (argc < 2) {
    std::cerr << "usage: shell_dialog_shots OUTDIR\n";
    return 2;
  }
  const QString dir = QString::fromLocal8Bit(argv[1]);
  platform::MemorySettingsStore store;
  QTemporaryDir lockDir;
  shell::AppOptions options;
  options.store = &store;
  options.lockFolder = lockDir.path();
  options.webEngine = false;
  shell::CTesselApp app(std::move(options));
  if (!app.Start(std::nullopt)) return 1;
  shell::CMainFrame* frame = app.Frame();
  document::FillDemoChart(*app.Chart(), platform::QtPixelCodec());
  frame->DocumentReplaced();

  document::CRenameDlg rename(QStringLiteral("市場調査と競合分析"), QPoint());
  Save(&rename, dir, QStringLiteral("rename.png"));
  document::CPageDlg pages(*frame->TabBar()->Tabs(), {});
  Save(&pages, dir, QStringLiteral("pagelist.png"));
  document::CPropertyTip tip(frame->TabBar()->Settings());
  Save(&tip, dir, QStringLiteral("property-tip.png"));
  shell::CAboutDlg about;
  Save(&about, dir, QStringLiteral("about.png"));
  std::unique_ptr<QMenu> tabMenu(frame->BuildTabMenu(true));
  Save(tabMenu.get(), dir, QStringLiteral("tab-menu.png"));
  for (int width : {450, 640, 800, 1024, 1400}) {
    frame->resize(width, 480);
    Save(frame, dir, QStringLiteral("ribbon-%1.png").arg(width));
  }
  frame->resize(640, 480);
  QTest::qWait(50);
  shell::RibbonPanelRow* row = frame->Ribbon()->PanelRow();
  if (row->OpenPopup(4)) {
    Save(row->OpenedPopup(), dir, QStringLiteral("ribbon-popup.png"));
    row->OpenedPopup()->hide();
  }
  frame->resize(1400, 480);
  QTest::qWait(50);
  if (auto* colour = qobject_cast<QToolButton*>(frame->Ribbon()->Element(394))) {
    colour->menu()->popup(QPoint(0, 0));
    Save(colour->menu(), dir, QStringLiteral("colour-menu.png"));
    colour->menu()->hide();
  }
  QMenu* appMenu = frame->Ribbon()->AppMenu();
  emit appMenu->aboutToShow();
  Save(appMenu, dir, QStringLiteral("app-menu.png"));
  platform::MessageRequest question;
  question.caption = "Plumeboard";
  question.text = std::string(platform::StringText(30033));
  question.icon = platform::MsgIcon::Question;
  question.buttons = platform::MsgButtons::YesNoCancel;
  Save(platform::QtMessageSink::BuildBox(question).get(), dir, QStringLiteral("message-30033.png"));
  QFileDialog open(frame, QString(), QDir::homePath(), QStringLiteral("Plumeboard Files (*.pbd *.PBD)"));
  Save(&open, dir, QStringLiteral("open-dialog.png"));
  return 0;
}
