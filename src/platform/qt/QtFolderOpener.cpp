#include "platform/qt/QtFolderOpener.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace plume::platform {

bool QtFolderOpener::OpenFolder(const std::filesystem::path& folder) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(folder.string())));
}

}  // namespace plume::platform
