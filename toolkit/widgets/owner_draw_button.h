// Push buttons that draw themselves. SECOwnerDrawButton draws the frame and the pushed, focused
// and disabled states and leaves the face to its derived classes: SECWellButton (a colour swatch
// with a drop-down arrow that opens a SECPopupColorWell under itself), SECBitmapButton (a bitmap
// beside, above, below or instead of the text) and SECMenuButton (a bitmap button with an arrow
// that drops a popup menu).
//
// The menu button never destroys its menu: the menus it is given belong to the caller (the
// application hands it sub-menus of menus it keeps), so it only lets go of them.
#pragma once

#include <memory>

#include "platform/controls/standard_controls.h"
#include "platform/gdi/core/afx_gdi.h"
#include "toolkit/widgets/color_well.h"

// Where a bitmap button puts its image.
constexpr int SEC_BMP_LEFT = 0;
constexpr int SEC_BMP_RIGHT = 1;
constexpr int SEC_BMP_ABOVE = 2;
constexpr int SEC_BMP_BELOW = 3;
constexpr int SEC_BMP_ONLY = 4;

class SECOwnerDrawButton : public CButton {
  DECLARE_DYNAMIC(SECOwnerDrawButton)

 public:
  SECOwnerDrawButton();
  ~SECOwnerDrawButton() override;

  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;

  // Takes over the dialog's button `nID` and makes it owner-drawn; nonzero on success.
  virtual BOOL AttachDlgItem(UINT nID, CWnd* pParent);
  virtual BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID);
  virtual void OnClicked() {}
  virtual void SetOwnerDrawStyle(DWORD dwStyle, BOOL bRedraw);
  virtual void PreparePalette(CDC*, CDC*) {}
  // Draws the frame for the item's state; returns the interior.
  virtual CRect DrawFrame(CDC& dc, const DRAWITEMSTRUCT& item);
  virtual void RestorePalette(CDC*, CDC*) {}
  // The embossed look of the whole face.
  virtual void DrawDisabled(CDC& dc, int cx, int cy);
  virtual void DrawFocusFrame(CDC& dc, const CRect& rect) = 0;
  virtual void DrawFocusState(CDC& dc, const DRAWITEMSTRUCT& item);
  virtual void DrawContent(CDC& dc, const DRAWITEMSTRUCT& item, const CRect& interior) = 0;

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  // The button family's cached system colours, refreshed by every constructor and on
  // WM_SYSCOLORCHANGE.
  struct Colours {
    COLORREF frame, shadow, hilite, face, separator;
  };
  static const Colours& GetColours();
  static void RefreshColours();

 protected:
  // Runs the item's drawing steps on `dc` (a memory context, or the screen when none could be made).
  void DrawSteps(CDC& dc, const DRAWITEMSTRUCT& item, BOOL bDisabledLook);
  BOOL m_bNewShell = TRUE;
};

class SECWellButton : public SECOwnerDrawButton {
  DECLARE_DYNAMIC(SECWellButton)

 public:
  SECWellButton();
  ~SECWellButton() override;

  void OnClicked() override;
  void PreparePalette(CDC* pScreen, CDC* pMemory) override;
  void RestorePalette(CDC* pScreen, CDC* pMemory) override;
  void DrawFocusFrame(CDC& dc, const CRect& rect) override;
  void DrawContent(CDC& dc, const DRAWITEMSTRUCT& item, const CRect& interior) override;
  virtual void CreateWellPalette();
  virtual void ShowPopup();
  virtual DWORD GetColorDialogFlags() const { return 3; }

  void SetColor(COLORREF colour);
  COLORREF GetColor() const { return m_colour; }
  void SetPaletteMode(BOOL bPaletteMode) { m_bPaletteMode = bPaletteMode; }
  void SetOtherColorsButton(BOOL bOther) { m_bOtherColors = bOther; }
  SECPopupColorWell& GetPopup() { return *m_popup; }

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  // The swatch inside the interior.
  static CRect SwatchRect(const CRect& interior);

 protected:
  void OnColourChosen(COLORREF colour);

  std::unique_ptr<SECPopupColorWell> m_popup;
  CPalette m_palette;  // one entry: the shown colour
  COLORREF m_colour = RGB(0, 0, 0);
  CPalette* m_pOldScreenPalette = nullptr;
  CPalette* m_pOldMemoryPalette = nullptr;
  BOOL m_bPaletteMode = FALSE;
  BOOL m_bOtherColors = TRUE;
};

namespace bitmap_button {

// The image and text rectangles of a bitmap of `bitmap` size in a client area of `client` size.
void Layout(CSize client, CSize bitmap, int nPosition, int nMarginX, int nMarginY, CRect& image, CRect& text);

}  // namespace bitmap_button

class SECBitmapButton : public SECOwnerDrawButton {
  DECLARE_DYNAMIC(SECBitmapButton)

 public:
  SECBitmapButton();
  ~SECBitmapButton() override;

  // Bitmaps are named by their resource ids (MAKEINTRESOURCE); other names are not found.
  virtual BOOL AttachBitmapItem(UINT nID, LPCTSTR lpszBitmap, int nPosition, CWnd* pParent);
  virtual BOOL AttachBitmapItemById(UINT nID, UINT nBitmap, int nPosition, CWnd* pParent);
  virtual BOOL CreateBitmapButtonById(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID,
                                      UINT nBitmap, int nPosition);
  virtual BOOL CreateBitmapButton(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID,
                                  LPCTSTR lpszBitmap, int nPosition);
  virtual void LayoutImage();

  void DrawFocusFrame(CDC& dc, const CRect& rect) override;
  void DrawContent(CDC& dc, const DRAWITEMSTRUCT& item, const CRect& interior) override;

  const CRect& GetImageRect() const { return m_rcImage; }
  const CRect& GetTextRect() const { return m_rcText; }
  int GetImagePosition() const { return m_nImagePos; }

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  BOOL LoadBitmapResource(UINT nBitmap);
  // The font the text is drawn with: the window's, else the default GUI font.
  CFont* TextFont();

  UINT m_nBitmap = 0;
  CBitmap m_bitmap;
  int m_nMarginX;
  int m_nMarginY;
  CRect m_rcImage;
  CRect m_rcText;
  int m_nImagePos = SEC_BMP_LEFT;
};

class SECMenuButton : public SECBitmapButton {
  DECLARE_DYNAMIC(SECMenuButton)

 public:
  SECMenuButton();
  // Lets go of the menu; the menu itself stays (its owner destroys it).
  ~SECMenuButton() override;

  virtual BOOL AttachMenuItem(UINT nID, CWnd* pParent, HMENU hMenu, int nDirection = 0);
  virtual BOOL CreateMenuButton(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID,
                                HMENU hMenu, int nDirection = 0);
  // Attaches the menu and keeps the direction; gives the arrow's bitmap id and answers the image
  // position for `text` (the arrow right of a text, alone without one).
  virtual int SetMenu(const CString& text, HMENU hMenu, int nDirection, UINT& nBitmap);
  void SetMenuDirection(int nDirection);

  void OnClicked() override;
  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;

  HMENU GetMenu() const { return m_hMenu; }
  int GetMenuDirection() const { return m_nDirection; }

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  // Where the menu opens for a button at `button` (screen coordinates): its corner, the
  // TrackPopupMenuEx flags and the rectangle the menu must leave uncovered.
  struct PopupRequest {
    CPoint at;
    UINT flags;
    CRect exclude;
  };
  static PopupRequest MenuPlacement(const CRect& button, int nDirection);

 protected:
  HMENU m_hMenu = nullptr;
  int m_nDirection = 0;
  BOOL m_bDrawEnabled = TRUE;
};
