// The progress window in memory, installed for the length of a test: it
// records what it was shown and can be scripted to "press 中断" once the
// loop has asked a number of times.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fakes/FakePlatform.h"
#include "platform/ProgressWindow.h"

namespace quarn::fakes {

class FakeProgress : public ProgressService {
 public:
  std::unique_ptr<ProgressWindow> open(const std::string& caption, const std::string& text,
                                       const std::string& countLabel, bool othersAnswer) override {
    ++opened;
    this->othersAnswer = othersAnswer;
    this->caption = caption;
    this->countLabel = countLabel;
    texts = {text};
    asked = 0;
    return std::make_unique<Window>(*this);
  }

  // "中断" is pressed when the window is asked "stop?" for the
  // stopAfter + 1st time (never when negative).
  long stopAfter = -1;
  // Runs whenever the loop lets events be handled: what the user does meanwhile.
  std::function<void()> onEvents;

  int opened = 0;
  bool isOpen = false;
  std::string caption, countLabel;
  bool othersAnswer = false;
  std::vector<std::string> texts;  // the opening text and each later one
  unsigned long count = 0;
  long asked = 0;
  int eventsHandled = 0;

 private:
  struct Window : ProgressWindow {
    explicit Window(FakeProgress& owner) : owner_(owner) { owner_.isOpen = true; }
    ~Window() override { owner_.isOpen = false; }
    void setText(const std::string& text) override { owner_.texts.push_back(text); }
    void setCount(unsigned long count) override { owner_.count = count; }
    void handleEvents() override {
      ++owner_.eventsHandled;
      if (owner_.onEvents) owner_.onEvents();
    }
    bool stopRequested() override { return owner_.stopAfter >= 0 && owner_.asked++ >= owner_.stopAfter; }
    FakeProgress& owner_;
  };
  Installed<ProgressService> installed_{Platform().progress, this};
};

}  // namespace quarn::fakes
