// The table of drawing objects and device contexts behind the handles.
//
// A handle is (generation << 32 | slot + 1) carried in a pointer type. A slot's generation rises
// when its object is freed, so a stale handle no longer matches and every call given one fails
// cleanly. Each object counts the device contexts (and saved context states) that have it
// selected: deleting a selected object only marks it, and it is freed when the last selection
// ends. Stock objects are never freed.
//
// Drawing objects belong to the thread that draws (the interface thread); the table itself is
// guarded so that worker threads may create and measure against their own memory contexts.
#pragma once

#include <memory>
#include <mutex>
#include <variant>
#include <vector>

#include "platform/gdi/core/bitmap.h"
#include "platform/gdi/core/gdi_types.h"
#include "platform/gdi/core/region.h"

namespace gdi {

class DeviceContext;

struct PenObject {
  LOGPEN pen;
};
struct BrushObject {
  LOGBRUSH brush;
  std::shared_ptr<const Bitmap> pattern;  // a copy of the pattern bitmap's pixels
};
struct FontObject {
  LOGFONT font;
};
struct BitmapObject {
  std::shared_ptr<Bitmap> bitmap;
};
struct RegionObject {
  Region region;
};
struct PaletteObject {
  std::vector<PALETTEENTRY> entries;
};
struct MetafileObject {
  std::vector<uint8_t> bytes;
};
struct DcObject {
  std::unique_ptr<DeviceContext> dc;
};

using ObjectData = std::variant<PenObject, BrushObject, FontObject, BitmapObject, RegionObject,
                                PaletteObject, MetafileObject, DcObject>;

// Creates an object and returns its handle.
void* create_object(ObjectData data);
// The object behind a handle, or null when the handle is null, stale or of another type. The
// pointer stays valid until the object is freed.
template <class T>
T* object_as(const void* handle);
// OBJ_PEN etc., or 0 for a stale handle.
DWORD object_type(const void* handle);
// Frees the object, or marks it to be freed when the last selection ends. False for a stale
// handle. Stock objects stay.
bool delete_object(const void* handle);
// Counts a selection of the object; release_object ends one.
void hold_object(const void* handle);
void release_object(const void* handle);
// The stock object `index` (GetStockObject numbers), made on first use; null for an unknown one.
void* stock_object(int index);
bool is_stock_object(const void* handle);
// The 1 x 1 monochrome bitmap selected into new memory contexts (a stock object).
void* default_bitmap();

// A counted selection of an object: copying holds it again, destruction releases it. The
// context's state and its saved copies keep their selected objects this way.
class ObjectRef {
 public:
  ObjectRef() = default;
  explicit ObjectRef(void* handle) : handle_(handle) { hold_object(handle_); }
  ObjectRef(const ObjectRef& o) : ObjectRef(o.handle_) {}
  ObjectRef& operator=(const ObjectRef& o) {
    if (this != &o) {
      hold_object(o.handle_);
      release_object(handle_);
      handle_ = o.handle_;
    }
    return *this;
  }
  ~ObjectRef() { release_object(handle_); }
  void* get() const { return handle_; }

 private:
  void* handle_ = nullptr;
};

}  // namespace gdi
