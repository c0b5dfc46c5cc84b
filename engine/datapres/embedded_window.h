// Embedded windows: windows of registered classes placed in a topic's text (window records, inline or
// side objects, and the marks the application inserts), plus the "MVEWCallBack" pseudo-class that the
// application's callback draws.
//
// A description string names "library, class, window text", split at its first two commas (nothing
// trimmed; a missing part is empty). The library part is only reported in error texts: the engine
// never loads a library that a title names. A class must be one of the program's built-in window
// classes, registered with EmbedClasses() under the program's module instance (or the instance of
// the viewer's window); any other class is reported as not registered (1015).
//
// The engine reaches the platform's windows only through EmbedWindowPort, which the application
// supplies; the engine includes no GUI header.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/title/title.h"
#include "platform/gdi/core/gdi_types.h"

namespace datapres {

// Messages sent to embedded windows.
inline constexpr UINT kEwSize = 0x706B;
inline constexpr UINT kEwShow = 0x706D;
inline constexpr UINT kEwPrint = 0x706F;
inline constexpr UINT kEwQuery = 0x7070;
inline constexpr UINT kEwNotify = 0x7072;
inline constexpr UINT kEwHotspot = 0x7073;
inline constexpr UINT kEwFocus = 0x7074;
inline constexpr UINT kEwHotspotCount = 0x7075;
inline constexpr UINT kEwClipFormats = 0x7076;
inline constexpr UINT kEwHighlight = 0x7077;
inline constexpr UINT kEwHitRect = 0x7078;
inline constexpr UINT kEwClearHits = 0x7079;
inline constexpr UINT kWindowCloseMessage = 0x0010;
inline constexpr WPARAM kEwFocusLose = 3;

// Codes reported through the host's pending code.
inline constexpr uint16_t kEwClassNotRegistered = 1015;
inline constexpr uint16_t kEwNoCallback = 1026;
inline constexpr uint16_t kEwCreateFailed = 1035;

// Creation flags of the parameters record.
inline constexpr uint32_t kEwPrinting = 0x01;
inline constexpr uint32_t kEwClipboard = 0x02;

// The creating instance of a callback object.
inline constexpr intptr_t kEwCallbackInstance = 8;
inline constexpr const char* kEwCallbackClass = "MVEWCallBack";

// Called for "MVEWCallBack" objects: code 8 show the object whose text is given at left, top (right
// and bottom equal them); code 9 the object is released (all four 0). The result is not used.
using EmbedCallback = int32_t (*)(intptr_t data, int32_t code, int32_t left, int32_t top, int32_t right,
                                  int32_t bottom, const char* text);
inline constexpr int32_t kEwCallbackShow = 8;
inline constexpr int32_t kEwCallbackRelease = 9;

struct WindowDescription {
  std::string library;
  std::string className;
  std::string windowText;
};
WindowDescription ParseWindowDescription(std::string_view description);

// The create-parameters record every embedded window receives.
struct EmbeddedWindowParams {
  uint16_t first = 0;
  uint16_t second = 2;
  const char* titleName = "";
  const char* windowText = "";
  mvfs::TitleFileSystem* fileSystem = nullptr;
  COLORREF textColor = 0;
  COLORREF backColor = 0;
  uint32_t flags = 0;
  EmbedCallback callback = nullptr;
  intptr_t callbackData = 0;
  title::TitleHandle* title = nullptr;
};

// The platform's windows as the engine uses them.
class EmbedWindowPort {
 public:
  virtual ~EmbedWindowPort() = default;
  virtual LRESULT send(HWND window, UINT message, WPARAM wparam, LPARAM lparam) = 0;
  virtual bool exists(HWND window) = 0;
  virtual bool visible(HWND window) = 0;
  virtual void show(HWND window, bool visible) = 0;
  // The window's own rectangle, in its parent's client coordinates.
  virtual RECT window_rect(HWND window) = 0;
  // Moves and sizes the window without activating it or changing its place among its siblings.
  virtual void place(HWND window, const RECT& rect) = 0;
  virtual void destroy(HWND window) = 0;
};

// Creates a built-in class's window as a child of `parent` (position and size 0); null on failure.
using EmbedCreateProc = HWND (*)(HWND parent, const char* window_text, const EmbeddedWindowParams& params);

// The program's built-in window classes, by module instance; names compare without regard to case.
class EmbedClassRegistry {
 public:
  void add(std::string_view name, intptr_t instance, EmbedCreateProc create);
  void remove(std::string_view name, intptr_t instance);
  EmbedCreateProc find(std::string_view name, intptr_t instance) const;

 private:
  struct Entry {
    std::string name;
    intptr_t instance;
    EmbedCreateProc create;
  };
  std::vector<Entry> entries_;
};
EmbedClassRegistry& EmbedClasses();

// One embedded object: a window, a callback object (instance 8) or a failed one (instance 0).
struct EmbedObject {
  HWND window = nullptr;
  intptr_t instance = 0;
  std::string text;  // the callback object's text or the error text
};

struct EmbedListEntry {
  int32_t topic = 0;
  int32_t key = 0;  // TopicAddress of the object's character
  EmbedObject object;
};

// What a viewer holds for its embedded windows, with the viewer values the windows are given.
struct EmbedState {
  EmbedWindowPort* port = nullptr;
  HWND parent = nullptr;
  intptr_t programInstance = 0;
  intptr_t windowInstance = 0;
  EmbedCallback callback = nullptr;
  intptr_t callbackData = 0;
  std::vector<std::pair<std::string, std::string>> classAliases;  // name, replacement
  std::string titleName;
  mvfs::TitleFileSystem* fileSystem = nullptr;
  title::TitleHandle* title = nullptr;
  COLORREF textColor = 0;
  COLORREF backColor = 0;
  uint32_t createFlags = 0;  // kEwPrinting, kEwClipboard
  uint16_t pendingCode = 0;
  std::vector<EmbedListEntry> windows;
};

bool MvSetEmbedCallback(EmbedState& state, EmbedCallback callback, intptr_t data, uint16_t* error);
void MvGetEmbedCallback(const EmbedState& state, EmbedCallback* callback, intptr_t* data, uint16_t* error);

// Creates one object; failures come back as an object with instance 0 and its error text, the code
// in the state's pending code.
EmbedObject FrCreateEmbed(EmbedState& state, std::string_view library, std::string_view class_name,
                          std::string_view window_text);
// "FIRST SECOND" upper-cased (either may be empty); sets the pending code.
std::string FrErrorText(EmbedState& state, uint16_t code, std::string_view first, std::string_view second);

void FrAddWindow(EmbedState& state, int32_t topic, int32_t key, EmbedObject object);
EmbedObject* FrFindWindow(EmbedState& state, int32_t topic, int32_t key);
// The index of that object in the list, -1 when there is none.
int32_t FrFindWindowIndex(const EmbedState& state, int32_t topic, int32_t key);
// Keeps the list when its first entry belongs to `topic` and no drop is asked; otherwise closes every
// window. True when kept.
bool FrKeepWindows(EmbedState& state, int32_t topic, bool drop_all);
// Sends every window the close message, destroys it and empties the list.
void FrCloseWindows(EmbedState& state);
// A callback object gets code 9; a live window gets 0x7079 and 0x7074 (3) and is hidden.
void FrReleaseWindow(EmbedState& state, const EmbedObject& object);

// Mode 0 the first window, 1 the last, 2 the one after `window`, 3 the one before; null past the ends.
HWND MvNextEmbeddedWindow(const EmbedState& state, HWND window, int32_t mode);
void MvNotifyEmbeddedWindows(EmbedState& state, WPARAM value);

}  // namespace datapres
