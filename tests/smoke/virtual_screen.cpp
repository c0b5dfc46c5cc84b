#include "tests/smoke/virtual_screen.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>

namespace lumo::test {

bool VirtualScreen::Start(const std::string& screen_folder, std::string* error) {
  using namespace std::chrono_literals;
  folder_ = screen_folder;
  // Xvfb writes its display number to the descriptor it is given once it accepts connections.
  int ready[2];
  if (pipe2(ready, O_CLOEXEC) != 0) {
    *error = "no pipe";
    return false;
  }
  server_ = std::make_unique<ChildProcess>(ChildProcess::Options{
      {"Xvfb", "-displayfd", std::to_string(ready[1]), "-screen", "0", "1024x768x24", "-fbdir", screen_folder,
       "-nolisten", "tcp"},
      {},
      false,
      ready[1]});
  close(ready[1]);
  std::string number;
  const auto deadline = std::chrono::steady_clock::now() + 20s;
  while (number.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
    pollfd fd{ready[0], POLLIN, 0};
    if (poll(&fd, 1, 200) <= 0) continue;
    char buffer[16];
    ssize_t n = read(ready[0], buffer, sizeof buffer);
    if (n <= 0) break;
    number.append(buffer, size_t(n));
  }
  close(ready[0]);
  if (!server_->started()) {
    *error = "Xvfb did not start";
    return false;
  }
  if (number.find('\n') == std::string::npos) {
    *error = "Xvfb gave no display number";
    return false;
  }
  display_ = ":" + number.substr(0, number.find('\n'));
  return true;
}

}  // namespace lumo::test
