// A combo box with a flat look (SECHoverComboBox): its border is drawn flat in the face colour,
// raised while the mouse is over it or it has the focus, pressed while the left button is down on
// it. SECToolBarComboHost puts one on a customizable toolbar as a window button: made from a
// button-map row for one command, selected, dragged and resized like any button while the bar is
// customized, and passing Enter and Escape to the toolbar's owner.
#pragma once

#include <vector>

#include "platform/controls/standard_controls.h"
#include "toolkit/widgets/wnd_button.h"

// The border kinds a hover combo box draws.
enum class SECHoverBorder { flat = 1, raised = 2, pressed = 4 };

// Codes of SECToolBarWndNotifyMessage from a toolbar's combo box.
constexpr UINT SEC_COMBO_ENTER = 513;
constexpr UINT SEC_COMBO_ESCAPE = 514;

class SECHoverComboBox : public CComboBox {
  DECLARE_DYNAMIC(SECHoverComboBox)

 public:
  SECHoverComboBox();
  ~SECHoverComboBox() override;

  // Draws the border of `kind` over the box.
  void DrawBorder(SECHoverBorder kind);
  // The mouse moved over the box or a child of it (`from`): the raised border, and a notice when
  // the mouse leaves `from`.
  void OnHoverMove(HWND from);
  // The mouse left `from`: flat again unless the cursor is still over the box or the box has the
  // focus.
  void OnHoverLeave();
  BOOL IsHovered() const { return m_bHovered; }
  BOOL IsButtonDown() const { return m_bLBtnDown; }
  // The hover box that has the keyboard focus, or null.
  static SECHoverComboBox* GetFocusedBox() { return s_pFocused; }

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

 protected:
  // The border the box's state asks for.
  SECHoverBorder CurrentBorder() const;
  void SetButtonDown(BOOL bDown);

  BOOL m_bLBtnDown = FALSE;
  BOOL m_bHovered = FALSE;
  static SECHoverComboBox* s_pFocused;
};

namespace hover_combo {

// The rectangles of a border of `kind` over a box whose client area is `client` with a drop-down
// button `buttonWidth` wide, as the colours to draw them in: each entry a rectangle and its
// top-left and bottom-right colours.
struct BorderRect {
  CRect rect;
  COLORREF topLeft;
  COLORREF bottomRight;
};
std::vector<BorderRect> BorderRects(SECHoverBorder kind, const CRect& client, int buttonWidth, BOOL bEnabled);

}  // namespace hover_combo

class SECToolBarComboHost;

// The combo box's edit field, subclassed so that it behaves like the box in a customized bar and
// hands Enter and Escape to the toolbar's owner.
class SECComboEditSubclass : public CWnd {
 public:
  explicit SECComboEditSubclass(SECToolBarComboHost* pHost) : m_pHost(pHost) {}
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  SECToolBarComboHost* m_pHost;
};

class SECToolBarComboHost : public SECWndBtn {
  DECLARE_DYNAMIC(SECToolBarComboHost)

 public:
  SECToolBarComboHost();
  ~SECToolBarComboHost() override;

  static const SECButtonClass buttonClassSECToolBarComboHost;
  const SECButtonClass* GetButtonClass() const override { return &buttonClassSECToolBarComboHost; }

  CWnd* GetWnd() override { return &m_combo; }
  // A style without a combo type becomes a drop-down list; an editable box gets its edit field
  // subclassed and the 8-point font.
  BOOL CreateWnd(CWnd* pParentBar, DWORD dwStyle, const CRect& rect, UINT nID) override;
  // The 8-point "MS Sans Serif" font, kept and set on the box.
  virtual void SetDefaultFont();

  // What the box and its edit field do with a message before their own handling; TRUE when the
  // message was taken (its result in `result`).
  BOOL HostedMessage(CWnd* pFrom, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  SECHoverComboBox& Combo() { return m_combo; }
  CWnd* Edit() { return m_edit.m_hWnd ? &m_edit : nullptr; }
  CFont& Font() { return m_font; }

 protected:
  // Enter or Escape to the bar's owner.
  void SendKeyNotice(UINT nCode);

  class HostedCombo : public SECHoverComboBox {
   public:
    explicit HostedCombo(SECToolBarComboHost* pHost) : m_pHost(pHost) {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    SECToolBarComboHost* m_pHost;
  };

  HostedCombo m_combo;
  SECComboEditSubclass m_edit;
  CFont m_font;
};
