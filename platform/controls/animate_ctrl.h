// The animation control ("SysAnimate32"): a clip of square frames taken from a bitmap resource
// strip (each frame as wide as the strip is high, left to right), shown one frame at a time.
// Playing steps through a range of frames on a timer, from the first to the last and again as
// many times as asked (-1 without end); the parent hears ACN_START and ACN_STOP through
// WM_COMMAND. ACS_CENTER centres the frame in the window; otherwise it sits at the top left.
#pragma once

#include "platform/win/cwnd.h"

inline constexpr const char* ANIMATE_CLASS = "SysAnimate32";

constexpr DWORD ACS_CENTER = 0x0001;

constexpr UINT ACM_OPEN = WM_USER + 100;
constexpr UINT ACM_PLAY = WM_USER + 101;
constexpr UINT ACM_STOP = WM_USER + 102;

constexpr WORD ACN_START = 1;
constexpr WORD ACN_STOP = 2;

namespace controls {
void register_animate_control();
// The time one frame stays on screen while playing.
constexpr UINT kAnimationFrameMs = 100;
}  // namespace controls

class CAnimateCtrl : public CWnd {
  DECLARE_DYNAMIC(CAnimateCtrl)

 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  // Opens the clip of a bitmap resource and shows its first frame; false (and no clip) when the
  // resource is missing or not a bitmap.
  BOOL Open(UINT nID) { return BOOL(SendMessage(ACM_OPEN, 0, LPARAM(nID))); }
  // Frames `nFrom` to `nTo` (0xFFFF: the last), `nRep` times (-1: until stopped).
  BOOL Play(UINT nFrom, UINT nTo, UINT nRep) {
    return BOOL(SendMessage(ACM_PLAY, WPARAM(nRep), MAKELPARAM(WORD(nFrom), WORD(nTo))));
  }
  BOOL Stop() { return BOOL(SendMessage(ACM_STOP)); }
  BOOL Close() { return BOOL(SendMessage(ACM_OPEN)); }
  BOOL Seek(UINT nTo) { return Play(nTo, nTo, 1); }
};
