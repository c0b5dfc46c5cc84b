// The header control ("SysHeader32"): a row of column titles with widths, formats and item data.
// A press near a title's right edge drags that column's divider: the parent hears HDN_BEGINTRACK
// (and may refuse), HDN_TRACK as the mouse moves and HDN_ENDTRACK on release. A width or text
// change asks HDN_ITEMCHANGING (which may refuse) and then tells HDN_ITEMCHANGED. With HDS_BUTTONS
// a press and release on one title sends HDN_ITEMCLICK.
#pragma once

#include "platform/base/cstring.h"
#include "platform/win/cwnd.h"

inline constexpr const char* WC_HEADER = "SysHeader32";

constexpr DWORD HDS_BUTTONS = 0x0002;

constexpr UINT HDM_GETITEMCOUNT = 0x1200;
constexpr UINT HDM_INSERTITEM = 0x1201;
constexpr UINT HDM_DELETEITEM = 0x1202;
constexpr UINT HDM_GETITEM = 0x1203;
constexpr UINT HDM_SETITEM = 0x1204;
constexpr UINT HDM_GETITEMRECT = 0x1207;

constexpr UINT HDN_ITEMCHANGING = UINT(-300);
constexpr UINT HDN_ITEMCHANGED = UINT(-301);
constexpr UINT HDN_ITEMCLICK = UINT(-302);
constexpr UINT HDN_BEGINTRACK = UINT(-306);
constexpr UINT HDN_ENDTRACK = UINT(-307);
constexpr UINT HDN_TRACK = UINT(-308);

constexpr UINT HDI_WIDTH = 0x0001;
constexpr UINT HDI_TEXT = 0x0002;
constexpr UINT HDI_FORMAT = 0x0004;
constexpr UINT HDI_LPARAM = 0x0008;

constexpr int HDF_LEFT = 0x0000;
constexpr int HDF_RIGHT = 0x0001;
constexpr int HDF_CENTER = 0x0002;
constexpr int HDF_JUSTIFYMASK = 0x0003;
constexpr int HDF_STRING = 0x4000;

struct HDITEM {
  UINT mask = 0;
  int cxy = 0;
  LPSTR pszText = nullptr;
  void* hbm = nullptr;
  int cchTextMax = 0;
  int fmt = 0;
  LPARAM lParam = 0;
};

struct NMHEADER {
  NMHDR hdr;
  int iItem;
  int iButton;
  HDITEM* pitem;
};

namespace controls {
void register_header_control();
// Half the width of the band around a divider where a press starts dragging it.
constexpr int kHeaderDividerGrip = 3;
}  // namespace controls

class CHeaderCtrl : public CWnd {
  DECLARE_DYNAMIC(CHeaderCtrl)

 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  int GetItemCount() const { return int(SendMessage(HDM_GETITEMCOUNT)); }
  // Inserts before `nPos` (at the end past it); returns the new index or -1.
  int InsertItem(int nPos, HDITEM* phdi) { return int(SendMessage(HDM_INSERTITEM, WPARAM(nPos), reinterpret_cast<LPARAM>(phdi))); }
  BOOL DeleteItem(int nPos) { return BOOL(SendMessage(HDM_DELETEITEM, WPARAM(nPos))); }
  // Fills the fields the mask names; the text is cut to cchTextMax - 1 bytes.
  BOOL GetItem(int nPos, HDITEM* pHeaderItem) const {
    return BOOL(SendMessage(HDM_GETITEM, WPARAM(nPos), reinterpret_cast<LPARAM>(pHeaderItem)));
  }
  BOOL SetItem(int nPos, HDITEM* pHeaderItem) {
    return BOOL(SendMessage(HDM_SETITEM, WPARAM(nPos), reinterpret_cast<LPARAM>(pHeaderItem)));
  }
  BOOL GetItemRect(int nIndex, LPRECT lpRect) const {
    return BOOL(SendMessage(HDM_GETITEMRECT, WPARAM(nIndex), reinterpret_cast<LPARAM>(lpRect)));
  }
};
