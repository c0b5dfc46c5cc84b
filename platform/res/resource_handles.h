// The platform's calls that find a resource by type and name and hand out its bytes, over the
// resource store:
//   - RT_BITMAP: a bitmap resource, a packed DIB (header, colour table, bits);
//   - RT_TOOLBAR: a toolbar strip as its resource bytes: 16-bit words version (1), image width,
//     image height, item count, then the command ids (0 for a separator);
//   - RT_RCDATA and types by name: a data resource ("WAVE": a sound).
// Resources stay loaded for the life of the program, so freeing one does nothing and its bytes
// stay valid.
#pragma once

#include <cstdint>

#include "platform/base/global_memory.h"
#include "platform/base/win_types.h"

using HMODULE = HINSTANCE;
struct HRSRC__;
using HRSRC = HRSRC__*;

inline const char* const RT_BITMAP = reinterpret_cast<const char*>(2);
inline const char* const RT_RCDATA = reinterpret_cast<const char*>(10);
inline const char* const RT_TOOLBAR = reinterpret_cast<const char*>(241);

// Null when the store has no such resource. `name` and `type` are ids made by MAKEINTRESOURCE or
// CP1250 names.
HRSRC FindResource(HMODULE module, const char* name, const char* type);
DWORD SizeofResource(HMODULE module, HRSRC resource);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
// The resource's bytes; null for a handle that LoadResource did not give.
void* LockResource(HGLOBAL loaded);
BOOL FreeResource(HGLOBAL loaded);
