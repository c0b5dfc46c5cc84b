// Toolbar buttons as objects, not windows: each knows its command, image, style, place and size,
// draws itself into the drawing context its toolbar shares with all its buttons, follows the
// mouse while pressed and answers tool-tip queries. SECStdBtn is the plain image button and the
// base of all others; window buttons (wnd_button.h) host a child window in their place.
//
// A button talks to its toolbar only through SECToolBarButtonOwner, so the buttons can be laid
// out, drawn and pressed by any bar (the customizable toolbar implements it) and by tests.
//
// Buttons are made from class records: a button map names, per command id, the class record of
// the button to make, its style and five creation parameters; SECCreateToolBarButton makes the
// button a toolbar asks for by command id.
#pragma once

#include "platform/base/object.h"
#include "platform/framework/tool_tips.h"
#include "platform/gdi/core/afx_gdi.h"

class SECBmpMgr;
class SECStdBtn;
class SECBtnDrawData;

// --- Style bits -----------------------------------------------------------------------------------
constexpr DWORD SEC_TBBS_SEPARATOR = 0x00000001;
constexpr DWORD SEC_TBBS_CHECKBOX = 0x00000002;
constexpr DWORD SEC_TBBS_DROPDOWN = 0x00000008;
constexpr DWORD SEC_TBBS_CHECKED = 0x00010000;
constexpr DWORD SEC_TBBS_PRESSED = 0x00020000;
constexpr DWORD SEC_TBBS_DISABLED = 0x00040000;
constexpr DWORD SEC_TBBS_HIDDEN = 0x00080000;
constexpr DWORD SEC_TBBS_INDETERMINATE = 0x00100000;
constexpr DWORD SEC_TBBS_WRAPPED = 0x00200000;
constexpr DWORD SEC_TBBS_SELECTED = 0x01000000;   // the button being customized
constexpr DWORD SEC_TBBS_HOT = 0x02000000;        // under the mouse (cool look)
constexpr DWORD SEC_TBBS_NODISABLE = 0x10000000;  // command-UI update never disables it
constexpr DWORD SEC_TBBS_VCENTER = 0x20000000;    // centred vertically in a taller row

// --- Button types ----------------------------------------------------------------------------------
constexpr int SEC_BTNTYPE_PLAIN = 0;
constexpr int SEC_BTNTYPE_WINDOW = 2;
constexpr int SEC_BTNTYPE_MENU_ITEM = 3;
constexpr int SEC_BTNTYPE_SYSMENU = 4;
constexpr int SEC_BTNTYPE_CAPTION = 5;
constexpr int SEC_BTNTYPE_COMBO = 6;

// Notification codes a button sends to its toolbar's owner (WM_NOTIFY) and to its fellows.
constexpr UINT SEC_TBN_DROPDOWN = UINT(-710);
constexpr UINT SEC_TBN_MENU_DROPDOWN = UINT(-2120);
constexpr UINT SEC_TBN_MENU_CLOSE = UINT(-2121);
constexpr UINT SEC_BTN_NOTIFY_STYLE = 1;  // Notify data: {bits to set, bits to clear}
constexpr UINT SEC_BTN_NOTIFY_WND_MESSAGE = 257;

// The registered message a window button sends to its toolbar's owner: wParam =
// MAKEWPARAM(hosted window's id, code), lParam = the hosted window. Code 257 follows the hosted
// window's creation.
UINT SECToolBarWndNotifyMessage();
constexpr UINT SEC_WNDBTN_CREATED = 257;

// What a button uses of the toolbar that holds it.
class SECToolBarButtonOwner {
 public:
  virtual ~SECToolBarButtonOwner() = default;
  // The toolbar window: buttons invalidate it, window buttons are its children.
  virtual CWnd* GetBarWnd() = 0;
  // Receives the buttons' WM_NOTIFY and window-button notifications.
  virtual CWnd* GetBarOwner() = 0;
  virtual SECBmpMgr* GetBmpMgr() = 0;
  virtual int GetImageWidth() const = 0;
  virtual int GetImageHeight() const = 0;
  virtual BOOL IsCoolLook() const = 0;
  // While the customize sheet is open.
  virtual BOOL InCustomizeMode() const = 0;
  // Whether this is the customize sheet's own toolbar of commands.
  virtual BOOL IsCustomizeSheetBar() const = 0;
  // Buttons draw transparently over the bar (its extended styles 0x100 and 0x1000 both).
  virtual BOOL DrawsTransparent() const = 0;
  // The button's index in the bar, -1 when it is not there.
  virtual int ButtonIndex(const SECStdBtn* pBtn) const = 0;
  // Notify(nCode, pData) to every button with the command on this bar and on every bar of the
  // same manager.
  virtual void SendToButtons(UINT nID, UINT nCode, void* pData) = 0;
  virtual void TrackHotButton(BOOL bUpdateNow) = 0;
  // Raised to a button's width whenever a button measures itself.
  virtual void RaiseWidestButton(int cx) = 0;
  // Set while a button's own notification is being handled.
  virtual void SetCommandInProgress(BOOL bInProgress) = 0;
  // The frame lays its bars out again (a window button changed its width).
  virtual void RecalcFrameLayout() = 0;
};

// A class record: makes one button of its class on the heap, or null.
struct SECButtonClass {
  SECStdBtn* (*pfnCreateButton)();
  // Runs the creator; an exception gives null.
  SECStdBtn* CreateButton() const;
};

// One row of a button map; a map ends at a row whose class record is null.
struct SECButtonMapEntry {
  const SECButtonClass* pClass;
  UINT nID;
  DWORD dwStyle;
  // For a window button: control id, window style, width (low word) and minimum width (high
  // word), height, spare.
  UINT params[5];
};

// The drawing context a toolbar's buttons share during one paint: a one-bit mask context, the
// source context holding the image strip in use, the composition context, and the dither brush
// (an 8 x 8 checkerboard of the face and highlight colours).
class SECBtnDrawData {
 public:
  SECBtnDrawData();
  ~SECBtnDrawData();
  SECBtnDrawData(const SECBtnDrawData&) = delete;
  SECBtnDrawData& operator=(const SECBtnDrawData&) = delete;

  // Makes the contexts compatible with `target` and the composition and mask bitmaps cx x cy;
  // FALSE when they cannot be made.
  BOOL Prepare(CDC* target, int cx, int cy);
  // Puts the replaced objects back and frees the bitmaps.
  void Release();
  // Builds the dither brush again from the current system colours.
  void RebuildDitherBrush();
  // Selects an image strip into the source context (the same one again is skipped).
  void SelectSource(HBITMAP hBitmap);

  CDC m_monoDC;
  CDC m_srcDC;
  CDC m_drawDC;
  CBrush m_ditherBrush;
  CBitmap m_drawBitmap;
  CBitmap m_monoBitmap;
  HGDIOBJ m_hOldDraw = nullptr;
  HGDIOBJ m_hOldMono = nullptr;
  HGDIOBJ m_hOldSrc = nullptr;
  HBITMAP m_hSrcBitmap = nullptr;
  BOOL m_bPrepared = FALSE;
};

class SECStdBtn : public CObject {
  DECLARE_DYNAMIC(SECStdBtn)

 public:
  SECStdBtn();
  ~SECStdBtn() override;
  SECStdBtn(const SECStdBtn&) = delete;
  SECStdBtn& operator=(const SECStdBtn&) = delete;

  static const SECButtonClass buttonClassSECStdBtn;

  virtual void SetCollapsed(BOOL bCollapsed);
  virtual void SetStyle(DWORD dwStyle) { m_nStyle = dwStyle; }
  virtual DWORD GetStyle() const { return m_nStyle; }
  // TRUE when every bit of the mask is set.
  virtual BOOL HasStyle(DWORD dwMask) const { return (m_nStyle & dwMask) == dwMask; }
  virtual void SetPos(int x, int y);
  virtual void Invalidate(BOOL bErase = FALSE);
  // Binds the button to its toolbar and measures it.
  virtual void Init(SECToolBarButtonOwner* pToolBar, const UINT* pData);
  virtual BOOL CanDrag() const { return TRUE; }
  virtual void Draw(CDC& dc, SECBtnDrawData& data);
  // Mouse, as the toolbar hands it on: a press (0 refuses it), moves while pressed, a cancel,
  // and the release, which answers the command to run (0 for none).
  virtual BOOL OnPress(int x, int y);
  virtual void OnPressMove(int x, int y);
  virtual void OnPressCancel();
  virtual UINT OnPressUp(int x, int y);
  virtual void UpdateVisibility() {}
  virtual void OnBarStyleChanged(DWORD) {}
  // Fills the tool record (when given) and returns the tool id: the command id.
  virtual INT_PTR GetToolInfo(int x, int y, TOOLINFO* pTI);
  virtual void Notify(UINT nCode, void* pData);
  virtual void RecalcSize();
  // The button's bytes in the toolbar's saved contents: none for a plain button.
  virtual void GetSavedData(BYTE& nLength, BYTE*& pData) {
    nLength = 0;
    pData = nullptr;
  }
  virtual void SetSavedData(BYTE, const BYTE*) {}
  // WM_NOTIFY to the toolbar's owner; its answer.
  virtual LRESULT SendNotify(UINT nCode, LPARAM lParam1 = 0, LPARAM lParam2 = 0);

  // Drawing steps, in the order Draw runs them.
  virtual void DrawFace(SECBtnDrawData& data, BOOL bNoBorder, CRect& rect, int nImgWidth = -1);
  virtual void DrawDisabled(SECBtnDrawData& data, const CRect& rect);
  virtual void DrawChecked(SECBtnDrawData& data, const CRect& rect);
  virtual void DrawIndeterminate(SECBtnDrawData& data, const CRect& rect);
  virtual void DrawSelectionFrame(CDC& dc, const CRect& rect);
  // Selects the strip holding the image; FALSE when the command has no image.
  virtual BOOL SelectImage(SECBtnDrawData& data);
  virtual BOOL DrawSeparator(CDC& dc);
  virtual void DrawButton(SECBtnDrawData& data);
  virtual void BlitImage(SECBtnDrawData& data, int x, int y, int nImgWidth, int nImgHeight);
  virtual void DrawTransparent(CDC& dc, SECBtnDrawData& data);
  virtual void DrawSelection(CDC& dc);
  virtual void BlitToTarget(CDC& dc, SECBtnDrawData& data);
  virtual const SECButtonClass* GetButtonClass() const { return &buttonClassSECStdBtn; }

  CRect GetRect() const { return CRect(m_x, m_y, m_x + m_cx, m_y + m_cy); }
  int ImageWidth() const;
  int ImageHeight() const;
  SECToolBarButtonOwner* GetToolBar() const { return m_pToolBar; }

  UINT m_nID = 0;
  int m_nImage = -1;  // -1: the command has no image (the face is drawn alone)
  DWORD m_nStyle = 0;
  int m_x = 0;
  int m_y = 0;
  int m_cx = 23;
  int m_cy = 22;
  int m_nType = SEC_BTNTYPE_PLAIN;
  SECToolBarButtonOwner* m_pToolBar = nullptr;

 protected:
  // 1 where the composed button shows the face or the highlight colour.
  void CreateMask(SECBtnDrawData& data, const CRect& rect);
  // Whether the mask keeps its image after SelectImage found none.
  BOOL m_bHasImage = FALSE;
};

// The button a toolbar makes for a command: the map row's class (a plain button without a map, a
// row or when the class's creator fails), its style, the image index (none for types 3 and 6),
// Init with the row's parameters, then SetCollapsed with the bar's collapse flag. Never null.
SECStdBtn* SECCreateToolBarButton(UINT nID, const SECButtonMapEntry* pMap, SECToolBarButtonOwner* pToolBar,
                                  BOOL bCollapsed);
// A separator: a plain button with the separator style, command 0 and image 0.
SECStdBtn* SECCreateToolBarSeparator(SECToolBarButtonOwner* pToolBar);

// The zeroed record of a button's WM_NOTIFY: the header of a toolbar notification and the
// button's command, then its index in the toolbar and the two parameters of SendNotify.
struct SECBtnNotify {
  NMHDR hdr;
  int iItem;  // command id of the button
  BYTE reserved[24];
  int nIndex;
  LPARAM lParam1;
  LPARAM lParam2;
};

// The 3-pixel drag frame around `rect` drawn with the halftone brush (drawn twice it goes away).
void SECDrawDragFrame(CDC& dc, const CRect& rect);

namespace toolbar_button {

// The size of a plain button and of a separator for an image size.
CSize ButtonSize(int nImgWidth, int nImgHeight);
int SeparatorWidth(int nImgWidth);
// Where the image of a button at `rect` goes (pressed or checked buttons move it by one).
CPoint ImageOrigin(const CRect& rect, int nImgWidth, int nImgHeight, BOOL bPushed);
// The style after a check button is released: checked toggled, indeterminate cleared.
void CheckToggleBits(DWORD dwStyle, DWORD& dwSet, DWORD& dwClear);

}  // namespace toolbar_button
