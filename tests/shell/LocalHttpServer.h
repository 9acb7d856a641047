#pragma once
// A tiny HTTP/1.0 server on 127.0.0.1 and a free port for browser tests:
// serves the files of one folder, and never answers "/slow" (to test Stop).

#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>

namespace plume::shell::testing {

class LocalHttpServer : public QObject {
 public:
  explicit LocalHttpServer(const QString& folder) : folder_(folder) {
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { Answer(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
      }
    });
  }
  /// "http://127.0.0.1:PORT/" + path.
  QString Url(const QString& path) const {
    return QStringLiteral("http://127.0.0.1:%1/%2").arg(server_.serverPort()).arg(path);
  }

 private:
  void Answer(QTcpSocket* socket) {
    const QByteArray request = socket->peek(8192);
    if (!request.contains("\r\n\r\n")) return;
    socket->readAll();
    const QString path = QString::fromUtf8(request.split(' ').value(1)).section(QLatin1Char('?'), 0, 0);
    if (path == QLatin1String("/slow")) return;
    QFile file(QDir(folder_).filePath(path.mid(1)));
    QByteArray head;
    QByteArray body;
    if (path.size() > 1 && file.open(QIODevice::ReadOnly)) {
      body = file.readAll();
      const QByteArray type = path.endsWith(QLatin1String(".pdf")) ? "application/pdf" : "text/html; charset=utf-8";
      head = "HTTP/1.0 200 OK\r\nContent-Type: " + type + "\r\n";
    } else {
      body = "not found";
      head = "HTTP/1.0 404 Not Found\r\nContent-Type: text/plain\r\n";
    }
    socket->write(head + "Content-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
    socket->disconnectFromHost();
  }

  QString folder_;
  QTcpServer server_;
};

}  // namespace plume::shell::testing
