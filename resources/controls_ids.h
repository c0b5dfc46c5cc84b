// Resource and command ids of the in-house controls (dialog bases, print dialogs, status bar, lists, edits, skinning): the ids the controls' dialogs and strings are given. Included by resource_ids.h; each area keeps its
// ids here so that work on one area never touches another's.
#pragma once

#include "platform/base/win_types.h"

namespace resources {

// Abbreviations of the length units.
constexpr UINT IDS_UNIT_INCH_MARK = 169;
constexpr UINT IDS_UNIT_IN = 170;
constexpr UINT IDS_UNIT_INCH = 171;
constexpr UINT IDS_UNIT_INCHES = 172;
constexpr UINT IDS_UNIT_CENTIMETRE = 173;
constexpr UINT IDS_UNIT_POINT = 174;
constexpr UINT IDS_UNIT_PICA = 175;

// The date field: its hand cursor and the command a click on it posts to itself.
constexpr UINT IDC_DATE_HAND = 143;
constexpr UINT ID_DATE_CALENDAR_OPTIONS = 32949;

}  // namespace resources
