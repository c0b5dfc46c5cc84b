// The tips file of the tip of the day: plain text whose lines are tips, except lines that begin
// with a tab, a blank, ';' or nothing (comments and empty lines). The profile keeps the byte offset
// of the next tip to read and the file's modification time; a changed file starts over.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tips {

inline constexpr size_t kMaxTipLength = 999;
inline constexpr const char* kTipsFileName = "tips.txt";
inline constexpr const char* kTipSection = "Tip";
inline constexpr const char* kFilePosEntry = "FilePos";
inline constexpr const char* kTimeStampEntry = "TimeStamp";

struct TipRead {
  bool found = false;  // false: the file holds no tip line at all
  std::string text;    // the tip without its line end, at most kMaxTipLength bytes
  uint64_t next = 0;   // where the tip after it starts
};

// The next tip from offset `position` on, going round to the start once at the end. A position
// past the end, or inside a line, starts at the next line (or the start); a line longer than
// kMaxTipLength gives one tip cut to that length, the rest of the line is skipped.
TipRead NextTip(std::string_view content, uint64_t position);

// The modification time as the profile keeps it: ctime's text without its trailing white space.
std::string TimeStampText(int64_t seconds);

}  // namespace tips
