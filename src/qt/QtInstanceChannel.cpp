#include "qt/QtInstanceChannel.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <unistd.h>

#include "platform/FileNames.h"

namespace quarn::qt {
namespace {

QString ChannelDirectory() {
  const QString home = qEnvironmentVariable("QUARN_HOME");
  if (!home.isEmpty()) return home;
  QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (runtime.isEmpty()) runtime = QDir::tempPath() + QStringLiteral("/quarn-") + QString::number(getuid());
  QDir().mkpath(runtime);
  return runtime;
}

}  // namespace

QtInstanceChannel::QtInstanceChannel(const QString& name) {
  const QString directory = ChannelDirectory();
  socketPath_ = QDir(directory).filePath(name + QStringLiteral(".socket"));
  lockPath_ = QDir(directory).filePath(name + QStringLiteral(".lock"));
}

QtInstanceChannel::~QtInstanceChannel() { release(); }

bool QtInstanceChannel::acquire() {
  if (holdsLock()) return true;
  auto lock = std::make_unique<QLockFile>(lockPath_);
  // A lock left by a process that died is taken over.
  lock->setStaleLockTime(0);
  if (!lock->tryLock(0)) return false;
  lock_ = std::move(lock);
  // A socket file left behind by a crash would refuse the listen.
  QLocalServer::removeServer(socketPath_);
  server_ = std::make_unique<QLocalServer>();
  QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this] {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
      QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
        // A message ends with a zero byte; the answer "1" tells the sender
        // that it was taken.
        QByteArray& buffer = pending_[socket];
        buffer += socket->readAll();
        const qsizetype end = buffer.indexOf('\0');
        if (end < 0) return;
        // File names travel as the system's bytes: each process keeps its
        // own codes for the characters CP932 lacks.
        const std::string message = names::FromOs(std::string(buffer.constData(), std::size_t(end)));
        pending_.remove(socket);
        socket->write("1", 1);
        socket->flush();
        if (receiver_) receiver_(message);
      });
    }
  });
  server_->listen(socketPath_);
  return true;
}

bool QtInstanceChannel::send(const std::string& message, int timeoutMs) {
  QLocalSocket socket;
  socket.connectToServer(socketPath_);
  if (!socket.waitForConnected(timeoutMs)) return false;
  QByteArray data = QByteArray::fromStdString(names::ToOs(message));
  data.append('\0');
  socket.write(data);
  if (!socket.waitForBytesWritten(timeoutMs)) return false;
  if (!socket.waitForReadyRead(timeoutMs)) return false;
  const bool taken = socket.readAll().startsWith('1');
  socket.disconnectFromServer();
  return taken;
}

void QtInstanceChannel::release() {
  server_.reset();
  if (lock_) lock_->unlock();
  lock_.reset();
}

}  // namespace quarn::qt
