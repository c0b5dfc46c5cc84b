// Paragraph layout: a text record's commands and text runs into lines of display objects.
#include <algorithm>
#include <array>

#include "engine/adt/topic_record_header.h"
#include "engine/frame/layout_shape.h"
#include "engine/frame/record_layout.h"
#include "engine/frame/text_output.h"
#include "engine/medview/viewer_fonts.h"

namespace frame {

namespace {

// Command bytes met when the text reaches a NUL.
enum Command : uint8_t {
  kCmdNoEffect4 = 0x20,
  kCmdNoEffect2 = 0x21,
  kCmdNoEffect6 = 0x22,
  kCmdFont = 0x80,
  kCmdLineBreak = 0x81,
  kCmdParagraphEnd = 0x82,
  kCmdTab = 0x83,
  kCmdExtraHeight = 0x85,
  kCmdInline = 0x86,
  kCmdSideLeft = 0x87,
  kCmdSideRight = 0x88,
  kCmdHotspotEnd = 0x89,
  kCmdNonBreakingSpace = 0x8B,
  kCmdSoftHyphen = 0x8C,
  kCmdEnd = 0xFF,
};

// Commands before which a line may break.
bool EndsWord(uint8_t command) {
  switch (command) {
    case kCmdLineBreak:
    case kCmdParagraphEnd:
    case kCmdTab:
    case kCmdExtraHeight:
    case kCmdInline:
    case kCmdSideLeft:
    case kCmdSideRight:
    case kCmdSoftHyphen:
    case kCmdEnd:
      return true;
    default:
      return false;
  }
}

constexpr int kTabLeft = 0;
constexpr int kTabRight = 1;

// Where the layout stands. Copied whole at each break opportunity, so a line that overflows goes
// back to its last break by restoring the copy and dropping the objects made after it.
struct Cursor {
  size_t text = 0;  // next byte of text
  size_t cmd = 0;   // next command byte
  int32_t charNo = 0;
  int32_t x = 0;
  int32_t font = 0;
  int32_t hotspotNumber = 0;
  int32_t hotspotData = -1;
  int32_t hotspotCount = 0;
  size_t objects = 0;
  int32_t pendingFirst = -1;  // first position of commands awaiting an object
  // The run of text being built in the current font.
  bool runOpen = false;
  size_t runStart = 0;
  int32_t runX = 0;
  int32_t runWidth = 0;
  int32_t runFirst = 0;
  int32_t runAnchor = 0;
  // A right or centred tab waiting for its text.
  bool tabPending = false;
  int tabType = 0;
  int32_t tabStop = 0;
  int32_t tabStartX = 0;
  size_t tabObjects = 0;
  int32_t extraHeight = 0;
  bool lineHasInline = false;
  size_t pendingSides = 0;  // side objects waiting for the next line
  size_t insertsDone = 0;   // inserted objects of the record laid out so far
};

// A picture or window beside which text flows, laid out and waiting to be placed.
struct SideObject {
  ObjectList objects;
  int32_t width = 0;
  int32_t height = 0;
  bool right = false;
};

// Text keeps this far from a side object on the right.
constexpr int32_t kSideGap = 10;

// How a command went: done, an inline record that does not fit the line, or bytes that run out.
enum class Step { kDone, kNoRoom, kDamaged };

Step Checked(bool ok) { return ok ? Step::kDone : Step::kDamaged; }

class ParagraphLayout {
 public:
  // `commandsAt`: offset of the command bytes inside the frame's record.
  ParagraphLayout(medview::Viewer& viewer, const adt::ParagraphInfo& info, std::span<const uint8_t> commands,
                  int32_t commandsAt, std::span<const uint8_t> text, const RecordPlacement& at, ObjectList& out)
      : v_(viewer), info_(info), cmds_(commands), commandsAt_(commandsAt), text_(text), at_(at), out_(out),
        clipboard_((viewer.flags & medview::kViewClipboard) != 0) {}

  bool run(RecordExtent& extent);

 private:
  int32_t scale(int32_t value, bool vertical) const {
    return medview::MvScaleLength(v_, value, (info_.paraFlags & 1) != 0, vertical);
  }
  bool wraps() const { return !clipboard_ && !info_.noWrap; }
  // Lines of a frame's own paragraph follow the viewer's layout shape (cells and inline records
  // keep their own width).
  bool shaped() const { return v_.layoutShape && at_.depth == 0 && !clipboard_; }
  bool at_nul() const { return c_.text >= text_.size() || text_[c_.text] == 0; }
  // Byte `at` of a text run, 0 outside the paragraph's text: an inline record's runs point into
  // that record's own text, which may be longer than this paragraph's.
  uint8_t run_byte(const LayoutObject& run, int32_t at) const {
    int64_t offset = int64_t(run.data) + at;
    return at >= 0 && at < run.length && offset >= 0 && uint64_t(offset) < text_.size() ? text_[size_t(offset)] : 0;
  }
  uint8_t peek_command() const { return c_.cmd < cmds_.size() ? cmds_[c_.cmd] : uint8_t(kCmdEnd); }
  void consume_nul() {
    if (c_.text < text_.size()) ++c_.text;
  }
  bool read_u16(uint16_t& value) {
    if (cmds_.size() - c_.cmd < 2) {
      c_.cmd = cmds_.size();
      return false;
    }
    value = base::load_le16(cmds_.data() + c_.cmd);
    c_.cmd += 2;
    return true;
  }
  bool skip_command_data(size_t count) {
    if (cmds_.size() - c_.cmd < count) {
      c_.cmd = cmds_.size();
      return false;
    }
    c_.cmd += count;
    return true;
  }
  void select_font(int32_t number) {
    if (!clipboard_) medview::MvSelectFont(&v_, number);
  }
  int32_t line_height_of_font() const { return v_.textMetrics.tmHeight + v_.textMetrics.tmExternalLeading; }
  void silent_position() {
    if (c_.pendingFirst < 0) c_.pendingFirst = c_.charNo;
    ++c_.charNo;
  }
  void take_boundary() {
    boundary_ = c_;
    boundaryAtLineStart_ = c_.objects == lineStart_ && !c_.runOpen;
  }
  void restore(const Cursor& to) {
    out_.resize(to.objects);
    sides_.resize(to.pendingSides);
    int32_t font = c_.font;
    c_ = to;
    if (font != c_.font) select_font(c_.font);
  }
  void push(LayoutObject object) {
    out_.push_back(std::move(object));
    c_.objects = out_.size();
  }
  uint32_t hotspot_flag() const { return c_.hotspotData != -1 ? kObjInHotspot : 0; }

  bool take_word();
  void flush_run();
  void add_marker(uint8_t kind, bool carriesChar, int32_t width = 0);
  void apply_pending_tab();
  void tab(bool& lineEnds);
  bool take_embedded_record(std::span<const uint8_t>& record, int32_t& recordOffset);
  void lay_embedded_record(std::span<const uint8_t> record, int32_t recordOffset, ObjectList& objects,
                         RecordExtent& extent);
  Step inline_object(std::span<const uint8_t> record, int32_t recordOffset, bool inserted);
  const medview::InsertedObject* insert_due() const;
  Step side_object_command(bool right);
  void place_side_objects();
  void start_line();
  Step command(bool& lineEnds, bool& paragraphEnds);
  void layout_line(bool& paragraphEnds);
  void finish_line(bool paragraphEnds);

  medview::Viewer& v_;
  const adt::ParagraphInfo& info_;
  std::span<const uint8_t> cmds_;
  int32_t commandsAt_;
  std::span<const uint8_t> text_;
  const RecordPlacement& at_;
  ObjectList& out_;
  bool clipboard_;
  Cursor c_;
  Cursor boundary_;
  bool boundaryAtLineStart_ = true;
  size_t lineStart_ = 0;
  int32_t top_ = 0;
  int32_t leftEdge_ = 0;
  int32_t rightMargin_ = 0;
  bool firstLine_ = true;
  std::vector<SideObject> sides_;
  std::vector<const medview::InsertedObject*> inserts_;  // enabled ones of this record, in order
  // Placed side objects that lines beside them flow around: bottom and edge of each side.
  int32_t leftSideBottom_ = 0, leftSideRight_ = 0;
  int32_t rightSideBottom_ = 0, rightSideLeft_ = 0;
  // Measurements in pixels.
  int32_t spaceAfter_ = 0, lineSpacing_ = 0, leftIndent_ = 0, rightIndent_ = 0, firstIndent_ = 0;
  int32_t tabInterval_ = 0;
  std::array<int32_t, adt::kMaxTabStops> tabs_{};
};

void ParagraphLayout::flush_run() {
  if (!c_.runOpen) return;
  c_.runOpen = false;
  if (c_.text <= c_.runStart) return;
  LayoutObject o;
  o.kind = kObjText;
  o.flags = kObjInLine | hotspot_flag();
  o.x = c_.runX;
  o.baseline = v_.raise + v_.textMetrics.tmAscent;
  o.height = line_height_of_font();
  o.width = c_.runWidth;
  o.hotspotNumber = c_.hotspotData != -1 ? c_.hotspotNumber : 0;
  o.hotspotData = c_.hotspotData;
  o.anchor = c_.runAnchor;
  o.firstChar = c_.runFirst;
  o.lastChar = c_.charNo - 1;
  o.data = int32_t(c_.runStart);
  o.length = int32_t(c_.text - c_.runStart);
  o.font = c_.font;
  c_.x = c_.runX + c_.runWidth;
  push(std::move(o));
}

void ParagraphLayout::add_marker(uint8_t kind, bool carriesChar, int32_t width) {
  LayoutObject o;
  o.kind = kind;
  o.flags = kObjInLine | hotspot_flag();
  o.x = c_.x;
  o.width = width;
  o.hotspotNumber = c_.hotspotData != -1 ? c_.hotspotNumber : 0;
  o.hotspotData = c_.hotspotData;
  if (carriesChar) {
    o.firstChar = c_.pendingFirst >= 0 ? c_.pendingFirst : c_.charNo;
    o.anchor = c_.charNo;
    o.lastChar = c_.charNo++;
    c_.pendingFirst = -1;
  }
  c_.x += width;
  push(std::move(o));
}

// Takes the next word (non-space bytes and the spaces after them) into the open run. False when it
// does not fit and the line already holds a break opportunity.
bool ParagraphLayout::take_word() {
  size_t end = c_.text;
  while (end < text_.size() && text_[end] != 0 && text_[end] != ' ') ++end;
  size_t visibleEnd = end;
  while (end < text_.size() && text_[end] == ' ') ++end;
  if (!c_.runOpen) {
    c_.runOpen = true;
    c_.runStart = c_.text;
    c_.runX = c_.x;
    c_.runWidth = 0;
    c_.runAnchor = c_.charNo;
    c_.runFirst = c_.pendingFirst >= 0 ? c_.pendingFirst : c_.charNo;
    c_.pendingFirst = -1;
  }
  const uint8_t* run = text_.data() + c_.runStart;
  if (!clipboard_) {
    int32_t visible = FrMeasureText(v_, run, visibleEnd - c_.runStart, nullptr);
    if (wraps() && c_.runX + visible > rightMargin_ && !boundaryAtLineStart_) return false;
    c_.runWidth = end == visibleEnd ? visible : FrMeasureText(v_, run, end - c_.runStart, nullptr);
  }
  c_.charNo += int32_t(end - c_.text);
  c_.text = end;
  if (end > visibleEnd) take_boundary();
  return true;
}

void ParagraphLayout::apply_pending_tab() {
  if (!c_.tabPending) return;
  c_.tabPending = false;
  int32_t width = c_.x - c_.tabStartX;
  int32_t shift = c_.tabType == kTabRight ? c_.tabStop - c_.x : c_.tabStop - width / 2 - c_.tabStartX;
  if (shift <= 0) return;
  for (size_t i = c_.tabObjects; i < out_.size(); ++i) out_[i].x += shift;
  c_.x += shift;
}

void ParagraphLayout::tab(bool& lineEnds) {
  apply_pending_tab();
  add_marker(kMarkTab, true);
  if (clipboard_) {
    FrAddMarker(out_, kFlowTab, c_.x, 0);
    c_.objects = out_.size();
    return;
  }
  int32_t stop = 0;
  int type = kTabLeft;
  bool found = false;
  for (int i = 0; i < info_.tabCount && i < adt::kMaxTabStops; ++i) {
    if (tabs_[size_t(i)] > c_.x) {
      stop = tabs_[size_t(i)];
      type = info_.tabs[i].type;
      found = true;
      break;
    }
  }
  if (!found) {
    // Past the last stop: the next multiple of the interval (never 0, so the walk always moves).
    int32_t interval = std::max(tabInterval_, 1);
    stop = (c_.x / interval + 1) * interval;
  }
  if (stop > rightMargin_ && !info_.noWrap) {
    lineEnds = true;
    return;
  }
  if (type == kTabLeft) {
    c_.x = stop;
  } else {
    c_.tabPending = true;
    c_.tabType = type;
    c_.tabStop = stop;
    c_.tabStartX = c_.x;
    c_.tabObjects = out_.size();
  }
}

// Reads the embedded record at the command bytes and lays it out at (0, 0), numbering its
// characters from the current position. False when its bytes run past the commands.
bool ParagraphLayout::take_embedded_record(std::span<const uint8_t>& record, int32_t& recordOffset) {
  adt::TopicRecordHeader header;
  size_t headerSize = adt::DpDecodeRecordHeader(header, cmds_.data() + c_.cmd, cmds_.size() - c_.cmd);
  uint64_t size = headerSize + uint64_t(uint32_t(std::max(header.length, 0))) + header.count;
  if (headerSize == 0 || header.length < 0 || size > cmds_.size() - c_.cmd) {
    c_.cmd = cmds_.size();
    return false;
  }
  record = cmds_.subspan(c_.cmd, size_t(size));
  recordOffset = commandsAt_ + int32_t(c_.cmd);
  c_.cmd += size_t(size);
  return true;
}

void ParagraphLayout::lay_embedded_record(std::span<const uint8_t> record, int32_t recordOffset, ObjectList& objects,
                                        RecordExtent& extent) {
  RecordPlacement place;
  place.width = std::max(rightMargin_ - leftEdge_, 0);
  place.firstChar = c_.charNo;
  place.depth = at_.depth + 1;
  place.recordOffset = recordOffset;
  place.position = at_.position;
  place.charBase = at_.charBase;
  place.font = c_.font;
  extent = RecordExtent{};
  if (place.depth >= kMaxRecordNesting) return;
  size_t first = objects.size();
  v_.hotspotCount = c_.hotspotCount;
  FrLayoutRecord(v_, record, {}, place, objects, extent);
  c_.hotspotCount = v_.hotspotCount;
  for (size_t i = first; i < objects.size() && c_.pendingFirst >= 0; ++i) {
    if (objects[i].carries_chars()) {
      objects[i].firstChar = c_.pendingFirst;
      c_.pendingFirst = -1;
    }
  }
}

// An inline record: laid out at the current x, standing on the baseline. An inserted object is no
// part of the record: it takes no character positions, and its record offset is its negated
// identifier, which tells its window apart from any other.
Step ParagraphLayout::inline_object(std::span<const uint8_t> record, int32_t recordOffset, bool inserted) {
  size_t first = out_.size();
  RecordExtent extent;
  int32_t pendingFirst = c_.pendingFirst;
  if (inserted) c_.pendingFirst = -1;
  lay_embedded_record(record, recordOffset, out_, extent);
  if (inserted) c_.pendingFirst = pendingFirst;
  if (wraps() && c_.x + extent.width > rightMargin_ && !boundaryAtLineStart_) return Step::kNoRoom;
  for (size_t i = first; i < out_.size(); ++i) {
    LayoutObject& o = out_[i];
    o.baseline = extent.height - o.y;
    o.x += c_.x;
    o.flags |= kObjInLine;
    if (inserted) o.anchor = o.firstChar = o.lastChar = -1;
    // Pictures and windows inside a hotspot's run belong to that hotspot.
    if (!inserted && c_.hotspotData != -1 && (o.kind == kObjPicture || o.kind == kObjWindow)) {
      o.flags |= kObjInHotspot;
      o.hotspotNumber = c_.hotspotNumber;
      o.hotspotData = c_.hotspotData;
    }
  }
  c_.objects = out_.size();
  if (!inserted) c_.charNo += extent.chars;
  c_.x += extent.width;
  c_.lineHasInline = true;
  return Step::kDone;
}

// A side record: laid out now, placed beside the next line.
Step ParagraphLayout::side_object_command(bool right) {
  SideObject side;
  RecordExtent extent;
  std::span<const uint8_t> record;
  int32_t recordOffset = 0;
  if (!take_embedded_record(record, recordOffset)) return Step::kDamaged;
  lay_embedded_record(record, recordOffset, side.objects, extent);
  side.width = extent.width;
  side.height = extent.height;
  side.right = right;
  c_.charNo += extent.chars;
  sides_.push_back(std::move(side));
  c_.pendingSides = sides_.size();
  // Met before anything of its line: the line starts again beside it.
  if (out_.size() == lineStart_ && !c_.runOpen && c_.x == leftEdge_) start_line();
  return Step::kDone;
}

// The next enabled inserted object when the numbering has reached its offset.
const medview::InsertedObject* ParagraphLayout::insert_due() const {
  if (c_.insertsDone >= inserts_.size() || inserts_[c_.insertsDone]->offset > c_.charNo) return nullptr;
  return inserts_[c_.insertsDone];
}

// Places the waiting side objects at the top of the line about to be laid out.
void ParagraphLayout::place_side_objects() {
  for (SideObject& side : sides_) {
    int32_t x = rightMargin_ - side.width;
    bool right = side.right && x >= kSideGap;
    if (!right) x = leftIndent_ + FrBorderSpace(info_, 2) + std::min(firstIndent_, 0);
    for (LayoutObject& o : side.objects) {
      o.x += x;
      o.y += top_;
      o.flags &= ~kObjInLine;
      out_.push_back(std::move(o));
    }
    if (right) {
      rightSideLeft_ = rightSideBottom_ > top_ ? std::min(rightSideLeft_, x) : x;
      rightSideBottom_ = std::max(rightSideBottom_, top_ + side.height);
    } else {
      leftSideRight_ = leftSideBottom_ > top_ ? std::max(leftSideRight_, x + side.width) : x + side.width;
      leftSideBottom_ = std::max(leftSideBottom_, top_ + side.height);
    }
  }
  sides_.clear();
  c_.pendingSides = 0;
  c_.objects = out_.size();
}

// Handles the command at the current NUL.
Step ParagraphLayout::command(bool& lineEnds, bool& paragraphEnds) {
  size_t commandAt = c_.cmd;
  uint8_t command = peek_command();
  consume_nul();
  if (c_.cmd < cmds_.size()) ++c_.cmd;
  uint16_t value = 0;
  switch (command) {
    case kCmdNoEffect4:
      silent_position();
      return Checked(skip_command_data(4));
    case kCmdNoEffect2:
      silent_position();
      return Checked(skip_command_data(2));
    case kCmdNoEffect6:
      silent_position();
      return Checked(skip_command_data(6));
    case kCmdFont:
      silent_position();
      if (!read_u16(value)) return Step::kDamaged;
      c_.font = value;
      select_font(c_.font);
      return Step::kDone;
    case kCmdLineBreak:
      add_marker(kMarkLineBreak, true);
      if (clipboard_) FrAddMarker(out_, kFlowLineBreak, c_.x, 0), c_.objects = out_.size();
      lineEnds = true;
      return Step::kDone;
    case kCmdParagraphEnd:
      add_marker(kMarkParagraphEnd, true);
      if (clipboard_) FrAddMarker(out_, kFlowParagraphEnd, c_.x, 0), c_.objects = out_.size();
      lineEnds = true;
      return Step::kDone;
    case kCmdTab:
      tab(lineEnds);
      return Step::kDone;
    case kCmdExtraHeight:
      if (!read_u16(value)) return Step::kDamaged;
      c_.extraHeight += int16_t(value);
      add_marker(kMarkExtraHeight, true);
      lineEnds = true;
      return Step::kDone;
    case kCmdInline: {
      std::span<const uint8_t> record;
      int32_t recordOffset = 0;
      if (!take_embedded_record(record, recordOffset)) return Step::kDamaged;
      return inline_object(record, recordOffset, false);
    }
    case kCmdSideLeft:
    case kCmdSideRight:
      return side_object_command(command == kCmdSideRight);
    case kCmdHotspotEnd:
      silent_position();
      c_.hotspotData = -1;
      return Step::kDone;
    case kCmdNonBreakingSpace: {
      uint8_t space = ' ';
      add_marker(kMarkNonBreakingSpace, true, clipboard_ ? 0 : FrMeasureText(v_, &space, 1, nullptr));
      if (clipboard_) FrAddMarker(out_, kFlowNonBreakingSpace, c_.x, 0), c_.objects = out_.size();
      return Step::kDone;
    }
    case kCmdSoftHyphen:
      silent_position();
      add_marker(kMarkSoftHyphen, false);
      return Step::kDone;
    case kCmdEnd:
      add_marker(kMarkCommandsEnd, true);
      lineEnds = paragraphEnds = true;
      c_.cmd = cmds_.size();
      return Step::kDone;
    default:
      // A hotspot starts: four bytes of data, or a 16-bit length and that many bytes.
      silent_position();
      ++c_.hotspotCount;
      c_.hotspotNumber = c_.hotspotCount;
      c_.hotspotData = commandsAt_ + int32_t(commandAt);
      if ((command & 0xD8) == 0xC0) return Checked(skip_command_data(4));
      if (!read_u16(value)) return Step::kDamaged;
      return Checked(skip_command_data(value));
  }
}

// Places waiting side objects and sets the line's edges around the side objects beside it.
void ParagraphLayout::start_line() {
  int32_t leftIndent = leftIndent_, rightIndent = rightIndent_;
  if (shaped()) {
    // The shape's edges over the line stand for the indents; below the shape the paragraph's own.
    int32_t y = at_.frameTop + top_, height = line_height_of_font();
    int32_t left = frame::FrShapeEdge(*v_.layoutShape, kShapeLeft, y, height);
    int32_t right = frame::FrShapeEdge(*v_.layoutShape, kShapeRight, y, height);
    if (left != kShapeBelow && right != kShapeBelow) {
      leftIndent = left - v_.layoutRect.left;
      rightIndent = at_.width - (right - v_.layoutRect.left);
    }
  }
  leftEdge_ = leftIndent + FrBorderSpace(info_, 2) + (firstLine_ ? firstIndent_ : 0);
  rightMargin_ = at_.width - rightIndent - FrBorderSpace(info_, 4);
  place_side_objects();
  if (top_ < leftSideBottom_) leftEdge_ = std::max(leftEdge_, leftSideRight_);
  if (top_ < rightSideBottom_) rightMargin_ = std::min(rightMargin_, rightSideLeft_ - kSideGap);
  lineStart_ = out_.size();
  c_.x = leftEdge_;
  take_boundary();
}

void ParagraphLayout::layout_line(bool& paragraphEnds) {
  start_line();
  bool lineEnds = false;
  while (!lineEnds) {
    if (const medview::InsertedObject* insert = insert_due()) {
      flush_run();
      take_boundary();
      ++c_.insertsDone;
      if (inline_object(insert->record, -insert->id, true) == Step::kNoRoom) {
        restore(boundary_);
        lineEnds = true;
      }
      continue;
    }
    if (!at_nul()) {
      if (!take_word()) {
        restore(boundary_);
        break;
      }
      continue;
    }
    flush_run();
    if (EndsWord(peek_command())) take_boundary();
    switch (command(lineEnds, paragraphEnds)) {
      case Step::kDone:
        break;
      case Step::kNoRoom:
        restore(boundary_);
        lineEnds = true;
        break;
      case Step::kDamaged:
        // Commands that run past their bytes end the paragraph.
        paragraphEnds = lineEnds = true;
        break;
    }
  }
  finish_line(paragraphEnds);
}

void ParagraphLayout::finish_line(bool paragraphEnds) {
  flush_run();
  apply_pending_tab();
  int32_t maxBaseline = 0, maxDescent = 0;
  bool placed = false;
  for (size_t i = lineStart_; i < out_.size(); ++i) {
    const LayoutObject& o = out_[i];
    if (!(o.flags & kObjInLine) || IsMarkerKind(o.kind)) continue;
    placed = true;
    maxBaseline = std::max(maxBaseline, o.baseline);
    maxDescent = std::max(maxDescent, o.height - o.baseline);
  }
  // A soft hyphen shows only where the line breaks: hide it inside the line.
  for (size_t i = lineStart_; i + 1 < out_.size(); ++i) {
    if (out_[i].kind != kMarkSoftHyphen || i == lineStart_) continue;
    LayoutObject& run = out_[i - 1];
    if (run.kind == kObjText && run_byte(run, run.length - 1) == '-') {
      --run.length;
      int32_t width = clipboard_ ? 0 : FrMeasureText(v_, text_.data() + run.data, size_t(run.length), nullptr);
      int32_t shift = run.width - width;
      run.width = width;
      for (size_t j = i; j < out_.size(); ++j) out_[j].x -= shift;
    }
  }
  int32_t height;
  if (!placed) {
    height = paragraphEnds || !sides_.empty() ? 0 : line_height_of_font();
    maxBaseline = v_.textMetrics.tmAscent;
  } else if (lineSpacing_ < 0 && !c_.lineHasInline) {
    height = -lineSpacing_;
  } else {
    height = std::max(lineSpacing_, maxBaseline + maxDescent + c_.extraHeight);
  }
  if (!placed && c_.extraHeight != 0) height = std::max(0, height + c_.extraHeight);
  for (size_t i = lineStart_; i < out_.size(); ++i) {
    LayoutObject& o = out_[i];
    if (o.flags & kObjInLine) o.y = top_ + maxBaseline - o.baseline;
  }
  if (info_.alignment == 1 || info_.alignment == 2) {
    LayoutObject* last = nullptr;
    for (size_t i = out_.size(); i > lineStart_; --i) {
      if (!IsMarkerKind(out_[i - 1].kind)) {
        last = &out_[i - 1];
        break;
      }
    }
    if (last && last->kind == kObjText) {
      int32_t length = last->length;
      while (length > 0 && run_byte(*last, length - 1) == ' ') --length;
      if (length != last->length) {
        last->length = length;
        last->width = clipboard_ ? 0 : FrMeasureText(v_, text_.data() + last->data, size_t(length), nullptr);
      }
    }
    int32_t right = leftEdge_;
    for (size_t i = lineStart_; i < out_.size(); ++i) {
      if ((out_[i].flags & kObjInLine) && !IsMarkerKind(out_[i].kind)) right = std::max(right, out_[i].right());
    }
    int32_t free = rightMargin_ - right;
    if (free >= 0) {
      int32_t shift = info_.alignment == 1 ? free : free / 2;
      for (size_t i = lineStart_; i < out_.size(); ++i) {
        if (out_[i].flags & kObjInLine) out_[i].x += shift;
      }
    }
  }
  top_ += height;
  if (placed) firstLine_ = false;
  c_.extraHeight = 0;
  c_.lineHasInline = false;
  c_.objects = out_.size();
}

bool ParagraphLayout::run(RecordExtent& extent) {
  spaceAfter_ = scale(info_.spaceAfter, true);
  lineSpacing_ = scale(info_.lineSpacing, true);
  leftIndent_ = scale(info_.leftIndent, false);
  rightIndent_ = scale(info_.rightIndent, false);
  firstIndent_ = scale(info_.firstIndent, false);
  tabInterval_ = scale(info_.tabInterval, false);
  if (tabInterval_ <= 0) tabInterval_ = scale((info_.paraFlags & 1) ? 710 : 72, false);
  for (int i = 0; i < info_.tabCount && i < adt::kMaxTabStops; ++i) {
    tabs_[size_t(i)] = scale(info_.tabs[i].position, false);
  }
  c_.charNo = at_.firstChar;
  c_.text = size_t(std::max(info_.textOffset, 0));
  if (at_.depth == 0 && at_.position >= 0) {
    for (const medview::InsertedObject& insert : v_.inserts) {
      if (insert.position == at_.position && insert.enabled) inserts_.push_back(&insert);
    }
  }
  c_.font = at_.depth > 0 ? at_.font : 0;
  c_.hotspotCount = v_.hotspotCount;
  c_.objects = out_.size();
  size_t first = out_.size();
  select_font(c_.font);
  top_ = scale(info_.spaceBefore, true);
  // A shape whose top lies below the frame's top starts the paragraph there.
  if (shaped()) {
    top_ = int32_t(std::clamp<int64_t>(int64_t(v_.layoutShape->bounds.top) - at_.frameTop, top_, INT32_MAX / 2));
  }
  int32_t paragraphTop = top_;
  top_ += FrBorderSpace(info_, 1);
  bool ended = false;
  while (!ended) {
    if (at_nul() && peek_command() == kCmdEnd) {
      consume_nul();
      c_.cmd = cmds_.size();
      break;
    }
    layout_line(ended);
  }
  place_side_objects();
  if (c_.pendingFirst >= 0) {
    // Commands at the very end whose positions no object took.
    add_marker(kMarkCommandsEnd, true);
    out_.back().y = top_;
  }
  if (clipboard_) FrAddMarker(out_, kFlowRecordEnd, 0, top_);
  v_.hotspotCount = c_.hotspotCount;
  int32_t right = 0, bottom = 0;
  for (size_t i = first; i < out_.size(); ++i) {
    if (IsMarkerKind(out_[i].kind)) continue;
    right = std::max(right, out_[i].right());
    bottom = std::max(bottom, out_[i].bottom());
  }
  if (info_.hasBorder) {
    LayoutObject border;
    border.kind = kObjBorder;
    border.flags = kObjInLine;
    border.x = std::min(leftIndent_, leftIndent_ + firstIndent_);
    border.y = paragraphTop;
    int32_t margin = at_.width - rightIndent_ - FrBorderSpace(info_, 4);
    border.width = std::max(margin, right) + FrBorderSpace(info_, 4) - border.x;
    border.height = top_ + FrBorderSpace(info_, 3) - paragraphTop;
    border.data = uint16_t(info_.border);
    top_ = border.bottom();
    right = std::max(right, border.right());
    out_.push_back(std::move(border));
  }
  top_ += spaceAfter_;
  if (info_.alignment == 2) right = std::max(right, at_.width - rightIndent_);
  extent.width = right;
  extent.height = out_.size() == first ? 0 : std::max(bottom, top_);
  extent.chars = c_.charNo - at_.firstChar;
  return true;
}

}  // namespace

int32_t FrBorderSpace(const adt::ParagraphInfo& info, int side) {
  if (!info.hasBorder) return 0;
  static constexpr uint16_t kSideBit[5] = {0, 0x02, 0x04, 0x08, 0x10};
  if (side < 1 || side > 4) return 0;
  if (!(info.border & 0x01) && !(info.border & kSideBit[side])) return 0;
  int style = (info.border >> 5) & 7;
  switch (style) {
    case 1:
    case 3:
      return 6;
    case 2:
      return 7;
    case 5:
    case 6:
    case 7:
      return style;
    default:
      return 5;
  }
}

bool FrLayoutParagraph(medview::Viewer& viewer, std::span<const uint8_t> format, std::span<const uint8_t> text,
                       const RecordPlacement& at, ObjectList& out, RecordExtent& extent) {
  adt::ParagraphInfo info;
  size_t consumed = adt::DpDecodeParagraphInfo(info, format.data(), format.size());
  if (consumed == 0) return false;
  ParagraphLayout layout(viewer, info, format.subspan(consumed), at.formatOffset + int32_t(consumed), text, at, out);
  return layout.run(extent);
}

void FrAddMarker(ObjectList& out, uint8_t kind, int32_t x, int32_t y) {
  LayoutObject o;
  o.kind = kind;
  o.x = x;
  o.y = y;
  out.push_back(std::move(o));
}

int32_t FrObjectOfChar(const ObjectList& objects, int32_t number) {
  for (size_t i = 0; i < objects.size(); ++i) {
    const LayoutObject& o = objects[i];
    if (o.carries_chars() && o.firstChar <= number && number <= o.lastChar) return int32_t(i);
  }
  return -1;
}

}  // namespace frame
