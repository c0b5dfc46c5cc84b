// What companions of a list (its item tip, its in-place edit) may ask of the list that owns them.
// The base answers nothing useful (0, -1 for a sub-item number, empty texts); lists override all.
#pragma once

#include "platform/base/cstring.h"
#include "platform/base/geometry.h"
#include "platform/gdi/core/afx_gdi.h"

class CWnd;

class SECListClient {
 public:
  virtual ~SECListClient() = default;

  virtual HWND GetOwnerHwnd() const { return nullptr; }
  virtual BOOL IsLabelWrapOn() const { return FALSE; }
  virtual void EndLabelEdit(BOOL /*commit*/) {}
  virtual int GetColumnSubItem(int /*column*/) const { return -1; }
  virtual void GetScrollOffsets(int* horizontal, int* vertical) const {
    *horizontal = 0;
    *vertical = 0;
  }
  // The client area below the header less the shown scroll bars.
  virtual void GetViewRect(CRect* rect) const { rect->SetRectEmpty(); }
  // Code 0 the cell, 1 the icon, 2 the label, in client coordinates; FALSE when the row is not shown.
  virtual BOOL GetItemRect(int /*row*/, int /*column*/, CRect* /*rect*/, UINT /*code*/) const { return FALSE; }
  virtual CString GetItemText(int /*row*/, int /*subItem*/) const { return CString(); }
  virtual void ClientToScreenPoint(CPoint* /*point*/) const {}
  // Captures the mouse for the owner when `capture`, else releases it if the owner holds it;
  // returns the window that held the capture before.
  virtual HWND CaptureMouse(BOOL /*capture*/) { return nullptr; }
  virtual BOOL IsItemSelected(int /*row*/) const { return FALSE; }
  virtual COLORREF GetSelTextColor() const { return 0; }
  virtual COLORREF GetSelBackColor() const { return 0; }
  virtual COLORREF GetTipTextColor() const { return 0; }
  virtual COLORREF GetTipBackColor() const { return 0; }
  virtual CFont* GetItemFont() const { return nullptr; }
};
