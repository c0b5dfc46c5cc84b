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
#include <string>
#include <vector>

#include "controls/gs_status_bar.h"
#include "controls/mouse_manager.h"
#include "navigation/nav_bar.h"
#include "navigation/topic_ole.h"
#include "platform/controls/standard_controls.h"
#include "toolkit/frame/sec_workbook.h"
#include "toolkit/widgets/color_well.h"
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

  // --- Commands of the menus, toolbars and keys (main_frame_commands.cpp) ---
  static constexpr UINT kTypeAheadTimer = 905;
  static constexpr UINT kTypeAheadTick = 100;     // ms between the timer's looks
  static constexpr DWORD kTypeAheadPause = 1000;  // ms without a key before the digits are gone to
  // The "Nawigator" tabs the commands address: history, bookmarks, index results, search results.
  static constexpr int kHistoryTab = 0;
  static constexpr int kBookmarksTab = 1;
  static constexpr int kIndexResultsTab = 2;
  static constexpr int kResultsTab = 3;
  // The toolbars dialog's end code when its customize button was pressed.
  static constexpr INT_PTR kCustomizeAsked = 43099;

  // The in-act find result goes; "Nawigator" shows the search results. Nothing without a work.
  void ShowSearchResults();
  // The active text sheet's act goes on the print list; the print list's window shows it when it
  // is open. FALSE when nothing was added.
  BOOL AddTopicToPrintList();
  // The bookmark of the active text sheet's act; "Zakładki" shows it while "Nawigator" is visible.
  BOOL AddBookmarkForActiveSheet();
  // Puts `text` first in the work's query history and in every toolbar query box (at most ten
  // texts: the oldest goes); an open find sheet refills its boxes. A text already there stays
  // where it is (FALSE).
  BOOL AddQueryToHistory(const CString& text);
  // The command the mouse manager assigns to the context (a kind of sheet) is sent to the frame;
  // TRUE when one was.
  BOOL DispatchMouseCommand(UINT nContext);
  void RefreshQueryScopes();
  // The toolbar query box's library query; TRUE when it found something (the results show in
  // "Nawigator"), FALSE after the warning sound.
  BOOL RunLibraryQuery(const CString& text);
  // "Lista do wydruku": the print list in a tool window of its own (the print list has no tab).
  void ShowPrintList();
  CWnd* GetPrintListWindow() const;
  // Every toolbar query box shows the current work's query history.
  void RefillQueryBoxes();
  // The query box on the toolbar (the last one made), or null.
  HWND GetQueryBox() const { return m_hQueryBox; }
  // The type-ahead's typed text.
  const std::string& GetTypeAheadText() const { return m_strTypeAhead; }
  BOOL PreTranslateMessage(MSG* pMsg) override;

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

  // main_frame_commands.cpp
  // The type-ahead go-to and Escape; TRUE when the key was taken.
  BOOL PreTranslateTypeAhead(MSG* pMsg);
  void EndTypeAhead();
  // Hands the typed text to the work and ends the type-ahead.
  void GoToTypedAddress();
  // Sends `message` to every toolbar query box.
  void BroadcastToQueryBoxes(UINT message, WPARAM wParam, LPARAM lParam);
  // Shows a hidden docking bar (and focuses its active tab) or hides a visible one.
  void ToggleDockingBar(CControlBar* pBar);
  void RunCustomizeSheet();
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  // The print list's window gives the list back to "Nawigator" before the bars go.
  afx_msg void OnDestroy();
  afx_msg LRESULT OnToolBarWndNotify(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnLinkColourChosen(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnActInfoRequest(WPARAM wParam, LPARAM lParam);
  afx_msg void OnActInformation();
  afx_msg void OnUpdateActInformation(CCmdUI* pCmdUI);
  afx_msg void OnNavigatorTab(UINT nID);
  afx_msg void OnUpdateNavigatorTab(CCmdUI* pCmdUI);
  afx_msg void OnPrintList();
  afx_msg void OnUpdateWorkCommand(CCmdUI* pCmdUI);
  afx_msg void OnAddToPrintList();
  afx_msg void OnInsertBookmark();
  afx_msg void OnUpdateSheetCommand(CCmdUI* pCmdUI);
  afx_msg void OnTitlePage();
  afx_msg void OnNewWindow();
  afx_msg void OnShowLinks();
  afx_msg void OnUpdateShowLinks(CCmdUI* pCmdUI);
  afx_msg void OnLinkKind(UINT nID);
  afx_msg void OnUpdateLinkKind(CCmdUI* pCmdUI);
  afx_msg void OnLinkColour(UINT nID);
  afx_msg void OnReloadLibrary();
  afx_msg void OnToolBarsDialog();
  afx_msg void OnCustomize();
  afx_msg void OnUserTool(UINT nID);
  afx_msg void OnUpdateUserTool(CCmdUI* pCmdUI);

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
  // The type-ahead go-to: the typed text and the time of its last key (0: none running).
  std::string m_strTypeAhead;
  DWORD m_dwTypeAheadTime = 0;
  HWND m_hQueryBox = nullptr;
  CFont m_guiFont;
  // The link colour well and the settings field it was opened for (18 to 21; 0: none).
  std::unique_ptr<SECPopupColorWell> m_pColourWell;
  int m_nColourField = 0;
  std::unique_ptr<CWnd> m_pPrintListWnd;
};
