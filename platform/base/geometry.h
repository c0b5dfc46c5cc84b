// Points, sizes and rectangles in the framework's shapes.
//
// POINT, SIZE and RECT are the plain records that window and drawing calls take; CPoint, CSize and
// CRect derive from them (so a CRect passes wherever a RECT* is expected) and add the arithmetic.
// A rectangle includes its left and top edges and excludes its right and bottom edges: the point
// (right, bottom) lies outside, and Width() is right - left. A rectangle whose width or height is
// not positive is empty.
#pragma once

#include <algorithm>
#include <cstdint>

struct POINT {
  int x;
  int y;
};
struct SIZE {
  int cx;
  int cy;
};
struct RECT {
  int left;
  int top;
  int right;
  int bottom;
};
using LPPOINT = POINT*;
using LPSIZE = SIZE*;
using LPRECT = RECT*;
using LPCRECT = const RECT*;

class CSize : public SIZE {
 public:
  constexpr CSize() : SIZE{0, 0} {}
  constexpr CSize(int cx_, int cy_) : SIZE{cx_, cy_} {}
  constexpr CSize(const SIZE& s) : SIZE(s) {}

  friend constexpr bool operator==(const SIZE& a, const SIZE& b) { return a.cx == b.cx && a.cy == b.cy; }
  constexpr CSize& operator+=(const SIZE& o) { return cx += o.cx, cy += o.cy, *this; }
  constexpr CSize& operator-=(const SIZE& o) { return cx -= o.cx, cy -= o.cy, *this; }
  constexpr CSize operator+(const SIZE& o) const { return CSize(cx + o.cx, cy + o.cy); }
  constexpr CSize operator-(const SIZE& o) const { return CSize(cx - o.cx, cy - o.cy); }
  constexpr CSize operator-() const { return CSize(-cx, -cy); }
};

class CPoint : public POINT {
 public:
  constexpr CPoint() : POINT{0, 0} {}
  constexpr CPoint(int x_, int y_) : POINT{x_, y_} {}
  constexpr CPoint(const POINT& p) : POINT(p) {}
  constexpr explicit CPoint(const SIZE& s) : POINT{s.cx, s.cy} {}
  // A point packed as in mouse messages: signed 16-bit x in the low word, y in the high word.
  constexpr explicit CPoint(uint32_t packed)
      : POINT{int16_t(packed & 0xFFFF), int16_t(packed >> 16)} {}

  constexpr void Offset(int dx, int dy) { x += dx, y += dy; }
  constexpr void Offset(const POINT& p) { Offset(p.x, p.y); }
  constexpr void Offset(const SIZE& s) { Offset(s.cx, s.cy); }
  constexpr void SetPoint(int x_, int y_) { x = x_, y = y_; }

  friend constexpr bool operator==(const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; }
  constexpr CPoint& operator+=(const SIZE& s) { return Offset(s), *this; }
  constexpr CPoint& operator-=(const SIZE& s) { return Offset(-s.cx, -s.cy), *this; }
  constexpr CPoint& operator+=(const POINT& p) { return Offset(p), *this; }
  constexpr CPoint& operator-=(const POINT& p) { return Offset(-p.x, -p.y), *this; }
  constexpr CPoint operator+(const SIZE& s) const { return CPoint(x + s.cx, y + s.cy); }
  constexpr CPoint operator-(const SIZE& s) const { return CPoint(x - s.cx, y - s.cy); }
  constexpr CPoint operator+(const POINT& p) const { return CPoint(x + p.x, y + p.y); }
  constexpr CSize operator-(const POINT& p) const { return CSize(x - p.x, y - p.y); }
  constexpr CPoint operator-() const { return CPoint(-x, -y); }
};

class CRect : public RECT {
 public:
  constexpr CRect() : RECT{0, 0, 0, 0} {}
  constexpr CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
  constexpr CRect(const RECT& r) : RECT(r) {}
  constexpr explicit CRect(const RECT* r) : RECT(r ? *r : RECT{0, 0, 0, 0}) {}
  constexpr CRect(const POINT& topLeft, const SIZE& size)
      : RECT{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy} {}
  constexpr CRect(const POINT& topLeft, const POINT& bottomRight)
      : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

  // A CRect passes where the platform calls take a rectangle pointer.
  constexpr operator RECT*() { return this; }
  constexpr operator const RECT*() const { return this; }

  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr CSize Size() const { return CSize(Width(), Height()); }
  constexpr CPoint TopLeft() const { return CPoint(left, top); }
  constexpr CPoint BottomRight() const { return CPoint(right, bottom); }
  // Rounds toward zero, as the framework does.
  constexpr CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }

  constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
  constexpr bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  constexpr bool PtInRect(const POINT& p) const {
    return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
  }
  constexpr bool EqualRect(const RECT& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
  // Symmetric, so comparing two CRects (or a CRect with a RECT either way round) has one meaning.
  friend constexpr bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  }

  constexpr void SetRect(int l, int t, int r, int b) { left = l, top = t, right = r, bottom = b; }
  constexpr void SetRect(const POINT& tl, const POINT& br) { SetRect(tl.x, tl.y, br.x, br.y); }
  constexpr void SetRectEmpty() { SetRect(0, 0, 0, 0); }
  constexpr void CopyRect(const RECT* r) { *this = CRect(r); }

  constexpr void InflateRect(int dx, int dy) { InflateRect(dx, dy, dx, dy); }
  constexpr void InflateRect(const SIZE& s) { InflateRect(s.cx, s.cy); }
  constexpr void InflateRect(const RECT* r) { InflateRect(r->left, r->top, r->right, r->bottom); }
  constexpr void InflateRect(int l, int t, int r, int b) {
    left -= l, top -= t, right += r, bottom += b;
  }
  constexpr void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
  constexpr void DeflateRect(const SIZE& s) { InflateRect(-s.cx, -s.cy); }
  constexpr void DeflateRect(const RECT* r) {
    InflateRect(-r->left, -r->top, -r->right, -r->bottom);
  }
  constexpr void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }

  constexpr void OffsetRect(int dx, int dy) { left += dx, right += dx, top += dy, bottom += dy; }
  constexpr void OffsetRect(const POINT& p) { OffsetRect(p.x, p.y); }
  constexpr void OffsetRect(const SIZE& s) { OffsetRect(s.cx, s.cy); }
  constexpr void MoveToX(int x) { right += x - left, left = x; }
  constexpr void MoveToY(int y) { bottom += y - top, top = y; }
  constexpr void MoveToXY(int x, int y) { MoveToX(x), MoveToY(y); }
  constexpr void MoveToXY(const POINT& p) { MoveToXY(p.x, p.y); }

  // Swaps edges so that left <= right and top <= bottom.
  constexpr void NormalizeRect() {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
  }

  // The common part of a and b; empty (all zero) and false when they do not overlap.
  constexpr bool IntersectRect(const RECT& a, const RECT& b) {
    CRect r(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom));
    if (r.IsRectEmpty()) r.SetRectEmpty();
    *this = r;
    return !r.IsRectEmpty();
  }
  // The smallest rectangle holding a and b; an empty rectangle does not count. False (and all
  // zero) when both are empty.
  constexpr bool UnionRect(const RECT& a, const RECT& b) {
    bool a_empty = CRect(a).IsRectEmpty(), b_empty = CRect(b).IsRectEmpty();
    if (a_empty && b_empty) {
      SetRectEmpty();
      return false;
    }
    if (a_empty || b_empty) {
      *this = a_empty ? b : a;
      return true;
    }
    SetRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom));
    return true;
  }
  // a without b, when b covers a whole side strip of a (the difference is then a rectangle);
  // otherwise a unchanged. False when the result is empty.
  constexpr bool SubtractRect(const RECT& a, const RECT& b) {
    CRect r(a), cut;
    if (cut.IntersectRect(a, b)) {
      bool full_width = cut.left == r.left && cut.right == r.right;
      bool full_height = cut.top == r.top && cut.bottom == r.bottom;
      if (full_width && full_height) {
        r.SetRectEmpty();
      } else if (full_width && cut.top == r.top) {
        r.top = cut.bottom;
      } else if (full_width && cut.bottom == r.bottom) {
        r.bottom = cut.top;
      } else if (full_height && cut.left == r.left) {
        r.left = cut.right;
      } else if (full_height && cut.right == r.right) {
        r.right = cut.left;
      }
    }
    *this = r;
    return !r.IsRectEmpty();
  }

  constexpr CRect& operator+=(const POINT& p) { return OffsetRect(p), *this; }
  constexpr CRect& operator+=(const SIZE& s) { return OffsetRect(s), *this; }
  constexpr CRect& operator-=(const POINT& p) { return OffsetRect(-p.x, -p.y), *this; }
  constexpr CRect& operator-=(const SIZE& s) { return OffsetRect(-s.cx, -s.cy), *this; }
  constexpr CRect& operator&=(const RECT& o) { return IntersectRect(*this, o), *this; }
  constexpr CRect& operator|=(const RECT& o) { return UnionRect(*this, o), *this; }
  constexpr CRect operator+(const POINT& p) const { return CRect(*this) += p; }
  constexpr CRect operator+(const SIZE& s) const { return CRect(*this) += s; }
  constexpr CRect operator-(const POINT& p) const { return CRect(*this) -= p; }
  constexpr CRect operator-(const SIZE& s) const { return CRect(*this) -= s; }
  constexpr CRect operator&(const RECT& o) const { return CRect(*this) &= o; }
  constexpr CRect operator|(const RECT& o) const { return CRect(*this) |= o; }
};
