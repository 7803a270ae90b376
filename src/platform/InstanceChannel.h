// The single-instance lock and the channel on which a second process hands
// its files to the first one.
#pragma once

#include <functional>
#include <string>

namespace quarn {

class InstanceChannel {
 public:
  virtual ~InstanceChannel() = default;
  // Takes the lock and starts listening when no other instance holds it;
  // true when this process is (now) the first instance.
  virtual bool acquire() = 0;
  virtual bool holdsLock() const = 0;
  // Sends one message to the running instance and waits for it to be taken
  // (at most timeoutMs); false when no instance answers.
  virtual bool send(const std::string& message, int timeoutMs) = 0;
  // Called with each message the first instance receives.
  virtual void setReceiver(std::function<void(const std::string&)> receiver) = 0;
  virtual void release() = 0;
};

}  // namespace quarn
