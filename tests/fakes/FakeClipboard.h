// An in-memory clipboard holding CP932 text, installed for a test.
#pragma once

#include <string>

#include "platform/Clipboard.h"
#include "platform/Platform.h"

namespace quarn::fakes {

class FakeClipboard : public Clipboard {
 public:
  FakeClipboard() : previous_(Platform().clipboard) { Platform().clipboard = this; }
  ~FakeClipboard() override { Platform().clipboard = previous_; }
  FakeClipboard(const FakeClipboard&) = delete;
  FakeClipboard& operator=(const FakeClipboard&) = delete;

  bool hasText() override { return has; }
  bool getText(std::string& out) override {
    if (has) out = text;
    return has;
  }
  bool setText(const std::string& t) override {
    text = t;
    has = true;
    return true;
  }

  std::string text;
  bool has = false;

 private:
  Clipboard* previous_;
};

}  // namespace quarn::fakes
