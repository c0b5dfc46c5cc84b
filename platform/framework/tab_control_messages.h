// The tab control's messages, styles, notifications and records ("SysTabControl32"). The
// framework's property sheets and platform/controls' CTabCtrl both speak through them.
#pragma once

#include "platform/base/geometry.h"
#include "platform/win/messages.h"
#include "platform/base/win_types.h"

inline constexpr const char* WC_TABCONTROL = "SysTabControl32";
constexpr UINT TCN_SELCHANGE = UINT(-551);
constexpr UINT TCN_SELCHANGING = UINT(-552);

constexpr DWORD TCS_BOTTOM = 0x0002;
constexpr DWORD TCS_RIGHT = 0x0002;
constexpr DWORD TCS_VERTICAL = 0x0080;
constexpr DWORD TCS_BUTTONS = 0x0100;
constexpr DWORD TCS_OWNERDRAWFIXED = 0x2000;
constexpr UINT ODT_TAB = 101;

constexpr UINT TCM_FIRST = 0x1300;
// lParam: the CImageList to draw images from (the caller keeps it); the previous one comes back.
constexpr UINT TCM_GETIMAGELIST = TCM_FIRST + 2;
constexpr UINT TCM_SETIMAGELIST = TCM_FIRST + 3;
constexpr UINT TCM_GETITEMCOUNT = TCM_FIRST + 4;
constexpr UINT TCM_GETITEM = TCM_FIRST + 5;
constexpr UINT TCM_SETITEM = TCM_FIRST + 6;
constexpr UINT TCM_INSERTITEM = TCM_FIRST + 7;
constexpr UINT TCM_DELETEITEM = TCM_FIRST + 8;
constexpr UINT TCM_DELETEALLITEMS = TCM_FIRST + 9;
constexpr UINT TCM_GETITEMRECT = TCM_FIRST + 10;
constexpr UINT TCM_GETCURSEL = TCM_FIRST + 11;
constexpr UINT TCM_SETCURSEL = TCM_FIRST + 12;
constexpr UINT TCM_HITTEST = TCM_FIRST + 13;
constexpr UINT TCM_ADJUSTRECT = TCM_FIRST + 40;

constexpr UINT TCIF_TEXT = 0x0001;
constexpr UINT TCIF_IMAGE = 0x0002;
constexpr UINT TCIF_PARAM = 0x0008;

struct TCITEM {
  UINT mask = 0;
  DWORD dwState = 0;
  DWORD dwStateMask = 0;
  char* pszText = nullptr;  // in: the label; out: a buffer of cchTextMax bytes
  int cchTextMax = 0;
  int iImage = -1;
  LPARAM lParam = 0;
};

constexpr UINT TCHT_NOWHERE = 0x0001;
constexpr UINT TCHT_ONITEMICON = 0x0002;
constexpr UINT TCHT_ONITEMLABEL = 0x0004;
constexpr UINT TCHT_ONITEM = TCHT_ONITEMICON | TCHT_ONITEMLABEL;

struct TCHITTESTINFO {
  POINT pt;
  UINT flags;
};
