#include "engine/medview/viewer_embeds.h"

#include "engine/frame/inserted_objects.h"
#include "engine/medview/engine_startup.h"

namespace medview {

datapres::EmbedState& MvEmbedState(Viewer& viewer) {
  datapres::EmbedState& state = viewer.embeds;
  state.port = MvEmbedWindowPort();
  state.parent = viewer.window;
  // One module holds the program and every window it creates.
  state.programInstance = MvProgramInstance();
  state.windowInstance = state.programInstance;
  state.titleName = viewer.titleName;
  state.fileSystem = viewer.fileSystem;
  state.title = viewer.title;
  state.textColor = viewer.textColor;
  state.backColor = viewer.backColor;
  state.createFlags = 0;
  if (viewer.flags & kViewPrinting) state.createFlags |= datapres::kEwPrinting;
  if (viewer.flags & kViewClipboard) state.createFlags |= datapres::kEwClipboard;
  return state;
}

void MvKeepEmbeds(Viewer& viewer) {
  const bool drop = (viewer.flags & kViewKeepWindows) != 0;
  viewer.flags &= uint16_t(~kViewKeepWindows);
  datapres::FrKeepWindows(MvEmbedState(viewer), viewer.chunk.values[2], drop);
}

void MvDropEmbeds(ViewerHandle viewer) {
  if (!viewer) return;
  frame::MvFreeInserts(viewer);
  viewer->flags |= kViewKeepWindows;
}

BOOL MvSetEmbedCallback(ViewerHandle viewer, datapres::EmbedCallback callback, intptr_t data,
                        TitleErrorCode* error) {
  if (!viewer) {
    SetErrorCode(error, kViewBadArgument);
    return FALSE;
  }
  return datapres::MvSetEmbedCallback(viewer->embeds, callback, data, error) ? TRUE : FALSE;
}

BOOL MvSetEmbedAliases(ViewerHandle viewer, const char* const* classAliases, const char* const*,
                       TitleErrorCode* error) {
  SetErrorCode(error, kViewOk);
  if (!viewer) {
    SetErrorCode(error, kViewBadArgument);
    return FALSE;
  }
  std::vector<std::pair<std::string, std::string>>& aliases = viewer->embeds.classAliases;
  aliases.clear();
  for (const char* const* entry = classAliases; entry && entry[0] && entry[1]; entry += 2)
    aliases.emplace_back(entry[0], entry[1]);
  return TRUE;
}

void MvGetEmbedCallback(ViewerHandle viewer, datapres::EmbedCallback* callback, intptr_t* data,
                        TitleErrorCode* error) {
  if (!viewer) {
    SetErrorCode(error, kViewBadArgument);
    return;
  }
  datapres::MvGetEmbedCallback(viewer->embeds, callback, data, error);
}

HWND MvNextEmbeddedWindow(ViewerHandle viewer, HWND window, int32_t mode) {
  return viewer ? datapres::MvNextEmbeddedWindow(viewer->embeds, window, mode) : nullptr;
}

void MvNotifyEmbeddedWindows(ViewerHandle viewer, WPARAM value) {
  if (viewer) datapres::MvNotifyEmbeddedWindows(MvEmbedState(*viewer), value);
}

}  // namespace medview
