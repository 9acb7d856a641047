// The Word export of the main frame: "Word 出力" (354) writes the text of
// the PDF on show as an ODF text document in this process's scratch folder
// and opens it in the word processor as a new untitled document; "書式付" (355) switches between keeping the PDF's
// layout and inserting plain text.

#include <QApplication>
#include <QGuiApplication>
#include <QTextEdit>

#include "convert/WordExport.h"
#include "convert/ui/OdfWordWriter.h"
#include "platform/WorkFolder.h"
#include "platform/SettingsTable.h"
#include "platform/pdf/PopplerPdfText.h"
#include "platform/qt/QtProcessLauncher.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CMyRibbonBar.h"
#include "shell/ui/CommandRouter.h"
#include "shell/ui/CHView.h"

namespace plume::shell {

namespace settings = platform::settings;

bool CMainFrame::HtmlAreaShowsPdf() const {
  return htmlArea_ && htmlArea_->GetPageType() == "PDF";
}

std::string CMainFrame::PdfTextOnShow() const {
  // A local PDF is read again with its pages apart; any other PDF's text is
  // what the text area received when it was shown.
  const QUrl url(QString::fromStdString(htmlArea_->GetLocation()));
  if (url.isLocalFile()) {
    const platform::PdfTextResult result = platform::PopplerPdfText('\f').FromFile(url.toLocalFile().toStdString());
    return result.ok ? result.text : std::string();
  }
  return textArea_ ? textArea_->toPlainText().toStdString() : std::string();
}

void CMainFrame::BindWordCommands() {
  router_->Handle(
      CommandId::ID_GET_WORD,
      [this] {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        const std::string text = pdfTextOnShow ? pdfTextOnShow() : PdfTextOnShow();
        convert::WordExportServices services;
        services.writeDocument = convert::ui::WriteOdfDocument;
        platform::QtProcessLauncher launcher;
        services.launcher = wordLauncher ? wordLauncher : &launcher;
        const bool formatted = settings::Get(*services_.store, settings::Last::OptWord) == 1;
        convert::ExportToWord(htmlArea_->GetLocation(), text, formatted,
                              platform::GetScratchFolder(), services);
        QGuiApplication::restoreOverrideCursor();
      },
      [this] { return CommandState{HtmlAreaShowsPdf(), false}; });
  router_->Handle(CommandId::ID_OPT_WORD, [this] {
    const convert::WordOptionToggle toggle =
        convert::ToggleWordOption(settings::Get(*services_.store, settings::Last::OptWord));
    settings::Set(*services_.store, settings::Last::OptWord, toggle.newValue);
    ribbon_->SetWordOption(toggle.newValue == 1);
  });
}

}  // namespace plume::shell
