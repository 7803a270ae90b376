// The version box and the desktop's default handler for addresses.
#pragma once

#include "platform/DesktopService.h"

class QWidget;

namespace quarn::qt {

class QtDesktopService : public DesktopService {
 public:
  explicit QtDesktopService(QWidget* parent) : parent_(parent) {}
  void showAbout(const AboutBoxRequest& request) override;
  bool openAddress(const std::string& address) override;

 private:
  QWidget* parent_;
};

}  // namespace quarn::qt
