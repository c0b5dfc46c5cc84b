// System-wide parameters a program asks for by action: the non-client metrics with the fonts of
// captions, menus, the status line and message boxes, and the work area. They come from the same
// fixed classic table as the system metrics, so layouts are the same on every machine.
#pragma once

#include "platform/gdi/core/gdi_types.h"
#include "platform/base/win_types.h"

constexpr UINT SPI_GETNONCLIENTMETRICS = 0x0029;
constexpr UINT SPI_GETWORKAREA = 0x0030;
// Hover tracking (UINT values): the rectangle the mouse may move in while it rests, and how long
// it must rest (milliseconds).
constexpr UINT SPI_GETMOUSEHOVERWIDTH = 0x0062;
constexpr UINT SPI_GETMOUSEHOVERHEIGHT = 0x0064;
constexpr UINT SPI_GETMOUSEHOVERTIME = 0x0066;

struct NONCLIENTMETRICS {
  UINT cbSize = sizeof(NONCLIENTMETRICS);
  int iBorderWidth = 0;
  int iScrollWidth = 0;
  int iScrollHeight = 0;
  int iCaptionWidth = 0;
  int iCaptionHeight = 0;
  LOGFONT lfCaptionFont{};
  int iSmCaptionWidth = 0;
  int iSmCaptionHeight = 0;
  LOGFONT lfSmCaptionFont{};
  int iMenuWidth = 0;
  int iMenuHeight = 0;
  LOGFONT lfMenuFont{};
  LOGFONT lfStatusFont{};
  LOGFONT lfMessageFont{};
};

// FALSE for an action the layer does not answer, a null pointer, or (for the metrics) a record
// whose cbSize is not its size.
BOOL SystemParametersInfo(UINT uiAction, UINT uiParam, void* pvParam, UINT fWinIni);
