// A virtual X server for programs started from tests and benchmarks: Xvfb on a display it picks
// itself, its screen kept as a window dump file in a folder of the caller's (see xwd_image.h).
#pragma once

#include <memory>
#include <string>

#include "tests/smoke/child_process.h"

namespace lumo::test {

class VirtualScreen {
 public:
  // Starts the server at 1024 x 768 x 24 with its screen file in `screen_folder`; false with the
  // reason in `error` when it did not come up within 20 seconds.
  bool Start(const std::string& screen_folder, std::string* error);
  // ":N", once started.
  const std::string& display() const { return display_; }
  // The window dump file of the screen.
  std::string ScreenFile() const { return folder_ + "/Xvfb_screen0"; }
  // The server goes with the object.
  void Stop() { server_.reset(); }

 private:
  std::unique_ptr<ChildProcess> server_;
  std::string display_;
  std::string folder_;
};

}  // namespace lumo::test
