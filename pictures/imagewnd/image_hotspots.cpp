#include "pictures/imagewnd/image_hotspots.h"

#include <algorithm>
#include <cstring>

#include "platform/base/byte_io.h"

namespace imagewnd {
namespace {

// The extent of a box on one axis, inclusive, clipped to [0, limit - 1]; empty when low > high.
struct Extent {
  int64_t low, high;
};
Extent clipped(int32_t from, int32_t to, int32_t limit) {
  return {std::max<int64_t>(from, 0), std::min<int64_t>(int64_t(to) - 1, int64_t(limit) - 1)};
}

bool in_polygon(const std::vector<POINT>& points, int64_t x, int64_t y) {
  bool inside = false;
  const size_t n = points.size();
  for (size_t i = 0; i < n; ++i) {
    const POINT& a = points[i];
    const POINT& b = points[(i + 1) % n];
    if (a.y == b.y) continue;
    const int64_t low = std::min(a.y, b.y), high = std::max(a.y, b.y);
    if (y < low || y >= high) continue;
    // The edge's x at the point's height, the quotient truncated towards 0.
    const int64_t cross = a.x + (int64_t(b.x) - a.x) * (y - a.y) / (int64_t(b.y) - a.y);
    if (x < cross) inside = !inside;
  }
  return inside;
}

}  // namespace

bool HotspotContains(const HotspotRecord& record, int32_t x, int32_t y) {
  if (x < record.left || x >= record.right || y < record.top || y >= record.bottom) return false;
  if (record.shape == kShapeCircle) {
    const int64_t dx = int64_t(x) - record.centreX, dy = int64_t(y) - record.centreY;
    return dx * dx + dy * dy <= int64_t(record.radius) * record.radius;
  }
  if (record.shape == kShapePolygon) return in_polygon(record.points, x, y);
  return true;
}

HotspotSet::HotspotSet(int32_t width, int32_t height, int levels, size_t capacity)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), levels_(std::max(levels, 1)) {
  roots_.assign(size_t(levels_ - 1), nullptr);
  reserve(capacity);
}

void HotspotSet::reserve(size_t capacity) {
  capacity = std::min(capacity, kMaxHotspotNumbers);
  if (index_.size() < capacity) index_.resize(capacity, nullptr);
}

bool HotspotSet::add(const HotspotRecord& record) {
  if (record.level == 0 || record.level > levels_) return false;
  if (record.right <= record.left || record.bottom <= record.top) return false;
  if (record.left >= width_ || record.right <= 0 || record.top >= height_ || record.bottom <= 0) return false;
  HotspotRecord& kept = records_.emplace_back(record);
  kept.next = nullptr;
  if (kept.number < index_.size()) index_[kept.number] = &kept;
  if (kept.level == 1) {
    marks_.push_back(&kept);
    return true;
  }
  ++hitTestable_;
  numberLimit_ = std::max<int32_t>(numberLimit_, int32_t(kept.number) + 1);
  place(&kept);
  return true;
}

void HotspotSet::place(HotspotRecord* record) {
  const Extent xs = clipped(record->left, record->right, width_);
  const Extent ys = clipped(record->top, record->bottom, height_);
  if (xs.low > xs.high || ys.low > ys.high) return;
  Node** slot = &roots_[size_t(record->level - 2)];
  lastRootLevel_ = std::max<int>(lastRootLevel_, record->level);
  int64_t low[2] = {0, 0}, high[2] = {int64_t(width_) - 1, int64_t(height_) - 1};
  const Extent extent[2] = {xs, ys};
  for (int axis = 0;; axis ^= 1) {
    if (!*slot) *slot = &nodes_.emplace_back();
    Node* node = *slot;
    const int64_t split = low[axis] + (high[axis] - low[axis] + 1) / 2;
    if (extent[axis].low <= split && split <= extent[axis].high) {
      record->next = node->chain;
      node->chain = record;
      return;
    }
    if (extent[axis].high < split) {
      high[axis] = split - 1;
      slot = &node->lower;
    } else {
      low[axis] = split;
      slot = &node->upper;
    }
  }
}

const HotspotRecord* HotspotSet::hit(int32_t x, int32_t y) const { return search(x, y, levels_); }

HotspotRecord* HotspotSet::search(int32_t x, int32_t y, int last_level) const {
  for (int level = 2; level <= std::min(last_level, lastRootLevel_); ++level) {
    const Node* root = roots_[size_t(level - 2)];
    int64_t low[2] = {0, 0}, high[2] = {int64_t(width_) - 1, int64_t(height_) - 1};
    const int64_t point[2] = {x, y};
    int axis = 0;
    for (const Node* node = root; node; axis ^= 1) {
      for (HotspotRecord* r = node->chain; r; r = r->next)
        if (HotspotContains(*r, x, y)) return r;
      const int64_t split = low[axis] + (high[axis] - low[axis] + 1) / 2;
      if (point[axis] < split) {
        high[axis] = split - 1;
        node = node->lower;
      } else if (point[axis] > split) {
        low[axis] = split;
        node = node->upper;
      } else {
        break;
      }
    }
  }
  return nullptr;
}

const HotspotRecord* HotspotSet::byNumber(size_t number) const {
  return number < index_.size() ? index_[number] : nullptr;
}

const HotspotRecord* HotspotSet::mark(size_t n) const { return n < marks_.size() ? marks_[n] : nullptr; }

void HotspotSet::resize(int32_t width, int32_t height) {
  if (hitTestable_ > 1) return;
  HotspotRecord* stretched = search(1, 1, 2);
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  if (stretched) {
    stretched->right = width_;
    stretched->bottom = height_;
  }
  rebuild();
}

void HotspotSet::rebuild() {
  nodes_.clear();
  std::fill(roots_.begin(), roots_.end(), nullptr);
  lastRootLevel_ = 1;
  for (HotspotRecord& record : records_) {
    if (record.level < 2) continue;
    record.next = nullptr;
    place(&record);
  }
}

std::unique_ptr<HotspotSet> ParsePly2(std::span<const uint8_t> bytes) {
  if (bytes.size() < 46 || bytes.size() > kPly2MaxFileSize) return nullptr;
  if (std::memcmp(bytes.data(), "PLY2", 4) != 0 || base::load_le16(bytes.data() + 4) != 2) return nullptr;
  const uint16_t count = base::load_le16(bytes.data() + 8);
  const uint16_t highest = base::load_le16(bytes.data() + 10);
  // The area is kept to 16 bits, as the trees split it.
  const auto side = [&](size_t at) { return int32_t(std::min<uint32_t>(base::load_le32(bytes.data() + at), 0xFFFF)); };
  const int levels = int(base::load_le16(bytes.data() + 24)) + 2;
  auto set = std::make_unique<HotspotSet>(side(12), side(16), levels, size_t(highest) + 1);

  base::ByteReader in(bytes);
  if (!in.seek(46) || !in.skip(base::load_le32(bytes.data() + 34) & 0xFFFF)) return set;
  for (uint16_t n = 0; n < count && in.remaining() > 0; ++n) {
    HotspotRecord r;
    int16_t shape, level, left, top, right, bottom;
    uint16_t number, skip, length;
    if (!in.i16(shape) || !in.i16(level) || !in.u16(number) || !in.i16(left) || !in.i16(top) || !in.i16(right) ||
        !in.i16(bottom) || !in.u16(skip) || !in.skip(skip) || !in.u16(length))
      break;
    std::span<const uint8_t> text;
    if (!in.view(length, text)) break;
    r.data.assign(text.begin(), text.end());
    r.data.push_back(0);
    r.kind = kHotspotPly2;
    r.level = level <= 0 ? 1 : uint16_t(std::min(level + 2, 0xFFFF));
    r.number = number;
    r.left = left, r.top = top, r.right = right, r.bottom = bottom;
    if (shape == kShapeCircle) {
      int16_t x, y, radius;
      if (!in.i16(x) || !in.i16(y) || !in.i16(radius)) break;
      r.shape = kShapeCircle;
      r.centreX = x, r.centreY = y, r.radius = radius;
    } else if (shape == kShapePolygon) {
      uint16_t points;
      if (!in.u16(points) || in.remaining() < size_t(points) * 4) break;
      r.shape = kShapePolygon;
      r.points.reserve(points);
      for (uint16_t i = 0; i < points; ++i) {
        const int16_t x = in.i16(), y = in.i16();
        r.points.push_back({std::max<int32_t>(x, 0), std::max<int32_t>(y, 0)});
      }
    }
    set->add(r);
  }
  return set;
}

void MergeHotspots(HotspotSet& into, const HotspotSet& old) {
  for (size_t n = 0; n < old.capacity(); ++n) {
    const HotspotRecord* r = old.byNumber(n);
    if (!r) continue;
    HotspotRecord copy = *r;
    copy.right = std::min(copy.right, into.width());
    copy.bottom = std::min(copy.bottom, into.height());
    into.reserve(size_t(copy.number) + 1);
    into.add(copy);
  }
}

void HotspotsForPicture(std::unique_ptr<HotspotSet>& set, int32_t width, int32_t height, size_t n) {
  if (!set) {
    set = std::make_unique<HotspotSet>(width, height, 2, n);
    return;
  }
  set->resize(width, height);
  set->reserve(n + size_t(set->numberLimit()) + 1);
}

std::optional<std::vector<PictureHotspot>> ReadPictureHotspots(std::span<const uint8_t> table) {
  if (table.size() < 7) return std::nullopt;
  const uint16_t count = base::load_le16(table.data() + 1);
  const size_t data_start = 7 + size_t(count) * 15;
  if (data_start > table.size()) return std::nullopt;
  const std::span<const uint8_t> data_area = table.subspan(data_start);
  std::vector<PictureHotspot> out;
  out.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* e = table.data() + 7 + i * 15;
    PictureHotspot h;
    h.type = e[0];
    h.left = int16_t(base::load_le16(e + 3));
    h.top = int16_t(base::load_le16(e + 5));
    h.right = h.left + int16_t(base::load_le16(e + 7));
    h.bottom = h.top + int16_t(base::load_le16(e + 9));
    const uint32_t value = base::load_le32(e + 11);
    switch (h.type) {
      case 0xC8: case 0xCC: h.kind = kHotspotMacro; break;
      case 0xE3: case 0xE7: h.kind = kHotspotJump; break;
      case 0xE2: case 0xE6: h.kind = kHotspotPopup; break;
      case 0xEB: case 0xEF: h.kind = kHotspotJumpNamed; break;
      case 0xEA: case 0xEE: h.kind = kHotspotPopupNamed; break;
      default: h.kind = kHotspotOther; break;
    }
    if (h.kind == kHotspotJump || h.kind == kHotspotPopup) {
      h.data.assign(e + 11, e + 15);
    } else if (h.kind != kHotspotOther) {
      // Macros: a zero-terminated text; named targets: 5 bytes, a zero-terminated text, 1 byte.
      const size_t head = h.kind == kHotspotMacro ? 0 : 5;
      const size_t tail = h.kind == kHotspotMacro ? 0 : 1;
      const auto* begin = data_area.data() + std::min<size_t>(value, data_area.size());
      const auto* end = data_area.data() + data_area.size();
      const auto* zero = end - begin > ptrdiff_t(head) ? std::find(begin + head, end, uint8_t(0)) : end;
      if (zero == end || size_t(end - zero) < 1 + tail) {
        h.kind = kHotspotOther;
      } else {
        h.data.assign(begin, zero + 1 + tail);
      }
    }
    out.push_back(std::move(h));
  }
  return out;
}

void ScalePictureHotspots(std::vector<PictureHotspot>& hotspots, int32_t width, int32_t height, int32_t x_extent,
                          int32_t y_extent) {
  const auto scale = [](int32_t& v, int32_t by, int32_t extent) {
    if (extent != 0) v = int32_t(std::clamp<int64_t>(int64_t(v) * by / extent, INT32_MIN, INT32_MAX));
  };
  for (PictureHotspot& h : hotspots) {
    scale(h.left, width, x_extent);
    scale(h.right, width, x_extent);
    scale(h.top, height, y_extent);
    scale(h.bottom, height, y_extent);
  }
}

void AddPictureHotspots(HotspotSet& set, const std::vector<PictureHotspot>& hotspots) {
  size_t number = size_t(set.numberLimit());
  for (const PictureHotspot& h : hotspots) {
    if (number >= kMaxHotspotNumbers) break;
    HotspotRecord r;
    r.level = h.type == 0x8A ? 1 : 2;
    r.number = uint16_t(number++);
    r.left = h.left, r.top = h.top, r.right = h.right, r.bottom = h.bottom;
    r.kind = h.kind;
    r.data = h.data;
    set.add(r);
  }
}

HotspotAnswer AnswerFor(const HotspotRecord& record) {
  HotspotAnswer a;
  a.box = record.box();
  a.kind = record.kind;
  a.data = record.data;
  if ((record.kind == kHotspotJump || record.kind == kHotspotPopup) && record.data.size() >= 4)
    a.hash = base::load_le32(record.data.data());
  return a;
}

int32_t StepHotspotFocus(const HotspotSet& set, int32_t focus, bool forward, const RECT& visible) {
  const int64_t limit = set.numberLimit();
  int64_t n = focus > 0 ? focus - 1 : (forward ? -1 : limit);
  for (n += forward ? 1 : -1; n >= 0 && n < limit; n += forward ? 1 : -1) {
    const HotspotRecord* r = set.byNumber(size_t(n));
    if (!r || r->level < 2) continue;
    if (r->left < visible.right && r->right > visible.left && r->top < visible.bottom && r->bottom > visible.top)
      return int32_t(n + 1);
  }
  return 0;
}

}  // namespace imagewnd
