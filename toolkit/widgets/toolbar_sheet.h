// The customize sheet and its buttons-by-category page. SECToolBarSheet is the property sheet the
// program derives its own from and adds its pages to. SECToolBarCmdPage shows a list of command
// categories and, for the chosen one, a toolbar of all its buttons (SECCustomizeToolBar) from which
// buttons are dragged onto the frame's toolbars; a click on any button shows its description.
// While the page is the active one the toolbar manager is in configure mode and every managed bar
// is customized. SECMenuListBox is the same source as a list: a command dragged out of it becomes a
// button.
#pragma once

#include <memory>
#include <vector>

#include "controls/base/gs_property_page.h"
#include "controls/base/gs_property_sheet.h"
#include "platform/controls/standard_controls.h"
#include "toolkit/widgets/custom_toolbar.h"

class SECToolBarManager;
class SECToolBarCmdPage;

// Sent by the toolbars page to its sibling pages when a look setting changed (wParam one of the
// SEC_TBSTYLE_ codes).
UINT SECToolBarStyleChangingMessage();
constexpr WPARAM SEC_TBSTYLE_LARGE_BUTTONS = 1;
constexpr WPARAM SEC_TBSTYLE_COOL_LOOK = 2;

// The control id the first category's toolbar takes (the next ones count down).
constexpr UINT SEC_IDW_FIRST_CATEGORY_BAR = 0xE8AF;

// The command page's toolbar: always customized, every drag from it copies, nothing can be dropped
// on it (a frame button dropped here leaves its bar). It is no frame bar, so it never counts as a
// user toolbar and tells the manager's listeners only about its selection, whatever its id.
class SECCustomizeToolBar : public SECCustomToolBar {
  DECLARE_DYNCREATE(SECCustomizeToolBar)

 public:
  BOOL IsCopyDrag() const override { return TRUE; }
  BOOL AcceptsDrop() const override { return FALSE; }
  BOOL IsUserBar() const override { return FALSE; }
  BOOL IsCustomizeSheetBar() const override { return TRUE; }
  // Laid out by its page: no frame holds it among its bars.
  void RecalcFrameLayout() override { SetLayoutNeeded(); }

 protected:
  void Tell(UINT nCode) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// One category of the page: its toolbar window, its name and its commands.
class SECToolBarCategoryBase {
 public:
  virtual ~SECToolBarCategoryBase();
  virtual BOOL Create(SECToolBarCmdPage* pPage, SECToolBarManager* pManager, UINT nID) = 0;
  // Lays the toolbar out to the width of `rect` and puts it there.
  virtual void Layout(const CRect&) {}
  virtual void SetCustomizeMode(BOOL) {}

  std::unique_ptr<SECCustomizeToolBar> m_pWnd;
  CString m_strName;
};

class SECToolBarCategory : public SECToolBarCategoryBase {
 public:
  // `pIDs` (0 a separator) stays the caller's.
  SECToolBarCategory(LPCTSTR lpszName, int nCount, const UINT* pIDs);
  BOOL Create(SECToolBarCmdPage* pPage, SECToolBarManager* pManager, UINT nID) override;
  void Layout(const CRect& rect) override;
  void SetCustomizeMode(BOOL bOn) override;

  int m_nCount = 0;
  const UINT* m_pIDs = nullptr;
};

class SECToolBarCmdPage : public CGSPropertyPage {
  DECLARE_DYNAMIC(SECToolBarCmdPage)

 public:
  // The page of template 20509 without a caption of its own.
  SECToolBarCmdPage();
  SECToolBarCmdPage(UINT nIDTemplate, UINT nIDCaption);
  ~SECToolBarCmdPage() override;

  void AddCategory(LPCTSTR lpszName, int nCount, const UINT* pIDs);
  // Binds the page to the manager and listens to it.
  void SetManager(SECToolBarManager* pManager);
  SECToolBarManager* GetManager() const { return m_pManager; }
  // The description of the command (its string up to the first line break); nothing for -1 or a
  // command without a string.
  void ShowDescription(int nID);

  int GetCategoryCount() const { return int(m_categories.size()); }
  SECToolBarCategoryBase* GetCategory(int nIndex) const;
  int GetCurrentCategory() const { return m_nCurrent; }
  // Shows category `nIndex` as the list's selection would.
  void SelectCategory(int nIndex);
  // The area the category toolbars lie in (page client coordinates).
  CRect GetButtonArea() const { return m_rectArea; }

  BOOL OnInitDialog() override;
  void OnReset() override;
  // The sheet's cancel: as OnReset.
  void OnCancel() override;
  BOOL OnSetActive() override;
  BOOL OnKillActive() override;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnBarNotify(UINT nBarID, UINT nCode);
  void OnToolBarStyleChanging(WPARAM what);
  // Customize and configure mode end on every managed bar.
  void EndConfigure();

  std::vector<std::unique_ptr<SECToolBarCategoryBase>> m_categories;
  SECToolBarManager* m_pManager = nullptr;
  int m_nCurrent = -1;
  CRect m_rectArea;
};

// The customize sheet.
class SECToolBarSheet : public CGSPropertySheet {
  DECLARE_DYNAMIC(SECToolBarSheet)

 public:
  explicit SECToolBarSheet(UINT nIDCaption = 0, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  explicit SECToolBarSheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  ~SECToolBarSheet() override;

  // The sheet's own command handling: TRUE for a command it handled.
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

 protected:
  afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};

// A list of commands (item data: the command id, -1 none) that buttons are dragged out of.
class SECMenuListBox : public CListBox {
  DECLARE_DYNAMIC(SECMenuListBox)

 public:
  void SetManager(SECToolBarManager* pManager) { m_pManager = pManager; }
  // The item under a client point by scanning the visible item rectangles (also in several
  // columns; between or below items the last whose top is above the point); -1 for none.
  int ItemFromPointScan(CPoint point) const;

  SECToolBarManager* m_pManager = nullptr;
  BOOL m_bOwnHitTest = FALSE;

 protected:
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()
};
