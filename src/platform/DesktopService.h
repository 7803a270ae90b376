// What the desktop does for the program: the version box and opening an
// address with the desktop's default handler.
#pragma once

#include <string>

namespace quarn {

// The lines of the version box (CP932).
struct AboutBoxRequest {
  std::string title;
  std::string program;
  std::string version;
  std::string build;
  std::string manual;  // the user manual's index page, empty without one
};

class DesktopService {
 public:
  virtual ~DesktopService() = default;
  virtual void showAbout(const AboutBoxRequest& request) = 0;
  // address: a web address ("https://...") or an absolute file path (CP932).
  // False when no handler took it.
  virtual bool openAddress(const std::string& address) = 0;
};

}  // namespace quarn
