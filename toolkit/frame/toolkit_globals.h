// The toolkit's process-wide record: system colours and border sizes cached for every window the
// toolkit draws, the shell flag, the arrow cursor and the two splitter cursors that the first dock
// bar loads. Everything runs on the user-interface thread; readers take the fields directly.
//
// The record is filled the first time it is asked for and stays until the process ends. Only the
// colours change afterwards: the main frame calls UpdateSysColors on WM_SYSCOLORCHANGE.
#pragma once

#include "platform/base/win_types.h"
#include "platform/win/window_api.h"

struct SECToolkitGlobals {
  int cxBorder;
  int cyBorder;
  COLORREF clrBtnFace;
  COLORREF clrBtnShadow;
  COLORREF clrBtnHilite;
  COLORREF clrWindowFrame;
  COLORREF clr3DLight;
  COLORREF clr3DDkShadow;
  COLORREF clrWindowText;
  COLORREF clrWindow;
  COLORREF clrHighlight;
  COLORREF clrHighlightText;
  HCURSOR hcurArrow;
  HCURSOR hcurSplitVert;  // over a vertical splitter strip (cursor 30980)
  HCURSOR hcurSplitHorz;  // over a horizontal splitter strip (cursor 30981)
  BOOL bWin4;

  // The one record of the process.
  static SECToolkitGlobals& Get();
  // Re-reads the ten colours.
  void UpdateSysColors();
  // Loads the two splitter cursors once (the first dock bar's creation does it).
  void LoadSplitterCursors();
};

// Shorthand used by the toolkit's drawing code.
inline SECToolkitGlobals& secData() { return SECToolkitGlobals::Get(); }
