// The progress bar ("msctls_progress32"): a range, a position clamped to it and a step, drawn as
// a filled part of a sunken box.
#pragma once

#include "platform/win/cwnd.h"

inline constexpr const char* PROGRESS_CLASS = "msctls_progress32";
constexpr UINT PBM_SETRANGE = WM_USER + 1;
constexpr UINT PBM_SETPOS = WM_USER + 2;
constexpr UINT PBM_DELTAPOS = WM_USER + 3;
constexpr UINT PBM_SETSTEP = WM_USER + 4;
constexpr UINT PBM_STEPIT = WM_USER + 5;
constexpr UINT PBM_SETRANGE32 = WM_USER + 6;
constexpr UINT PBM_GETRANGE = WM_USER + 7;
constexpr UINT PBM_GETPOS = WM_USER + 8;

struct PBRANGE {
  int iLow;
  int iHigh;
};

namespace controls {
void register_progress_control();
}  // namespace controls

class CProgressCtrl : public CWnd {
  DECLARE_DYNAMIC(CProgressCtrl)

 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  void SetRange(short nLower, short nUpper) { SendMessage(PBM_SETRANGE, 0, MAKELPARAM(WORD(nLower), WORD(nUpper))); }
  void SetRange32(int nLower, int nUpper) { SendMessage(PBM_SETRANGE32, WPARAM(nLower), LPARAM(nUpper)); }
  void GetRange(int& nLower, int& nUpper) const;
  // The set and offset calls return the previous position.
  int SetPos(int nPos) { return int(SendMessage(PBM_SETPOS, WPARAM(nPos))); }
  int GetPos() const { return int(SendMessage(PBM_GETPOS)); }
  int OffsetPos(int nPos) { return int(SendMessage(PBM_DELTAPOS, WPARAM(nPos))); }
  int SetStep(int nStep) { return int(SendMessage(PBM_SETSTEP, WPARAM(nStep))); }
  int StepIt() { return int(SendMessage(PBM_STEPIT)); }
};
