// The tree-view programming model without a tree window: item handles, item and insert records,
// next-item and expand codes, state and style bits, hit-test flags and the notifications with
// their records. The toolkit's tree draws itself over its list control and speaks this model to
// its parent, so the layer offers only the definitions.
//
// Item records: `mask` says which fields count (TVIF_). A text of LPSTR_TEXTCALLBACK, or an image,
// selected image or child count of I_IMAGECALLBACK / I_CHILDRENCALLBACK, is asked from the parent
// with TVN_GETDISPINFO when needed. State bits 8 to 11 are the overlay index and 12 to 15 the state
// image index, as in the list view.
#pragma once

#include "platform/framework/tool_tips.h"  // LPSTR_TEXTCALLBACK
#include "platform/win/cmd_target.h"        // NMHDR

// An item handle; the tree decides what it points at. The insert positions below are handle
// values that no item has.
struct TREEITEM_;
using HTREEITEM = TREEITEM_*;

inline HTREEITEM const TVI_ROOT = reinterpret_cast<HTREEITEM>(-0x10000);
inline HTREEITEM const TVI_FIRST = reinterpret_cast<HTREEITEM>(-0x0FFFF);
inline HTREEITEM const TVI_LAST = reinterpret_cast<HTREEITEM>(-0x0FFFE);
inline HTREEITEM const TVI_SORT = reinterpret_cast<HTREEITEM>(-0x0FFFD);

// Window styles.
constexpr DWORD TVS_HASBUTTONS = 0x0001;
constexpr DWORD TVS_HASLINES = 0x0002;
constexpr DWORD TVS_LINESATROOT = 0x0004;
constexpr DWORD TVS_EDITLABELS = 0x0008;
constexpr DWORD TVS_DISABLEDRAGDROP = 0x0010;
constexpr DWORD TVS_SHOWSELALWAYS = 0x0020;
constexpr DWORD TVS_NOTOOLTIPS = 0x0080;
constexpr DWORD TVS_CHECKBOXES = 0x0100;
constexpr DWORD TVS_TRACKSELECT = 0x0200;
constexpr DWORD TVS_SINGLEEXPAND = 0x0400;
constexpr DWORD TVS_FULLROWSELECT = 0x1000;
constexpr DWORD TVS_NOSCROLL = 0x2000;
constexpr DWORD TVS_NONEVENHEIGHT = 0x4000;

// Item record fields.
constexpr UINT TVIF_TEXT = 0x0001;
constexpr UINT TVIF_IMAGE = 0x0002;
constexpr UINT TVIF_PARAM = 0x0004;
constexpr UINT TVIF_STATE = 0x0008;
constexpr UINT TVIF_HANDLE = 0x0010;
constexpr UINT TVIF_SELECTEDIMAGE = 0x0020;
constexpr UINT TVIF_CHILDREN = 0x0040;
constexpr UINT TVIF_DI_SETITEM = 0x1000;  // in a display-info answer: keep the value

// Item state bits.
constexpr UINT TVIS_SELECTED = 0x0002;
constexpr UINT TVIS_CUT = 0x0004;
constexpr UINT TVIS_DROPHILITED = 0x0008;
constexpr UINT TVIS_BOLD = 0x0010;
constexpr UINT TVIS_EXPANDED = 0x0020;
constexpr UINT TVIS_EXPANDEDONCE = 0x0040;
constexpr UINT TVIS_EXPANDPARTIAL = 0x0080;
constexpr UINT TVIS_OVERLAYMASK = 0x0F00;
constexpr UINT TVIS_STATEIMAGEMASK = 0xF000;
constexpr UINT TVIS_USERMASK = 0xF000;

constexpr int I_CHILDRENCALLBACK = -1;

// Next-item codes.
constexpr UINT TVGN_ROOT = 0x0000;
constexpr UINT TVGN_NEXT = 0x0001;
constexpr UINT TVGN_PREVIOUS = 0x0002;
constexpr UINT TVGN_PARENT = 0x0003;
constexpr UINT TVGN_CHILD = 0x0004;
constexpr UINT TVGN_FIRSTVISIBLE = 0x0005;
constexpr UINT TVGN_NEXTVISIBLE = 0x0006;
constexpr UINT TVGN_PREVIOUSVISIBLE = 0x0007;
constexpr UINT TVGN_DROPHILITE = 0x0008;
constexpr UINT TVGN_CARET = 0x0009;
constexpr UINT TVGN_LASTVISIBLE = 0x000A;

// Expand codes.
constexpr UINT TVE_COLLAPSE = 0x0001;
constexpr UINT TVE_EXPAND = 0x0002;
constexpr UINT TVE_TOGGLE = 0x0003;
constexpr UINT TVE_EXPANDPARTIAL = 0x4000;
constexpr UINT TVE_COLLAPSERESET = 0x8000;  // with TVE_COLLAPSE: the children are deleted too

// What caused a selection change (NMTREEVIEW::action).
constexpr UINT TVC_UNKNOWN = 0x0000;
constexpr UINT TVC_BYMOUSE = 0x0001;
constexpr UINT TVC_BYKEYBOARD = 0x0002;

// Image list kinds.
constexpr int TVSIL_NORMAL = 0;
constexpr int TVSIL_STATE = 2;

// Hit-test flags.
constexpr UINT TVHT_NOWHERE = 0x0001;
constexpr UINT TVHT_ONITEMICON = 0x0002;
constexpr UINT TVHT_ONITEMLABEL = 0x0004;
constexpr UINT TVHT_ONITEMINDENT = 0x0008;
constexpr UINT TVHT_ONITEMBUTTON = 0x0010;
constexpr UINT TVHT_ONITEMRIGHT = 0x0020;
constexpr UINT TVHT_ONITEMSTATEICON = 0x0040;
constexpr UINT TVHT_ONITEM = TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON;
constexpr UINT TVHT_ABOVE = 0x0100;
constexpr UINT TVHT_BELOW = 0x0200;
constexpr UINT TVHT_TORIGHT = 0x0400;
constexpr UINT TVHT_TOLEFT = 0x0800;

// Notifications (WM_NOTIFY codes).
constexpr UINT TVN_FIRST = UINT(-400);
constexpr UINT TVN_SELCHANGING = UINT(-401);    // NMTREEVIEW; TRUE refuses
constexpr UINT TVN_SELCHANGED = UINT(-402);     // NMTREEVIEW
constexpr UINT TVN_GETDISPINFO = UINT(-403);    // NMTVDISPINFO; the parent fills the item
constexpr UINT TVN_SETDISPINFO = UINT(-404);    // NMTVDISPINFO
constexpr UINT TVN_ITEMEXPANDING = UINT(-405);  // NMTREEVIEW, action = expand code; TRUE refuses
constexpr UINT TVN_ITEMEXPANDED = UINT(-406);   // NMTREEVIEW, action = expand code
constexpr UINT TVN_BEGINDRAG = UINT(-407);      // NMTREEVIEW with the press point
constexpr UINT TVN_BEGINRDRAG = UINT(-408);
constexpr UINT TVN_DELETEITEM = UINT(-409);      // NMTREEVIEW, itemOld: handle and item data
constexpr UINT TVN_BEGINLABELEDIT = UINT(-410);  // NMTVDISPINFO; TRUE refuses
constexpr UINT TVN_ENDLABELEDIT = UINT(-411);    // NMTVDISPINFO, null text when cancelled; TRUE keeps
constexpr UINT TVN_KEYDOWN = UINT(-412);         // NMTVKEYDOWN
constexpr UINT TVN_LAST = UINT(-499);

struct TVITEM {
  UINT mask = 0;
  HTREEITEM hItem = nullptr;
  UINT state = 0;
  UINT stateMask = 0;
  LPSTR pszText = nullptr;
  int cchTextMax = 0;
  int iImage = 0;
  int iSelectedImage = 0;
  int cChildren = 0;
  LPARAM lParam = 0;
};
using LPTVITEM = TVITEM*;

struct TVINSERTSTRUCT {
  HTREEITEM hParent = nullptr;
  HTREEITEM hInsertAfter = nullptr;  // an item or TVI_FIRST, TVI_LAST, TVI_SORT
  TVITEM item;
};
using LPTVINSERTSTRUCT = TVINSERTSTRUCT*;

struct TVHITTESTINFO {
  POINT pt{0, 0};
  UINT flags = 0;
  HTREEITEM hItem = nullptr;
};

struct NMTREEVIEW {
  NMHDR hdr{};
  UINT action = 0;
  TVITEM itemOld;
  TVITEM itemNew;
  POINT ptDrag{0, 0};
};
using LPNMTREEVIEW = NMTREEVIEW*;

struct NMTVDISPINFO {
  NMHDR hdr{};
  TVITEM item;
};

struct NMTVKEYDOWN {
  NMHDR hdr{};
  WORD wVKey = 0;
  UINT flags = 0;
};
