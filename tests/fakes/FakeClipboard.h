// An in-memory clipboard holding CP932 text, installed for a test.
#pragma once

#include <string>

#include "fakes/FakePlatform.h"
#include "platform/Clipboard.h"

namespace quarn::fakes {

struct FakeClipboard : Clipboard {
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
  Installed<Clipboard> installed{Platform().clipboard, this};
};

}  // namespace quarn::fakes
