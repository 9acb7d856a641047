#include "document/ui/QtFileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QRegularExpression>
#include <QStringList>

#include "platform/DialogStartFolder.h"

namespace plume::document::ui {

namespace {
/// The folder of the last file chosen in this run.
std::filesystem::path& LastUsedFolder() {
  static std::filesystem::path folder;
  return folder;
}
std::function<std::filesystem::path()>& DocumentFolder() {
  static std::function<std::filesystem::path()> folder;
  return folder;
}
}  // namespace

QString QtFileDialogs::NameFilters(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
  static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].isEmpty()) break;
    QStringList patterns;
    for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      for (const QString& variant : {pattern, pattern.toLower(), pattern.toUpper()})
        if (!patterns.contains(variant)) patterns << variant;
    }
    QString name = parts[i];
    name.remove(trailingPatterns);
    filters << name + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return filters.join(QStringLiteral(";;"));
}

void QtFileDialogs::SetDocumentFolder(std::function<std::filesystem::path()> folder) {
  DocumentFolder() = std::move(folder);
}

std::filesystem::path QtFileDialogs::StartFolder(const std::string& proposed) {
  platform::DialogFolders folders;
  folders.proposed = proposed;
  folders.lastUsed = LastUsedFolder();
  if (DocumentFolder()) folders.documentFolder = DocumentFolder()();
  folders.home = QDir::homePath().toStdString();
  return platform::DialogStartFolder(folders);
}

std::optional<std::filesystem::path> QtFileDialogs::Run(QFileDialog& dialog, const std::string& proposed) {
  dialog.setDirectory(QString::fromStdString(StartFolder(proposed).string()));
  if (!proposed.empty()) dialog.selectFile(QString::fromStdString(proposed));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  std::filesystem::path chosen(dialog.selectedFiles().constFirst().toStdString());
  LastUsedFolder() = chosen.parent_path();
  return chosen;
}

std::optional<std::filesystem::path> QtFileDialogs::AskSaveFile(const platform::SaveFileRequest& request) {
  QFileDialog dialog(owner_, QString::fromStdString(request.title));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(NameFilters(request.filter));
  dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
  return Run(dialog, request.initialName);
}

std::optional<std::filesystem::path> QtFileDialogs::AskOpenFile(const std::string& title, const std::string& filter) {
  QFileDialog dialog(owner_, QString::fromStdString(title));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilter(NameFilters(filter));
  return Run(dialog, {});
}

}  // namespace plume::document::ui
