// What the navigator tabs do with a catalogue record through the current work: open it, find it
// in the library tree, bookmark it, put it on the print list; and the two bars as the main window
// holds them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/COMMON/topic_group.h"
#include "navigation/entry_texts.h"

class CLumoKALDoc;
class COutputWnd;
class CIndexWnd;
class CMenu;
class CWnd;
struct POINT;

namespace navcmd {

// The main window's bars (null while it has none).
COutputWnd* FindOutputWnd();
CIndexWnd* FindIndexWnd();
// "Nawigator" is shown when hidden and its search results tab ("Rezultaty") becomes active.
void RevealResultsTab();
// Whether a sheet is active in the main window.
bool HasActiveSheet();
// A tab's context menu: the main frame tracks `popup` at the screen point with `target` updating
// its items and receiving the chosen command; without the main frame the target tracks it.
void TrackTabMenu(CMenu* popup, const POINT& point, CWnd* target);

// Opens a record in the active sheet; in a new sheet when `new_sheet`, Ctrl is held or no sheet
// is active. Nothing without a work.
void OpenRecord(int32_t topic, bool new_sheet);
// Before a record opens from a list: a picture sheet of the work goes back to the act it came
// from (only while a sheet is active, when `only_with_active_sheet`); false when there was none.
bool ReturnFromPictureSheet(bool only_with_active_sheet);
// Switches "Spisy" to "Biblioteka" and selects the record's item there.
void LocateInLibrary(int32_t topic);
// Adds a bookmark for the record through the bookmarks tab.
void AddBookmarkFor(int32_t topic);
// Whether "Spisy" holds an open binder.
bool IsBinderOpen();
// Adds the act of the record to the open binder, showing "Segregator" first; false without a binder.
bool AddTopicToBinder(int32_t topic);
// Puts the record (not the active sheet's act) on the work's print list; false without a work
// or an open title.
bool AddRecordToPrintList(int32_t topic);

// The record of the act of a description (its own record when it has no act).
shell::ContentsRecord ActRecordOf(const CLumoKALDoc& work, const shell::ActDescription& d);
// The row texts of a description, reading the act record of a part or attachment.
navtext::EntryTexts DescribeRow(const CLumoKALDoc& work, const shell::ActDescription& d);
// Shows "Nawigator" on its "Indeksy" tab and, when the keyword hits hold addresses, lists them
// there under `keyword`.
void ListKeywordHits(const std::string& keyword);
// A topic group holding each of `topics` once; null for none or when the group fails.
engine::GroupPtr GroupOf(const std::vector<int32_t>& topics);

}  // namespace navcmd
