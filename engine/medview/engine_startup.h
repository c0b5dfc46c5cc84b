// Start-up and shut-down of the display engine: the media I/O procedure for title media is installed
// for the program's lifetime, and the program's module instance is kept, because the built-in
// embedded-window classes are registered under it. The application also hands over, once, the
// platform's window calls that embedded windows are reached through.
#pragma once

#include <cstdint>

#include "engine/datapres/embedded_window.h"
#include "engine/datapres/embedded_window_display.h"

namespace medview {

// Installs the media I/O procedure and keeps `instance` for window-class lookups. No library that a
// title names is ever loaded: embedded windows come only from the program's registered classes.
void MvStartup(intptr_t instance);
// Removes the media I/O procedure and releases the title layer's per-thread error records.
void MvShutdown();

// The program's string resources, read for the texts the engine shows itself (the "cannot be
// shown" text of error boxes); the engine's own copies stand in until this is set.
void MvSetProgramStrings(datapres::ProgramStringProc proc);

// The instance MvStartup kept; 0 before start-up.
intptr_t MvProgramInstance();

// The platform's windows as embedded windows use them; null until the application installs them.
void MvSetEmbedWindowPort(datapres::EmbedWindowPort* port);
datapres::EmbedWindowPort* MvEmbedWindowPort();

}  // namespace medview
