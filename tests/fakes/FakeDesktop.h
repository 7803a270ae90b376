// The desktop's version box and address handler, recorded; installed for
// the length of a test.
#pragma once

#include <string>
#include <vector>

#include "fakes/FakePlatform.h"
#include "platform/DesktopService.h"

namespace quarn::fakes {

struct FakeDesktop : DesktopService {
  void showAbout(const AboutBoxRequest& request) override { abouts.push_back(request); }
  bool openAddress(const std::string& address) override {
    opened.push_back(address);
    return opens;
  }

  std::vector<AboutBoxRequest> abouts;
  std::vector<std::string> opened;
  bool opens = true;  // what openAddress answers
  Installed<DesktopService> installed{Platform().desktop, this};
};

}  // namespace quarn::fakes
