// The instance channel on Linux: a lock file held for the life of the first
// instance, and a local socket beside it on which later processes send
// their open messages (one message per connection, CP932 bytes).
#pragma once

#include <QHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QString>
#include <memory>

#include "platform/InstanceChannel.h"

namespace quarn::qt {

class QtInstanceChannel : public InstanceChannel {
 public:
  // name: "<executable name>11"; the lock and the socket live in the
  // program's directory when QUARN_HOME gives one, else in the user's
  // runtime directory, so that separate program homes never meet.
  explicit QtInstanceChannel(const QString& name);
  ~QtInstanceChannel() override;

  bool acquire() override;
  bool holdsLock() const override { return lock_ && lock_->isLocked(); }
  bool send(const std::string& message, int timeoutMs) override;
  void setReceiver(std::function<void(const std::string&)> receiver) override { receiver_ = std::move(receiver); }
  void release() override;

  QString socketPath() const { return socketPath_; }

 private:
  QString socketPath_;
  QString lockPath_;
  std::unique_ptr<QLockFile> lock_;
  std::unique_ptr<QLocalServer> server_;
  std::function<void(const std::string&)> receiver_;
  QHash<QLocalSocket*, QByteArray> pending_;
};

}  // namespace quarn::qt
