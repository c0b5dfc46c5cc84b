#include "engine/datapres/embedded_window.h"

#include <algorithm>

#include "platform/base/cp1250.h"

namespace datapres {
namespace {

using base::cp1250::equal_no_case;

std::string_view mapped_class(const EmbedState& state, std::string_view name) {
  for (const auto& [alias, replacement] : state.classAliases)
    if (equal_no_case(alias, name)) return replacement;
  return name;
}

EmbedObject failed(EmbedState& state, uint16_t code, std::string_view first, std::string_view second = {}) {
  EmbedObject object;
  object.text = FrErrorText(state, code, first, second);
  return object;
}

}  // namespace

WindowDescription ParseWindowDescription(std::string_view description) {
  WindowDescription parts;
  const size_t first = description.find(',');
  parts.library = std::string(description.substr(0, first));
  if (first == std::string_view::npos) return parts;
  const std::string_view rest = description.substr(first + 1);
  const size_t second = rest.find(',');
  parts.className = std::string(rest.substr(0, second));
  if (second != std::string_view::npos) parts.windowText = std::string(rest.substr(second + 1));
  return parts;
}

void EmbedClassRegistry::add(std::string_view name, intptr_t instance, EmbedCreateProc create) {
  remove(name, instance);
  entries_.push_back({std::string(name), instance, create});
}

void EmbedClassRegistry::remove(std::string_view name, intptr_t instance) {
  std::erase_if(entries_, [&](const Entry& e) { return e.instance == instance && equal_no_case(e.name, name); });
}

EmbedCreateProc EmbedClassRegistry::find(std::string_view name, intptr_t instance) const {
  for (const Entry& e : entries_)
    if (e.instance == instance && equal_no_case(e.name, name)) return e.create;
  return nullptr;
}

EmbedClassRegistry& EmbedClasses() {
  static EmbedClassRegistry registry;
  return registry;
}

bool MvSetEmbedCallback(EmbedState& state, EmbedCallback callback, intptr_t data, uint16_t* error) {
  state.callback = callback;
  state.callbackData = data;
  if (error) *error = 0;
  return true;
}

void MvGetEmbedCallback(const EmbedState& state, EmbedCallback* callback, intptr_t* data, uint16_t* error) {
  if (callback) *callback = state.callback;
  if (data) *data = state.callbackData;
  if (error) *error = 0;
}

std::string FrErrorText(EmbedState& state, uint16_t code, std::string_view first, std::string_view second) {
  state.pendingCode = code;
  std::string text(first);
  if (!first.empty() && !second.empty()) text += ' ';
  text += second;
  base::cp1250::make_upper(text);
  return text;
}

EmbedObject FrCreateEmbed(EmbedState& state, std::string_view library, std::string_view class_name,
                          std::string_view window_text) {
  const std::string name(mapped_class(state, class_name));
  if (equal_no_case(name, kEwCallbackClass)) {
    if (!state.callback) return failed(state, kEwNoCallback, name);
    EmbedObject object;
    object.instance = kEwCallbackInstance;
    object.text = std::string(window_text);
    return object;
  }
  // Only the program's own classes: a library that a title names is never loaded, so a class of
  // anything else is one the program does not know.
  intptr_t instance = state.programInstance;
  EmbedCreateProc create = EmbedClasses().find(name, instance);
  if (!create && state.windowInstance != state.programInstance) {
    instance = state.windowInstance;
    create = EmbedClasses().find(name, instance);
  }
  if (!create) return failed(state, kEwClassNotRegistered, std::string(library) + ".DLL");
  const std::string text(window_text);
  EmbeddedWindowParams params;
  params.titleName = state.titleName.c_str();
  params.windowText = text.c_str();
  params.fileSystem = state.fileSystem;
  params.textColor = state.textColor;
  params.backColor = state.backColor;
  params.flags = state.createFlags;
  params.callback = state.callback;
  params.callbackData = state.callbackData;
  params.title = state.title;
  EmbedObject object;
  object.window = create(state.parent, text.c_str(), params);
  if (!object.window) return failed(state, kEwCreateFailed, name);
  object.instance = instance;
  return object;
}

void FrAddWindow(EmbedState& state, int32_t topic, int32_t key, EmbedObject object) {
  state.windows.push_back({topic, key, std::move(object)});
}

int32_t FrFindWindowIndex(const EmbedState& state, int32_t topic, int32_t key) {
  for (size_t i = 0; i < state.windows.size(); ++i)
    if (state.windows[i].topic == topic && state.windows[i].key == key) return int32_t(i);
  return -1;
}

EmbedObject* FrFindWindow(EmbedState& state, int32_t topic, int32_t key) {
  const int32_t index = FrFindWindowIndex(state, topic, key);
  return index < 0 ? nullptr : &state.windows[size_t(index)].object;
}

bool FrKeepWindows(EmbedState& state, int32_t topic, bool drop_all) {
  if (!drop_all && !state.windows.empty() && state.windows.front().topic == topic) return true;
  FrCloseWindows(state);
  return false;
}

void FrCloseWindows(EmbedState& state) {
  std::vector<EmbedListEntry> entries = std::move(state.windows);
  state.windows.clear();
  if (!state.port) return;
  for (const EmbedListEntry& entry : entries) {
    const HWND window = entry.object.window;
    if (!window || !state.port->exists(window)) continue;
    state.port->send(window, kWindowCloseMessage, 0, 0);
    if (state.port->exists(window)) state.port->destroy(window);
  }
}

void FrReleaseWindow(EmbedState& state, const EmbedObject& object) {
  if (object.instance == kEwCallbackInstance && !object.window) {
    if (state.callback) state.callback(state.callbackData, kEwCallbackRelease, 0, 0, 0, 0, object.text.c_str());
    return;
  }
  if (!object.window || !state.port || !state.port->exists(object.window)) return;
  state.port->send(object.window, kEwClearHits, 0, 0);
  state.port->send(object.window, kEwFocus, kEwFocusLose, 0);
  state.port->show(object.window, false);
}

HWND MvNextEmbeddedWindow(const EmbedState& state, HWND window, int32_t mode) {
  std::vector<HWND> windows;
  for (const EmbedListEntry& entry : state.windows)
    if (entry.object.window) windows.push_back(entry.object.window);
  if (windows.empty()) return nullptr;
  switch (mode) {
    case 0:
      return windows.front();
    case 1:
      return windows.back();
    case 2:
    case 3: {
      const auto it = std::find(windows.begin(), windows.end(), window);
      if (it == windows.end()) return nullptr;
      if (mode == 2) return it + 1 == windows.end() ? nullptr : *(it + 1);
      return it == windows.begin() ? nullptr : *(it - 1);
    }
    default:
      return nullptr;
  }
}

void MvNotifyEmbeddedWindows(EmbedState& state, WPARAM value) {
  if (!state.port) return;
  for (const EmbedListEntry& entry : state.windows)
    if (entry.object.window && state.port->exists(entry.object.window))
      state.port->send(entry.object.window, kEwNotify, value, 0);
}

}  // namespace datapres
