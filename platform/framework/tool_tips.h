// Tool tips: the tools of a window (a rectangle or a child control, with a text or a text asked
// for later) and the hit test that finds the tool under the mouse. Frames and control bars answer
// OnToolHitTest; by default a child control under the point is the tool, its id the tool id.
#pragma once

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
// The child control of `parent` under `point` (client coordinates) as a tool: its id, or -1.
INT_PTR child_tool_hit_test(const CWnd* parent, CPoint point, TOOLINFO* pTI);
}  // namespace framework

// The tools of one window and whether tips show; the tip itself appears at the tool.
class CToolTipCtrl : public CObject {
 public:
  struct Tool {
    HWND owner;
    UINT_PTR id;
    CRect rect;
    CString text;  // empty with `callback`
    bool callback;
  };

  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
  BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
  void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
  void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
  int GetToolCount() const { return int(tools_.size()); }
  void Activate(BOOL bActivate) { active_ = bActivate != FALSE; }
  BOOL IsActive() const { return active_; }
  // The tool of `pWnd` under a client point, or null.
  const Tool* ToolAt(CWnd* pWnd, CPoint point) const;

 private:
  Tool* find(HWND owner, UINT_PTR id);
  CWnd* parent_ = nullptr;
  std::vector<Tool> tools_;
  bool active_ = true;
};
