// Colour wells: a grid of 4 columns by 5 rows holding the 20 static colours of the default
// palette, optionally followed by a row with an "&Inny..." button that opens the colour chooser;
// a chosen colour that is not in the grid shows in one custom cell at the end of that row.
//
// SECColorWell is the child-window form kept in a dialog: every change of selection is reported
// to its parent (SEC_WM_COLORSELECTED with the well's id and the colour). SECPopupColorWell is
// the drop-down form shown under a pressed button: it captures the mouse, closes on a choice, on
// Escape, on loss of focus or on a click outside, and reports the chosen colour (wParam 0) and the
// "&Inny..." press (SEC_WM_OTHERCOLOR) to its notify window. It opens on the screen that holds the
// button, inside that screen's work area.
//
// Geometry, hit-testing, keyboard moves and the popup's placement are plain functions below.
#pragma once

#include <memory>
#include <vector>

#include "platform/controls/standard_controls.h"
#include "platform/gdi/core/afx_gdi.h"

constexpr UINT SEC_WM_COLORSELECTED = 0x0465;
constexpr UINT SEC_WM_OTHERCOLOR = 0x0466;
constexpr UINT SEC_ID_OTHER_COLORS = 59953;
// Window style bit of a well with a raised border (the popup always has it).
constexpr DWORD SEC_CWS_RAISEDBORDER = 0x0001;

namespace color_well {

// A cell by column and row; the custom cell is (columns - 1, rows).
struct Cell {
  int col = 1;
  int row = 1;
  bool operator==(const Cell&) const = default;
};

struct Grid {
  int rows = 5;
  int cols = 4;
  int cellWidth = 0;
  int cellHeight = 0;
  int marginX = 2;
  int marginY = 2;
  bool otherRow = false;     // the "&Inny..." row exists
  bool customShown = false;  // the custom cell is in use

  Cell CustomCell() const { return {cols - 1, rows}; }
  bool IsCustom(Cell c) const { return c == CustomCell(); }
  int PaletteIndex(Cell c) const { return IsCustom(c) ? rows * cols : c.col + c.row * cols; }
};

// The cell's rectangle in client coordinates (the custom cell lies 5 pixels lower than its row).
CRect CellRect(const Grid& grid, Cell cell);
// The window's size for the grid.
CSize WindowSize(const Grid& grid);
// The "&Inny..." button's rectangle: the bottom row between the margins, narrowed by one cell
// when the custom cell is shown.
CRect OtherButtonRect(const Grid& grid);
// The 2-pixel etched line below the grid.
CRect SeparatorRect(const Grid& grid);
// The cell under `point` (each grid cell enlarged by 1, then the custom cell when shown); false
// when none.
bool HitTest(const Grid& grid, CPoint point, Cell& cell);
// Where an arrow key (VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN) moves the selection.
Cell Move(const Grid& grid, Cell from, UINT vk);
// Where the popup of `size` opens for a button at `button` (screen coordinates) on a screen with
// the work area `work`: below the button's bottom-left corner; above it when the bottom would
// leave the work area; right-aligned with the button when the right edge would leave it; and
// finally kept inside the work area.
CPoint PopupPosition(const CRect& button, CSize size, const CRect& work);
// The 20 static colours of the default palette, in its order.
const COLORREF* StaticColours();

}  // namespace color_well

class SECColorWell : public CWnd {
  DECLARE_DYNAMIC(SECColorWell)

 public:
  SECColorWell();
  ~SECColorWell() override;

  // Creates the well at (x, y) of `pParent` (dialog units when `bDialogUnits`); 1 on success.
  virtual BOOL Create(DWORD dwStyle, int x, int y, CWnd* pParent, UINT nID, BOOL bDialogUnits = TRUE,
                      BOOL bOtherColors = FALSE, CPalette* pPalette = nullptr);
  virtual void DrawCell(CDC& dc, CPoint origin, int col, int row);
  virtual void DrawSelectedCell(CDC& dc, CPoint origin, int col, int row);
  virtual void NotifyColor();
  // Moves the selection; `code` 0 from the keyboard, 1 tracking the mouse, 2 a click or Enter.
  virtual void SelectCell(int col, int row, int code);
  virtual void CreateWellPalette();
  virtual void SetGridSize();
  virtual void GetCellRect(CRect& rect, int col, int row) const;
  virtual void CalcCellRect(CPoint origin, CRect& rect, int col, int row) const;
  virtual void CalcWindowRect(CRect& rect, CWnd* pParent, int x, int y, BOOL bDialogUnits);
  virtual void AdjustPalette(COLORREF*, int, int) {}
  virtual DWORD GetColorDialogFlags() const { return 3; }
  virtual UINT GetClassStyle() const { return 0; }
  virtual void Reset();
  virtual BOOL HasFocusFrame() const { return TRUE; }

  // Selects the cell of `colour`; an unlisted one goes into the custom cell when the other-colours
  // row exists, else the selection stays.
  void SelectColor(COLORREF colour);
  COLORREF GetColor() const;
  void SetTrackMouse(BOOL bTrack) { m_bTrackMouse = bTrack; }
  void SetPaletteMode(BOOL bPaletteMode);

  color_well::Cell GetSelectedCell() const { return m_sel; }
  const color_well::Grid& GetGrid() const { return m_grid; }
  BOOL IsCustomShown() const { return m_grid.customShown; }
  CButton* GetOtherColorsButton() { return m_pOtherButton.get(); }

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  friend class SECOtherColorsButton;
  void Paint(CDC& dc);
  void DrawFocusFrame();
  void RedrawCell(color_well::Cell cell);
  void MoveSelection(color_well::Cell cell);
  COLORREF CellColour(int index) const;
  void MakePalette();
  void ShowCustomCell();
  virtual void OnWellKeyDown(UINT vk);
  virtual void OnWellLButtonDown(CPoint point);
  virtual void OnOtherColors();
  // The other-colours button's key and focus handling (it forwards them here).
  virtual BOOL OnOtherButtonKey(UINT vk);
  virtual void OnOtherButtonKillFocus(HWND hNewFocus) { (void)hNewFocus; }

  color_well::Grid m_grid;
  std::vector<COLORREF> m_colours;  // grid colours, then the custom colour
  color_well::Cell m_sel;
  BOOL m_bFocused = FALSE;
  BOOL m_bTrackMouse = FALSE;
  BOOL m_bPaletteMode = FALSE;
  CPalette m_palette;
  CBrush m_bkBrush;
  std::unique_ptr<CButton> m_pOtherButton;
};

class SECPopupColorWell : public SECColorWell {
  DECLARE_DYNAMIC(SECPopupColorWell)

 public:
  SECPopupColorWell();
  ~SECPopupColorWell() override;

  void NotifyColor() override;
  void SelectCell(int col, int row, int code) override;
  UINT GetClassStyle() const override { return CS_SAVEBITS; }
  void Reset() override;
  BOOL HasFocusFrame() const override { return FALSE; }
  // Opens the popup for a button at `buttonRect` (screen coordinates); 1 when it is up.
  virtual BOOL Popup(DWORD dwStyle, const CRect& buttonRect, CWnd* pParent, BOOL bOtherColors,
                     CPalette* pPalette = nullptr);

  void SetNotifyWnd(CWnd* pWnd) { m_hNotify = pWnd ? pWnd->m_hWnd : nullptr; }
  BOOL IsPoppedUp() const { return m_bPoppedUp; }
  // Closes the popup without a choice.
  void Close();

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  void OnWellKeyDown(UINT vk) override;
  void OnWellLButtonDown(CPoint point) override;
  void OnOtherColors() override;
  BOOL OnOtherButtonKey(UINT vk) override;
  void OnOtherButtonKillFocus(HWND hNewFocus) override;
  void PostNcDestroy() override;

  HWND m_hNotify = nullptr;
  BOOL m_bPoppedUp = FALSE;
};
