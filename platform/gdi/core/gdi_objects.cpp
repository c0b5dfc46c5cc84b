#include "platform/gdi/core/gdi_objects.h"

#include <array>
#include <cstring>

#include "platform/gdi/core/device_context.h"

namespace gdi {

namespace {

// The monochrome 1 x 1 bitmap every memory context starts with, kept with the stock objects.
constexpr int kDefaultBitmapIndex = DEFAULT_GUI_FONT + 1;

struct Slot {
  uint32_t generation = 1;  // from 1, so no small number is ever a handle
  bool live = false;
  bool stock = false;
  bool delete_pending = false;
  int selections = 0;
  std::unique_ptr<ObjectData> data;
};

// The one table of the process. Contexts are taken apart before the slots go, because taking a
// context apart releases its selections through this table.
class Table {
 public:
  ~Table() {
    std::vector<std::unique_ptr<ObjectData>> contexts;
    {
      std::lock_guard lock(mutex);
      for (auto& slot : slots)
        if (slot->data && std::holds_alternative<DcObject>(*slot->data))
          contexts.push_back(std::move(slot->data));
    }
    contexts.clear();
    closing = true;
  }

  std::mutex mutex;
  std::vector<std::unique_ptr<Slot>> slots;
  std::vector<uint32_t> free_slots;
  std::array<void*, kDefaultBitmapIndex + 1> stock{};
  bool closing = false;
};

Table& table() {
  static Table t;
  return t;
}

void* handle_of(uint32_t index, uint32_t generation) {
  return reinterpret_cast<void*>((uintptr_t(generation) << 32) | (uintptr_t(index) + 1));
}

// The live slot of a handle, or null. Call with the mutex held.
Slot* slot_of(Table& t, const void* handle) {
  uintptr_t v = reinterpret_cast<uintptr_t>(handle);
  uint32_t index = uint32_t(v & 0xFFFFFFFFu);
  if (index == 0 || index > t.slots.size()) return nullptr;
  Slot* slot = t.slots[index - 1].get();
  if (!slot->live || slot->generation != uint32_t(v >> 32)) return nullptr;
  return slot;
}

// Empties a slot under the mutex and hands back its object, to be destroyed after the mutex is
// released (destroying a context releases objects through the table).
std::unique_ptr<ObjectData> free_slot(Table& t, Slot& slot, uint32_t index) {
  slot.live = false;
  slot.delete_pending = false;
  slot.selections = 0;
  ++slot.generation;
  t.free_slots.push_back(index);
  return std::move(slot.data);
}

uint32_t index_of(const void* handle) {
  return uint32_t(reinterpret_cast<uintptr_t>(handle) & 0xFFFFFFFFu) - 1;
}

LOGFONT stock_font(const char* face, LONG height, LONG weight, BYTE pitch_and_family) {
  LOGFONT lf{};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfCharSet = EASTEUROPE_CHARSET;
  lf.lfPitchAndFamily = pitch_and_family;
  std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return lf;
}

ObjectData make_stock(int index) {
  auto brush = [](UINT style, COLORREF c) { return BrushObject{LOGBRUSH{style, c, 0}, nullptr}; };
  auto pen = [](UINT style, COLORREF c) { return PenObject{LOGPEN{style, {1, 0}, c}}; };
  switch (index) {
    case WHITE_BRUSH: return brush(BS_SOLID, RGB(255, 255, 255));
    case LTGRAY_BRUSH: return brush(BS_SOLID, RGB(192, 192, 192));
    case GRAY_BRUSH: return brush(BS_SOLID, RGB(128, 128, 128));
    case DKGRAY_BRUSH: return brush(BS_SOLID, RGB(64, 64, 64));
    case BLACK_BRUSH: return brush(BS_SOLID, RGB(0, 0, 0));
    case NULL_BRUSH: return brush(BS_NULL, 0);
    case WHITE_PEN: return pen(PS_SOLID, RGB(255, 255, 255));
    case BLACK_PEN: return pen(PS_SOLID, RGB(0, 0, 0));
    case NULL_PEN: return pen(PS_NULL, 0);
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case SYSTEM_FIXED_FONT:
      return FontObject{stock_font("Courier New", 16, FW_NORMAL, FIXED_PITCH | FF_MODERN)};
    case ANSI_VAR_FONT:
    case DEFAULT_GUI_FONT:
      return FontObject{stock_font("MS Sans Serif", -11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS)};
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
      return FontObject{stock_font("System", 16, FW_BOLD, VARIABLE_PITCH | FF_SWISS)};
    case DEFAULT_PALETTE: {
      // The twenty static colours.
      static constexpr COLORREF colours[20] = {
          RGB(0, 0, 0),       RGB(128, 0, 0),     RGB(0, 128, 0),     RGB(128, 128, 0),
          RGB(0, 0, 128),     RGB(128, 0, 128),   RGB(0, 128, 128),   RGB(192, 192, 192),
          RGB(192, 220, 192), RGB(166, 202, 240), RGB(255, 251, 240), RGB(160, 160, 164),
          RGB(128, 128, 128), RGB(255, 0, 0),     RGB(0, 255, 0),     RGB(255, 255, 0),
          RGB(0, 0, 255),     RGB(255, 0, 255),   RGB(0, 255, 255),   RGB(255, 255, 255)};
      PaletteObject p;
      for (COLORREF c : colours) p.entries.push_back({GetRValue(c), GetGValue(c), GetBValue(c), 0});
      return p;
    }
    default: return BitmapObject{Bitmap::create(1, 1, true)};
  }
}

bool stock_index_known(int index) {
  return index >= WHITE_BRUSH && index <= DEFAULT_GUI_FONT && index != 9;
}

}  // namespace

void* create_object(ObjectData data) {
  Table& t = table();
  std::lock_guard lock(t.mutex);
  uint32_t index;
  if (!t.free_slots.empty()) {
    index = t.free_slots.back();
    t.free_slots.pop_back();
  } else {
    index = uint32_t(t.slots.size());
    t.slots.push_back(std::make_unique<Slot>());
  }
  Slot& slot = *t.slots[index];
  slot.live = true;
  slot.stock = false;
  slot.data = std::make_unique<ObjectData>(std::move(data));
  return handle_of(index, slot.generation);
}

template <class T>
T* object_as(const void* handle) {
  Table& t = table();
  std::lock_guard lock(t.mutex);
  Slot* slot = slot_of(t, handle);
  if (!slot) return nullptr;
  return std::get_if<T>(slot->data.get());
}
template PenObject* object_as<PenObject>(const void*);
template BrushObject* object_as<BrushObject>(const void*);
template FontObject* object_as<FontObject>(const void*);
template BitmapObject* object_as<BitmapObject>(const void*);
template RegionObject* object_as<RegionObject>(const void*);
template PaletteObject* object_as<PaletteObject>(const void*);
template MetafileObject* object_as<MetafileObject>(const void*);
template DcObject* object_as<DcObject>(const void*);

DWORD object_type(const void* handle) {
  Table& t = table();
  std::lock_guard lock(t.mutex);
  Slot* slot = slot_of(t, handle);
  if (!slot) return 0;
  static constexpr DWORD types[] = {OBJ_PEN, OBJ_BRUSH,  OBJ_FONT, OBJ_BITMAP,
                                    OBJ_REGION, OBJ_PAL, 0,        OBJ_DC};
  return types[slot->data->index()];
}

bool delete_object(const void* handle) {
  Table& t = table();
  std::unique_ptr<ObjectData> doomed;
  {
    std::lock_guard lock(t.mutex);
    Slot* slot = slot_of(t, handle);
    if (!slot) return false;
    if (slot->stock) return true;
    if (slot->selections > 0) {
      slot->delete_pending = true;
      return true;
    }
    doomed = free_slot(t, *slot, index_of(handle));
  }
  return true;
}

void hold_object(const void* handle) {
  if (!handle) return;
  Table& t = table();
  std::lock_guard lock(t.mutex);
  if (Slot* slot = slot_of(t, handle)) ++slot->selections;
}

void release_object(const void* handle) {
  if (!handle) return;
  Table& t = table();
  if (t.closing) return;
  std::unique_ptr<ObjectData> doomed;  // destroyed after the lock is let go
  std::lock_guard lock(t.mutex);
  Slot* slot = slot_of(t, handle);
  if (!slot || slot->selections == 0) return;
  if (--slot->selections == 0 && slot->delete_pending) {
    doomed = free_slot(t, *slot, index_of(handle));
  }
}

namespace {

// Stock objects are made on first use.
void* stock_slot(int index) {
  Table& t = table();
  {
    std::lock_guard lock(t.mutex);
    if (void* h = t.stock[size_t(index)]) return h;
  }
  void* h = create_object(make_stock(index));
  std::lock_guard lock(t.mutex);
  if (void* existing = t.stock[size_t(index)]) {
    // Another thread made it first; ours is dropped.
    free_slot(t, *slot_of(t, h), index_of(h));
    return existing;
  }
  slot_of(t, h)->stock = true;
  t.stock[size_t(index)] = h;
  return h;
}

}  // namespace

void* stock_object(int index) {
  if (!stock_index_known(index)) return nullptr;
  return stock_slot(index);
}

void* default_bitmap() { return stock_slot(kDefaultBitmapIndex); }

bool is_stock_object(const void* handle) {
  Table& t = table();
  std::lock_guard lock(t.mutex);
  Slot* slot = slot_of(t, handle);
  return slot && slot->stock;
}

}  // namespace gdi
