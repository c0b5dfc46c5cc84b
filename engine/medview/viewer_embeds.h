// The viewer's embedded windows: the viewer hands its title, window, colours and callback to the
// windows it creates, keeps them across layouts of the same topic and closes them when another topic
// is laid out, when the application drops them, or when the viewer goes.
#pragma once

#include "engine/datapres/embedded_window.h"
#include "engine/medview/viewer.h"

namespace medview {

// The viewer's embedded-window state with the values windows are created with brought up to date:
// the platform port, parent window, module instances, title name, title, file system, colours and
// the printing and clipboard flags.
datapres::EmbedState& MvEmbedState(Viewer& viewer);

// Called at the start of every layout: the windows stay when they belong to the chunk's topic and
// no drop was asked for (flag 0x40, which this clears); otherwise all of them are closed.
void MvKeepEmbeds(Viewer& viewer);

// Frees the inserted objects and has the next layout drop every window.
void MvDropEmbeds(ViewerHandle viewer);

BOOL MvSetEmbedCallback(ViewerHandle viewer, datapres::EmbedCallback callback, intptr_t data,
                        TitleErrorCode* error);
void MvGetEmbedCallback(ViewerHandle viewer, datapres::EmbedCallback* callback, intptr_t* data,
                        TitleErrorCode* error);
// Installs the table that renames embedded-window classes: names and their replacements in turn,
// ended by a null (an entry without a replacement ends it too); null removes it. The engine never
// loads a library, so the library table renames nothing and is not kept.
BOOL MvSetEmbedAliases(ViewerHandle viewer, const char* const* classAliases, const char* const* libraryAliases,
                       TitleErrorCode* error);
// Mode 0 the first window, 1 the last, 2 the one after `window`, 3 the one before; null past the ends.
HWND MvNextEmbeddedWindow(ViewerHandle viewer, HWND window, int32_t mode);
void MvNotifyEmbeddedWindows(ViewerHandle viewer, WPARAM value);

}  // namespace medview
