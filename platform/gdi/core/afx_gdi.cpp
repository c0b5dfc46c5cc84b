#include "platform/gdi/core/afx_gdi.h"

#include <cstring>
#include <map>
#include <memory>

#include "platform/gdi/core/mul_div.h"

namespace {

// Per-thread temporary wrappers, keyed by handle.
template <class T>
std::map<void*, std::unique_ptr<T>>& temp_map() {
  thread_local std::map<void*, std::unique_ptr<T>> map;
  return map;
}

}  // namespace

// --- CGdiObject ------------------------------------------------------------------------------------

CGdiObject::~CGdiObject() {
  if (!temporary_) DeleteObject();
}

BOOL CGdiObject::Attach(HGDIOBJ object) {
  if (!object) return FALSE;
  DeleteObject();
  m_hObject = object;
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ h = m_hObject;
  m_hObject = nullptr;
  return h;
}

BOOL CGdiObject::DeleteObject() {
  if (!m_hObject) return FALSE;
  BOOL ok = ::DeleteObject(Detach());
  return ok;
}

BOOL CGdiObject::CreateStockObject(int index) {
  HGDIOBJ h = ::GetStockObject(index);
  if (!h) return FALSE;
  DeleteObject();
  m_hObject = h;  // deleting a stock object does nothing, so owning it is harmless
  return TRUE;
}

template <class T>
T* CGdiObject::temporary(HGDIOBJ object) {
  if (!object) return nullptr;
  auto& map = temp_map<T>();
  auto& slot = map[object];
  if (!slot) {
    slot = std::make_unique<T>();
    slot->m_hObject = object;
    slot->temporary_ = true;
  }
  return slot.get();
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ object) { return temporary<CGdiObject>(object); }
CPen* CPen::FromHandle(HPEN pen) { return temporary<CPen>(pen); }
CBrush* CBrush::FromHandle(HBRUSH brush) { return temporary<CBrush>(brush); }
CFont* CFont::FromHandle(HFONT font) { return temporary<CFont>(font); }
CBitmap* CBitmap::FromHandle(HBITMAP bitmap) { return temporary<CBitmap>(bitmap); }
CRgn* CRgn::FromHandle(HRGN rgn) { return temporary<CRgn>(rgn); }
CPalette* CPalette::FromHandle(HPALETTE palette) { return temporary<CPalette>(palette); }

void CGdiObject::DeleteTempMap() {
  temp_map<CGdiObject>().clear();
  temp_map<CPen>().clear();
  temp_map<CBrush>().clear();
  temp_map<CFont>().clear();
  temp_map<CBitmap>().clear();
  temp_map<CRgn>().clear();
  temp_map<CPalette>().clear();
}

BOOL CBrush::CreatePatternBrush(CBitmap* bitmap) {
  return bitmap && Attach(::CreatePatternBrush(*bitmap));
}

BOOL CFont::CreatePointFont(int point_size, const char* face, CDC* dc) {
  LOGFONT lf{};
  int dpi = dc ? dc->GetDeviceCaps(LOGPIXELSY) : 96;
  lf.lfHeight = -MulDiv(point_size, dpi, 720);
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  if (face) std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return CreateFontIndirect(&lf);
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
  return dc && Attach(::CreateCompatibleBitmap(dc->m_hDC, width, height));
}

// --- CDC -------------------------------------------------------------------------------------------

CDC::~CDC() {
  if (owned_) ::DeleteDC(m_hDC);
}

BOOL CDC::Attach(HDC hdc) {
  if (!hdc) return FALSE;
  m_hDC = m_hAttribDC = hdc;
  return TRUE;
}

HDC CDC::Detach() {
  HDC h = m_hDC;
  m_hDC = m_hAttribDC = nullptr;
  owned_ = false;
  return h;
}

BOOL CDC::CreateCompatibleDC(CDC* dc) {
  HDC h = ::CreateCompatibleDC(dc ? dc->m_hDC : nullptr);
  if (!h) return FALSE;
  if (owned_) ::DeleteDC(m_hDC);
  Attach(h);
  owned_ = true;
  return TRUE;
}

BOOL CDC::DeleteDC() {
  if (!m_hDC) return FALSE;
  BOOL ok = ::DeleteDC(Detach());
  return ok;
}

CDC* CDC::FromHandle(HDC hdc) {
  if (!hdc) return nullptr;
  auto& slot = temp_map<CDC>()[hdc];
  if (!slot) {
    slot = std::make_unique<CDC>();
    slot->Attach(hdc);
    slot->temporary_ = true;
  }
  return slot.get();
}

void CDC::DeleteTempMap() { temp_map<CDC>().clear(); }

CBrush* CDC::GetHalftoneBrush() {
  static CBrush* brush = [] {
    // The object table is made first, so it outlives the brush at exit.
    ::GetStockObject(WHITE_BRUSH);
    static CBrush halftone;
    uint8_t rows[16];
    for (int y = 0; y < 8; ++y) rows[2 * y] = (y & 1) ? 0xAA : 0x55, rows[2 * y + 1] = 0;
    CBitmap pattern;
    pattern.CreateBitmap(8, 8, 1, 1, rows);
    halftone.CreatePatternBrush(&pattern);
    return &halftone;
  }();
  return brush;
}

CPen* CDC::SelectObject(CPen* pen) {
  return CPen::FromHandle(static_cast<HPEN>(::SelectObject(m_hDC, pen ? HGDIOBJ(*pen) : nullptr)));
}
CBrush* CDC::SelectObject(CBrush* brush) {
  return CBrush::FromHandle(
      static_cast<HBRUSH>(::SelectObject(m_hDC, brush ? HGDIOBJ(*brush) : nullptr)));
}
CFont* CDC::SelectObject(CFont* font) {
  return CFont::FromHandle(static_cast<HFONT>(::SelectObject(m_hDC, font ? HGDIOBJ(*font) : nullptr)));
}
CBitmap* CDC::SelectObject(CBitmap* bitmap) {
  return CBitmap::FromHandle(
      static_cast<HBITMAP>(::SelectObject(m_hDC, bitmap ? HGDIOBJ(*bitmap) : nullptr)));
}
int CDC::SelectObject(CRgn* rgn) {
  return int(reinterpret_cast<uintptr_t>(::SelectObject(m_hDC, rgn ? HGDIOBJ(*rgn) : nullptr)));
}
CGdiObject* CDC::SelectObject(CGdiObject* object) {
  return CGdiObject::FromHandle(::SelectObject(m_hDC, object ? HGDIOBJ(*object) : nullptr));
}
CGdiObject* CDC::SelectStockObject(int index) {
  return CGdiObject::FromHandle(::SelectObject(m_hDC, ::GetStockObject(index)));
}
CPalette* CDC::SelectPalette(CPalette* palette, BOOL force_background) {
  return CPalette::FromHandle(
      ::SelectPalette(m_hDC, palette ? HPALETTE(*palette) : nullptr, force_background));
}
CFont* CDC::GetCurrentFont() const {
  return CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT)));
}

CPoint CDC::SetBrushOrg(int x, int y) {
  POINT old{0, 0};
  ::SetBrushOrgEx(m_hDC, x, y, &old);
  return old;
}

CPoint CDC::SetWindowOrg(int x, int y) {
  POINT old{0, 0};
  ::SetWindowOrgEx(m_hDC, x, y, &old);
  return old;
}
CPoint CDC::GetWindowOrg() const {
  POINT p{0, 0};
  ::GetWindowOrgEx(m_hDC, &p);
  return p;
}
CPoint CDC::SetViewportOrg(int x, int y) {
  POINT old{0, 0};
  ::SetViewportOrgEx(m_hDC, x, y, &old);
  return old;
}
CPoint CDC::GetViewportOrg() const {
  POINT p{0, 0};
  ::GetViewportOrgEx(m_hDC, &p);
  return p;
}
CPoint CDC::OffsetWindowOrg(int dx, int dy) {
  POINT old{0, 0};
  ::OffsetWindowOrgEx(m_hDC, dx, dy, &old);
  return old;
}
CPoint CDC::OffsetViewportOrg(int dx, int dy) {
  POINT old{0, 0};
  ::OffsetViewportOrgEx(m_hDC, dx, dy, &old);
  return old;
}
CSize CDC::SetWindowExt(int cx, int cy) {
  SIZE old{0, 0};
  ::SetWindowExtEx(m_hDC, cx, cy, &old);
  return old;
}
CSize CDC::GetWindowExt() const {
  SIZE s{0, 0};
  ::GetWindowExtEx(m_hDC, &s);
  return s;
}
CSize CDC::SetViewportExt(int cx, int cy) {
  SIZE old{0, 0};
  ::SetViewportExtEx(m_hDC, cx, cy, &old);
  return old;
}
CSize CDC::GetViewportExt() const {
  SIZE s{0, 0};
  ::GetViewportExtEx(m_hDC, &s);
  return s;
}

// Sizes convert as lengths: the distance between two converted points.
void CDC::LPtoDP(SIZE* s) const {
  POINT p[2] = {{0, 0}, {s->cx, s->cy}};
  ::LPtoDP(m_hDC, p, 2);
  s->cx = p[1].x - p[0].x;
  s->cy = p[1].y - p[0].y;
}
void CDC::DPtoLP(SIZE* s) const {
  POINT p[2] = {{0, 0}, {s->cx, s->cy}};
  ::DPtoLP(m_hDC, p, 2);
  s->cx = p[1].x - p[0].x;
  s->cy = p[1].y - p[0].y;
}

CPoint CDC::MoveTo(int x, int y) {
  POINT old{0, 0};
  ::MoveToEx(m_hDC, x, y, &old);
  return old;
}
CPoint CDC::GetCurrentPosition() const {
  POINT p{0, 0};
  ::GetCurrentPositionEx(m_hDC, &p);
  return p;
}

// A solid fill drawn as the framework does: an opaque text-out of nothing with the colour as
// background, which leaves the selected brush alone.
void CDC::FillSolidRect(const RECT* r, COLORREF color) {
  COLORREF old = ::SetBkColor(m_hDC, color);
  ::ExtTextOut(m_hDC, 0, 0, ETO_OPAQUE, r, nullptr, 0, nullptr);
  ::SetBkColor(m_hDC, old);
}
void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
  RECT r{x, y, x + cx, y + cy};
  FillSolidRect(&r, color);
}

void CDC::Draw3dRect(const RECT* r, COLORREF top_left, COLORREF bottom_right) {
  Draw3dRect(r->left, r->top, r->right - r->left, r->bottom - r->top, top_left, bottom_right);
}
void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF top_left, COLORREF bottom_right) {
  FillSolidRect(x, y, cx - 1, 1, top_left);
  FillSolidRect(x, y, 1, cy - 1, top_left);
  FillSolidRect(x + cx, y, -1, cy, bottom_right);
  FillSolidRect(x, y + cy, cx, -1, bottom_right);
}

CSize CDC::GetTextExtent(const char* text, int count) const {
  SIZE s{0, 0};
  ::GetTextExtentPoint32(m_hDC, text, count, &s);
  return s;
}

int CDC::StartDoc(const char* name) {
  DOCINFO info{sizeof(DOCINFO), name, nullptr, nullptr, 0};
  return ::StartDoc(m_hDC, &info);
}
