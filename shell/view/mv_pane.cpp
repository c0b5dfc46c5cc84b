#include "shell/view/mv_pane.h"

#include <vector>

#include "engine/frame/clipboard_render.h"
#include "engine/frame/hit_marks.h"
#include "engine/frame/inserted_objects.h"
#include "engine/frame/painting.h"
#include "engine/frame/scrolling.h"
#include "engine/frame/selection.h"
#include "engine/frame/topic_layout.h"
#include "engine/medview/engine_titles.h"
#include "engine/medview/viewer_embeds.h"
#include "engine/medview/viewer_fonts.h"
#include "navigation/act_dlg.h"
#include "navigation/nav_commands.h"
#include "navigation/pane_drag.h"
#include "platform/framework/menu.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/shell/clipboard.h"
#include "platform/win/cmd_ui.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_api.h"
#include "platform/win/window_dc.h"
#include "resources/app_ids.h"
#include "resources/resource_ids.h"
#include "shell/library_title.h"
#include "shell/lumo_app.h"
#include "shell/lumo_kal_doc.h"
#include "shell/view/lumo_kal_view.h"
#include "shell/view/mv_panes.h"
#include "shell/view/view_rules.h"

namespace {

constexpr UINT kHoverDelay = 650;
constexpr DWORD kHoverRest = 1000;
constexpr UINT ID_LINK_OPEN = resources::ID_ENTRY_OPEN;
constexpr UINT ID_LINK_OPEN_NEW_SHEET = resources::ID_ENTRY_OPEN_NEW_SHEET;
constexpr UINT kStyleNameLimit = 64;

HDC PaneGetDC(HWND window) { return ::GetDC(window); }
void PaneReleaseDC(HWND window, HDC hdc) { ::ReleaseDC(window, hdc); }
bool PaneClientRect(HWND window, RECT* rect) { return ::IsWindow(window) && ::GetClientRect(window, rect); }

// The pen and brush of one drawing, restored when it ends.
class SelectedObject {
 public:
  SelectedObject(HDC hdc, HGDIOBJ object) : hdc_(hdc), old_(::SelectObject(hdc, object)) {}
  ~SelectedObject() { ::SelectObject(hdc_, old_); }

 private:
  HDC hdc_;
  HGDIOBJ old_;
};

// A hotspot's data (a macro's text) comes back only into room the caller gives the target.
struct HotspotLookup {
  medview::HotspotInfo info;
  medview::HotspotTarget target;
  std::vector<uint8_t> data;
};

// The hotspot under a point, or the one selected with the keyboard (`at` null), with its data;
// false when there is none.
bool LookUpHotspot(medview::ViewerHandle viewer, const POINT* at, HotspotLookup& out) {
  constexpr int32_t kRoom = 512;
  int32_t needed = kRoom;
  for (int round = 0; round < 2; ++round) {
    out.data.assign(size_t(needed), 0);
    out.target = medview::HotspotTarget{};
    out.target.buffer = out.data.data();
    out.target.bufferSize = needed;
    const BOOL found = at ? medview::MvHotspotFromPoint(viewer, at->x, at->y, &out.info, &out.target, nullptr)
                          : medview::MvGetCurrentHotspot(viewer, &out.target, nullptr);
    if (!found) return false;
    if (out.target.dataLength <= out.target.bufferSize) return true;
    needed = out.target.dataLength;
  }
  return false;
}

}  // namespace

const char* MvPaneClassName() {
  static std::string name = [] {
    medview::MvSetWindowServices(PaneGetDC, PaneReleaseDC, PaneClientRect);
    medview::MvSetClipFormatRegistrar([](const char* format) -> uint32_t { return ::RegisterClipboardFormat(format); });
    WNDCLASS existing{};
    if (::GetClassInfo("AfxMvPane", &existing)) return std::string("AfxMvPane");
    WNDCLASS wc{};
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "AfxMvPane";
    return ::RegisterClass(&wc) ? std::string("AfxMvPane") : std::string();
  }();
  return name.c_str();
}

IMPLEMENT_DYNAMIC(CMvPane, CWnd)

BEGIN_MESSAGE_MAP(CMvPane, CWnd)
  ON_WM_PAINT()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_KEYDOWN()
  ON_WM_RBUTTONUP()
  ON_WM_TIMER()
  ON_WM_GETDLGCODE()
  ON_WM_KILLFOCUS()
  ON_WM_ACTIVATE()
  ON_WM_CONTEXTMENU()
  ON_MESSAGE(kMsgClosePopups, &CMvPane::OnClosePopupsMessage)
  ON_COMMAND(ID_LINK_OPEN, &CMvPane::OnOpenLink)
  ON_COMMAND(ID_LINK_OPEN_NEW_SHEET, &CMvPane::OnOpenLinkInNewSheet)
  ON_WM_SETFOCUS()
  ON_COMMAND(resources::ID_HOTSPOT_RUN_MACRO, &CMvPane::OnRunObjectMacro)
  ON_COMMAND(resources::ID_ENTRY_INFORMATION, &CMvPane::OnLinkInformation)
  ON_COMMAND(resources::ID_ENTRY_ADD_BOOKMARK, &CMvPane::OnLinkAddBookmark)
  ON_COMMAND(resources::ID_ENTRY_LOCATE_IN_LIBRARY, &CMvPane::OnLinkLocate)
  ON_UPDATE_COMMAND_UI(ID_LINK_OPEN, &CMvPane::OnUpdateLinkCommand)
  ON_UPDATE_COMMAND_UI(ID_LINK_OPEN_NEW_SHEET, &CMvPane::OnUpdateLinkCommand)
  ON_UPDATE_COMMAND_UI(resources::ID_HOTSPOT_RUN_MACRO, &CMvPane::OnUpdateLinkCommand)
  ON_UPDATE_COMMAND_UI(resources::ID_ENTRY_INFORMATION, &CMvPane::OnUpdateLinkCommand)
  ON_UPDATE_COMMAND_UI(resources::ID_ENTRY_ADD_BOOKMARK, &CMvPane::OnUpdateLinkCommand)
  ON_UPDATE_COMMAND_UI(resources::ID_ENTRY_LOCATE_IN_LIBRARY, &CMvPane::OnUpdateLinkCommand)
END_MESSAGE_MAP()

CMvPane::CMvPane() { MvPaneClassName(); }

CMvPane::~CMvPane() {
  Detach(TRUE);
  if (m_hWnd) DestroyWindow();
}

int32_t CMvPane::GetCurrentTopic() const { return m_pViewer ? frame::MvGetCurrentTopic(m_pViewer) : -1; }

int32_t CMvPane::TargetTopic(uint32_t hash) const {
  if (!m_pViewer) return -1;
  const int32_t position = medview::MvContextHashToPosition(m_pViewer->title, hash);
  if (position == -1) return -1;
  medview::ViewerHandle clone = medview::MvCloneViewer(m_pViewer, nullptr);
  if (!clone) return -1;
  int32_t topic = -1;
  if (frame::MvSetTopic(clone, position, 0, 0, nullptr) || frame::MvSetTopic(clone, position, 1, 0, nullptr)) {
    topic = frame::MvGetCurrentTopic(clone);
  }
  medview::MvDestroyViewer(clone);
  return topic;
}

void CMvPane::OnPopupCreated(int, CMvPane*) {}

BOOL CMvPane::AttachViewer(title::TitleHandle* title, LPCTSTR lpszTitleFile, medview::ViewerHandle* clone_of) {
  FreeViewer();
  medview::TitleErrorCode error = 0;
  m_pViewer = clone_of && *clone_of ? medview::MvCloneViewer(*clone_of, &error) : medview::MvCreateViewer(title, &error);
  if (!m_pViewer) return FALSE;
  const std::string name = lpszTitleFile ? CString(lpszTitleFile).str() : std::string();
  if (!medview::MvSetTitle(m_pViewer, title, name.empty() ? nullptr : name.c_str(), &error) ||
      !medview::MvSetWindow(m_pViewer, m_hWnd, &error)) {
    FreeViewer();
    return FALSE;
  }
  medview::MvSetEdgeLineReport(m_pViewer, FALSE);
  medview::MvSetKerningMinSize(m_pViewer, m_nKerning);
  SetBackColor(m_crBack);
  SetTextColor(m_crText);
  const double zoom = m_dZoom;
  m_dZoom = 0;
  SetZoom(zoom);
  return TRUE;
}

void CMvPane::FreeViewer() {
  if (!m_pViewer) return;
  medview::MvSetEmbedCallback(m_pViewer, nullptr, 0, nullptr);
  frame::MvResetView(m_pViewer);
  medview::MvDestroyViewer(m_pViewer);
  m_pViewer = nullptr;
  if (m_hWnd && CWnd::GetCapture() == this) ::ReleaseCapture();
  ClosePopups();
}

BOOL CMvPane::Create(UINT nID, CLumoKALView* owner, BOOL bRegister) {
  if (!owner) return FALSE;
  if (!m_hWnd) {
    if (!SubclassDlgItem(nID, owner)) return FALSE;
  } else {
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  m_pOwner = owner;
  if (bRegister) owner->AddPane(this);
  return TRUE;
}

void CMvPane::Detach(BOOL bUnregister) {
  FreeViewer();
  if (m_pOwner) {
    if (bUnregister) m_pOwner->RemovePane(this);
    m_pOwner = nullptr;
  }
}

BOOL CMvPane::ClosePopups() {
  m_pPopup.reset();
  m_pTooltip.reset();
  return TRUE;
}

BOOL CMvPane::ShowPopup(const RECT& rect, const int32_t* position) {
  if (!m_pViewer) return FALSE;
  if (m_pPopup) return m_pPopup->ShowPopup(rect, position);
  m_pPopup = std::make_unique<CMvPopupPane>(this);
  if (!m_pPopup->Show(rect, position)) {
    m_pPopup.reset();
    return FALSE;
  }
  return TRUE;
}

BOOL CMvPane::ShowTooltip(const medview::HotspotTarget& target, int32_t position, int style) {
  if (!m_pViewer || m_pTooltip) return FALSE;
  auto tooltip = std::make_unique<CMvTooltipPane>(this);
  COLORREF strip = 0x808080;
  if (CLumoApp* app = LumoApp()) {
    const CUserData& user = app->GetUserData();
    switch (style) {
      case 3: strip = user.m_crLinkDU; break;
      case 5: case 6: strip = user.m_crLinkPoz; break;
      case 7: strip = user.m_crLinkArt; break;
      case 8: strip = user.m_crLinkArtW; break;
      default: break;
    }
  }
  tooltip->SetStripColour(strip);
  m_pTooltip = std::move(tooltip);
  if (!m_pTooltip->Show(target.rect, &position)) {
    m_pTooltip.reset();
    return FALSE;
  }
  return TRUE;
}

BOOL CMvPane::Draw(CDC* pDC, const RECT* clip) {
  if (!m_pViewer || !pDC) return FALSE;
  HBRUSH brush = ::CreateSolidBrush(m_crBack);
  BOOL painted;
  {
    SelectedObject selected(pDC->m_hDC, brush);
    painted = medview::MvPaint(m_pViewer, pDC->m_hDC, clip, nullptr);
  }
  ::DeleteObject(brush);
  return painted;
}

BOOL CMvPane::Layout() {
  if (!m_pViewer) return FALSE;
  int32_t sel[4] = {0, 0, 0, 0};
  const bool keep = KeepsSelection() && medview::MvHasSelection(m_pViewer);
  if (keep) medview::MvGetSelection(m_pViewer, &sel[0], &sel[1], &sel[2], &sel[3]);
  frame::MvResetView(m_pViewer);
  // Laying out only measures: a memory context lent for it leaves the window's pixels, and so the
  // screen, as they are until the pane paints.
  HDC measure = ::CreateCompatibleDC(nullptr);
  HDC previous = measure ? medview::MvUseCallerDC(m_pViewer, measure) : nullptr;
  const BOOL laid = frame::MvLayoutTopic(m_pViewer, nullptr, nullptr);
  if (measure) {
    medview::MvRestoreCallerDC(m_pViewer, previous);
    ::DeleteDC(measure);
  }
  if (keep) medview::MvSetSelection(m_pViewer, sel[0], sel[1], sel[2], sel[3]);
  return laid;
}

BOOL CMvPane::FitToContent(BOOL bRelayout) { return bRelayout ? Layout() : TRUE; }

BOOL CMvPane::GoToTopic(int32_t position, int32_t offset, BOOL bPreferScrolling) {
  if (!m_pViewer) return FALSE;
  const int16_t shows = ShowsScrollingRegion() ? 1 : 0;
  const int16_t regions[3] = {int16_t(shows && bPreferScrolling), shows, int16_t(!shows)};
  for (int16_t region : regions) {
    if (frame::MvSetTopic(m_pViewer, position, region, offset, nullptr)) return TRUE;
  }
  return FALSE;
}

void CMvPane::SetCursorForKind(int kind) {
  if (kind >= 0 && kind < 3 && m_cursors[kind]) {
    ::SetCursor(m_cursors[kind]);
  } else {
    SetTextCursor(nullptr);
  }
}

void CMvPane::SetTextCursor(CWnd* pWnd) {
  static HCURSOR arrow = ::LoadCursor(nullptr, IDC_ARROW);
  static HCURSOR beam = ::LoadCursor(nullptr, IDC_IBEAM);
  if (!pWnd || !KeepsSelection()) {
    ::SetCursor(arrow);
    return;
  }
  POINT point;
  ::GetCursorPos(&point);
  ::ScreenToClient(m_hWnd, &point);
  ::SetCursor(IsPointInSelection(point.x, point.y) ? arrow : beam);
}

void CMvPane::SetKindCursor(int kind, HCURSOR cursor) {
  if (kind >= 0 && kind < 3) m_cursors[kind] = cursor;
}

COLORREF CMvPane::SetBackColor(COLORREF colour) {
  const COLORREF old = m_crBack;
  m_crBack = colour;
  if (m_pViewer) medview::MvSetBackColor(m_pViewer, colour);
  if (m_hWnd) Invalidate();
  return old;
}

COLORREF CMvPane::SetTextColor(COLORREF colour) {
  const COLORREF old = m_crText;
  m_crText = colour;
  if (m_pViewer) medview::MvSetTextColor(m_pViewer, colour);
  if (m_hWnd) Invalidate();
  return old;
}

double CMvPane::SetZoom(double factor) {
  const double old = m_dZoom;
  m_dZoom = factor;
  if (m_pViewer) medview::MvSetZoom(m_pViewer, int32_t(factor * 100 + 0.5), nullptr);
  return old;
}

BOOL CMvPane::IsPointInSelection(int, int) { return FALSE; }

int CMvPane::GetStyleCount() {
  return m_pViewer ? medview::MvGetStyleCount(medview::MvGetStyleSheet(m_pViewer), nullptr) : 0;
}

void CMvPane::ApplyLinkStyles(BOOL bOn) {
  if (!m_pViewer) return;
  auto* sheet = const_cast<title::StyleSheet*>(medview::MvGetStyleSheet(m_pViewer));
  title::LogFontHead font;
  int32_t index = 3;
  if (!sheet || !medview::MvGetStyle(sheet, &index, nullptr, {.font = &font}, nullptr)) return;
  const CUserData* user = LumoApp() ? &LumoApp()->GetUserData() : nullptr;
  struct LinkStyle {
    int32_t index;
    uint32_t colour;
    uint8_t bold;
  };
  const LinkStyle styles[] = {
      {3, user ? user->m_crLinkDU : 0x800000, user ? user->m_bBoldDU : uint8_t(0)},
      {5, user ? user->m_crLinkPoz : 0x808000, user ? user->m_bBoldPoz : uint8_t(0)},
      {7, user ? user->m_crLinkArt : 0x800080, user ? user->m_bBoldArt : uint8_t(0)},
      {8, user ? user->m_crLinkArtW : 0x008080, user ? user->m_bBoldArtW : uint8_t(0)},
  };
  for (const LinkStyle& style : styles) {
    int32_t i = style.index;
    title::LogFontHead f = font;
    f.weight = bOn && style.bold ? 700 : 400;
    std::array<uint8_t, 3> text{0, 0, 0};
    std::array<uint8_t, 3> back{255, 255, 255};
    if (bOn) text = {uint8_t(style.colour >> 16), uint8_t(style.colour >> 8), uint8_t(style.colour)};
    medview::StyleValues values{.font = &f, .textColour = &text};
    if (bOn) values.backColour = &back;
    medview::MvSetStyle(sheet, &i, nullptr, values, nullptr);
  }
  medview::MvDropFonts(m_pViewer);
  medview::MvShowHotspots(m_pViewer, bOn && user && user->m_bNegativeLinks, nullptr);
}

void CMvPane::SetHitMarkBrush(HBRUSH brush) {
  if (m_pViewer) medview::MvSetHitMarkMode(m_pViewer, brush, 7, nullptr);
}

int CMvPane::SetHits(fts::HitHighlightHandle hits, BOOL bOn) {
  if (!m_pViewer) return 0;
  if (!bOn) {
    medview::MvSetHitList(m_pViewer, nullptr, TRUE, nullptr);
    m_pHits.reset();
    return 0;
  }
  if (!hits) return 0;
  fts::TopicHitListPtr copy = medview::MvGetTopicHits(hits, uint32_t(frame::MvGetCurrentTopic(m_pViewer)));
  medview::MvSetHitList(m_pViewer, copy.get(), TRUE, nullptr);
  m_pHits = std::move(copy);
  return medview::MvGetHitCount(m_pHits.get());
}

// --- Hotspots --------------------------------------------------------------------------------

int CMvPane::OnHotspot(int, int, int, const medview::HotspotTarget& target, UINT flags) {
  KillTimer(kLinkDragTimer);
  switch (target.type) {
    case 0: {
      const char* text = reinterpret_cast<const char*>(target.buffer);
      const size_t length = text ? ::strnlen(text, size_t(std::max(target.dataLength, 0))) : 0;
      return RunHotspotMacro(std::string(text ? text : "", length));
    }
    case 1:
      FollowJump(target, flags);
      return 1;
    case 2: {
      const int32_t position = m_pViewer ? medview::MvContextHashToPosition(m_pViewer->title, target.target) : -1;
      return ShowPopup(target.rect, &position);
    }
    default:
      return target.type - 2;
  }
}

void CMvPane::FollowJump(const medview::HotspotTarget& target, UINT flags) {
  ClosePopups();
  if (!m_pViewer) return;
  const int32_t position = medview::MvContextHashToPosition(m_pViewer->title, target.target);
  const bool ctrl = (::GetKeyState(VK_CONTROL) & 0x8000) != 0 || flags == MK_CONTROL;
  CLumoKALView* view = m_pOwner;
  if (!ctrl) {
    // A jump closes every pop-up of the view: one from inside a pop-up runs once the pop-up's own
    // message has returned.
    if (view && view->IsOwnPane(this)) {
      view->JumpTo(position, 0, 0);
    } else if (view) {
      view->PostMessage(kMsgDeferredJump, WPARAM(uint32_t(position)));
    }
    return;
  }
  const int32_t topic = TargetTopic(target.target);
  CLumoKALDoc* work = view ? view->GetWork() : CLumoKALDoc::GetCurrentWork();
  if (topic < 0 || !work) return;
  work->OpenTopicInNewSheet(topic);
}

BOOL CMvPane::RunHotspotMacro(const std::string& macro) {
  std::string name;
  if (!shell::view::ParsePictureMacro(macro, &name)) return FALSE;
  CLumoApp* app = LumoApp();
  if (!app) return FALSE;
  CString path(shell::view::TrimBlanks(name));
  if (!app->ExtractPicture(path)) return FALSE;
  return app->OpenPictureSheet(path, CString(name)) != nullptr;
}

// --- Messages --------------------------------------------------------------------------------

void CMvPane::OnPaint() {
  if (m_pOwner && !m_pOwner->IsWindowVisible()) {
    CPaintDC dc(this);
    return;
  }
  CPaintDC dc(this);
  Draw(&dc, &dc.m_ps.rcPaint);
}

void CMvPane::EraseHoverFrame() {
  if (!m_bHoverFrame || !m_hWnd) return;
  m_bHoverFrame = FALSE;
  CClientDC dc(this);
  HPEN pen = ::CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
  {
    SelectedObject selected(dc.m_hDC, pen);
    const RECT& r = m_saved.rect;
    ::MoveToEx(dc.m_hDC, r.left - 1, r.top, nullptr);
    ::LineTo(dc.m_hDC, r.right + 1, r.top);
    ::MoveToEx(dc.m_hDC, r.left - 1, r.bottom, nullptr);
    ::LineTo(dc.m_hDC, r.right + 1, r.bottom);
  }
  ::DeleteObject(pen);
}

void CMvPane::OnMouseMove(UINT nFlags, CPoint point) {
  if (!m_pViewer) return;
  const bool captured = CWnd::GetCapture() == this;
  RECT client;
  GetClientRect(&client);
  if (captured && !CRect(client).PtInRect(point) && nFlags != MK_LBUTTON) {
    ClosePopups();
    ::ReleaseCapture();
    return;
  }
  if (!KeepsSelection() && medview::MvHasSelection(m_pViewer)) {
    medview::MvClearSelection(m_pViewer, nullptr);
    if (captured) ::ReleaseCapture();
    Invalidate();
  }
  if (captured && CRect(m_saved.rect).IsRectEmpty()) {
    medview::MvSelectAt(m_pViewer, medview::kSelectPoint, point.x, point.y, TRUE, nullptr);
    UpdateWindow();
    return;
  }
  if (!CRect(m_saved.rect).IsRectEmpty() && !CRect(m_saved.rect).PtInRect(point)) {
    m_pTooltip.reset();
    EraseHoverFrame();
    m_saved = medview::HotspotTarget{};
    KillTimer(kHoverTimer);
  }
  if (IsPointInSelection(point.x, point.y)) {
    SetTextCursor(nullptr);
    return;
  }
  medview::HotspotInfo info;
  medview::HotspotTarget target;
  if (medview::MvHotspotFromPoint(m_pViewer, point.x, point.y, &info, &target, nullptr) &&
      info.kind != medview::kHotspotNothing) {
    SetCursorForKind(info.kind);
    if (info.flags & medview::kHotspotOverText) {
      m_dwLastLinkMove = ::GetTickCount();
      if (target.target != m_saved.target || CRect(m_saved.rect).IsRectEmpty()) {
        SetTimer(kHoverTimer, kHoverDelay);
        m_saved = target;
      }
    }
    return;
  }
  if (info.flags & medview::kHotspotOverText) {
    SetTextCursor(this);
  } else {
    SetTextCursor(nullptr);
  }
}

void CMvPane::OnLButtonDown(UINT, CPoint point) {
  ClosePopups();
  if (!m_pViewer) return;
  medview::HotspotInfo info;
  medview::HotspotTarget target;
  if (medview::MvHotspotFromPoint(m_pViewer, point.x, point.y, &info, &target, nullptr) &&
      (info.flags & medview::kHotspotOverText)) {
    m_saved = target;
    SetTimer(kLinkDragTimer, 300);
    if (CWnd::GetCapture() == this) ::ReleaseCapture();
  }
}

void CMvPane::OnLButtonUp(UINT nFlags, CPoint point) {
  if (!m_pViewer) return;
  if (CWnd::GetCapture() == this) {
    ::ReleaseCapture();
    KillTimer(kLinkDragTimer);
    if (medview::MvHasSelection(m_pViewer)) {
      int32_t a, b, c, d;
      medview::MvGetSelection(m_pViewer, &a, &b, &c, &d);
      if (a != c || b != d) return;
    }
  }
  if (IsPointInSelection(point.x, point.y) && KeepsSelection()) {
    medview::MvClearSelection(m_pViewer, nullptr);
    Invalidate();
  }
  HotspotLookup hotspot;
  if (LookUpHotspot(m_pViewer, &point, hotspot) && hotspot.info.kind != medview::kHotspotNothing) {
    if (KeepsSelection()) medview::MvClearSelection(m_pViewer, nullptr);
    OnHotspot(point.x, point.y, hotspot.info.kind, hotspot.target, nFlags & ~MK_LBUTTON);
  }
}

void CMvPane::OnLButtonDblClk(UINT nFlags, CPoint point) {
  if (!m_pViewer || !KeepsSelection()) return;
  int mode = medview::kSelectWord;
  if (nFlags & MK_CONTROL) {
    mode = medview::kSelectAll;
  } else if (nFlags & MK_SHIFT) {
    mode = medview::kSelectParagraph;
  }
  medview::MvSelectAt(m_pViewer, mode, point.x, point.y, FALSE, nullptr);
  Invalidate();
}

void CMvPane::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (m_pViewer && nChar == VK_TAB) {
    medview::MvSelectNextHotspot(m_pViewer, (::GetKeyState(VK_SHIFT) & 0x8000) == 0, nullptr);
    Invalidate();
  } else if (m_pViewer && nChar == VK_RETURN) {
    HotspotLookup hotspot;
    if (LookUpHotspot(m_pViewer, nullptr, hotspot)) OnHotspot(0, 0, 3, hotspot.target, 0);
  }
  CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CMvPane::OnRButtonUp(UINT nFlags, CPoint point) {
  KillTimer(kLinkDragTimer);
  if (CWnd::GetCapture() == this) ::ReleaseCapture();
  // The default handling asks for the context menu.
  CWnd::OnRButtonUp(nFlags, point);
}

void CMvPane::OnLinkDragTimer() {
  if ((::GetKeyState(VK_LBUTTON) & 0x8000) == 0) {
    KillTimer(kLinkDragTimer);
    return;
  }
  POINT point;
  ::GetCursorPos(&point);
  ::ScreenToClient(m_hWnd, &point);
  if (!topicdrag::MovedPastDragStart(CPoint(m_saved.rect.left, m_saved.rect.top), CPoint(point))) return;
  KillTimer(kLinkDragTimer);
  if (CWnd::GetCapture() == this) ::ReleaseCapture();
  topicdrag::DragLink(m_saved.target, GetParent());
}

void CMvPane::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == kLinkDragTimer) {
    OnLinkDragTimer();
    return;
  }
  if (nIDEvent != kHoverTimer) {
    CWnd::OnTimer(nIDEvent);
    return;
  }
  if (!m_pViewer) {
    KillTimer(kHoverTimer);
    return;
  }
  POINT point;
  ::GetCursorPos(&point);
  ::ScreenToClient(m_hWnd, &point);
  if (!CRect(m_saved.rect).PtInRect(point)) {
    KillTimer(kHoverTimer);
    m_pTooltip.reset();
    return;
  }
  medview::HotspotInfo info;
  medview::HotspotTarget target;
  medview::MvHotspotFromPoint(m_pViewer, point.x, point.y, &info, &target, nullptr);
  const int32_t position = medview::MvContextHashToPosition(m_pViewer->title, m_saved.target);
  const CUserData* user = LumoApp() ? &LumoApp()->GetUserData() : nullptr;
  if (::GetTickCount() - m_dwLastLinkMove > kHoverRest && (::GetKeyState(VK_LBUTTON) & 0x8000) == 0) {
    if (position == -1) {
      const int32_t missing =
          medview::MvContextStringToPosition(m_pViewer->title, info.style == 3 ? "DU.BRAK" : "POZ.BRAK");
      if (!ShowTooltip(m_saved, missing, info.style)) return;
    } else {
      bool wanted = true;
      if (user) {
        switch (info.style) {
          case 3: wanted = user->m_bTipDU; break;
          case 7: wanted = user->m_bTipArt; break;
          case 8: wanted = user->m_bTipArtW; break;
          case 5: case 6: case 9: wanted = user->m_bTipPoz; break;
          case 4: wanted = false; break;
          default: break;
        }
      }
      if (wanted) ShowTooltip(m_saved, position, info.style);
    }
    KillTimer(kHoverTimer);
    return;
  }
  if (position != -1 && user && user->m_bTrackLinks && !m_bHoverFrame) {
    COLORREF colour = 0x636363;
    switch (info.style) {
      case 3: colour = user->m_crLinkDU; break;
      case 5: colour = user->m_crLinkPoz; break;
      case 7: colour = user->m_crLinkArt; break;
      case 8: colour = user->m_crLinkArtW; break;
      default: break;
    }
    CClientDC dc(this);
    HPEN pen = ::CreatePen(PS_SOLID, 1, colour);
    {
      SelectedObject selected(dc.m_hDC, pen);
      const RECT& r = m_saved.rect;
      ::MoveToEx(dc.m_hDC, r.left - 1, r.top, nullptr);
      ::LineTo(dc.m_hDC, r.right + 1, r.top);
      ::MoveToEx(dc.m_hDC, r.left - 1, r.bottom, nullptr);
      ::LineTo(dc.m_hDC, r.right + 1, r.bottom);
    }
    ::DeleteObject(pen);
    m_bHoverFrame = TRUE;
  }
}

UINT CMvPane::OnGetDlgCode() { return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS; }

void CMvPane::StopTimers() {
  if (!m_hWnd) return;
  KillTimer(kLinkDragTimer);
  KillTimer(kHoverTimer);
}

void CMvPane::OnKillFocus(CWnd* pNewWnd) {
  StopTimers();
  CWnd::OnKillFocus(pNewWnd);
}

void CMvPane::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
  StopTimers();
  CWnd::OnActivate(nState, pWndOther, bMinimized);
}

void CMvPane::OnContextMenu(CWnd*, CPoint point) {
  ClosePopups();
  if (!m_pViewer) return;
  CPoint client = point;
  if (point.x == -1 && point.y == -1) {
    // The menu key: the menu opens near the top left of the pane.
    client = CPoint(10, 10);
    point = client;
    ClientToScreen(&point);
  } else {
    ScreenToClient(&client);
  }
  medview::HotspotInfo info;
  medview::HotspotTarget target;
  const bool on_hotspot = medview::MvHotspotFromPoint(m_pViewer, client.x, client.y, &info, &target, nullptr);
  const bool over_text = (info.flags & medview::kHotspotOverText) != 0;
  const bool has_place =
      on_hotspot && over_text && medview::MvContextHashToPosition(m_pViewer->title, target.target) != -1;
  const int popup = shell::view::PaneMenuPopup(on_hotspot, info.kind == medview::kHotspotNothing, over_text, has_place,
                                               medview::MvHasSelection(m_pViewer));
  if (popup < 0) {
    SetTextCursor(nullptr);
    return;
  }
  if (popup == 3 || popup == 4) {
    m_saved = target;
    KillTimer(kHoverTimer);
  }
  CMenu menu;
  if (!menu.LoadMenu(resources::IDR_TEXT_VIEW_MENU)) return;
  CMenu* items = menu.GetSubMenu(popup);
  if (!items) return;
  // The link's commands come to the pane; the others go through the main window to the sheet.
  CWnd* owner = this;
  if (popup < 3) {
    owner = AfxGetMainWnd();
    if (!owner || !owner->m_hWnd) owner = m_pOwner;
  }
  if (owner) items->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, owner);
}

void CMvPane::OnSetFocus(CWnd* pOldWnd) {
  CWnd::OnSetFocus(pOldWnd);
  if (m_pViewer) FollowInActInfoDialog(GetCurrentTopic());
}

int32_t CMvPane::SavedLinkTopic() {
  if (!m_pViewer || CRect(m_saved.rect).IsRectEmpty()) return -1;
  const POINT point = SavedPoint();
  medview::HotspotInfo info;
  medview::HotspotTarget target;
  if (!medview::MvHotspotFromPoint(m_pViewer, point.x, point.y, &info, &target, nullptr) ||
      info.kind == medview::kHotspotNothing) {
    SetTextCursor(nullptr);
    return -1;
  }
  if (!(info.flags & medview::kHotspotOverText)) return -1;
  return TargetTopic(target.target);
}

void CMvPane::OnUpdateLinkCommand(CCmdUI* pCmdUI) { pCmdUI->Enable(m_pViewer && !CRect(m_saved.rect).IsRectEmpty()); }

void CMvPane::OnRunObjectMacro() {
  if (!m_pViewer) return;
  const POINT point = SavedPoint();
  HotspotLookup hotspot;
  if (LookUpHotspot(m_pViewer, &point, hotspot) && hotspot.target.type == 0) {
    OnHotspot(point.x, point.y, hotspot.info.kind, hotspot.target, 0);
  }
}

void CMvPane::OnLinkInformation() {
  const int32_t topic = SavedLinkTopic();
  if (topic < 0) return;
  if (CActDlg* dialog = ShowActInfoDialog()) {
    dialog->ShowAct(topic);
    dialog->SelectTab(0);
  }
}

void CMvPane::OnLinkAddBookmark() {
  const int32_t topic = SavedLinkTopic();
  if (topic >= 0 && CLumoKALDoc::GetCurrentWork()) navcmd::AddBookmarkFor(topic);
}

void CMvPane::OnLinkLocate() {
  const int32_t topic = SavedLinkTopic();
  if (topic >= 0) navcmd::LocateInLibrary(topic);
}

// --- Styles, annotations, works ------------------------------------------------------------------

BOOL CMvPane::ChangeStyle(int32_t* index, std::string* name, CFont* pFont, BOOL bPaneColours, int nUnderline,
                          BYTE nFlag) {
  auto* sheet = m_pViewer ? const_cast<title::StyleSheet*>(medview::MvGetStyleSheet(m_pViewer)) : nullptr;
  if (!sheet) return FALSE;
  title::LogFontHead font;
  std::string face;
  std::array<uint8_t, 3> text{}, back{};
  uint8_t flags = 0;
  if (!medview::MvGetStyle(sheet, index, name,
                           {.font = &font, .face = &face, .textColour = &text, .backColour = &back, .flags = &flags},
                           nullptr)) {
    return FALSE;
  }
  LOGFONT lf{};
  if (pFont && pFont->GetLogFont(&lf)) {
    font = title::LogFontHead{lf.lfHeight, lf.lfWidth, lf.lfEscapement, lf.lfOrientation, lf.lfWeight,
                              lf.lfItalic, lf.lfUnderline, lf.lfStrikeOut, lf.lfCharSet, lf.lfOutPrecision,
                              lf.lfClipPrecision, lf.lfQuality, lf.lfPitchAndFamily};
    face = lf.lfFaceName;
  }
  if (bPaneColours) {
    text = {uint8_t(m_crText >> 16), uint8_t(m_crText >> 8), uint8_t(m_crText)};
    back = {uint8_t(m_crBack >> 16), uint8_t(m_crBack >> 8), uint8_t(m_crBack)};
  }
  font.underline = shell::view::StyleUnderline(nUnderline, font.underline);
  if (nFlag) flags = nFlag;
  if (!medview::MvSetStyle(sheet, index, nullptr,
                           {.font = &font, .face = &face, .textColour = &text, .backColour = &back, .flags = &flags},
                           nullptr)) {
    return FALSE;
  }
  medview::MvDropFonts(m_pViewer);
  return TRUE;
}

BOOL CMvPane::SetStyleByName(LPCTSTR lpszName, CFont* pFont, BOOL bPaneColours, int nUnderline, BYTE nFlag) {
  const std::string name = lpszName ? std::string(lpszName) : std::string();
  if (name.empty() || name.size() > kStyleNameLimit) return FALSE;
  std::string wanted = name;
  int32_t index = -1;
  return ChangeStyle(&index, &wanted, pFont, bPaneColours, nUnderline, nFlag);
}

BOOL CMvPane::SetStyleByIndex(int nIndex, CFont* pFont, BOOL bPaneColours, int nUnderline, BYTE nFlag) {
  if (nIndex < 0) return FALSE;
  int32_t index = nIndex;
  if (!ChangeStyle(&index, nullptr, pFont, bPaneColours, nUnderline, nFlag)) return FALSE;
  Layout();
  if (m_hWnd) Invalidate();
  return TRUE;
}

BOOL CMvPane::AddAnnotation(int32_t position, int32_t offset) {
  if (!m_pViewer) return FALSE;
  const std::string description = shell::view::AnnotationDescription(GetCurrentTopic(), position, offset);
  return frame::MvInsertEmbeddedWindow(m_pViewer, position, offset, 'C', description.c_str(), nullptr) != 0;
}

BOOL CMvPane::OpenContextInWork(LPCTSTR lpszPath, LPCTSTR lpszContext) {
  CLumoApp* app = LumoApp();
  if (!app || !lpszPath || !lpszContext) return FALSE;
  auto* work = dynamic_cast<CLumoKALDoc*>(app->OpenDocumentFile(lpszPath));
  title::TitleHandle* title = LibraryTitle();
  if (!work || !title) return FALSE;
  const int32_t position = medview::MvContextStringToPosition(title, lpszContext);
  return position != -1 && work->ShowTopicAtPosition(position, 0, 0);
}

LRESULT CMvPane::OnClosePopupsMessage(WPARAM, LPARAM) {
  ClosePopups();
  return 0;
}

POINT CMvPane::SavedPoint() const { return {m_saved.rect.left + 1, m_saved.rect.top + 1}; }

void CMvPane::OnOpenLink() {
  const POINT point = SavedPoint();
  OnLButtonUp(0, CPoint(point));
}

void CMvPane::OnOpenLinkInNewSheet() {
  const POINT point = SavedPoint();
  OnLButtonUp(MK_CONTROL, CPoint(point));
}
