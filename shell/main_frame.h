// The program's main window: the MDI frame whose sheets are the text and picture sheets. It makes
// the five toolbars, the status bar with its seven panes and the two docking bars ("Nawigator" and
// "Spisy"), keeps its placement from one run to the next ("MainWndPos"), has a full-screen mode
// and an always-on-top mode, holds the current work and the tool windows, owns the mouse-command
// manager and the user tools, and loads the user's keyboard shortcuts at start.
//
// The frame is a workbook: its sheets show as tabs below the MDI client while workbook mode is on
// (the settings switch it).
//
// CBackgroundWnd paints the MDI client's background: the desktop colour with the program's name
// in its lower right corner. A click on it opens the page whose address it was given, and nothing
// while it has none.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "controls/gs_status_bar.h"
#include "controls/mouse_manager.h"
#include "navigation/nav_bar.h"
#include "navigation/topic_ole.h"
#include "platform/controls/standard_controls.h"
#include "toolkit/frame/sec_workbook.h"
#include "toolkit/widgets/toolbar_manager.h"
#include "toolkit/widgets/user_tool.h"

class CLumoKALDoc;
class CView;
class CMenu;

class CBackgroundWnd : public SECWorkbookClient {
 public:
  // The address a click opens; empty (the default): a click opens nothing.
  void SetPageAddress(const CString& address) { m_strLinkAddress = address; }
  const CString& GetPageAddress() const { return m_strLinkAddress; }
  // Paints the background and the name into `pDC` over the client rectangle.
  void PaintBackground(CDC* pDC);

 protected:
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()
};

class CMainFrame : public SECWorkbook {
  DECLARE_DYNAMIC(CMainFrame)

 public:
  // The registry value of the placement and the profile name of the bar layout.
  static constexpr const char* kPlacementValue = "MainWndPos";
  static constexpr const char* kLayoutName = "LumoKAL";
  static constexpr const char* kMouseValue = "Mouse";
  // The five toolbars, in the order of the frame context menu.
  static constexpr int kToolBarCount = 5;
  // The keyword-index dialog slots: date, titles, signatories, subject, tables, figures and
  // forms, formulas.
  static constexpr int kIndexDialogCount = 7;
  // Display mode while links are shown highlighted.
  static constexpr int kDisplayLinks = 8;
  // The message a sheet frame sends when the sheets change.
  static constexpr UINT WM_SHEETS_CHANGED = 0x1009;

  CMainFrame();
  ~CMainFrame() override;

  // --- The current work (the one pointer every tab, tree and list reaches the work through) ---
  void SetWorkDocument(CLumoKALDoc* work);
  CLumoKALDoc* GetWorkDocument() const;

  // --- Bars ---
  CGSStatusBar& GetStatusBar() { return m_wndStatusBar; }
  // The toolbars in the order of the frame context menu: the five the frame starts with, then
  // the user's own; null past the last.
  SECCustomToolBar* GetToolBar(int index) const;
  // The toolbar with that bar id, or null.
  SECCustomToolBar* FindToolBar(UINT nID) const;
  SECToolBarManager* GetToolBarManager() const { return m_pToolBarManager.get(); }
  // The docking bars once they exist (null before).
  COutputWnd* GetNavigatorBar() const { return m_pNavigatorBar; }
  CIndexWnd* GetContentsBar() const { return m_pContentsBar; }
  void ToggleBar(CControlBar* pBar);
  // The context menu of the bar area: one item per toolbar (at most nine), "Więcej pasków..."
  // past that, "Nawigator", "Spisy", then the toolbar dialog and customize items.
  void BuildBarMenu(CMenu& menu) const;

  // --- Window modes ---
  BOOL IsFullScreen() const { return m_bFullScreen; }
  BOOL IsAlwaysOnTop() const { return m_bAlwaysOnTop; }
  void SetFullScreen(BOOL bFull);
  // Refused (FALSE) while full screen.
  BOOL SetAlwaysOnTop(BOOL bOnTop);

  // --- Placement ---
  // Applies the stored placement when it is usable; TRUE when it was.
  BOOL LoadPlacement();
  // Stores the placement.
  void SavePlacement();

  // --- Tools and managers ---
  CGSMouseManager* GetMouseManager() const { return m_pMouseManager.get(); }
  SECUserToolList& GetUserTools() { return m_userTools; }
  CBackgroundWnd& GetBackground() { return *static_cast<CBackgroundWnd*>(m_pClient); }
  CWnd*& FindSheetSlot() { return m_pFindSheet; }
  CWnd*& IndexDialogSlot(int index) { return m_pIndexDialogs[size_t(index)]; }
  CWnd*& ActInfoSlot() { return m_pActInfo; }
  int GetDisplayMode() const { return m_nDisplayMode; }
  void SetDisplayMode(int mode) { m_nDisplayMode = mode; }
  // The view of the active sheet, or null.
  CView* GetActiveSheetView() const;

  // --- Context menus ---
  // Tracks `pMenu` at the screen point for `pTarget`: while it is up the target updates its items,
  // and the chosen command is posted to the target.
  void TrackContextMenu(CMenu* pMenu, CPoint point, CWnd* pTarget);
  // The window whose menu is being tracked, or null.
  CWnd* GetMenuTarget() const { return m_pMenuTarget; }

  // --- Workbook ---
  // A sheet's tab shows the sheet's caption.
  CString GetSheetLabel(SECWorksheet* pSheet) const override;

  // --- Framework ---
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void GetMessageString(UINT nID, CString& rMessage) const override;

 protected:
  std::unique_ptr<SECWorkbookClient> NewWorkbookClient() override;
  // The toolbar manager with the five toolbars' definitions, the button images, the window
  // buttons (query box, position field, colour wells) and the cool look; the bars themselves come
  // with the saved layout, or as defined when there is none.
  BOOL CreateToolBars();
  std::vector<SECCustomToolBar*> ToolBarsInMenuOrder() const;
  BOOL CreateStatusBar();
  // "Nawigator" docks at the bottom 150 pixels high and is hidden, "Spisy" at the left 265
  // pixels wide.
  BOOL CreateDockingBars();
  // The user's keyboard shortcuts (when a file holds them) become the frame's table.
  void LoadKeyBindings();
  // Topics dropped on the sheet area open in new sheets.
  void RegisterTopicDropTarget();

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnClose();
  afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
  afx_msg LRESULT OnSheetsChanged(WPARAM wParam, LPARAM lParam);
  afx_msg void OnFullScreen();
  afx_msg void OnUpdateFullScreen(CCmdUI* pCmdUI);
  afx_msg void OnAlwaysOnTop();
  afx_msg void OnUpdateAlwaysOnTop(CCmdUI* pCmdUI);
  afx_msg void OnViewNavigator();
  afx_msg void OnUpdateViewNavigator(CCmdUI* pCmdUI);
  afx_msg void OnViewContents();
  afx_msg void OnUpdateViewContents(CCmdUI* pCmdUI);
  afx_msg void OnToggleToolBar(UINT nID);
  afx_msg void OnUpdateToggleToolBar(CCmdUI* pCmdUI);
  afx_msg void OnOptions();
  afx_msg void OnQuery();
  afx_msg void OnFindInAct();
  afx_msg void OnGoTo();
  // The keyword index dialogs' commands (one dialog open at a time) and their check marks.
  afx_msg void OnIndexDialog(UINT nID);
  afx_msg void OnUpdateIndexDialog(CCmdUI* pCmdUI);

  DECLARE_MESSAGE_MAP()

 private:
  std::unique_ptr<SECToolBarManager> m_pToolBarManager;
  // The 8-point font of the toolbar fields.
  CFont m_fieldFont;
  CGSStatusBar m_wndStatusBar;
  COutputWnd m_wndNavigator;
  CIndexWnd m_wndContents;
  COutputWnd* m_pNavigatorBar = nullptr;
  CIndexWnd* m_pContentsBar = nullptr;
  std::unique_ptr<CGSMouseManager> m_pMouseManager;
  SECUserToolList m_userTools;
  CWnd* m_pFindSheet = nullptr;
  std::array<CWnd*, kIndexDialogCount> m_pIndexDialogs{};
  CWnd* m_pActInfo = nullptr;
  CWnd* m_pMenuTarget = nullptr;
  CString m_strIdleText;
  int m_nDisplayMode = kDisplayLinks;
  BOOL m_bAlwaysOnTop = FALSE;
  BOOL m_bFullScreen = FALSE;
  WINDOWPLACEMENT m_savedPlacement;
  CRect m_rectFullScreen;
  BOOL m_bFormVisibleAtStart = FALSE;
  CTopicOleDropTarget m_dropTarget;
};
