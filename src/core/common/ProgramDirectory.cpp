#include "core/common/ProgramDirectory.h"

#include <cstdlib>

#include "platform/FileNames.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"

namespace quarn {
namespace {

std::string& StoredDirectory() {
  static std::string directory;
  return directory;
}

std::string WithSeparator(std::string directory) {
  if (!directory.empty() && directory.back() != '/') directory += '/';
  return directory;
}

// Environment values are the system's bytes; the program holds paths in
// its own form of them.
std::string EnvironmentPath(const char* name) {
  const char* value = std::getenv(name);
  return (value && *value) ? names::FromOs(value) : std::string();
}

std::string FileNameOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string& StoredExecutableDirectory() {
  static std::string directory;
  return directory;
}

}  // namespace

void SetExecutableDirectory(const std::string& directory) { StoredExecutableDirectory() = WithSeparator(directory); }
std::string ExecutableDirectory() { return StoredExecutableDirectory(); }

std::string ChooseProgramDirectory(const std::string& executableDirectory, bool executableDirectoryWritable) {
  if (executableDirectoryWritable) return executableDirectory;
  const std::string fallback = FallbackSettingsDirectory();
  return fallback.empty() ? executableDirectory : fallback;
}

void SetProgramDirectory(const std::string& directory) { StoredDirectory() = directory; }

std::string ProgramDirectory() {
  std::string home = EnvironmentPath("QUARN_HOME");
  return WithSeparator(home.empty() ? StoredDirectory() : home);
}

void MakeProgramDirectory() {
  FileSystem* fs = Platform().files;
  std::string directory = ProgramDirectory();
  if (directory.size() > 1) directory.pop_back();
  if (fs && !directory.empty() && !fs->isDirectory(directory)) fs->makeDirectories(directory);
}

std::string ProgramPath() {
  std::string directory = ProgramDirectory();
  return directory.empty() ? std::string() : directory + "quarn.exe";
}

std::string SettingsFilePath() {
  std::string path = ProgramPath();
  if (path.empty()) return path;
  std::size_t dot = path.rfind('.');
  std::size_t slash = path.rfind('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path + ".ini";
  return path.substr(0, dot) + ".ini";
}

std::string FallbackSettingsDirectory() {
  std::string config = EnvironmentPath("XDG_CONFIG_HOME");
  if (config.empty()) {
    std::string home = EnvironmentPath("HOME");
    if (home.empty()) return {};
    config = WithSeparator(home) + ".config";
  }
  return WithSeparator(config) + "quarn/";
}

bool PrepareSettingsFile() {
  FileSystem* fs = Platform().files;
  const std::string wanted = SettingsFilePath();
  if (!fs || wanted.empty() || fs->exists(wanted)) return false;
  const std::string fallbackDirectory = FallbackSettingsDirectory();
  if (fallbackDirectory.empty()) return false;
  const std::string fallback = fallbackDirectory + FileNameOf(wanted);
  std::string contents;
  if (!fs->exists(fallback) || !fs->readAll(fallback, contents)) return false;
  return fs->writeAll(wanted, contents);
}

}  // namespace quarn
