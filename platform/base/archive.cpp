#include "platform/base/archive.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

#include "platform/base/cp1250.h"

namespace {

// Tags of the object and class form (see the header).
constexpr uint16_t kNullTag = 0;
constexpr uint16_t kNewClassTag = 0xFFFF;
constexpr uint16_t kClassTag = 0x8000;
constexpr uint16_t kBigObjectTag = 0x7FFF;
constexpr uint32_t kBigClassTag = 0x80000000u;
// The longest class name a class tag may carry.
constexpr uint16_t kMaxClassName = 64;
// How deep objects may nest inside the forms of other objects.
constexpr int kMaxDepth = 256;

[[noreturn]] void fail(CArchiveException::Cause cause) { throw CArchiveException(cause); }

}  // namespace

const char* CArchiveException::what() const noexcept {
  switch (m_cause) {
    case none: return "no error";
    case generic: return "archive limit exceeded";
    case readOnly: return "storing into a loading archive";
    case endOfFile: return "unexpected end of archive";
    case writeOnly: return "loading from a storing archive";
    case badIndex: return "bad object or class index in archive";
    case badClass: return "unknown or unexpected class in archive";
    case badSchema: return "unsupported schema in archive";
  }
  return "archive error";
}

CArchive::CArchive() : mode_(store) { loaded_.emplace_back(); }

CArchive::CArchive(std::span<const uint8_t> bytes) : mode_(load), in_(bytes) { loaded_.emplace_back(); }

void CArchive::need_loading() const {
  if (mode_ != load) fail(CArchiveException::writeOnly);
}

void CArchive::need_storing() const {
  if (mode_ != store) fail(CArchiveException::readOnly);
}

size_t CArchive::Read(void* out, size_t size) {
  need_loading();
  size_t n = std::min(size, in_.remaining());
  in_.bytes(out, n);
  return n;
}

void CArchive::ReadExact(void* out, size_t size) {
  need_loading();
  if (!in_.bytes(out, size)) fail(CArchiveException::endOfFile);
}

void CArchive::Write(const void* data, size_t size) {
  need_storing();
  base::ByteWriter(out_).bytes(data, size);
}

// Primitives go through their unsigned little-endian form of the same width.
namespace {

template <typename T>
auto to_bits(T v) {
  using U = std::conditional_t<sizeof(T) == 1, uint8_t,
            std::conditional_t<sizeof(T) == 2, uint16_t,
            std::conditional_t<sizeof(T) == 4, uint32_t, uint64_t>>>;
  U u;
  std::memcpy(&u, &v, sizeof v);
  return u;
}

template <typename T, typename U>
T from_bits(U u) {
  T v;
  std::memcpy(&v, &u, sizeof v);
  return v;
}

}  // namespace

#define LUMO_ARCHIVE_PRIMITIVE(T)                                  \
  CArchive& CArchive::operator<<(T v) {                            \
    auto bits = to_bits(v);                                        \
    uint8_t bytes[sizeof bits];                                    \
    for (size_t i = 0; i < sizeof bits; ++i) bytes[i] = uint8_t(bits >> (8 * i)); \
    Write(bytes, sizeof bytes);                                    \
    return *this;                                                  \
  }                                                                \
  CArchive& CArchive::operator>>(T& v) {                           \
    decltype(to_bits(v)) bits = 0;                                 \
    uint8_t bytes[sizeof bits];                                    \
    ReadExact(bytes, sizeof bytes);                                \
    for (size_t i = 0; i < sizeof bits; ++i) bits |= decltype(bits)(decltype(bits)(bytes[i]) << (8 * i)); \
    v = from_bits<T>(bits);                                        \
    return *this;                                                  \
  }

LUMO_ARCHIVE_PRIMITIVE(uint8_t)
LUMO_ARCHIVE_PRIMITIVE(int8_t)
LUMO_ARCHIVE_PRIMITIVE(char)
LUMO_ARCHIVE_PRIMITIVE(uint16_t)
LUMO_ARCHIVE_PRIMITIVE(int16_t)
LUMO_ARCHIVE_PRIMITIVE(uint32_t)
LUMO_ARCHIVE_PRIMITIVE(int32_t)
LUMO_ARCHIVE_PRIMITIVE(uint64_t)
LUMO_ARCHIVE_PRIMITIVE(int64_t)
LUMO_ARCHIVE_PRIMITIVE(float)
LUMO_ARCHIVE_PRIMITIVE(double)

#undef LUMO_ARCHIVE_PRIMITIVE

void CArchive::WriteString(std::string_view cp1250) {
  size_t n = cp1250.size();
  if (n > UINT32_MAX) fail(CArchiveException::generic);
  if (n < 0xFF) {
    *this << uint8_t(n);
  } else if (n < 0xFFFE) {
    *this << uint8_t(0xFF) << uint16_t(n);
  } else {
    *this << uint8_t(0xFF) << uint16_t(0xFFFF) << uint32_t(n);
  }
  Write(cp1250.data(), n);
}

// Reads one length form; 0xFFFFFFFE stands for the UTF-16 marker.
uint32_t CArchive::read_length() {
  uint8_t b;
  *this >> b;
  if (b < 0xFF) return b;
  uint16_t w;
  *this >> w;
  if (w == 0xFFFE) return 0xFFFFFFFEu;
  if (w < 0xFFFF) return w;
  uint32_t d;
  *this >> d;
  return d;
}

std::string CArchive::ReadString() {
  need_loading();
  uint32_t n = read_length();
  bool utf16 = n == 0xFFFFFFFEu;
  if (utf16) {
    n = read_length();
    if (n == 0xFFFFFFFEu) fail(CArchiveException::endOfFile);
  }
  uint64_t bytes = utf16 ? uint64_t(n) * 2 : n;
  if (bytes > in_.remaining()) fail(CArchiveException::endOfFile);
  if (!utf16) {
    std::string s(n, '\0');
    ReadExact(s.data(), n);
    return s;
  }
  std::u16string units(n, u'\0');
  for (auto& u : units) *this >> reinterpret_cast<uint16_t&>(u);
  return base::cp1250::from_utf16(units);
}

void CArchive::WriteCount(uint32_t count) {
  if (count < 0xFFFF) {
    *this << uint16_t(count);
  } else {
    *this << uint16_t(0xFFFF) << count;
  }
}

uint32_t CArchive::ReadCount() {
  uint16_t w;
  *this >> w;
  uint32_t count = w;
  if (w == 0xFFFF) *this >> count;
  if (count > in_.remaining()) fail(CArchiveException::endOfFile);
  return count;
}

// Writes a back-reference to `index`: the small form with `small_flag` or the big form with
// `big_flag` (class references carry the class bits, object references none).
void CArchive::write_tag_index(uint32_t index, uint32_t big_flag, uint16_t small_flag) {
  if (index < kBigObjectTag) {
    *this << uint16_t(small_flag | index);
  } else {
    *this << kBigObjectTag << (big_flag | index);
  }
}

void CArchive::WriteClass(const CRuntimeClass* cls) {
  need_storing();
  if (!cls || !cls->IsSerializable()) fail(CArchiveException::badClass);
  if (auto it = stored_.find(cls); it != stored_.end()) {
    write_tag_index(it->second, kBigClassTag, kClassTag);
    return;
  }
  std::string_view name = cls->m_lpszClassName;
  if (name.size() > kMaxClassName) fail(CArchiveException::badClass);
  *this << kNewClassTag << uint16_t(cls->m_wSchema & ~VERSIONABLE_SCHEMA) << uint16_t(name.size());
  Write(name.data(), name.size());
  if (next_index_ >= kBigClassTag) fail(CArchiveException::generic);
  stored_[cls] = next_index_++;
}

void CArchive::WriteObject(const CObject* object) {
  need_storing();
  if (!object) {
    *this << kNullTag;
    return;
  }
  if (auto it = stored_.find(object); it != stored_.end()) {
    write_tag_index(it->second, 0, 0);
    return;
  }
  WriteClass(object->GetRuntimeClass());
  if (next_index_ >= kBigClassTag) fail(CArchiveException::generic);
  stored_[object] = next_index_++;
  // Serialize is not const in the framework's signature; storing does not change the object.
  const_cast<CObject*>(object)->Serialize(*this);
}

const CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* requested, uint32_t* schema,
                                         uint32_t* object_tag) {
  need_loading();
  uint16_t tag;
  *this >> tag;
  uint32_t ob_tag;
  if (tag == kBigObjectTag) {
    *this >> ob_tag;
  } else {
    ob_tag = (uint32_t(tag & kClassTag) << 16) | (tag & ~kClassTag);
  }
  if (object_tag) *object_tag = ob_tag;

  const CRuntimeClass* cls = nullptr;
  uint32_t stored_schema = 0;
  if (tag == kNewClassTag) {
    uint16_t schema_word, name_length;
    *this >> schema_word >> name_length;
    if (name_length > kMaxClassName) fail(CArchiveException::badClass);
    char name[kMaxClassName];
    ReadExact(name, name_length);
    cls = CRuntimeClass::FromName(std::string_view(name, name_length));
    if (!cls || !cls->IsSerializable()) fail(CArchiveException::badClass);
    stored_schema = schema_word;
    if ((cls->m_wSchema & ~VERSIONABLE_SCHEMA) != stored_schema && !(cls->m_wSchema & VERSIONABLE_SCHEMA))
      fail(CArchiveException::badSchema);
    loaded_.push_back(Loaded{cls, stored_schema, nullptr});
  } else if (!(ob_tag & kBigClassTag)) {
    return nullptr;  // no object, or a reference to an object loaded earlier
  } else {
    uint32_t index = ob_tag & ~kBigClassTag;
    if (index == 0 || index >= loaded_.size() || !loaded_[index].cls || loaded_[index].object)
      fail(CArchiveException::badIndex);
    cls = loaded_[index].cls;
    stored_schema = loaded_[index].schema;
  }
  if (requested && !cls->IsDerivedFrom(requested)) fail(CArchiveException::badClass);
  if (schema) *schema = stored_schema;
  return cls;
}

std::shared_ptr<CObject> CArchive::ReadObject(const CRuntimeClass* requested) {
  uint32_t schema = 0;
  uint32_t ob_tag = 0;
  const CRuntimeClass* cls = ReadClass(requested, &schema, &ob_tag);
  if (!cls) {
    if (ob_tag == 0) return nullptr;
    if (ob_tag >= loaded_.size() || !loaded_[ob_tag].object) fail(CArchiveException::badIndex);
    std::shared_ptr<CObject> earlier = loaded_[ob_tag].object;
    if (requested && !earlier->IsKindOf(requested)) fail(CArchiveException::badClass);
    return earlier;
  }
  std::shared_ptr<CObject> object = cls->CreateObject();
  if (!object) fail(CArchiveException::badClass);
  // Entered before its own form is read, so that the form may refer back to the object.
  loaded_.push_back(Loaded{nullptr, 0, object});
  // Objects inside objects are read recursively: a bound keeps a hostile nesting off the stack.
  if (++depth_ > kMaxDepth) fail(CArchiveException::generic);
  uint32_t saved_schema = object_schema_;
  object_schema_ = schema;
  object->Serialize(*this);
  object_schema_ = saved_schema;
  --depth_;
  return object;
}

uint32_t CArchive::GetObjectSchema() {
  uint32_t schema = object_schema_;
  object_schema_ = UINT32_MAX;
  return schema;
}
