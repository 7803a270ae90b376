// A fake platform with QUARN_HOME at an in-memory program directory, and fresh settings.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

#include "core/common/ProfileFile.h"
#include "core/common/Settings.h"
#include "core/common/ProcessValues.h"
#include "fakes/FakePlatform.h"

namespace quarn {

class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) saved_ = old;
    if (value) setenv(name, value, 1);
    else unsetenv(name);
  }
  ~ScopedEnv() {
    if (saved_) setenv(name_, saved_->c_str(), 1);
    else unsetenv(name_);
  }
 private:
  const char* name_;
  std::optional<std::string> saved_;
};

// Sets a global for one test and puts the old value back.
template <typename T>
class Restore {
 public:
  Restore(T& target, T value) : target_(target), saved_(std::exchange(target, std::move(value))) {}
  ~Restore() { target_ = std::move(saved_); }
 private:
  T& target_;
  T saved_;
};

class SettingsFixture : public ::testing::Test {
 protected:
  void SetUp() override { gSettings = AppSettings(); }
  void TearDown() override {
    gSettings = AppSettings();
    SetDocumentLimits(0);
  }
  void Store(const std::string& text) { platform.files.files[kIni] = text; }
  std::string& Stored() { return platform.files.files[kIni]; }
  ProfileFile StoredProfile() {
    ProfileFile file;
    file.Parse(Stored());
    return file;
  }
  static constexpr const char* kHome = "/home/q";
  static constexpr const char* kIni = "/home/q/quarn.ini";
  ScopedEnv home{"QUARN_HOME", kHome};
  fakes::FakePlatform platform;
};

}  // namespace quarn
