// Child processes for the smoke test: started with their own environment, read from, waited for
// with a deadline, and killed when the test is done with them, whatever happened.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace lumo::test {

class ChildProcess {
 public:
  struct Options {
    std::vector<std::string> arguments;  // the program first; looked up on PATH
    // Added to (or replacing in) the test's own environment; "NAME" without '=' removes NAME.
    std::vector<std::string> environment;
    bool capture_output = false;  // standard output into a pipe for read_output
    // A descriptor of the test's that the child keeps under the same number (-1: none).
    int inherited_fd = -1;
  };

  explicit ChildProcess(const Options& options);
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  // A child still running is killed and reaped.
  ~ChildProcess();

  bool started() const { return pid_ > 0; }
  pid_t pid() const { return pid_; }
  // The raw wait status once the child has ended within `timeout`; nothing when it has not.
  std::optional<int> wait_for(std::chrono::milliseconds timeout);
  // Everything the child writes to standard output until it closes it or `timeout` passes.
  std::string read_output(std::chrono::milliseconds timeout);
  // SIGTERM, then SIGKILL when the child has not gone within a second; reaps it.
  void stop();

 private:
  pid_t pid_ = -1;
  int output_fd_ = -1;
  std::optional<int> status_;
};

// Runs a program to its end within `timeout`: its exit code and standard output; an exit code of
// -1 when it could not start, did not end in time (it is killed) or did not end normally.
struct RunResult {
  int exit_code = -1;
  std::string output;
};
RunResult run_program(const std::vector<std::string>& arguments,
                      const std::vector<std::string>& environment, std::chrono::milliseconds timeout);

// Whether a program of this name is on PATH.
bool program_on_path(const std::string& name);

}  // namespace lumo::test
