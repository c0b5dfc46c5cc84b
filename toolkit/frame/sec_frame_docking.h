// What the toolkit's two main frames (SECMDIFrameWnd, SECFrameWnd) do alike with their bars: the
// dock bars of the four sides, docking with a share and a length, docking into a rectangle and
// back to a remembered place, floating in a toolkit floating frame, showing and hiding, the saved
// layout, the caption painter and the window plug-in. Each frame calls these with itself.
#pragma once

#include <functional>
#include <memory>

#include "platform/framework/frame_wnd.h"
#include "toolkit/frame/sec_dock_bar.h"

class CDC;
class CFont;
class SECControlBarManager;
class SECWndPlugIn;

// How much of its row and how long a bar docked with DockControlBar starts.
struct SECDockInfo {
  float m_fPctWidth = 1.0f;
  int m_nLength = -1;
};

namespace secframe {

// Makes the dock bars of the sides `sides` names that the frame lacks, each by `make`; a dock
// bar that cannot be made throws CResourceException.
void EnableDocking(CFrameWnd* frame, DWORD sides, const std::function<CDockBar*()>& make);
// The dock bar of `id`, else the side the bar's alignment names, else the first side it may dock
// on; null when none.
CDockBar* DockBarFor(CFrameWnd* frame, CControlBar* bar, UINT id);
// Docks the bar into `dock` at the insert record with the share and length of `info`.
void DockWithInfo(CControlBar* bar, CDockBar* dock, const SECDockBarInsertRecord& rec, const SECDockInfo& info);
// Docks the bar into `dock` (null: the one of its side) at a screen rectangle.
void DockInto(CFrameWnd* frame, CControlBar* bar, CDockBar* dock, LPCRECT rect);
// Docks the bar back at its remembered place: in `dock`, else the side dock bar that keeps its
// place, else the one of its side.
void ReDock(CFrameWnd* frame, CControlBar* bar, CDockBar* dock, LPCRECT rect);
// The floating dock bar that holds the bar alone in an alignment `style` allows, or null.
CDockBar* LoneFloatingDock(CControlBar* bar, DWORD style);
// When the bar floats alone in a floating frame of a matching alignment, moves that frame to
// `point` and says so.
bool MoveLoneFloating(CControlBar* bar, CPoint point, DWORD style);
// Floats the bar in a new floating frame at `point`, shown when the bar is visible or `always`.
void FloatInNewFrame(CFrameWnd* frame, CControlBar* bar, CPoint point, DWORD style, BOOL always);
// The bar's style for floating: a dynamic bar lines up horizontally.
DWORD FloatStyle(CControlBar* bar, DWORD style);
// Shows or hides a bar (and its floating frame), at once or at the next idle layout.
void ShowBar(CFrameWnd* frame, CControlBar* bar, BOOL show, BOOL delay);

// The saved layout in the profile under `name`.
void LoadBarState(CFrameWnd* frame, SECControlBarManager* manager, LPCTSTR name);
void SaveBarState(CFrameWnd* frame, SECControlBarManager* manager, LPCTSTR name);
void SetDockState(CFrameWnd* frame, const CDockState& state);
void GetDockState(CFrameWnd* frame, CDockState& state);

// After the framework's layout pass: the first layout repaints the whole frame, later ones the bars
// waiting to be redrawn; `inside` takes the area the bars leave free.
void FinishLayout(CFrameWnd* frame, bool first, CRect& inside);

// The system caption font, in italics when asked.
BOOL CreateCaptionFont(CFont& font, BOOL italic);
// Paints a caption of `rect` with the window's text: the gradient or the inactive colour, the
// part before the first hyphen in `italic`, the rest in `normal`.
void DrawCaption(CWnd* wnd, CDC* dc, const CRect& rect, BOOL active, int alignment, CFont& italic, CFont& normal);

// The menu plug-in a frame's settings ask for, plugged into `host`: the menu-bar feature driving
// `menuBar` (a toolkit menu bar), else with `bitmapMenus` the bitmap menus, else none. It draws
// with the images of `manager` when that is a toolbar manager.
SECWndPlugIn* MakeMenuPlugIn(CWnd* host, CWnd* menuBar, BOOL bitmapMenus, SECControlBarManager* manager);
// Gives the bitmap menus of `plugIn` (if it has them) the images of `manager` (if a toolbar manager).
void ShareMenuImages(SECWndPlugIn* plugIn, SECControlBarManager* manager);

// A window plug-in of `kind` with a window of its own (extended style `dwExStyle`, creation
// parameter `dwParam`, id `nID`, owned by `host`), then plugged into `host` (it works through the
// host's window); null when `kind` is no plug-in class or the plug-in cannot be made or plugged in.
std::unique_ptr<SECWndPlugIn> MakeWindowPlugIn(CWnd* host, const CRuntimeClass* kind, DWORD dwExStyle, DWORD dwParam,
                                               UINT nID);

}  // namespace secframe
