// Tool tips: the tools of a window (a rectangle or a child control, with a text or a text asked
// for later) and the hit test that finds the tool under the mouse. Frames and control bars answer
// OnToolHitTest; by default a child control under the point is the tool, its id the tool id.
//
// The owner relays its mouse messages to the control (RelayEvent), or the control takes them
// itself: a tool added with TTF_SUBCLASS has the mouse messages of its window (the tool's window
// with TTF_IDISHWND, else the window that owns it) relayed before that window sees them, until
// the tool is deleted, the control ends or the window goes. When the mouse rests on a tool
// for the initial delay, the tip pop-up shows the tool's text below the cursor; a tool without a
// text of its own asks its owner with WM_NOTIFY / TTN_NEEDTEXT. A click, a key or leaving the tool
// hides the tip.
#pragma once

#include <memory>
#include <vector>

#include "platform/base/cstring.h"
#include "platform/base/geometry.h"
#include "platform/framework/command_ids.h"
#include "platform/win/cwnd.h"

constexpr UINT TTF_IDISHWND = 0x0001;
constexpr UINT TTF_CENTERTIP = 0x0002;
constexpr UINT TTF_SUBCLASS = 0x0010;
constexpr UINT TTF_TRANSPARENT = 0x0100;
constexpr UINT TTF_NOTBUTTON = 0x80000000u;
constexpr UINT TTF_ALWAYSTIP = 0x0020;
// The text is asked of the owner when the tip shows.
inline char* const LPSTR_TEXTCALLBACK = reinterpret_cast<char*>(-1);

// The notification that asks a tool's owner for its text (idFrom is the tool id).
constexpr UINT TTN_NEEDTEXT = UINT(-520);
// TTN_NEEDTEXT's data: the owner points lpszText at its text (or at a string resource id, with
// hinst), or copies the text into szText.
struct TOOLTIPTEXT {
  NMHDR hdr;
  char* lpszText;
  char szText[80];
  HINSTANCE hinst;
  UINT uFlags;
};

// The tip control's messages: TTM_ACTIVATE turns its tips on (wParam TRUE) or off.
constexpr UINT TTM_ACTIVATE = WM_USER + 1;

// SetDelayTime kinds.
constexpr DWORD TTDT_AUTOMATIC = 0;
constexpr DWORD TTDT_RESHOW = 1;
constexpr DWORD TTDT_AUTOPOP = 2;
constexpr DWORD TTDT_INITIAL = 3;

struct TOOLINFO {
  UINT cbSize = sizeof(TOOLINFO);
  UINT uFlags = 0;
  HWND hwnd = nullptr;   // the window that owns the tool
  UINT_PTR uId = 0;      // the tool id, or the control's handle with TTF_IDISHWND
  RECT rect{0, 0, 0, 0};  // the tool's area in hwnd's client coordinates
  HINSTANCE hinst = nullptr;
  LPSTR lpszText = nullptr;
  LPARAM lParam = 0;
};

namespace framework {
class TipWindow;
// The child control of `parent` under `point` (client coordinates) as a tool: its id, or -1.
INT_PTR child_tool_hit_test(const CWnd* parent, CPoint point, TOOLINFO* pTI);
// The client-area mouse messages (moves, presses and releases) that tips follow.
bool is_tip_mouse_message(UINT message);
}  // namespace framework

// The tools of one window and whether tips show; the tip itself appears at the tool.
class CToolTipCtrl : public CObject {
 public:
  struct Tool {
    HWND owner;    // the window whose client rectangle `rect` lies in; asked for the text
    UINT_PTR id;   // with TTF_IDISHWND the tool's own window, covering all of its client area
    CRect rect;
    CString text;  // empty with `callback`
    bool callback;
    UINT flags;    // TTF_ bits
  };

  CToolTipCtrl();
  ~CToolTipCtrl() override;
  CToolTipCtrl(const CToolTipCtrl&) = delete;
  CToolTipCtrl& operator=(const CToolTipCtrl&) = delete;

  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
  BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
  // A tool as the platform's tool record describes it (hwnd, uId, rect, uFlags, lpszText).
  BOOL AddTool(const TOOLINFO& info);
  void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
  void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
  int GetToolCount() const { return int(tools_.size()); }
  void Activate(BOOL bActivate);
  BOOL IsActive() const { return active_; }
  // The control's messages (TTM_ACTIVATE); 0 for a message it does not know.
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  // The tool of `pWnd` under a client point, or null.
  const Tool* ToolAt(CWnd* pWnd, CPoint point) const;

  // Hands a message of a tool's owner to the control: mouse moves start the wait for a tool's tip,
  // clicks and keys hide it.
  void RelayEvent(MSG* pMsg);
  // TTDT_INITIAL (or TTDT_AUTOMATIC): the wait in milliseconds before a tip shows; 0 shows at once.
  void SetDelayTime(DWORD dwDuration, int iTime);
  // Hides the tip shown.
  void Pop();
  // The tip pop-up (null before the first tip) and whether it shows now.
  HWND GetTipWnd() const;
  bool IsTipShown() const;
  // A watched window is going: its tools go with it (its relay calls this).
  void ForgetWindow(HWND h);

 private:
  Tool* find(HWND owner, UINT_PTR id);
  // The window a tool's messages come from.
  static HWND WindowOf(const Tool& tool);
  // Watches the window of a TTF_SUBCLASS tool; stops watching windows no tool needs any more.
  void Subclass(const Tool& tool);
  void ReleaseWindows();
  // The text of a tool, asked of its owner for a callback tool; empty when there is none.
  CString TextOf(const Tool& tool);
  void ShowHovered();

  CWnd* parent_ = nullptr;
  std::vector<Tool> tools_;
  std::vector<HWND> watched_;  // windows whose messages come here by TTF_SUBCLASS
  bool active_ = true;
  std::unique_ptr<framework::TipWindow> tip_;
  int initial_ms_ = 500;
  // The tool the mouse rests on (none when `hovering_` is false) and where the tip goes.
  bool hovering_ = false;
  HWND hover_owner_ = nullptr;
  UINT_PTR hover_id_ = 0;
  POINT hover_screen_{0, 0};
};
