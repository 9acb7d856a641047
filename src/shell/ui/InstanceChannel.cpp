#include "shell/ui/InstanceChannel.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

namespace plume::shell {

namespace {

/// How long a connection may take to send its line.
constexpr int kReadTimeoutMs = 5000;

/// The user at the other end of a local socket; -1 when it cannot be told.
long PeerUid(qintptr descriptor) {
  ucred credentials{};
  socklen_t length = sizeof credentials;
  if (descriptor < 0 ||
      getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0)
    return -1;
  return static_cast<long>(credentials.uid);
}

}  // namespace

InstanceChannel::InstanceChannel(QString socketPath) : path_(std::move(socketPath)) {}

InstanceChannel::~InstanceChannel() {
  if (server_) server_->close();
}

bool InstanceChannel::Listen(Handler handler) {
  handler_ = std::move(handler);
  server_ = std::make_unique<QLocalServer>();
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  QLocalServer::removeServer(path_);
  if (!server_->listen(path_)) {
    server_.reset();
    return false;
  }
  connect(server_.get(), &QLocalServer::newConnection, this, &InstanceChannel::Accept);
  return true;
}

void InstanceChannel::Accept() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    if (PeerUid(socket->socketDescriptor()) != static_cast<long>(geteuid())) {
      socket->abort();  // another user's process
      continue;
    }
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Read(socket); });
    QTimer::singleShot(kReadTimeoutMs, socket, [socket] { socket->abort(); });
    Read(socket);
  }
}

void InstanceChannel::Read(QLocalSocket* socket) {
  const qint64 end = socket->peek(static_cast<qint64>(kMaxHandOverBytes)).indexOf('\n');
  if (end < 0) {
    if (socket->bytesAvailable() >= static_cast<qint64>(kMaxHandOverBytes)) socket->abort();
    return;
  }
  const QByteArray line = socket->read(end + 1);
  const std::optional<HandOver> request = DecodeHandOver(std::string_view(line.constData(), line.size()));
  if (!request) {
    socket->abort();
    return;
  }
  socket->write(kHandOverTaken.data(), static_cast<qint64>(kHandOverTaken.size()));
  socket->flush();
  socket->disconnectFromServer();
  // The second start has its answer before any question of this copy is asked.
  QTimer::singleShot(0, this, [this, request = *request] {
    if (handler_) handler_(request);
  });
}

bool InstanceChannel::Send(const QString& socketPath, const HandOver& request, int timeoutMs) {
  const std::optional<std::string> line = EncodeHandOver(request);
  if (!line || !IsTrustedSocket(socketPath.toStdString(), geteuid())) return false;
  QElapsedTimer clock;
  clock.start();
  auto left = [&] { return std::max(1, timeoutMs - static_cast<int>(clock.elapsed())); };
  QLocalSocket socket;
  socket.connectToServer(socketPath);
  if (!socket.waitForConnected(left())) return false;
  // The file was ours; the process behind it must be too.
  if (PeerUid(socket.socketDescriptor()) != static_cast<long>(geteuid())) return false;
  socket.write(line->data(), static_cast<qint64>(line->size()));
  if (!socket.waitForBytesWritten(left())) return false;
  QByteArray answer;
  while (answer.size() < static_cast<qsizetype>(kHandOverTaken.size())) {
    if (!socket.bytesAvailable() && !socket.waitForReadyRead(left())) break;
    answer += socket.read(static_cast<qint64>(kHandOverTaken.size()) - answer.size());
  }
  return std::string_view(answer.constData(), answer.size()) == kHandOverTaken;
}

}  // namespace plume::shell
