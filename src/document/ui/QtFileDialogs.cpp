#include "document/ui/QtFileDialogs.h"

#include <QFileDialog>
#include <QStringList>

namespace plume::document::ui {

QString QtFileDialogs::NameFilters(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].isEmpty()) break;
    QStringList patterns;
    for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      for (const QString& variant : {pattern, pattern.toLower(), pattern.toUpper()})
        if (!patterns.contains(variant)) patterns << variant;
    }
    filters << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return filters.join(QStringLiteral(";;"));
}

std::optional<std::filesystem::path> QtFileDialogs::AskSaveFile(const platform::SaveFileRequest& request) {
  QFileDialog dialog(owner_, QString::fromStdString(request.title));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(NameFilters(request.filter));
  dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
  if (!request.initialName.empty()) dialog.selectFile(QString::fromStdString(request.initialName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return std::filesystem::path(dialog.selectedFiles().constFirst().toStdString());
}

}  // namespace plume::document::ui
