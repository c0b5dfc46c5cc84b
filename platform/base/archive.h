// The framework's archive: the byte stream that work files, tool lists, shortcut files and other
// stored forms are written in.
//
// Bytes (all numbers little-endian):
//   primitives     BYTE 1, WORD 2, LONG/DWORD/int 4, LONGLONG 8, float 4 (IEEE), double 8 (IEEE).
//   count          WORD n when n < 0xFFFF; else WORD 0xFFFF, DWORD n.
//   string         CP1250 bytes after a length: BYTE n when n < 0xFF; else BYTE 0xFF, WORD n when
//                  n < 0xFFFE; else BYTE 0xFF, WORD 0xFFFF, DWORD n. A length that starts with
//                  BYTE 0xFF, WORD 0xFFFE marks UTF-16 text: the length form follows again (as a
//                  count of 16-bit units) and then the units; loading converts them to CP1250.
//   object         WORD 0 for no object;
//                  WORD i (1 <= i < 0x7FFF) for an object stored earlier under index i;
//                  WORD 0x7FFF, DWORD i for such an index of 0x7FFF or more;
//                  otherwise its class, then the object's own Serialize form.
//   class          WORD 0xFFFF, WORD schema, WORD name length, the name: a class met for the
//                  first time (it takes the next index);
//                  WORD 0x8000 | i for a class stored earlier under index i < 0x7FFF;
//                  WORD 0x7FFF, DWORD 0x80000000 | i for a larger index.
// Classes and objects share one index sequence that starts at 1, in the order they are first met.
//
// Errors: every failure throws CArchiveException, caught at the file boundary (the code that
// opened the file), as the framework does. Loading never reads past the bytes it was given,
// creates only classes registered by name (object.h) and checks every index and schema.
#pragma once

#include <cstdint>
#include <exception>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/byte_io.h"
#include "platform/base/cstring.h"
#include "platform/base/object.h"

class CArchiveException : public std::exception {
 public:
  enum Cause {
    none = 0,
    generic = 1,      // a limit of the format was exceeded while storing
    readOnly = 2,     // storing into a loading archive
    endOfFile = 3,    // the stored bytes end too early, or a count exceeds them
    writeOnly = 4,    // loading from a storing archive
    badIndex = 5,     // a back-reference to an index that does not exist or is of the wrong kind
    badClass = 6,     // an unknown class, one that is not serialisable, or not of the class asked
    badSchema = 7,    // a stored schema the class does not read
  };
  explicit CArchiveException(Cause cause) : m_cause(cause) {}
  const char* what() const noexcept override;

  Cause m_cause;
};

class CArchive {
 public:
  enum Mode { store = 0, load = 1 };

  // A storing archive: its bytes grow in GetBytes() and are written to a file by the caller.
  CArchive();
  // A loading archive over `bytes`, which must outlive it.
  explicit CArchive(std::span<const uint8_t> bytes);
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;

  bool IsLoading() const { return mode_ == load; }
  bool IsStoring() const { return mode_ == store; }

  // What was stored so far (storing archive).
  const std::vector<uint8_t>& GetBytes() const { return out_; }
  std::vector<uint8_t> TakeBytes() { return std::move(out_); }
  // Loading: the bytes not read yet.
  size_t Remaining() const { return in_.remaining(); }

  // The document being read or written, for objects that need it (as the framework offers).
  CObject* m_pDocument = nullptr;

  // Raw bytes. Read returns how many were read: fewer than asked only at the end.
  size_t Read(void* out, size_t size);
  void Write(const void* data, size_t size);
  // Reads exactly `size` bytes or throws endOfFile.
  void ReadExact(void* out, size_t size);

  CArchive& operator<<(uint8_t v);
  CArchive& operator<<(int8_t v);
  CArchive& operator<<(char v);
  CArchive& operator<<(uint16_t v);
  CArchive& operator<<(int16_t v);
  CArchive& operator<<(uint32_t v);
  CArchive& operator<<(int32_t v);
  CArchive& operator<<(uint64_t v);
  CArchive& operator<<(int64_t v);
  CArchive& operator<<(float v);
  CArchive& operator<<(double v);
  CArchive& operator<<(std::string_view s) { WriteString(s); return *this; }
  CArchive& operator<<(const std::string& s) { WriteString(s); return *this; }
  CArchive& operator<<(const char* s) { WriteString(s); return *this; }
  CArchive& operator<<(const CString& s) { WriteString(s.view()); return *this; }

  CArchive& operator>>(uint8_t& v);
  CArchive& operator>>(int8_t& v);
  CArchive& operator>>(char& v);
  CArchive& operator>>(uint16_t& v);
  CArchive& operator>>(int16_t& v);
  CArchive& operator>>(uint32_t& v);
  CArchive& operator>>(int32_t& v);
  CArchive& operator>>(uint64_t& v);
  CArchive& operator>>(int64_t& v);
  CArchive& operator>>(float& v);
  CArchive& operator>>(double& v);
  CArchive& operator>>(std::string& s) { s = ReadString(); return *this; }
  CArchive& operator>>(CString& s) { s = CString(ReadString()); return *this; }

  // Counted CP1250 strings (the framework's string form).
  void WriteString(std::string_view cp1250);
  std::string ReadString();

  // Element counts of stored arrays and lists. Loading refuses a count larger than the bytes
  // left (every element takes at least one byte), so an inflated count fails at once.
  void WriteCount(uint32_t count);
  uint32_t ReadCount();

  // Objects. Storing the same object twice writes a back-reference the second time. Loading
  // returns the object, shared with the archive's own table so that a back-reference yields the
  // very same object; `requested` (or null for any class) is the class the result must be of.
  void WriteObject(const CObject* object);
  std::shared_ptr<CObject> ReadObject(const CRuntimeClass* requested);
  template <typename T>
  std::shared_ptr<T> ReadObjectOf() {
    return std::static_pointer_cast<T>(ReadObject(T::GetThisClass()));
  }

  // Class tags alone. ReadClass returns the class (null when the tag was an object reference or
  // no object; then *object_tag receives the tag) and its stored schema.
  void WriteClass(const CRuntimeClass* cls);
  const CRuntimeClass* ReadClass(const CRuntimeClass* requested = nullptr, uint32_t* schema = nullptr,
                                 uint32_t* object_tag = nullptr);

  // The stored schema of the object being loaded; valid once inside its Serialize (then reset).
  uint32_t GetObjectSchema();
  void SetObjectSchema(uint32_t schema) { object_schema_ = schema; }

 private:
  void need_loading() const;
  void need_storing() const;
  uint32_t read_length();
  void write_tag_index(uint32_t index, uint32_t big_flag, uint16_t small_flag);

  // One entry of the loading table: either a class (with the schema it was stored with) or an
  // object.
  struct Loaded {
    const CRuntimeClass* cls = nullptr;
    uint32_t schema = 0;
    std::shared_ptr<CObject> object;
  };

  Mode mode_;
  base::ByteReader in_;
  std::vector<uint8_t> out_;
  std::vector<Loaded> loaded_;  // index 0 stands for "no object"
  std::map<const void*, uint32_t> stored_;  // classes and objects already written, by address
  uint32_t next_index_ = 1;
  uint32_t object_schema_ = UINT32_MAX;
  int depth_ = 0;
};
