#pragma once
// The local socket through which a second start reaches the copy that runs.
// The running copy listens on a socket only its user may use and answers only
// connections of its own user; a second start talks only to a socket its own
// user made (see shell/SecondStart.h) and served by a process of that user.

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

#include "shell/SecondStart.h"

class QLocalServer;
class QLocalSocket;

namespace plume::shell {

class InstanceChannel : public QObject {
  Q_OBJECT
 public:
  using Handler = std::function<void(const HandOver&)>;

  /// `socketPath`: the socket file beside the single-instance lock.
  explicit InstanceChannel(QString socketPath);
  ~InstanceChannel() override;

  /// Listens for second starts (the caller holds the lock, so a socket file
  /// left there is stale and replaced). Each request is answered at once and
  /// handed to `handler` from the event loop afterwards. False when the
  /// socket cannot be made.
  bool Listen(Handler handler);

  /// Sends `request` to the copy that runs; true once it has taken it, false
  /// when no trusted copy answers within `timeoutMs`.
  static bool Send(const QString& socketPath, const HandOver& request, int timeoutMs = 3000);

 private:
  void Accept();
  void Read(QLocalSocket* socket);

  QString path_;
  std::unique_ptr<QLocalServer> server_;
  Handler handler_;
};

}  // namespace plume::shell
