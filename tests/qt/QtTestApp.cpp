// One QApplication for the whole test program, made before the first test.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>

namespace {

class QtApplicationEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    // Without a display Qt aborts; the offscreen platform needs none.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The program's own files (settings, instance channel) of this run only.
    setenv("QUARN_HOME", home_.path().toLocal8Bit().constData(), 1);
    app_ = std::make_unique<QApplication>(argc_, argv_);
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[8] = "test_qt";
  char* argv_[2] = {name_, nullptr};
  QTemporaryDir home_;
  std::unique_ptr<QApplication> app_;
};

const auto* const kEnvironment = testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace
