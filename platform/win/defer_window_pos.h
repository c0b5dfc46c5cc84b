// Deferred window positions: a batch of moves and sizes collected first and carried out together
// when the batch ends, so that a layout moves all its windows in one step. A later entry for a
// window already in the batch replaces the earlier one's place and size and adds its flags. A
// window that is not there (anymore) fails the entry: the batch is given up (nothing of it is
// carried out) and the call answers null, as ending a null batch does nothing.
#pragma once

#include "platform/base/win_types.h"

struct DeferredWindowPositions;
using HDWP = DeferredWindowPositions*;

HDWP BeginDeferWindowPos(int nNumWindows);
HDWP DeferWindowPos(HDWP hWinPosInfo, HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT uFlags);
// Carries the batch out in the order its windows entered it; FALSE for a null batch or when a
// window went away meanwhile (the others are still moved).
BOOL EndDeferWindowPos(HDWP hWinPosInfo);
