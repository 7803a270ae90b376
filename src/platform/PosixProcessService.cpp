#include "platform/PosixProcessService.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "platform/FileNames.h"

extern char** environ;

namespace quarn {
namespace {

class SpawnedProcess : public ChildProcess {
 public:
  SpawnedProcess(pid_t pid, int output) : pid_(pid), output_(output) {}
  ~SpawnedProcess() override {
    if (output_ >= 0) close(output_);
    // The program may outlive its output: it is reaped whenever it ends.
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == 0)
      std::thread([pid = pid_] {
        int s = 0;
        while (waitpid(pid, &s, 0) < 0 && errno == EINTR) {
        }
      }).detach();
  }
  SpawnedProcess(const SpawnedProcess&) = delete;
  SpawnedProcess& operator=(const SpawnedProcess&) = delete;

  long read(char* buffer, std::size_t max, int waitMs) override {
    if (output_ < 0) return 0;
    pollfd p{output_, POLLIN, 0};
    const int ready = poll(&p, 1, waitMs);
    if (ready <= 0) return -1;
    const ssize_t n = ::read(output_, buffer, max);
    if (n < 0) return errno == EINTR || errno == EAGAIN ? -1 : 0;
    return long(n);
  }
  void stop() override { kill(-pid_, SIGKILL); }

 private:
  pid_t pid_;
  int output_;
};

// posix_spawn's attribute and file-action objects, released on every path.
struct SpawnSetup {
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_t actions;
  SpawnSetup() {
    posix_spawnattr_init(&attributes);
    posix_spawn_file_actions_init(&actions);
  }
  ~SpawnSetup() {
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;
};

}  // namespace

std::unique_ptr<ChildProcess> PosixProcessService::start(const ProcessRequest& request) {
  if (request.arguments.empty() || request.arguments[0].empty()) return nullptr;
  std::vector<std::string> words;
  for (const std::string& argument : request.arguments) words.push_back(names::ToOs(argument));
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  SpawnSetup setup;
  // A group of its own (stopping reaches the programs it starts), default
  // signal handling and nothing blocked, whatever the editor set for itself.
  sigset_t none, defaults;
  sigemptyset(&none);
  sigemptyset(&defaults);
  for (int s : {SIGPIPE, SIGINT, SIGQUIT, SIGTERM, SIGCHLD, SIGHUP}) sigaddset(&defaults, s);
  posix_spawnattr_setpgroup(&setup.attributes, 0);
  posix_spawnattr_setsigmask(&setup.attributes, &none);
  posix_spawnattr_setsigdefault(&setup.attributes, &defaults);
  posix_spawnattr_setflags(&setup.attributes,
                           POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

  int pipeEnds[2] = {-1, -1};
  if (request.capture) {
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) return nullptr;
    posix_spawn_file_actions_addopen(&setup.actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&setup.actions, pipeEnds[1], 1);
    posix_spawn_file_actions_adddup2(&setup.actions, pipeEnds[1], 2);
  }
  const std::string directory = names::ToOs(request.directory);
  if (!directory.empty()) posix_spawn_file_actions_addchdir_np(&setup.actions, directory.c_str());

  pid_t pid = 0;
  const int failed = posix_spawnp(&pid, argv[0], &setup.actions, &setup.attributes, argv.data(), environ);
  if (pipeEnds[1] >= 0) close(pipeEnds[1]);
  if (failed != 0) {
    if (pipeEnds[0] >= 0) close(pipeEnds[0]);
    return nullptr;
  }
  return std::make_unique<SpawnedProcess>(pid, pipeEnds[0]);
}

bool PosixProcessService::openFolder(const std::string& folder) {
  return start(ProcessRequest{{"xdg-open", folder}, {}, false, false}) != nullptr;
}

}  // namespace quarn
