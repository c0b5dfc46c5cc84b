// The framework's drawing classes: thin owners and wrappers over the drawing handles.
//
// CGdiObject and its kinds own their handle (deleted with the object) unless they are temporary
// wrappers from FromHandle, which own nothing and live in a per-thread map until
// DeleteTempMap (the framework's idle pass). CDC wraps a context handle; a CDC made with
// CreateCompatibleDC owns it.
#pragma once

#include "platform/base/cstring.h"
#include "platform/base/geometry.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/draw_api.h"
#include "platform/gdi/core/object_api.h"
#include "platform/gdi/core/text_api.h"
#include "platform/gdi/core/bitmap_api.h"
#include "platform/gdi/core/metafile_api.h"

class CGdiObject {
 public:
  CGdiObject() = default;
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;
  virtual ~CGdiObject();

  HGDIOBJ m_hObject = nullptr;

  HGDIOBJ GetSafeHandle() const { return m_hObject; }
  operator HGDIOBJ() const { return m_hObject; }
  BOOL Attach(HGDIOBJ object);
  HGDIOBJ Detach();
  BOOL DeleteObject();
  int GetObject(int size, void* buffer) const { return ::GetObject(m_hObject, size, buffer); }
  BOOL CreateStockObject(int index);

  // A temporary wrapper that does not own the handle.
  static CGdiObject* FromHandle(HGDIOBJ object);
  // Drops this thread's temporary wrappers.
  static void DeleteTempMap();

 protected:
  bool temporary_ = false;
  template <class T>
  static T* temporary(HGDIOBJ object);
};

class CPen : public CGdiObject {
 public:
  CPen() = default;
  CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
  BOOL CreatePen(int style, int width, COLORREF color) { return Attach(::CreatePen(style, width, color)); }
  BOOL CreatePenIndirect(const LOGPEN* pen) { return Attach(::CreatePenIndirect(pen)); }
  operator HPEN() const { return static_cast<HPEN>(m_hObject); }
  static CPen* FromHandle(HPEN pen);
};

class CBrush : public CGdiObject {
 public:
  CBrush() = default;
  explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
  CBrush(int hatch, COLORREF color) { CreateHatchBrush(hatch, color); }
  BOOL CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }
  BOOL CreateHatchBrush(int hatch, COLORREF color) { return Attach(::CreateHatchBrush(hatch, color)); }
  BOOL CreatePatternBrush(class CBitmap* bitmap);
  BOOL CreateBrushIndirect(const LOGBRUSH* brush) { return Attach(::CreateBrushIndirect(brush)); }
  operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
  static CBrush* FromHandle(HBRUSH brush);
};

class CFont : public CGdiObject {
 public:
  BOOL CreateFontIndirect(const LOGFONT* font) { return Attach(::CreateFontIndirect(font)); }
  // Height in tenths of a point for the given context (the screen when null).
  BOOL CreatePointFont(int point_size, const char* face, class CDC* dc = nullptr);
  int GetLogFont(LOGFONT* font) const { return GetObject(sizeof(LOGFONT), font); }
  operator HFONT() const { return static_cast<HFONT>(m_hObject); }
  static CFont* FromHandle(HFONT font);
};

class CBitmap : public CGdiObject {
 public:
  BOOL CreateBitmap(int width, int height, UINT planes, UINT bits_pixel, const void* bits) {
    return Attach(::CreateBitmap(width, height, planes, bits_pixel, bits));
  }
  BOOL CreateCompatibleBitmap(class CDC* dc, int width, int height);
  int GetBitmap(BITMAP* info) const { return GetObject(sizeof(BITMAP), info); }
  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
  static CBitmap* FromHandle(HBITMAP bitmap);
};

class CRgn : public CGdiObject {
 public:
  BOOL CreateRectRgn(int l, int t, int r, int b) { return Attach(::CreateRectRgn(l, t, r, b)); }
  BOOL CreateRectRgnIndirect(const RECT* r) { return Attach(::CreateRectRgnIndirect(r)); }
  BOOL CreatePolygonRgn(const POINT* points, int count, int mode) {
    return Attach(::CreatePolygonRgn(points, count, mode));
  }
  BOOL CreatePolyPolygonRgn(const POINT* points, const INT* counts, int polygons, int mode) {
    return Attach(::CreatePolyPolygonRgn(points, counts, polygons, mode));
  }
  void SetRectRgn(int l, int t, int r, int b) { ::SetRectRgn(*this, l, t, r, b); }
  int CombineRgn(const CRgn* a, const CRgn* b, int mode) {
    return ::CombineRgn(*this, a ? HRGN(*a) : nullptr, b ? HRGN(*b) : nullptr, mode);
  }
  int OffsetRgn(int dx, int dy) { return ::OffsetRgn(*this, dx, dy); }
  int GetRgnBox(RECT* r) const { return ::GetRgnBox(*this, r); }
  BOOL PtInRegion(int x, int y) const { return ::PtInRegion(*this, x, y); }
  BOOL PtInRegion(POINT p) const { return PtInRegion(p.x, p.y); }
  BOOL RectInRegion(const RECT* r) const { return ::RectInRegion(*this, r); }
  operator HRGN() const { return static_cast<HRGN>(m_hObject); }
  static CRgn* FromHandle(HRGN rgn);
};

class CPalette : public CGdiObject {
 public:
  BOOL CreatePalette(const LOGPALETTE* palette) { return Attach(::CreatePalette(palette)); }
  UINT GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* entries) const {
    return ::GetPaletteEntries(*this, start, count, entries);
  }
  int GetEntryCount() const { return int(::GetPaletteEntries(*this, 0, 0, nullptr)); }
  operator HPALETTE() const { return static_cast<HPALETTE>(m_hObject); }
  static CPalette* FromHandle(HPALETTE palette);
};

class CDC {
 public:
  CDC() = default;
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;
  virtual ~CDC();

  HDC m_hDC = nullptr;
  HDC m_hAttribDC = nullptr;
  BOOL m_bPrinting = FALSE;

  HDC GetSafeHdc() const { return m_hDC; }
  operator HDC() const { return m_hDC; }
  BOOL Attach(HDC hdc);
  HDC Detach();
  BOOL CreateCompatibleDC(CDC* dc);
  BOOL DeleteDC();
  BOOL IsPrinting() const { return m_bPrinting; }
  static CDC* FromHandle(HDC hdc);
  static void DeleteTempMap();
  // The brush of every other pixel (for drag rectangles and splitter bars drawn with PATINVERT).
  static CBrush* GetHalftoneBrush();

  int SaveDC() { return ::SaveDC(m_hDC); }
  BOOL RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved); }
  int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }

  CPen* SelectObject(CPen* pen);
  CBrush* SelectObject(CBrush* brush);
  CFont* SelectObject(CFont* font);
  CBitmap* SelectObject(CBitmap* bitmap);
  int SelectObject(CRgn* rgn);
  CGdiObject* SelectObject(CGdiObject* object);
  HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
  CGdiObject* SelectStockObject(int index);
  CPalette* SelectPalette(CPalette* palette, BOOL force_background);
  UINT RealizePalette() { return ::RealizePalette(m_hDC); }
  CFont* GetCurrentFont() const;

  COLORREF SetTextColor(COLORREF c) { return ::SetTextColor(m_hDC, c); }
  COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
  COLORREF SetBkColor(COLORREF c) { return ::SetBkColor(m_hDC, c); }
  COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
  int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
  int GetBkMode() const { return ::GetBkMode(m_hDC); }
  int SetROP2(int rop2) { return ::SetROP2(m_hDC, rop2); }
  int GetROP2() const { return ::GetROP2(m_hDC); }
  int SetPolyFillMode(int mode) { return ::SetPolyFillMode(m_hDC, mode); }
  int SetStretchBltMode(int mode) { return ::SetStretchBltMode(m_hDC, mode); }
  UINT SetTextAlign(UINT align) { return ::SetTextAlign(m_hDC, align); }
  UINT GetTextAlign() const { return ::GetTextAlign(m_hDC); }
  int SetTextCharacterExtra(int extra) { return ::SetTextCharacterExtra(m_hDC, extra); }
  CPoint SetBrushOrg(int x, int y);
  COLORREF GetNearestColor(COLORREF c) const { return ::GetNearestColor(m_hDC, c); }

  int SetMapMode(int mode) { return ::SetMapMode(m_hDC, mode); }
  int GetMapMode() const { return ::GetMapMode(m_hDC); }
  CPoint SetWindowOrg(int x, int y);
  CPoint SetWindowOrg(POINT p) { return SetWindowOrg(p.x, p.y); }
  CPoint GetWindowOrg() const;
  CPoint SetViewportOrg(int x, int y);
  CPoint SetViewportOrg(POINT p) { return SetViewportOrg(p.x, p.y); }
  CPoint GetViewportOrg() const;
  CPoint OffsetWindowOrg(int dx, int dy);
  CPoint OffsetViewportOrg(int dx, int dy);
  CSize SetWindowExt(int cx, int cy);
  CSize SetWindowExt(SIZE s) { return SetWindowExt(s.cx, s.cy); }
  CSize GetWindowExt() const;
  CSize SetViewportExt(int cx, int cy);
  CSize SetViewportExt(SIZE s) { return SetViewportExt(s.cx, s.cy); }
  CSize GetViewportExt() const;
  void LPtoDP(POINT* points, int count = 1) const { ::LPtoDP(m_hDC, points, count); }
  void LPtoDP(RECT* r) const { ::LPtoDP(m_hDC, reinterpret_cast<POINT*>(r), 2); }
  void LPtoDP(SIZE* s) const;
  void DPtoLP(POINT* points, int count = 1) const { ::DPtoLP(m_hDC, points, count); }
  void DPtoLP(RECT* r) const { ::DPtoLP(m_hDC, reinterpret_cast<POINT*>(r), 2); }
  void DPtoLP(SIZE* s) const;

  int SelectClipRgn(CRgn* rgn) { return ::SelectClipRgn(m_hDC, rgn ? HRGN(*rgn) : nullptr); }
  int SelectClipRgn(CRgn* rgn, int mode) {
    return ::ExtSelectClipRgn(m_hDC, rgn ? HRGN(*rgn) : nullptr, mode);
  }
  int IntersectClipRect(int l, int t, int r, int b) { return ::IntersectClipRect(m_hDC, l, t, r, b); }
  int IntersectClipRect(const RECT* r) { return IntersectClipRect(r->left, r->top, r->right, r->bottom); }
  int ExcludeClipRect(int l, int t, int r, int b) { return ::ExcludeClipRect(m_hDC, l, t, r, b); }
  int ExcludeClipRect(const RECT* r) { return ExcludeClipRect(r->left, r->top, r->right, r->bottom); }
  int OffsetClipRgn(int dx, int dy) { return ::OffsetClipRgn(m_hDC, dx, dy); }
  int GetClipBox(RECT* r) const { return ::GetClipBox(m_hDC, r); }
  BOOL PtVisible(int x, int y) const { return ::PtVisible(m_hDC, x, y); }
  BOOL PtVisible(POINT p) const { return PtVisible(p.x, p.y); }
  BOOL RectVisible(const RECT* r) const { return ::RectVisible(m_hDC, r); }

  CPoint MoveTo(int x, int y);
  CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
  BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
  BOOL LineTo(POINT p) { return LineTo(p.x, p.y); }
  CPoint GetCurrentPosition() const;
  BOOL Polyline(const POINT* points, int count) { return ::Polyline(m_hDC, points, count); }
  BOOL Polygon(const POINT* points, int count) { return ::Polygon(m_hDC, points, count); }
  BOOL PolyPolygon(const POINT* points, const int* counts, int n) {
    return ::PolyPolygon(m_hDC, points, counts, n);
  }
  BOOL Rectangle(int l, int t, int r, int b) { return ::Rectangle(m_hDC, l, t, r, b); }
  BOOL Rectangle(const RECT* r) { return Rectangle(r->left, r->top, r->right, r->bottom); }
  BOOL Ellipse(int l, int t, int r, int b) { return ::Ellipse(m_hDC, l, t, r, b); }
  BOOL Ellipse(const RECT* r) { return Ellipse(r->left, r->top, r->right, r->bottom); }
  BOOL Arc(const RECT* r, POINT start, POINT end) {
    return ::Arc(m_hDC, r->left, r->top, r->right, r->bottom, start.x, start.y, end.x, end.y);
  }
  void FillRect(const RECT* r, CBrush* brush) { ::FillRect(m_hDC, r, brush ? HBRUSH(*brush) : nullptr); }
  void FillSolidRect(const RECT* r, COLORREF color);
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
  void FrameRect(const RECT* r, CBrush* brush) { ::FrameRect(m_hDC, r, brush ? HBRUSH(*brush) : nullptr); }
  void InvertRect(const RECT* r) { ::InvertRect(m_hDC, r); }
  BOOL FillRgn(CRgn* rgn, CBrush* brush) { return ::FillRgn(m_hDC, *rgn, *brush); }
  BOOL InvertRgn(CRgn* rgn) { return ::InvertRgn(m_hDC, *rgn); }
  BOOL FrameRgn(CRgn* rgn, CBrush* brush, int width, int height) {
    return ::FrameRgn(m_hDC, *rgn, *brush, width, height);
  }
  // Top and left edges in one colour, bottom and right in the other, one pixel wide.
  void Draw3dRect(const RECT* r, COLORREF top_left, COLORREF bottom_right);
  void Draw3dRect(int x, int y, int cx, int cy, COLORREF top_left, COLORREF bottom_right);
  BOOL DrawEdge(RECT* r, UINT edge, UINT flags) { return ::DrawEdge(m_hDC, r, edge, flags); }
  BOOL DrawFrameControl(RECT* r, UINT type, UINT state) {
    return ::DrawFrameControl(m_hDC, r, type, state);
  }
  void DrawFocusRect(const RECT* r) { ::DrawFocusRect(m_hDC, r); }
  BOOL PatBlt(int x, int y, int w, int h, DWORD rop) { return ::PatBlt(m_hDC, x, y, w, h, rop); }
  BOOL BitBlt(int x, int y, int w, int h, CDC* src, int xs, int ys, DWORD rop) {
    return ::BitBlt(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, xs, ys, rop);
  }
  BOOL StretchBlt(int x, int y, int w, int h, CDC* src, int xs, int ys, int ws, int hs, DWORD rop) {
    return ::StretchBlt(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, xs, ys, ws, hs, rop);
  }
  COLORREF SetPixel(int x, int y, COLORREF c) { return ::SetPixel(m_hDC, x, y, c); }
  COLORREF SetPixel(POINT p, COLORREF c) { return SetPixel(p.x, p.y, c); }
  COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
  COLORREF GetPixel(POINT p) const { return GetPixel(p.x, p.y); }
  BOOL ExtFloodFill(int x, int y, COLORREF c, UINT type) { return ::ExtFloodFill(m_hDC, x, y, c, type); }
  BOOL FloodFill(int x, int y, COLORREF c) { return ::FloodFill(m_hDC, x, y, c); }
  BOOL PlayMetaFile(HMETAFILE mf) { return ::PlayMetaFile(m_hDC, mf); }

  BOOL TextOut(int x, int y, const char* text, int count) { return ::TextOut(m_hDC, x, y, text, count); }
  BOOL TextOut(int x, int y, const CString& s) { return TextOut(x, y, s, s.GetLength()); }
  BOOL ExtTextOut(int x, int y, UINT options, const RECT* r, const char* text, UINT count,
                  const int* dx) {
    return ::ExtTextOut(m_hDC, x, y, options, r, text, count, dx);
  }
  BOOL ExtTextOut(int x, int y, UINT options, const RECT* r, const CString& s, const int* dx) {
    return ExtTextOut(x, y, options, r, s, UINT(s.GetLength()), dx);
  }
  int DrawText(const char* text, int count, RECT* r, UINT format) {
    return ::DrawText(m_hDC, text, count, r, format);
  }
  int DrawText(const CString& s, RECT* r, UINT format) { return DrawText(s, s.GetLength(), r, format); }
  CSize GetTextExtent(const char* text, int count) const;
  CSize GetTextExtent(const CString& s) const { return GetTextExtent(s, s.GetLength()); }
  CSize GetOutputTextExtent(const CString& s) const { return GetTextExtent(s); }
  BOOL GetTextMetrics(TEXTMETRIC* tm) const { return ::GetTextMetrics(m_hDC, tm); }
  BOOL GetOutputTextMetrics(TEXTMETRIC* tm) const { return GetTextMetrics(tm); }
  BOOL GetCharWidth(UINT first, UINT last, int* widths) const {
    return ::GetCharWidth32(m_hDC, first, last, widths);
  }
  DWORD GetKerningPairs(DWORD count, KERNINGPAIR* pairs) const {
    return ::GetKerningPairs(m_hDC, count, pairs);
  }
  int GetTextFace(int count, char* face) const { return ::GetTextFace(m_hDC, count, face); }

  int StartDoc(const DOCINFO* info) { return ::StartDoc(m_hDC, info); }
  int StartDoc(const char* name);
  int EndDoc() { return ::EndDoc(m_hDC); }
  int AbortDoc() { return ::AbortDoc(m_hDC); }
  int SetAbortProc(ABORTPROC proc) { return ::SetAbortProc(m_hDC, proc); }
  int StartPage() { return ::StartPage(m_hDC); }
  int EndPage() { return ::EndPage(m_hDC); }

 private:
  bool owned_ = false;
  bool temporary_ = false;
};
