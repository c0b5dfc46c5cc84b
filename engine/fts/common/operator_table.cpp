// The built-in operator table and the "|MVOPTAB" reader and writer.
#include "engine/fts/common/operator_table.h"

#include <new>

#include "platform/base/byte_io.h"

namespace fts {
namespace {

constexpr size_t kOperatorTableFileLimit = kFtsHeaderArea + 65535;

// The in-memory table of a title may not exceed what one 64 KB block held: the entry data, six bytes
// per entry and the record.
constexpr size_t kOperatorTableLimit = 65535;
constexpr size_t kOperatorRecordBytes = 39;

struct BuiltInOperator {
  std::string_view word;
  uint16_t code;
};
constexpr BuiltInOperator kBuiltInOperators[] = {
    {"AND", kOpAnd}, {"OR", kOpOr}, {"NOT", kOpNot}, {"NEAR", kOpNear},
    {"THRU", kOpThru}, {"VFLD", kOpVfld}, {"DTYPE", kOpDtype},
};

std::vector<uint8_t> counted(std::string_view text) {
  std::vector<uint8_t> word;
  word.reserve(text.size() + 1);
  word.push_back(uint8_t(text.size()));
  word.insert(word.end(), text.begin(), text.end());
  return word;
}

}  // namespace

OperatorTablePtr FtsDefaultOperatorTable(FtsError* error) {
  try {
    auto table = std::make_unique<OperatorTable>();
    for (const BuiltInOperator& op : kBuiltInOperators) table->entries.push_back({counted(op.word), op.code});
    return table;
  } catch (const std::bad_alloc&) {
    FtsSetError(error, kFtsNoMemory);
    return nullptr;
  }
}

OperatorTablePtr FtsParseOperatorTable(std::span<const uint8_t> file, FtsError* error) {
  base::ByteReader header(file);
  const uint16_t magic = header.u16();
  const uint16_t version = header.u16();
  const uint16_t count = header.u16();
  const uint16_t size = header.u16();
  if (!header.ok()) {
    FtsSetError(error, kFtsReadFailed);
    return nullptr;
  }
  if (magic != kOperatorTableMagic || version != kOperatorTableVersion) {
    FtsSetError(error, kFtsBadType);
    return nullptr;
  }
  if (size_t(size) + 6 * size_t(count) + kOperatorRecordBytes > kOperatorTableLimit) {
    FtsSetError(error, kFtsNoMemory);
    return nullptr;
  }
  base::ByteReader data(file);
  if (!data.seek(kFtsHeaderArea) || data.remaining() < size) {
    FtsSetError(error, kFtsReadFailed);
    return nullptr;
  }
  // Every entry, its word and its code must lie inside the entry data.
  base::ByteReader entries = data.sub(size);
  try {
    auto table = std::make_unique<OperatorTable>();
    table->entries.reserve(count);
    for (uint16_t i = 0; i < count; ++i) {
      OperatorEntry entry;
      std::span<const uint8_t> text;
      const uint8_t length = entries.u8();
      entries.view(length, text);
      entry.code = entries.u16();
      if (!entries.ok()) {
        FtsSetError(error, kFtsBadType);
        return nullptr;
      }
      entry.word.push_back(length);
      entry.word.insert(entry.word.end(), text.begin(), text.end());
      table->entries.push_back(std::move(entry));
    }
    return table;
  } catch (const std::bad_alloc&) {
    FtsSetError(error, kFtsNoMemory);
    return nullptr;
  }
}

void FtsFreeOperatorTable(OperatorTablePtr) {}

std::vector<uint8_t> FtsOperatorTableBytes(const OperatorTable& table) {
  std::vector<uint8_t> out;
  base::ByteWriter w(out);
  w.u16(kOperatorTableMagic);
  w.u16(kOperatorTableVersion);
  w.u16(uint16_t(table.entries.size()));
  w.u16(0);  // data size, patched below
  w.pad_to(kFtsHeaderArea);
  for (const OperatorEntry& entry : table.entries) {
    const std::string_view text = entry.text();
    w.u8(uint8_t(text.size()));
    w.bytes(text.data(), text.size());
    w.u16(entry.code);
  }
  w.patch_u16(6, uint16_t(out.size() - kFtsHeaderArea));
  return out;
}

OperatorTablePtr FtsLoadOperatorTable(mvfs::TitleFileSystem* fs, std::string_view name, FtsError* error) {
  std::vector<uint8_t> bytes;
  if (FtsReadTableFile(fs, name, kOperatorTableFileName, kOperatorTableFileLimit, bytes, error) != kFtsOk)
    return nullptr;
  return FtsParseOperatorTable(bytes, error);
}

OperatorTablePtr TtlLoadOperatorTable(mvfs::TitleFileSystem* fs) {
  FtsError ignored;
  if (OperatorTablePtr own = FtsLoadOperatorTable(fs, kOperatorTableFileName, &ignored)) return own;
  return FtsDefaultOperatorTable(&ignored);
}

}  // namespace fts
