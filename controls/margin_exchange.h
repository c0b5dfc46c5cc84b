// Data exchange of margin fields: margins are whole millimetres in the program and centimetres
// in the fields ("2.5 cm"). 0 means that no margin was set and stands for 2 cm.
#pragma once

#include "platform/base/win_types.h"

class CDataExchange;

namespace margins {
// The margin a stored 0 stands for, in millimetres.
constexpr UINT kDefaultMargin = 20;
// The margin itself, or the default for 0.
constexpr UINT OrDefault(UINT millimetres) { return millimetres ? millimetres : kDefaultMargin; }
// Shows a margin in a field in the numeric field's form: "2.5 cm" for 25. A CNumEdit field keeps
// its decimals (they only grow); another field gets the decimals the value needs.
void ShowMargin(HWND field, UINT millimetres);
}  // namespace margins

// Loading: 0 becomes the default, and the field shows the margin. Saving: an empty field gives
// the default; otherwise the text must be centimetres (a number, optionally the unit cm), else
// message 218 is shown and the exchange fails on the field.
void DDX_Margin(CDataExchange* pDX, int nIDC, UINT& millimetres);
// Saving: a margin outside minimum to maximum (millimetres) shows message 219 with the limits in
// centimetres ("0.5cm" and "5cm") and fails.
void DDV_Margin(CDataExchange* pDX, UINT millimetres, UINT minimum, UINT maximum);
// The same for the notes margin, message 230 with the limits in whole centimetres.
void DDV_NotesMargin(CDataExchange* pDX, UINT millimetres, UINT minimum, UINT maximum);
