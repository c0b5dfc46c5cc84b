// The start-up calls for OLE that programs make. Drag and drop and the clipboard (platform/shell)
// need no start-up here and no OLE controls are ever embedded, so both calls succeed at once.
#pragma once

#include "platform/base/win_types.h"

inline BOOL AfxOleInit() { return TRUE; }
inline void AfxEnableControlContainer() {}
