// The program's main window with one text sheet, for the benchmarks that go through the reading
// view: Qt, the program's resources, a private profile, registry and data folder under `folder`,
// the application on the library in `library_folder`, an MDI main window of `width` x `height` and
// a new work with its first text sheet. Made once per program and never taken down.
#pragma once

#include <string>

class CLumoApp;
class CLumoKALDoc;
class CLumoKALView;

namespace bench {

struct TextSheet {
  CLumoApp* app = nullptr;
  CLumoKALDoc* work = nullptr;
  CLumoKALView* view = nullptr;  // null when the sheet did not open
};

TextSheet OpenTextSheet(const char* program, const std::string& folder, const std::string& library_folder, int width,
                        int height);

}  // namespace bench
