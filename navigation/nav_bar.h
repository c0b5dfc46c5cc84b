// The two docking bars of the main window that hold the navigation lists: "Nawigator"
// (COutputWnd: history, bookmarks, index results, search results) and "Spisy" (CIndexWnd: the
// library tree and the open binder). Each holds a tab window whose pages are dialog tabs; both
// switch tabs by command, by Ctrl+Tab and from their context menu, give the focus back to the
// active sheet on Esc, and keep the tab window on their inside rectangle.
#pragma once

#include <memory>
#include <vector>

#include "toolkit/frame/sec_control_bar.h"
#include "toolkit/frame/sec_tab_wnd.h"

namespace navbar {

// The tab Ctrl+Tab activates on "Nawigator": the next one, wrapping after the last.
int NextNavigatorTab(int active, int count);
// The tab Ctrl+Tab activates on "Spisy": 1 from tab 0, 0 from any other.
int NextIndexTab(int active);
// The inside rectangle the tab window fills; a floating bar's is widened by 8 pixels left, 6
// top, 8 right and 10 bottom.
CRect TabWindowRect(const CRect& inside, bool floating);

}  // namespace navbar

// What both bars share: the tab window's place, the keys, the context menu's docking items.
class CNavBarBase : public SECControlBar {
  DECLARE_DYNAMIC(CNavBarBase)

 public:
  ~CNavBarBase() override;

  BOOL PreTranslateMessage(MSG* pMsg) override;
  // Puts the bar's own tab items (pop-up `nPopup` of menu `nIDMenu`) and a separator before the
  // toolkit's "Przy krawędzi" and "Ukryj"; "Przy krawędzi" is checked while the bar is docked.
  void ExtendContextMenu(CMenu* pMenu) override;

  SECTabWndBase* GetTabWnd() const { return m_pTabWnd; }
  int GetActiveTab() const;
  // Activates tab `nIndex`; an index past the tabs does nothing.
  void ActivateTab(int nIndex);

 protected:
  CNavBarBase(UINT nIDMenu, UINT nPopup) : m_nIDMenu(nIDMenu), m_nPopup(nPopup) {}

  // Ctrl+Tab: the bar's own tab switching.
  virtual void OnCtrlTab() = 0;
  // Esc: the focus goes to the active view of the active sheet, when there is one.
  void FocusActiveView();
  void PlaceTabWindow();

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);

  SECTabWndBase* m_pTabWnd = nullptr;

 private:
  UINT m_nIDMenu;
  UINT m_nPopup;

  DECLARE_MESSAGE_MAP()
};

class CHistoryTab;
class CBookmarkTab;
class CPrintmarkTab;
class CSearchresTab;
class CKeywordsresTab;
class CDUTab;
class CDUTree;
class CCustomTab;
namespace engine {
struct TopicGroup;
}

// "Nawigator".
class COutputWnd : public CNavBarBase {
  DECLARE_DYNAMIC(COutputWnd)

 public:
  COutputWnd();
  ~COutputWnd() override;

  SECTabWnd& GetTabWindow() { return m_wndTab; }
  CHistoryTab* GetHistoryTab() const { return m_pHistoryTab.get(); }
  CBookmarkTab* GetBookmarkTab() const { return m_pBookmarkTab.get(); }
  // The print list's dialog: made with the tabs, shown by none.
  CPrintmarkTab* GetPrintmarkTab() const { return m_pPrintmarkTab.get(); }
  CSearchresTab* GetResultsTab() const { return m_pResultsTab.get(); }
  CKeywordsresTab* GetKeywordsTab() const { return m_pKeywordsTab.get(); }

 protected:
  void OnCtrlTab() override;

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnTabCommand(UINT nID);
  afx_msg LRESULT OnTabActivated(WPARAM wParam, LPARAM lParam);

  SECTabWnd m_wndTab;
  CFont m_fontTabs;
  std::unique_ptr<CHistoryTab> m_pHistoryTab;
  std::unique_ptr<CBookmarkTab> m_pBookmarkTab;
  std::unique_ptr<CPrintmarkTab> m_pPrintmarkTab;
  std::unique_ptr<CSearchresTab> m_pResultsTab;
  std::unique_ptr<CKeywordsresTab> m_pKeywordsTab;

  DECLARE_MESSAGE_MAP()
};

// "Spisy".
class CIndexWnd : public CNavBarBase {
  DECLARE_DYNAMIC(CIndexWnd)

 public:
  CIndexWnd();
  ~CIndexWnd() override;

  SEC3DTabWnd& GetTabWindow() { return m_wndTab; }
  CDUTab* GetLibraryTab() const { return m_pLibraryTab.get(); }
  // The library tree ("Biblioteka"), or null before the bar is made.
  CDUTree* GetLibraryTree() const;
  CCustomTab* GetBinderTab() const { return m_pBinderTab.get(); }
  // The open binder's group while "Segregator" is the active tab (null otherwise): the acts
  // outside it are shaded in the sheets.
  engine::TopicGroup* GetShadingGroup() const;
  // Hands the shading group to the work's sheets.
  void RefreshBinderShading();

 protected:
  void OnCtrlTab() override;

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnTabCommand(UINT nID);
  afx_msg LRESULT OnTabActivated(WPARAM wParam, LPARAM lParam);

  SEC3DTabWnd m_wndTab;
  std::unique_ptr<CDUTab> m_pLibraryTab;
  std::unique_ptr<CCustomTab> m_pBinderTab;

  DECLARE_MESSAGE_MAP()
};
