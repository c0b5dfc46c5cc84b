// The media window's text: bracketed option items, then the device or file name.
//
// The option keywords, the button words and the labels come from the module's strings; this
// program's string table holds none of them, so every keyword is empty, matches nothing, and any
// item but a comment refuses the window. The parser takes the keywords as data so that the same
// rules serve a table that holds them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace media {

// Error codes the media layer reports.
inline constexpr uint32_t kErrNoMemory = 3000;
inline constexpr uint32_t kErrChildren = 3001;
inline constexpr uint32_t kErrParams = 3004;
inline constexpr uint32_t kErrVersion = 3005;
inline constexpr uint32_t kErrNoText = 3010;
inline constexpr uint32_t kErrMissingArgument = 3011;
inline constexpr uint32_t kErrOutOfRange = 3012;
inline constexpr uint32_t kErrUnknownOption = 3014;
inline constexpr uint32_t kErrBadText = 3015;
inline constexpr uint32_t kErrMarksFile = 3016;
inline constexpr uint32_t kErrDeviceInUse = 3020;
inline constexpr uint32_t kErrNoDriver = 3021;
inline constexpr uint32_t kErrFileRequired = 3024;
inline constexpr uint32_t kErrPlayFailed = 3025;
inline constexpr uint32_t kErrMovieOpen = 3030;
inline constexpr uint32_t kErrMovieStart = 3031;
inline constexpr uint32_t kErrMovieStop = 3032;
inline constexpr uint32_t kErrOtherMedia = 3040;

inline constexpr size_t kMaxWindowText = 512;
inline constexpr size_t kMaxMarksFile = 1023;

// Keyword slots, by string id minus 360.
enum MediaKeyword : int {
  kKwEmptyAllowed = 0,  // 360
  kKwDeviceType,        // 361
  kKwStandard,          // 362
  kKwButtons,           // 363
  kKwMenu,              // 364
  kKwTrackBar,          // 365
  kKwScanStep,          // 366
  kKwRange,             // 367
  kKwTracks,            // 368
  kKwMarks,             // 369
  kKwSize,              // 370
  kKwExpect,            // 371
  kKwAutoPlay,          // 372
  kKwRepeat,            // 373
  kKwNoFrame,           // 374
  kKwLocked,            // 375
  kKwSound,             // 376
  kKwLabel,             // 377
  kKwMarksFile,         // 378
  kKwGroups,            // 379
  kKwName,              // 380
  kKeywordCount
};

// The texts the parser compares against: keywords (strings 360 to 380) and button words (400 to
// 412, buttons 1 to 13). Empty texts never match.
struct MediaWords {
  std::array<std::string, kKeywordCount> keywords;
  std::array<std::string, 13> buttons;
  std::string openingLabel;  // shown while a deferred device opens
};

// Reads the blank-separated words of an item. A word may be quoted with ", ' or ` (a backslash
// before a quote makes it part of the word); a word beginning with "-" or "/" becomes "-" and the
// rest.
class MediaWordReader {
 public:
  explicit MediaWordReader(std::string_view text) : text_(text) {}
  bool next(std::string& word);
  // The unread rest, leading blanks skipped.
  std::string_view rest();

 private:
  std::string_view text_;
  size_t at_ = 0;
};

// Decimal digits with an optional "-" sign; the first other character ends the number. False when
// no digit starts it.
bool MediaParseNumber(std::string_view word, int32_t& value, size_t* used = nullptr);
// "[track:]position": track 0 when none.
bool MediaParseTrackPosition(std::string_view word, uint16_t& track, int32_t& offset);

// One mark as an option names it: "[$][#]name" then "[track:]position".
struct MarkSpec {
  std::string name;
  bool stop = false;
  bool section = false;
  uint16_t track = 0;
  int32_t offset = 0;
};
// False when a name has no position after it.
bool MediaParseMarks(std::string_view text, std::vector<MarkSpec>& marks);
// The marks of a marks file's bytes: its first 1,023 characters, line breaks and end-of-file
// characters read as blanks (a zero byte ends the text). False as MediaParseMarks.
bool MediaParseMarksFile(std::string_view bytes, std::vector<MarkSpec>& marks);

inline constexpr int kLabelLeft = 0x10;
inline constexpr int kLabelRight = 0x20;
inline constexpr int kLabelCentre = 0x40;

struct MediaOptions {
  std::string instanceName;
  bool emptyAllowed = false;
  std::string deviceType;
  bool noFrame = false;
  uint16_t buttons = 0;  // bit n: button n
  bool menu = false;
  bool trackBar = false;
  int32_t scanStep = 0;  // 0: the default
  uint16_t firstTrack = 0, lastTrack = 0;
  int32_t firstOffset = -1, lastOffset = -1;
  std::vector<MarkSpec> marks;
  std::string marksFile;
  int32_t videoWidth = -1, videoHeight = -1;
  std::string expectedMedia;
  int32_t expectedNumber = 0;
  bool autoPlay = false;
  bool repeat = false;
  bool locked = false;
  bool soundItem = false;
  int labelAlign = 0;
  std::string label;  // lines separated by "\n"
  std::vector<std::string> groups;
  std::string name;  // the device or file name (rest of the text)
};

struct MediaTextResult {
  uint32_t error = 0;  // 0 when the text was read
  std::string errorText;
};

// Reads a window text into options. A marks file is only named here; the window reads it.
MediaTextResult MediaParseWindowText(std::string_view text, const MediaWords& words, MediaOptions& options);

// Where a media name from a title may lead. `titleName` is the title file ("" without create
// parameters).
struct MediaNameResult {
  uint32_t error = 0;
  std::string path;      // the file to open, or the compound name "<title>+<element>"
  bool compound = false;  // read through the title's media I/O procedure
};
// The folder of a title name: everything up to and including its last "\" or "/".
std::string MediaTitleFolder(std::string_view titleName);
// Makes a name absolute. Names given by a title stay inside the title's folder: an absolute name
// or one that climbs out with ".." is refused (3015). Without a title the name is used as given.
MediaNameResult MediaResolveName(std::string_view name, std::string_view titleName);

}  // namespace media
