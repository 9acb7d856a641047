#pragma once
// The single-instance lock: a lock file named after the application id in the
// user's runtime folder. A lock left by a process that has ended is taken over.

#include <QString>

#include <memory>

#include "shell/AppStartup.h"

class QLockFile;

namespace plume::shell {

class InstanceLock {
 public:
  /// The lock file's name.
  static constexpr const char* kApplicationId = "Wendmoor.Tessel.Plumeboard.1.00";

  /// `folder` empty: the user's runtime folder.
  explicit InstanceLock(const QString& folder = {});
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  LockResult Take();
  QString FilePath() const { return path_; }
  /// The socket a second start hands its document through, beside the lock file.
  QString SocketPath() const;

 private:
  QString path_;
  std::unique_ptr<QLockFile> lock_;
};

}  // namespace plume::shell
