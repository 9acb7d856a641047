#include "shell/ui/InstanceLock.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace plume::shell {

InstanceLock::InstanceLock(const QString& folder) {
  QString dir = folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) : folder;
  if (dir.isEmpty()) dir = QDir::tempPath();
  path_ = QDir(dir).filePath(QString::fromLatin1(kApplicationId) + QStringLiteral(".lock"));
  lock_ = std::make_unique<QLockFile>(path_);
  // A lock whose owner process is gone is stale at once; a live owner's never is.
  lock_->setStaleLockTime(0);
}

InstanceLock::~InstanceLock() = default;

QString InstanceLock::SocketPath() const {
  return path_.left(path_.size() - QStringLiteral(".lock").size()) + QStringLiteral(".socket");
}

LockResult InstanceLock::Take() {
  if (lock_->isLocked() || lock_->tryLock(0)) return LockResult::Acquired;
  return lock_->error() == QLockFile::LockFailedError ? LockResult::HeldByOther : LockResult::Unavailable;
}

}  // namespace plume::shell
