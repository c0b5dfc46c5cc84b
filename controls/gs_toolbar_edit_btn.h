// CGSToolbarEditBtn: the toolbar field that shows a position as two read-outs in centimetres,
// "X = " above "Y = ", for the picture sheets' cursor. It is a window and a window button at once:
// the toolkit makes it from the frame's button map, lays it out with the bar, and lets it be
// selected, dragged and resized while the bar is customized.
//
// Whether a field shows its two labels comes from the descriptions of the process-wide cache
// (CGSToolbarEditBtnDataCache): the last description with the field's command id decides.
#pragma once

#include <memory>
#include <vector>

#include "platform/base/cstring.h"
#include "platform/controls/standard_controls.h"
#include "toolkit/widgets/wnd_button.h"

// One description of a toolbar field.
struct CGSToolbarEditBtnData {
  int nID = -1;       // the command of the fields it describes
  int nWidth = 100;
  int nReserved1 = 0;
  int nReserved2 = 1;
  int bLabels = 0;    // 1: the field shows "X = " and "Y = "
};

// The descriptions, owned until the process ends.
class CGSToolbarEditBtnDataCache : public CObject {
  DECLARE_DYNAMIC(CGSToolbarEditBtnDataCache)

 public:
  static CGSToolbarEditBtnDataCache& Instance();

  void Add(std::unique_ptr<CGSToolbarEditBtnData> pData);
  int GetSize() const { return int(m_records.size()); }
  void RemoveAll() { m_records.clear(); }
  // The label switch of the last description of command `nID`; 0 when none describes it.
  int FindLabels(UINT nID) const;

 private:
  std::vector<std::unique_ptr<CGSToolbarEditBtnData>> m_records;
};

namespace toolbar_field {

// The read-out of `value` pixels at `scale` (150 pixels a centimetre at scale 1): "%3.2f cm".
CString PositionText(int value, float scale);

// Where the four static controls go in a field of `client` size that is `buttonHeight` high: two
// rows inside a 2-pixel margin, the second starting at half the height (11 pixels down without
// labels). The first row starts `leading` pixels higher (the font's blank space above its
// letters, at most the margin) and reaches the second; the second reaches the bottom, at least
// 10 pixels high, so that both lines of letters fit in a field as high as a button. A label takes
// `labelWidth` pixels (at least 16) at the row's left and its value starts 4 pixels after it;
// with `labelWidth` 0 there are no labels, the values fill their rows and the label rectangles
// are empty.
struct Layout {
  CRect labelX, valueX, labelY, valueY;
};
Layout FieldLayout(const CRect& client, int buttonHeight, int labelWidth, int leading = 0);

}  // namespace toolbar_field

class CGSToolbarEditBtn : public CWnd, public SECWndBtn {
  DECLARE_DYNAMIC(CGSToolbarEditBtn)

 public:
  CGSToolbarEditBtn();
  ~CGSToolbarEditBtn() override;

  static const SECButtonClass buttonClassCGSToolbarEditBtn;
  const SECButtonClass* GetButtonClass() const override { return &buttonClassCGSToolbarEditBtn; }

  void SetCollapsed(BOOL bCollapsed) override;
  // The window button's size (the bar's button height plus 7); the window and its read-outs
  // follow it.
  void RecalcSize() override;
  CWnd* GetWnd() override { return this; }
  BOOL CreateWnd(CWnd* pParentBar, DWORD dwStyle, const CRect& rect, UINT nID) override;

  // Disabling clears both values first; the four controls are enabled or greyed.
  void EnableFields(BOOL bEnable);
  // Shows x and y (pixels) at `scale` as centimetres.
  void SetPosition(int x, int y, float scale);
  BOOL HasLabels() const { return m_bLabels != 0; }
  CString GetXText() const;
  CString GetYText() const;
  CStatic& ValueX() { return m_valueX; }
  CStatic& ValueY() { return m_valueY; }
  CStatic& LabelX() { return m_labelX; }
  CStatic& LabelY() { return m_labelY; }

  // The font of every toolbar field (the main frame's; the default GUI font while none is set).
  static void SetFieldFont(HFONT hFont) { s_hFieldFont = hFont; }
  static HFONT GetFieldFont();

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  // A notice of a read-out goes to the bar as the field's command.
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  void PlaceReadOuts();
  // The wider label's text width and the blank space above the letters in the field's font.
  void MeasureFont(int& labelWidth, int& leading);

  CStatic m_labelX;
  CStatic m_valueX;
  CStatic m_labelY;
  CStatic m_valueY;
  int m_bLabels = 0;
  static HFONT s_hFieldFont;
};
