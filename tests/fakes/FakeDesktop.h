// The desktop's version box and address handler, recorded; installed for
// the length of a test.
#pragma once

#include <string>
#include <vector>

#include "platform/DesktopService.h"
#include "platform/Platform.h"

namespace quarn::fakes {

class FakeDesktop : public DesktopService {
 public:
  FakeDesktop() : previous_(Platform().desktop) { Platform().desktop = this; }
  ~FakeDesktop() override { Platform().desktop = previous_; }
  FakeDesktop(const FakeDesktop&) = delete;
  FakeDesktop& operator=(const FakeDesktop&) = delete;

  void showAbout(const AboutBoxRequest& request) override { abouts.push_back(request); }
  bool openAddress(const std::string& address) override {
    opened.push_back(address);
    return opens;
  }

  std::vector<AboutBoxRequest> abouts;
  std::vector<std::string> opened;
  bool opens = true;  // what openAddress answers

 private:
  DesktopService* previous_;
};

}  // namespace quarn::fakes
