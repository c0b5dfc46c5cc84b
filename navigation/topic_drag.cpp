#include "navigation/topic_drag.h"

#include <mutex>
#include <random>
#include <unordered_map>

#include "shell/core/contents_reader.h"

namespace topicdrag {

namespace {

uint32_t ReadU32(std::span<const uint8_t> b, size_t at) {
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

void PutU32(uint8_t* out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[i] = uint8_t(v >> (8 * i));
}

struct Tokens {
  std::mutex lock;
  std::unordered_map<const void*, uint32_t> by_window;
  // The high half is drawn once per process; the low half counts windows.
  uint32_t salt = (std::random_device{}() & 0xFFFF0000u) | 0x8000u;
  uint32_t next = 1;
};

Tokens& TokenTable() {
  static Tokens tokens;
  return tokens;
}

bool KindTakenByBookmarks(int32_t kind) { return kind >= kFromLibrary; }

}  // namespace

std::array<uint8_t, kTopicInfoBytes> EncodeTopicInfo(const TopicInfoBlock& block) {
  std::array<uint8_t, kTopicInfoBytes> out{};
  PutU32(&out[0], uint32_t(block.record));
  PutU32(&out[4], block.source_window);
  PutU32(&out[8], uint32_t(block.level));
  PutU32(&out[12], uint32_t(block.source_kind));
  return out;
}

bool DecodeTopicInfo(std::span<const uint8_t> bytes, int32_t record_count, TopicInfoBlock& block) {
  if (bytes.size() < kTopicInfoBytes) return false;
  TopicInfoBlock b;
  b.record = int32_t(ReadU32(bytes, 0));
  b.source_window = ReadU32(bytes, 4);
  b.level = int32_t(ReadU32(bytes, 8));
  b.source_kind = int32_t(ReadU32(bytes, 12));
  if (b.record < 0 || b.record >= record_count) return false;
  if (b.level < 0 || b.level >= shell::kContentsLevels) return false;
  if (b.source_kind < kFromHistory || b.source_kind > kFromActHeader) return false;
  block = b;
  return true;
}

bool ReadDroppedTopic(std::span<const uint8_t> bytes, const shell::ContentsIndexReader& catalog, TopicInfoBlock& block) {
  TopicInfoBlock b;
  shell::ContentsRecord record;
  if (!DecodeTopicInfo(bytes, catalog.RecordCount(), b) || !catalog.ReadRecord(b.record, record)) return false;
  if (record.level != b.level) return false;
  block = b;
  return true;
}

uint32_t WindowToken(const void* window) {
  if (!window) return 0;
  Tokens& t = TokenTable();
  std::lock_guard guard(t.lock);
  auto [it, added] = t.by_window.try_emplace(window, 0);
  if (added) it->second = t.salt ^ (t.next++ & 0x7FFFu);
  return it->second;
}

void ForgetWindowToken(const void* window) {
  Tokens& t = TokenTable();
  std::lock_guard guard(t.lock);
  t.by_window.erase(window);
}

DROPEFFECT RememberedEffect(const DropContext& c) {
  if (!c.has_info) return DROPEFFECT_NONE;
  switch (c.window) {
    case DropWindow::Bookmarks:
      // Kinds the tab refuses on dropping show "no drop" from the start.
      return c.from_self || !KindTakenByBookmarks(c.info.source_kind) ? DROPEFFECT_NONE : DROPEFFECT_COPY;
    case DropWindow::Library: return c.from_self ? DROPEFFECT_NONE : DROPEFFECT_LINK;
    case DropWindow::Binder:
      return c.info.level > shell::kLevelAct || c.from_self || !c.binder_open ? DROPEFFECT_NONE : DROPEFFECT_COPY;
    case DropWindow::View:
      return !c.from_self || c.info.source_kind == kFromLink ? DROPEFFECT_MOVE : DROPEFFECT_NONE;
    case DropWindow::MainFrame: return c.in_zone ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    case DropWindow::Other: break;
  }
  return DROPEFFECT_NONE;
}

DROPEFFECT EnterEffect(const DropContext& c) {
  if (c.window == DropWindow::MainFrame) return DROPEFFECT_NONE;
  if (c.window == DropWindow::View) return RememberedEffect(c);
  return c.in_zone ? RememberedEffect(c) : DROPEFFECT_NONE;
}

DROPEFFECT OverEffect(const DropContext& c, DROPEFFECT remembered) {
  if (!c.in_zone || !c.has_info) return DROPEFFECT_NONE;
  if (c.window == DropWindow::View && c.ctrl) return DROPEFFECT_COPY;
  if (c.window == DropWindow::View && c.info.source_kind == kFromLink) return remembered;
  if (c.window == DropWindow::MainFrame) return DROPEFFECT_COPY;
  return c.from_self ? DROPEFFECT_NONE : remembered;
}

DropAction ActionForDrop(const DropContext& c) {
  if (!c.has_info) return DropAction::Refuse;
  switch (c.window) {
    case DropWindow::Bookmarks:
      return !c.from_self && KindTakenByBookmarks(c.info.source_kind) ? DropAction::AddBookmark : DropAction::Refuse;
    case DropWindow::Library: return c.from_self ? DropAction::Refuse : DropAction::LocateInLibrary;
    case DropWindow::Binder:
      return c.binder_open && !c.from_self && c.info.level <= shell::kLevelAct ? DropAction::AddToBinder
                                                                              : DropAction::Refuse;
    case DropWindow::View:
      if (c.ctrl) return DropAction::OpenInNewSheet;
      return !c.from_self || c.info.source_kind == kFromLink ? DropAction::ShowInView : DropAction::Refuse;
    case DropWindow::MainFrame: return c.in_zone ? DropAction::OpenInNewSheet : DropAction::Refuse;
    case DropWindow::Other: break;
  }
  return DropAction::Refuse;
}

}  // namespace topicdrag
