#include "toolkit/widgets/color_well.h"

#include <algorithm>
#include <iterator>

#include "platform/framework/colour_dialog.h"
#include "platform/framework/control_messages.h"
#include "platform/framework/dialog.h"
#include "platform/res/resource_store.h"
#include "platform/win/messages.h"
#include "platform/win/monitors.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_api.h"
#include "platform/win/window_dc.h"
#include "platform/win/window_styles.h"
#include "resources/toolkit_ids.h"
#include "toolkit/frame/toolkit_globals.h"
#include "toolkit/widgets/offscreen_dc.h"

IMPLEMENT_DYNAMIC(SECColorWell, CWnd)
IMPLEMENT_DYNAMIC(SECPopupColorWell, SECColorWell)

// --- Plain geometry ----------------------------------------------------------------------------------

namespace color_well {

namespace {

constexpr COLORREF kStaticColours[20] = {
    RGB(0, 0, 0),       RGB(128, 0, 0),     RGB(0, 128, 0),     RGB(128, 128, 0),   RGB(0, 0, 128),
    RGB(128, 0, 128),   RGB(0, 128, 128),   RGB(192, 192, 192), RGB(192, 220, 192), RGB(166, 202, 240),
    RGB(255, 251, 240), RGB(160, 160, 164), RGB(128, 128, 128), RGB(255, 0, 0),     RGB(0, 255, 0),
    RGB(255, 255, 0),   RGB(0, 0, 255),     RGB(255, 0, 255),   RGB(0, 255, 255),   RGB(255, 255, 255)};

int Pitch(int cell) { return cell + 2; }

}  // namespace

const COLORREF* StaticColours() { return kStaticColours; }

CRect CellRect(const Grid& grid, Cell cell) {
  const int x = grid.marginX + cell.col * Pitch(grid.cellWidth);
  int y = grid.marginY + cell.row * Pitch(grid.cellHeight);
  if (grid.IsCustom(cell)) y += 5;
  return CRect(x, y, x + grid.cellWidth, y + grid.cellHeight);
}

CSize WindowSize(const Grid& grid) {
  const int cx = 2 * grid.marginX + grid.cols * Pitch(grid.cellWidth) - 2;
  int cy = 2 * grid.marginY + grid.rows * Pitch(grid.cellHeight) - 2;
  if (grid.otherRow) cy += grid.cellHeight + 2 + 6;
  return {cx, cy};
}

CRect OtherButtonRect(const Grid& grid) {
  const CSize size = WindowSize(grid);
  CRect r(grid.marginX, size.cy - grid.marginY - Pitch(grid.cellHeight), size.cx - grid.marginX,
          size.cy - grid.marginY);
  if (grid.customShown) r.right -= Pitch(grid.cellWidth);
  return r;
}

CRect SeparatorRect(const Grid& grid) {
  const int y = grid.marginY + grid.rows * Pitch(grid.cellHeight);
  return CRect(grid.marginX, y, grid.marginX + grid.cols * Pitch(grid.cellWidth) - 2, y + 2);
}

bool HitTest(const Grid& grid, CPoint point, Cell& cell) {
  for (int col = 0; col < grid.cols; ++col) {
    for (int row = 0; row < grid.rows; ++row) {
      CRect r = CellRect(grid, {col, row});
      r.InflateRect(1, 1);
      if (r.PtInRect(point)) {
        cell = {col, row};
        return true;
      }
    }
  }
  if (grid.otherRow && grid.customShown && CellRect(grid, grid.CustomCell()).PtInRect(point)) {
    cell = grid.CustomCell();
    return true;
  }
  return false;
}

Cell Move(const Grid& grid, Cell from, UINT vk) {
  const bool custom = grid.IsCustom(from);
  const bool customOn = grid.otherRow && grid.customShown;
  const Cell first{0, 0};
  const Cell last{grid.cols - 1, grid.rows - 1};
  switch (vk) {
    case VK_LEFT:
      if (custom) return last;
      if (from.col > 0) return {from.col - 1, from.row};
      if (from.row > 0) return {grid.cols - 1, from.row - 1};
      return customOn ? grid.CustomCell() : last;
    case VK_RIGHT:
      if (custom) return first;
      if (from.col < grid.cols - 1) return {from.col + 1, from.row};
      if (from.row < grid.rows - 1) return {0, from.row + 1};
      return customOn ? grid.CustomCell() : first;
    case VK_UP:
      if (custom) return {from.col, grid.rows - 1};
      if (from.row > 0) return {from.col, from.row - 1};
      return customOn && from.col == grid.CustomCell().col ? grid.CustomCell() : Cell{from.col, grid.rows - 1};
    case VK_DOWN:
      if (custom) return {from.col, 0};
      if (from.row < grid.rows - 1) return {from.col, from.row + 1};
      return customOn && from.col == grid.CustomCell().col ? grid.CustomCell() : Cell{from.col, 0};
    default:
      return from;
  }
}

CPoint PopupPosition(const CRect& button, CSize size, const CRect& work) {
  CPoint p(button.left, button.bottom);
  if (p.y + size.cy > work.bottom) p.y = button.top - size.cy;
  if (p.x + size.cx > work.right) p.x = button.right - size.cx;
  p.x = std::max(int(work.left), std::min(int(p.x), int(work.right) - size.cx));
  p.y = std::max(int(work.top), std::min(int(p.y), int(work.bottom) - size.cy));
  return p;
}

}  // namespace color_well

using color_well::Cell;

// --- The other-colours button -------------------------------------------------------------------------

// The push button of the "&Inny..." row: wants arrows, and hands Tab, arrows and focus loss to
// its well.
class SECOtherColorsButton : public CButton {
 public:
  explicit SECOtherColorsButton(SECColorWell* well) : m_well(well) {}

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_GETDLGCODE:
        return DLGC_BUTTON | DLGC_WANTARROWS;
      case WM_KEYDOWN:
        if (m_well->OnOtherButtonKey(UINT(wParam))) return 0;
        break;
      case WM_KILLFOCUS: {
        LRESULT r = CButton::WindowProc(message, wParam, lParam);
        m_well->OnOtherButtonKillFocus(reinterpret_cast<HWND>(wParam));
        return r;
      }
      default:
        break;
    }
    return CButton::WindowProc(message, wParam, lParam);
  }

 private:
  SECColorWell* m_well;
};

// --- The well -----------------------------------------------------------------------------------------

SECColorWell::SECColorWell() { m_bkBrush.CreateSolidBrush(secData().clrBtnFace); }

SECColorWell::~SECColorWell() {
  if (m_hWnd) DestroyWindow();
}

void SECColorWell::SetGridSize() {
  m_grid.rows = 5;
  m_grid.cols = 4;
}

void SECColorWell::Reset() {
  m_sel = Cell{1, 1};
  m_grid.marginX = m_grid.marginY = 2;
  m_grid.otherRow = false;
  m_grid.customShown = false;
  m_bFocused = m_bTrackMouse = m_bPaletteMode = FALSE;
  if (m_pOtherButton && m_pOtherButton->m_hWnd) m_pOtherButton->DestroyWindow();
  m_pOtherButton.reset();
  m_palette.DeleteObject();
  m_colours.clear();
}

void SECColorWell::CreateWellPalette() {
  const int count = m_grid.rows * m_grid.cols;
  m_colours.assign(size_t(count) + 1, RGB(0, 0, 0));
  PALETTEENTRY entries[20] = {};
  CPalette* stock = CPalette::FromHandle(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)));
  const int copied = stock ? int(stock->GetPaletteEntries(0, UINT(std::min(count, 20)), entries)) : 0;
  for (int i = 0; i < std::min(count, 20); ++i) {
    m_colours[size_t(i)] = copied > i ? RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue)
                                      : color_well::StaticColours()[i];
  }
  AdjustPalette(m_colours.data(), count, std::min(count, 20));
  m_colours[size_t(count)] = RGB(0, 0, 0);
  m_grid.customShown = false;
  MakePalette();
}

void SECColorWell::MakePalette() {
  m_palette.DeleteObject();
  std::vector<BYTE> bytes(sizeof(LOGPALETTE) + m_colours.size() * sizeof(PALETTEENTRY));
  auto* log = reinterpret_cast<LOGPALETTE*>(bytes.data());
  log->palVersion = 0x300;
  log->palNumEntries = WORD(m_colours.size());
  for (size_t i = 0; i < m_colours.size(); ++i) {
    log->palPalEntry[i] = {GetRValue(m_colours[i]), GetGValue(m_colours[i]), GetBValue(m_colours[i]), 0};
  }
  m_palette.CreatePalette(log);
}

void SECColorWell::CalcWindowRect(CRect& rect, CWnd* pParent, int x, int y, BOOL bDialogUnits) {
  const bool dialog = pParent && pParent->IsKindOf(RUNTIME_CLASS(CDialog));
  auto toPixels = [&](CRect r) {
    if (dialog) {
      ::MapDialogRect(pParent->m_hWnd, &r);
    } else {
      const LONG units = GetDialogBaseUnits();
      r = CRect(r.left * LOWORD(units) / 4, r.top * HIWORD(units) / 8, r.right * LOWORD(units) / 4,
                r.bottom * HIWORD(units) / 8);
    }
    return r;
  };
  const CRect cell = toPixels(CRect(0, 0, 10, 10));
  m_grid.cellWidth = cell.Width();
  m_grid.cellHeight = cell.Height();
  if (bDialogUnits) {
    const CRect at = toPixels(CRect(x, y, x, y));
    x = at.left;
    y = at.top;
  }
  const CSize size = color_well::WindowSize(m_grid);
  rect = CRect(x, y, x + size.cx, y + size.cy);
}

BOOL SECColorWell::Create(DWORD dwStyle, int x, int y, CWnd* pParent, UINT nID, BOOL bDialogUnits,
                          BOOL bOtherColors, CPalette*) {
  SetGridSize();
  m_grid.otherRow = bOtherColors != FALSE;
  m_grid.marginX = m_grid.marginY = (dwStyle & SEC_CWS_RAISEDBORDER) ? 4 : 2;
  if (HasFocusFrame()) {
    ++m_grid.marginX;
    ++m_grid.marginY;
  }
  CRect rect;
  CalcWindowRect(rect, pParent, x, y, bDialogUnits);
  CreateWellPalette();
  const LPCTSTR cls = AfxRegisterWndClass(GetClassStyle(), ::LoadCursor(nullptr, IDC_ARROW));
  // A popup well stays a top-level window; a plain one is its parent's child.
  const DWORD style = (dwStyle & WS_POPUP) ? (dwStyle | WS_CLIPCHILDREN) : (dwStyle | WS_CHILD | WS_CLIPCHILDREN);
  if (!CreateEx(0, cls, "", style, rect.left, rect.top, rect.Width(), rect.Height(),
                pParent ? pParent->m_hWnd : nullptr, reinterpret_cast<HMENU>(UINT_PTR(nID)))) {
    return FALSE;
  }
  if (m_grid.otherRow) {
    CString text;
    AfxLoadString(resources::IDS_OTHER_COLOUR, text);
    m_pOtherButton = std::make_unique<SECOtherColorsButton>(this);
    if (!m_pOtherButton->Create(text, WS_CHILD | WS_VISIBLE, color_well::OtherButtonRect(m_grid), this,
                                SEC_ID_OTHER_COLORS)) {
      m_pOtherButton.reset();
      DestroyWindow();
      return FALSE;
    }
    if (pParent) m_pOtherButton->SetFont(pParent->GetFont(), FALSE);
  }
  return TRUE;
}

void SECColorWell::GetCellRect(CRect& rect, int col, int row) const { rect = color_well::CellRect(m_grid, {col, row}); }

void SECColorWell::CalcCellRect(CPoint origin, CRect& rect, int col, int row) const {
  rect = color_well::CellRect(m_grid, {col, row});
  rect.OffsetRect(origin.x - m_grid.marginX, origin.y - m_grid.marginY);
}

COLORREF SECColorWell::CellColour(int index) const {
  // In palette mode the cell shows the entry its palette index names in the realised palette,
  // which is the entry's own colour.
  return index >= 0 && size_t(index) < m_colours.size() ? m_colours[size_t(index)] : RGB(0, 0, 0);
}

void SECColorWell::DrawCell(CDC& dc, CPoint origin, int col, int row) {
  const SECToolkitGlobals& g = secData();
  CRect r;
  CalcCellRect(origin, r, col, row);
  dc.Draw3dRect(&r, g.clrBtnShadow, g.clrBtnHilite);
  r.DeflateRect(1, 1);
  dc.Draw3dRect(&r, g.clr3DDkShadow, g.clr3DLight);
  r.DeflateRect(1, 1);
  dc.FillSolidRect(&r, CellColour(m_grid.PaletteIndex({col, row})));
}

void SECColorWell::DrawSelectedCell(CDC& dc, CPoint origin, int col, int row) {
  CRect r;
  CalcCellRect(origin, r, col, row);
  r.InflateRect(1, 1);
  for (COLORREF c : {RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0)}) {
    dc.Draw3dRect(&r, c, c);
    r.DeflateRect(1, 1);
  }
  dc.FillSolidRect(&r, CellColour(m_grid.PaletteIndex({col, row})));
}

void SECColorWell::Paint(CDC& dc) {
  const SECToolkitGlobals& g = secData();
  CRect client;
  GetClientRect(&client);
  CPalette* oldPalette = nullptr;
  if (m_bPaletteMode && m_palette.GetSafeHandle()) {
    oldPalette = dc.SelectPalette(&m_palette, FALSE);
    dc.RealizePalette();
  }
  dc.FillSolidRect(&client, g.clrBtnFace);
  CRect r(client);
  if (HasFocusFrame()) {
    if (m_bFocused) dc.Draw3dRect(&r, g.clrWindowFrame, g.clrWindowFrame);
    r.DeflateRect(1, 1);
  }
  if (GetStyle() & SEC_CWS_RAISEDBORDER) {
    dc.Draw3dRect(&r, g.clr3DLight, g.clr3DDkShadow);
    r.DeflateRect(1, 1);
    dc.Draw3dRect(&r, g.clrBtnHilite, g.clrBtnShadow);
  }
  const CPoint origin(m_grid.marginX, m_grid.marginY);
  for (int col = 0; col < m_grid.cols; ++col) {
    for (int row = 0; row < m_grid.rows; ++row) {
      const CRect cell = color_well::CellRect(m_grid, {col, row});
      if (!dc.RectVisible(&cell)) continue;
      if (m_sel == Cell{col, row}) {
        DrawSelectedCell(dc, origin, col, row);
      } else {
        DrawCell(dc, origin, col, row);
      }
    }
  }
  if (m_grid.otherRow) {
    const CRect line = color_well::SeparatorRect(m_grid);
    dc.FillSolidRect(line.left, line.top, line.Width(), 1, g.clrBtnShadow);
    dc.FillSolidRect(line.left, line.top + 1, line.Width(), 1, RGB(255, 255, 255));
    if (m_grid.customShown) {
      const Cell custom = m_grid.CustomCell();
      if (m_sel == custom) {
        DrawSelectedCell(dc, origin, custom.col, custom.row);
      } else {
        DrawCell(dc, origin, custom.col, custom.row);
      }
    }
  }
  if (oldPalette) dc.SelectPalette(oldPalette, FALSE);
}

void SECColorWell::DrawFocusFrame() {
  if (!HasFocusFrame() || !m_hWnd) return;
  const SECToolkitGlobals& g = secData();
  CClientDC dc(this);
  CRect r;
  GetClientRect(&r);
  const COLORREF c = m_bFocused ? g.clrWindowFrame : g.clrBtnFace;
  dc.Draw3dRect(&r, c, c);
}

void SECColorWell::RedrawCell(Cell cell) {
  if (!m_hWnd) return;
  CRect r = color_well::CellRect(m_grid, cell);
  r.InflateRect(1, 1);
  InvalidateRect(&r, FALSE);
}

void SECColorWell::MoveSelection(Cell cell) {
  if (cell == m_sel) return;
  RedrawCell(m_sel);
  m_sel = cell;
  RedrawCell(m_sel);
}

void SECColorWell::SelectCell(int col, int row, int) {
  MoveSelection({col, row});
  NotifyColor();
}

void SECColorWell::NotifyColor() {
  CWnd* parent = GetParent();
  if (parent && parent->m_hWnd) {
    parent->SendMessage(SEC_WM_COLORSELECTED, WPARAM(GetDlgCtrlID()), LPARAM(GetColor()));
  }
}

COLORREF SECColorWell::GetColor() const { return CellColour(m_grid.PaletteIndex(m_sel)); }

void SECColorWell::SetPaletteMode(BOOL bPaletteMode) {
  m_bPaletteMode = bPaletteMode;
  if (m_hWnd) InvalidateRect(nullptr, FALSE);
}

void SECColorWell::ShowCustomCell() {
  if (m_grid.customShown) return;
  m_grid.customShown = true;
  if (m_pOtherButton && m_pOtherButton->m_hWnd) {
    const CRect r = color_well::OtherButtonRect(m_grid);
    m_pOtherButton->SetWindowPos(nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void SECColorWell::SelectColor(COLORREF colour) {
  if (m_colours.empty()) CreateWellPalette();
  for (int col = 0; col < m_grid.cols; ++col) {
    for (int row = 0; row < m_grid.rows; ++row) {
      if (m_colours[size_t(m_grid.PaletteIndex({col, row}))] == colour) {
        MoveSelection({col, row});
        return;
      }
    }
  }
  if (!m_grid.otherRow) return;
  const Cell custom = m_grid.CustomCell();
  m_colours[size_t(m_grid.PaletteIndex(custom))] = colour;
  MakePalette();
  ShowCustomCell();
  RedrawCell(custom);
  MoveSelection(custom);
}

void SECColorWell::OnWellKeyDown(UINT vk) {
  if (vk == VK_TAB) {
    const BOOL shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    if (!shift && m_pOtherButton && m_pOtherButton->m_hWnd) {
      m_pOtherButton->SetFocus();
    } else if (shift) {
      CWnd* parent = GetParent();
      if (HWND prev = parent ? GetNextDlgTabItem(parent->m_hWnd, m_hWnd, TRUE) : nullptr) ::SetFocus(prev);
    }
    return;
  }
  if (vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN) {
    const Cell next = color_well::Move(m_grid, m_sel, vk);
    SelectCell(next.col, next.row, 0);
    return;
  }
  Default();
}

void SECColorWell::OnWellLButtonDown(CPoint point) {
  SetFocus();
  Cell cell;
  if (color_well::HitTest(m_grid, point, cell)) SelectCell(cell.col, cell.row, 2);
}

void SECColorWell::OnOtherColors() {
  CColorDialog dlg(GetColor(), GetColorDialogFlags(), GetParent());
  if (dlg.DoModal() != IDOK) return;
  SelectColor(dlg.GetColor());
  NotifyColor();
}

BOOL SECColorWell::OnOtherButtonKey(UINT vk) {
  if (vk != VK_TAB) return FALSE;
  if (GetKeyState(VK_SHIFT) & 0x8000) {
    SetFocus();
  } else if (CWnd* parent = GetParent()) {
    if (HWND next = GetNextDlgTabItem(parent->m_hWnd, m_hWnd, FALSE)) ::SetFocus(next);
  }
  return TRUE;
}

LRESULT SECColorWell::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      CPaintDC paint(this);
      CRect client;
      GetClientRect(&client);
      OffscreenDC memory(&paint, client);
      Paint(memory.IsValid() ? static_cast<CDC&>(memory) : static_cast<CDC&>(paint));
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_KEYDOWN:
      OnWellKeyDown(UINT(wParam));
      return 0;
    case WM_LBUTTONDOWN:
      OnWellLButtonDown(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
      return 0;
    case WM_MOUSEMOVE: {
      Cell cell;
      if (m_bTrackMouse && color_well::HitTest(m_grid, CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)), cell) &&
          !(cell == m_sel)) {
        SelectCell(cell.col, cell.row, 1);
      }
      return 0;
    }
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS | (m_grid.otherRow ? DLGC_WANTTAB : 0);
    case WM_SETFOCUS: {
      m_bFocused = TRUE;
      DrawFocusFrame();
      const HWND from = reinterpret_cast<HWND>(wParam);
      const bool fromButton = m_pOtherButton && from == m_pOtherButton->m_hWnd;
      if ((GetKeyState(VK_SHIFT) & 0x8000) && m_pOtherButton && m_pOtherButton->m_hWnd && !fromButton) {
        m_pOtherButton->SetFocus();
      }
      return 0;
    }
    case WM_KILLFOCUS:
      m_bFocused = FALSE;
      DrawFocusFrame();
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == SEC_ID_OTHER_COLORS && HIWORD(wParam) == BN_CLICKED) {
        OnOtherColors();
        return 0;
      }
      break;
    case WM_CTLCOLORBTN: {
      ::SetBkColor(reinterpret_cast<HDC>(wParam), secData().clrBtnFace);
      return reinterpret_cast<LRESULT>(m_bkBrush.GetSafeHandle());
    }
    case WM_SYSCOLORCHANGE:
      m_bkBrush.DeleteObject();
      m_bkBrush.CreateSolidBrush(secData().clrBtnFace);
      InvalidateRect(nullptr, FALSE);
      break;
    default:
      break;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}

// --- The popup well -------------------------------------------------------------------------------------

SECPopupColorWell::SECPopupColorWell() = default;

SECPopupColorWell::~SECPopupColorWell() {
  if (m_hWnd) DestroyWindow();
}

void SECPopupColorWell::Reset() {
  SECColorWell::Reset();
  m_hNotify = nullptr;
}

BOOL SECPopupColorWell::Popup(DWORD dwStyle, const CRect& buttonRect, CWnd* pParent, BOOL bOtherColors,
                              CPalette* pPalette) {
  if (m_hWnd) return FALSE;
  m_grid.otherRow = bOtherColors != FALSE;
  SetGridSize();
  // Measure first: margins of a raised border without a focus frame.
  m_grid.marginX = m_grid.marginY = 4;
  CRect measured;
  CalcWindowRect(measured, pParent, 0, 0, FALSE);
  // The screen that holds the button, and its area free of the desktop's panels.
  CRect work(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfo(MonitorFromRect(&buttonRect, MONITOR_DEFAULTTONEAREST), &info)) work = info.rcWork;
  const CPoint at = color_well::PopupPosition(buttonRect, measured.Size(), work);
  if (!Create(dwStyle | WS_POPUP | SEC_CWS_RAISEDBORDER, at.x, at.y, pParent, 0, FALSE, bOtherColors, pPalette)) {
    return FALSE;
  }
  m_bPoppedUp = TRUE;
  SetFocus();
  SetTrackMouse(TRUE);
  SetCapture();
  return TRUE;
}

void SECPopupColorWell::Close() {
  if (!m_hWnd) return;
  if (CWnd::GetCapture() == this) ReleaseCapture();
  DestroyWindow();
}

void SECPopupColorWell::PostNcDestroy() {
  m_bPoppedUp = FALSE;
  SECColorWell::PostNcDestroy();
}

void SECPopupColorWell::NotifyColor() {
  if (m_hNotify && ::IsWindow(m_hNotify)) ::SendMessage(m_hNotify, SEC_WM_COLORSELECTED, 0, LPARAM(GetColor()));
}

void SECPopupColorWell::SelectCell(int col, int row, int code) {
  MoveSelection({col, row});
  if (code != 2) return;
  NotifyColor();
  Close();
}

void SECPopupColorWell::OnWellKeyDown(UINT vk) {
  switch (vk) {
    case VK_TAB:
      if (m_pOtherButton && m_pOtherButton->m_hWnd) m_pOtherButton->SetFocus();
      return;
    case VK_RETURN:
      SelectCell(m_sel.col, m_sel.row, 2);
      return;
    case VK_ESCAPE:
      Close();
      return;
    default:
      SECColorWell::OnWellKeyDown(vk);
  }
}

void SECPopupColorWell::OnWellLButtonDown(CPoint point) {
  CRect client;
  GetClientRect(&client);
  if (client.PtInRect(point)) {
    if (m_pOtherButton && m_pOtherButton->m_hWnd) {
      CRect button;
      m_pOtherButton->GetWindowRect(&button);
      ScreenToClient(&button);
      if (button.PtInRect(point)) {
        OnOtherColors();
        return;
      }
    }
    SECColorWell::OnWellLButtonDown(point);
    return;
  }
  CPoint screen(point);
  ClientToScreen(&screen);
  CWnd* under = CWnd::WindowFromPoint(screen);
  // The window that opened the popup: its click would only open it again.
  if (under && m_hNotify && under->m_hWnd == m_hNotify) return;
  Close();
  if (under && under->m_hWnd && ::IsWindow(under->m_hWnd)) {
    CPoint local(screen);
    under->ScreenToClient(&local);
    under->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(local.x, local.y));
  }
}

void SECPopupColorWell::OnOtherColors() {
  if (m_hNotify && ::IsWindow(m_hNotify)) ::PostMessage(m_hNotify, SEC_WM_OTHERCOLOR, 0, 0);
  Close();
}

BOOL SECPopupColorWell::OnOtherButtonKey(UINT vk) {
  if (vk != VK_TAB && vk != VK_LEFT && vk != VK_RIGHT && vk != VK_UP && vk != VK_DOWN) return FALSE;
  SetFocus();
  return TRUE;
}

void SECPopupColorWell::OnOtherButtonKillFocus(HWND hNewFocus) {
  if (hNewFocus != m_hWnd) Close();
}

LRESULT SECPopupColorWell::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYUP:
      if (wParam == WPARAM(VK_SPACE)) {
        SelectCell(m_sel.col, m_sel.row, 2);
        return 0;
      }
      break;
    case WM_KILLFOCUS: {
      const HWND to = reinterpret_cast<HWND>(wParam);
      const bool toButton = m_pOtherButton && m_pOtherButton->m_hWnd && to == m_pOtherButton->m_hWnd;
      LRESULT r = SECColorWell::WindowProc(message, wParam, lParam);
      // Tab to the "&Inny..." button keeps the popup; any other window closes it.
      if (!toButton) Close();
      return r;
    }
    default:
      break;
  }
  return SECColorWell::WindowProc(message, wParam, lParam);
}
