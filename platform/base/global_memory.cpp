#include "platform/base/global_memory.h"

#include <map>
#include <vector>

namespace {

struct Block {
  std::vector<uint8_t> bytes;
  int locks = 0;
};

struct Blocks {
  std::map<std::uintptr_t, Block> live;
  std::uintptr_t next = 1;
};

Blocks& blocks() {
  static Blocks b;
  return b;
}

Block* find(HGLOBAL h) {
  auto it = blocks().live.find(reinterpret_cast<std::uintptr_t>(h));
  return it == blocks().live.end() ? nullptr : &it->second;
}

}  // namespace

HGLOBAL GlobalAlloc(UINT, size_t dwBytes) {
  if (dwBytes > kMaxGlobalBlock) return nullptr;
  std::uintptr_t id = blocks().next++;
  blocks().live[id].bytes.assign(dwBytes, 0);
  return reinterpret_cast<HGLOBAL>(id);
}

HGLOBAL GlobalReAlloc(HGLOBAL hMem, size_t dwBytes, UINT) {
  Block* b = find(hMem);
  if (!b || dwBytes > kMaxGlobalBlock || b->locks > 0) return nullptr;
  b->bytes.resize(dwBytes, 0);
  return hMem;
}

void* GlobalLock(HGLOBAL hMem) {
  Block* b = find(hMem);
  if (!b || b->bytes.empty()) return nullptr;
  ++b->locks;
  return b->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL hMem) {
  Block* b = find(hMem);
  if (!b || b->locks == 0) return FALSE;
  return --b->locks > 0;
}

size_t GlobalSize(HGLOBAL hMem) {
  Block* b = find(hMem);
  return b ? b->bytes.size() : 0;
}

HGLOBAL GlobalFree(HGLOBAL hMem) {
  Block* b = find(hMem);
  if (!b || b->locks > 0) return hMem;
  blocks().live.erase(reinterpret_cast<std::uintptr_t>(hMem));
  return nullptr;
}
