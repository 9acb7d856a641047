#include "store/ui/QtFolderOpener.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace plume::store {

bool QtFolderOpener::OpenFolder(const std::filesystem::path& folder) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(folder.string())));
}

}  // namespace plume::store
