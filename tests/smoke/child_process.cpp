#include "tests/smoke/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>

extern char** environ;

namespace lumo::test {
namespace {

using Clock = std::chrono::steady_clock;

// The test's environment with the changes applied, as NAME=VALUE strings.
std::vector<std::string> merged_environment(const std::vector<std::string>& changes) {
  std::map<std::string, std::string> values;
  for (char** e = environ; *e; ++e) {
    std::string entry(*e);
    size_t eq = entry.find('=');
    if (eq != std::string::npos) values[entry.substr(0, eq)] = entry.substr(eq + 1);
  }
  for (const std::string& change : changes) {
    size_t eq = change.find('=');
    if (eq == std::string::npos) {
      values.erase(change);
    } else {
      values[change.substr(0, eq)] = change.substr(eq + 1);
    }
  }
  std::vector<std::string> out;
  for (const auto& [name, value] : values) out.push_back(name + "=" + value);
  return out;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
  std::vector<char*> out;
  for (std::string& s : strings) out.push_back(s.data());
  out.push_back(nullptr);
  return out;
}

}  // namespace

ChildProcess::ChildProcess(const Options& options) {
  std::vector<std::string> arguments = options.arguments;
  std::vector<std::string> environment = merged_environment(options.environment);
  std::vector<char*> argv = pointers(arguments);
  std::vector<char*> envp = pointers(environment);

  int output[2] = {-1, -1};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (options.capture_output && pipe2(output, O_CLOEXEC) == 0) {
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
  }
  if (options.inherited_fd >= 0) {
    // dup2 onto itself clears close-on-exec in the child only.
    int flags = fcntl(options.inherited_fd, F_GETFD);
    fcntl(options.inherited_fd, F_SETFD, flags & ~FD_CLOEXEC);
  }
  pid_t pid = -1;
  if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) pid_ = pid;
  posix_spawn_file_actions_destroy(&actions);
  if (options.inherited_fd >= 0) {
    int flags = fcntl(options.inherited_fd, F_GETFD);
    fcntl(options.inherited_fd, F_SETFD, flags | FD_CLOEXEC);
  }
  if (output[1] >= 0) close(output[1]);
  output_fd_ = output[0];
}

ChildProcess::~ChildProcess() {
  stop();
  if (output_fd_ >= 0) close(output_fd_);
}

std::optional<int> ChildProcess::wait_for(std::chrono::milliseconds timeout) {
  if (status_ || pid_ <= 0) return status_;
  const Clock::time_point deadline = Clock::now() + timeout;
  for (;;) {
    int status = 0;
    pid_t got = waitpid(pid_, &status, WNOHANG);
    if (got == pid_) {
      status_ = status;
      return status_;
    }
    if (got < 0 && errno != EINTR) return std::nullopt;
    if (Clock::now() >= deadline) return std::nullopt;
    usleep(20000);
  }
}

std::string ChildProcess::read_output(std::chrono::milliseconds timeout) {
  std::string text;
  if (output_fd_ < 0) return text;
  const Clock::time_point deadline = Clock::now() + timeout;
  for (;;) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) break;
    pollfd fd{output_fd_, POLLIN, 0};
    int ready = poll(&fd, 1, int(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) break;
    char buffer[4096];
    ssize_t n = read(output_fd_, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    text.append(buffer, size_t(n));
  }
  return text;
}

void ChildProcess::stop() {
  if (pid_ <= 0 || status_) return;
  kill(pid_, SIGTERM);
  if (wait_for(std::chrono::seconds(1))) return;
  kill(pid_, SIGKILL);
  wait_for(std::chrono::seconds(5));
}

RunResult run_program(const std::vector<std::string>& arguments,
                      const std::vector<std::string>& environment, std::chrono::milliseconds timeout) {
  ChildProcess child({arguments, environment, true, -1});
  RunResult result;
  if (!child.started()) return result;
  result.output = child.read_output(timeout);
  std::optional<int> status = child.wait_for(std::chrono::milliseconds(500));
  if (status && WIFEXITED(*status)) result.exit_code = WEXITSTATUS(*status);
  return result;
}

bool program_on_path(const std::string& name) {
  const char* path = std::getenv("PATH");
  if (!path) return false;
  std::stringstream folders(path);
  std::string folder;
  while (std::getline(folders, folder, ':')) {
    if (!folder.empty() && access((folder + "/" + name).c_str(), X_OK) == 0) return true;
  }
  return false;
}

}  // namespace lumo::test
