#include "toolkit/frame/toolkit_globals.h"

#include "platform/win/system_metrics.h"

namespace {

// The platform reports the shells of version 4 and later, which draw 2-pixel 3-D borders.
constexpr BOOL kNewShell = TRUE;

constexpr UINT kSplitVertCursor = 30980;
constexpr UINT kSplitHorzCursor = 30981;

SECToolkitGlobals make_globals() {
  SECToolkitGlobals g{};
  g.bWin4 = kNewShell;
  g.UpdateSysColors();
  g.hcurSplitVert = nullptr;
  g.hcurSplitHorz = nullptr;
  g.hcurArrow = ::LoadCursor(nullptr, IDC_ARROW);
  g.cxBorder = g.bWin4 ? 2 : 1;
  g.cyBorder = g.bWin4 ? 2 : 1;
  return g;
}

}  // namespace

SECToolkitGlobals& SECToolkitGlobals::Get() {
  static SECToolkitGlobals globals = make_globals();
  return globals;
}

void SECToolkitGlobals::UpdateSysColors() {
  clrBtnFace = GetSysColor(COLOR_BTNFACE);
  clrBtnShadow = GetSysColor(COLOR_BTNSHADOW);
  clrBtnHilite = GetSysColor(COLOR_BTNHIGHLIGHT);
  clrWindowFrame = GetSysColor(COLOR_WINDOWFRAME);
  clr3DLight = GetSysColor(COLOR_3DLIGHT);
  clr3DDkShadow = GetSysColor(COLOR_3DDKSHADOW);
  clrWindowText = GetSysColor(COLOR_WINDOWTEXT);
  clrWindow = GetSysColor(COLOR_WINDOW);
  clrHighlight = GetSysColor(COLOR_HIGHLIGHT);
  clrHighlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
}

void SECToolkitGlobals::LoadSplitterCursors() {
  if (!hcurSplitVert) hcurSplitVert = ::LoadCursor(nullptr, MAKEINTRESOURCE(kSplitVertCursor));
  if (!hcurSplitHorz) hcurSplitHorz = ::LoadCursor(nullptr, MAKEINTRESOURCE(kSplitHorzCursor));
}
