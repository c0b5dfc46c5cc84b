// The platform's global memory blocks: handles to byte blocks that clipboard and drag data and
// some engine results travel in. A handle is a number that is never reused, so a stale or freed
// handle is recognised (calls fail) instead of touching freed memory. Blocks are always zeroed
// when made or grown, and no block is larger than kMaxGlobalBlock.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/base/win_types.h"

struct HGLOBAL__;
using HGLOBAL = HGLOBAL__*;

inline constexpr UINT GMEM_FIXED = 0x0000;
inline constexpr UINT GMEM_MOVEABLE = 0x0002;
inline constexpr UINT GMEM_ZEROINIT = 0x0040;
inline constexpr UINT GMEM_DDESHARE = 0x2000;
inline constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
inline constexpr size_t kMaxGlobalBlock = size_t(256) << 20;

// Null when the size is above the limit.
HGLOBAL GlobalAlloc(UINT uFlags, size_t dwBytes);
// Null (and the block unchanged) for a bad handle or size, or a locked block.
HGLOBAL GlobalReAlloc(HGLOBAL hMem, size_t dwBytes, UINT uFlags);
// The block's bytes, held until as many GlobalUnlock calls; null for a bad handle or an empty
// block.
void* GlobalLock(HGLOBAL hMem);
// FALSE once the block is no longer locked (or for a bad handle).
BOOL GlobalUnlock(HGLOBAL hMem);
size_t GlobalSize(HGLOBAL hMem);
// Null when freed; the handle itself for a bad or still locked block.
HGLOBAL GlobalFree(HGLOBAL hMem);
