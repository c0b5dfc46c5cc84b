// Bitmap menus: a frame plug-in that turns the items of the frame's pop-up menus into owner-drawn
// items showing the command's toolbar image left of the text, the checked, selected, default and
// disabled states in the flat toolbar style and the shortcut right-aligned, and that answers
// mnemonic keys itself (the menu loop does not look into owner-drawn items' texts).
//
// The geometry and the mnemonic answer are plain functions (namespace bmpmenu) over plain data.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/framework/menu.h"
#include "toolkit/frame/wnd_plugin.h"

class SECBmpMgr;
class SECBtnDrawData;

namespace bmpmenu {

// What a converted item keeps: the label and the shortcut (after the first tab).
struct SplitText {
  std::string label;
  std::string shortcut;
};
SplitText Split(const std::string& text);
// An item's size: the text's width + the image's + 30; the height the greatest of the text's, the
// image's + 4 and the system's menu height.
CSize ItemSize(CSize text, CSize image, int cyMenu);
// Where the parts of an item of `item` lie (image width `cxImage`, height `cyImage`): the image box
// (image width + 4 wide, image height + 4 high, centred) and the text rectangle (1 pixel into the
// text area, ending 23 pixels before the item's right edge).
struct ItemLayout {
  CRect box;
  CRect column;
  CRect textArea;
  CRect text;
};
ItemLayout Layout(const CRect& item, int cxImage, int cyImage);
// One item as WM_MENUCHAR sees it.
struct CharItem {
  bool ours = false;  // owner-drawn, converted here, not foreign
  char mnemonic = 0;
  bool highlighted = false;
};
// WM_MENUCHAR's answer for `ch` (already lower-cased): 0 when no item matches; one match executes
// it; several select the first match after the highlighted item, wrapping round.
LRESULT MenuCharAnswer(const std::vector<CharItem>& items, char ch);

}  // namespace bmpmenu

class SECBmpMenuItemInfo : public CObject {
  DECLARE_DYNAMIC(SECBmpMenuItemInfo)

 public:
  SECBmpMenuItemInfo(UINT nID, const CString& strText);
  UINT m_nID = 0;
  CString m_strText;  // as before the conversion, with the tab and shortcut
  char m_cMnemonic = 0;
};

class SECBmpMenuPlugIn : public SECWndPlugIn {
  DECLARE_DYNCREATE(SECBmpMenuPlugIn)

 public:
  // `bOwnCheckImages` selects the toolkit's check mark and radio dot.
  explicit SECBmpMenuPlugIn(BOOL bOwnCheckImages = FALSE);
  ~SECBmpMenuPlugIn() override;

  // Shares `pMgr` (a reference is taken) for the images; it keeps small images.
  void SetBmpMgr(SECBmpMgr* pMgr);
  SECBmpMgr* GetBmpMgr() const { return m_pBmpMgr; }
  // Converts the pop-up `wParam` (index: low word of lParam, system menu: high word).
  void InitMenuPopup(WPARAM wParam, LPARAM lParam);
  // An owner-drawn item of somebody else: never measured, drawn or converted here.
  void AddForeignId(UINT nID);
  BOOL IsForeignId(UINT nID) const { return m_foreign.count(nID) != 0; }

  virtual void PurgeMenuRecords();
  virtual BOOL CreateMenuFont(CFont& font);
  virtual BOOL CreateBoldMenuFont(CFont& font);
  // A mask of the image at `x` of `source`: white where it shows the button face or highlight.
  virtual void CreateImageMask(CDC& source, CDC& mask, CBitmap& bitmap, int cx, int cy, int x);
  virtual void DrawCheckedBackground(CDC& dc, CDC& mask, const CRect& image);
  virtual void DrawDisabledImage(CDC& dc, CDC& mask, const CRect& image);
  virtual void DrawImageBox(CDC& dc, const DRAWITEMSTRUCT& dis, const CRect& box, HBITMAP hImage, int nImage);

  // How many items of how many menus are converted now (for tests).
  size_t MenuCount() const { return m_menus.size(); }
  size_t ItemCount(HMENU hMenu) const;

 protected:
  struct MenuRecord {
    HMENU hMenu = nullptr;
    std::vector<std::unique_ptr<SECBmpMenuItemInfo>> items;
  };

  afx_msg LRESULT OnMeasureItemMsg(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnDrawItemMsg(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnMenuCharMsg(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnInitMenuPopupMsg(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSettingChangeMsg(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSysColorChangeMsg(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

  // The info of an item this plug-in converted, or null.
  SECBmpMenuItemInfo* OurInfo(HMENU hMenu, UINT_PTR data) const;
  CFont* MenuFont(BOOL bBold);
  CSize ImageSize() const;

  std::map<HMENU, std::unique_ptr<MenuRecord>> m_menus;
  std::map<UINT, UINT> m_foreign;
  BOOL m_bOwnCheckImages = FALSE;
  SECBmpMgr* m_pBmpMgr = nullptr;
  CFont m_font;
  CFont m_boldFont;
  std::unique_ptr<SECBtnDrawData> m_pDither;
};
