#include "shell/ui/WordCommands.h"

#include <QGuiApplication>
#include <QTextEdit>
#include <QUrl>

#include "commands/CommandTable.h"
#include "convert/WordExport.h"
#include "convert/ui/OdfWordWriter.h"
#include "platform/SettingsTable.h"
#include "platform/WorkFolder.h"
#include "platform/pdf/PopplerPdfText.h"
#include "platform/qt/QtProcessLauncher.h"
#include "shell/ui/CHView.h"
#include "shell/ui/CMyRibbonBar.h"
#include "shell/ui/CommandRouter.h"

namespace plume::shell {

namespace settings = platform::settings;
using commands::CommandId;

WordCommands::WordCommands(Parts parts) : parts_(std::move(parts)) {
  parts_.router.Handle(CommandId::ID_GET_WORD, [this] { Export(); },
                       [this] { return CommandState{ShowsPdf(), false}; });
  parts_.router.Handle(CommandId::ID_OPT_WORD, [this] { ToggleOption(); });
}

bool WordCommands::ShowsPdf() const { return parts_.htmlArea && parts_.htmlArea->GetPageType() == "PDF"; }

std::string WordCommands::PdfTextOnShow() const {
  // A local PDF is read again with its pages apart; any other PDF's text is
  // what the text area received when it was shown.
  const QUrl url(QString::fromStdString(parts_.htmlArea->GetLocation()));
  if (url.isLocalFile()) {
    const platform::PdfTextResult result = platform::PopplerPdfText('\f').FromFile(url.toLocalFile().toStdString());
    return result.ok ? result.text : std::string();
  }
  return parts_.textArea ? parts_.textArea->toPlainText().toStdString() : std::string();
}

void WordCommands::Export() {
  if (parts_.htmlArea == nullptr) return;
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  const std::string text = PdfTextOnShow();
  convert::WordExportServices services;
  services.writeDocument = convert::ui::WriteOdfDocument;
  platform::QtProcessLauncher launcher;
  services.launcher = &launcher;
  const bool formatted = settings::Get(parts_.settings, settings::Last::OptWord) == 1;
  convert::ExportToWord(parts_.htmlArea->GetLocation(), text, formatted, platform::GetScratchFolder(), services);
  QGuiApplication::restoreOverrideCursor();
}

void WordCommands::ToggleOption() {
  const convert::WordOptionToggle toggle =
      convert::ToggleWordOption(settings::Get(parts_.settings, settings::Last::OptWord));
  settings::Set(parts_.settings, settings::Last::OptWord, toggle.newValue);
  parts_.ribbon.SetWordOption(toggle.newValue == 1);
}

}  // namespace plume::shell
