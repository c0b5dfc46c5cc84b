// Topic drag and drop: the "Topic Info" record a drag of an act carries between the program's
// lists, trees and sheets, and the rules that decide what a drop target shows and does with it.
//
// The record is four 32-bit little-endian fields: the catalogue record dragged, the source window
// (a token this process hands out, so that a target can refuse a drop on the window the drag
// started from; a token of another process never equals one of ours), the record's level and the
// kind of source. A record read from a drag is checked field by field before anything uses it.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "platform/shell/drag_drop.h"
#include "shell/core/contents_reader.h"

namespace topicdrag {

inline constexpr const char* kTopicInfoFormat = "Topic Info";
inline constexpr size_t kTopicInfoBytes = 16;

// Where a drag started.
enum SourceKind : int32_t {
  kFromHistory = 0,
  kFromBookmarks = 1,
  kFromIndexResults = 2,
  kFromSearchResults = 3,
  kFromPrintList = 4,
  kFromLibrary = 5,
  kFromBinder = 6,
  kFromLink = 7,
  kFromActHeader = 8,
};

struct TopicInfoBlock {
  int32_t record = 0;
  uint32_t source_window = 0;
  int32_t level = 0;
  int32_t source_kind = 0;
};

std::array<uint8_t, kTopicInfoBytes> EncodeTopicInfo(const TopicInfoBlock& block);
// False unless the bytes hold a record below `record_count`, a level 0 to 9 and a known source
// kind (longer blocks, as global memory may round them, are read from their start).
bool DecodeTopicInfo(std::span<const uint8_t> bytes, int32_t record_count, TopicInfoBlock& block);
// A dropped record as a target takes it: decoded against the catalogue's record count, and its
// level the one the catalogue holds for the record (a stale or forged record is refused).
bool ReadDroppedTopic(std::span<const uint8_t> bytes, const shell::ContentsIndexReader& catalog, TopicInfoBlock& block);

// The token that stands for a window object in this process (never 0; the same object always
// gets the same token while it lives).
uint32_t WindowToken(const void* window);
// Forgets a window's token (its object is going).
void ForgetWindowToken(const void* window);

// The kinds of window a drop target serves.
enum class DropWindow : uint8_t { Other, Bookmarks, Library, Binder, View, MainFrame };

// What a target knows when the drag enters or moves.
struct DropContext {
  DropWindow window = DropWindow::Other;
  bool has_info = false;     // a readable "Topic Info"
  TopicInfoBlock info;
  bool from_self = false;    // the record's source window is this target's window
  bool binder_open = false;  // a binder is open (binder tab)
  bool in_zone = false;      // the point lies in the target's drop zone
  bool ctrl = false;         // Ctrl held
};

// The effect remembered when the drag enters (shown later while it moves inside the zone).
DROPEFFECT RememberedEffect(const DropContext& c);
// The effect shown when the drag enters.
DROPEFFECT EnterEffect(const DropContext& c);
// The effect shown while it moves, given what was remembered on entry.
DROPEFFECT OverEffect(const DropContext& c, DROPEFFECT remembered);

// What a drop does.
enum class DropAction : uint8_t { Refuse, AddBookmark, LocateInLibrary, AddToBinder, ShowInView, OpenInNewSheet };
DropAction ActionForDrop(const DropContext& c);

}  // namespace topicdrag
