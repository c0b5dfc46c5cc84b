// The real program started in a benchmark as a user starts it: Qt, the program's resources, a
// private profile, registry and data folder, the library as the stored data folder, no command-line
// arguments, the application's own start-up (main frame, bars, library tree, first work and sheet),
// its main window placed at (0, 0) in the given size. Every question the program asks is answered
// "OK" and kept, so that a benchmark never waits for a person and can tell when something went
// wrong. Made once per program; taken down at exit.
#pragma once

#include <string>
#include <vector>

class CLumoApp;
class CLumoKALDoc;
class CMainFrame;

namespace bench {

// Qt's application object (offscreen unless the environment names a platform), the program's
// resources and standard controls, and private settings under `folder`.
void StartQtWithPrivateSettings(const char* program, const std::string& folder);

struct StartedProgram {
  CLumoApp* app = nullptr;
  CMainFrame* frame = nullptr;  // null when the program did not start
  CLumoKALDoc* work = nullptr;
};

StartedProgram StartProgram(const char* program, const std::string& folder, const std::string& library_folder,
                            int width, int height);

// Runs the program's message loop until nothing waits - posted messages, timers due and the paints
// they left pending - without the idle pass that follows (the point at which a user sees the result
// of a command); the number of messages dispatched.
int DispatchWaitingMessages();

// The texts (CP1250) of the message boxes the program showed since it started.
const std::vector<std::string>& AskedQuestions();

}  // namespace bench
