// The flat control look. When the user wants it, the application installs the manager for its
// thread: a WH_CALLWNDPROC hook sees each dialog's WM_INITDIALOG (or, in the other install mode,
// each child's WM_CREATE) and subclasses the standard and common controls by class name. A skinned
// control paints as usual, then the skin redraws its borders, arrows, boxes and thumbs flat in the
// 3-D system colours over the window's device context, raised while the mouse is over it (hot) or
// while it has the focus. A 100 ms thread timer follows the mouse.
#pragma once

#include <memory>
#include <unordered_map>

#include "platform/base/geometry.h"
#include "platform/gdi/core/gdi_types.h"
#include "platform/win/hooks.h"
#include "platform/win/message_queue.h"

class CCoolControlsManager {
 public:
  CCoolControlsManager();
  virtual ~CCoolControlsManager();
  CCoolControlsManager(const CCoolControlsManager&) = delete;
  CCoolControlsManager& operator=(const CCoolControlsManager&) = delete;

  // Mode 1 skins each dialog at WM_INITDIALOG; any other mode skins every child at WM_CREATE.
  // Thread id (DWORD)-1 is the calling thread.
  void Install(DWORD dwThreadID = DWORD(-1), int nInstallMode = 1);
  void Uninstall(DWORD dwThreadID = DWORD(-1));
  void SkinDialog(HWND hWnd);
  // Skins one window by `lpszClass` (its own class name when null); TRUE when it was skinned now.
  BOOL SkinWindow(HWND hWnd, const char* lpszClass = nullptr);

  class CCMCore {
   public:
    virtual ~CCMCore() = default;
    void Subclass(HWND hWnd, WNDPROC wndNewProc);
    void Unsubclass();
    LRESULT CallOld(UINT uMsg, WPARAM wParam, LPARAM lParam) const {
      return CallWindowProc(m_oldWndProc, m_hWnd, uMsg, wParam, lParam);
    }
    HWND m_hWnd = nullptr;
    WNDPROC m_oldWndProc = nullptr;
  };

  // Drawing state bits.
  static constexpr WORD dsHover = 0x0001;
  static constexpr WORD dsAlternate = 0x0002;  // smaller than 30 pixels
  static constexpr WORD dsFocus = 0x0004;
  static constexpr WORD dsReadOnly = 0x0008;
  static constexpr WORD dsHoverMask = dsHover | dsFocus;

  class CCMControl : public CCMCore {
   public:
    virtual LRESULT WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam);
    virtual BOOL NeedsRedraw(const POINT& point);
    virtual void PrepareDC(HDC& hDC, CRect& rect);
    virtual void Draw(HDC hDC, const CRect& rect);
    virtual BOOL HasFocus();
    // Redraws the skin; a hover poll skips it when the control stays hot or focused.
    void DrawControl(bool hover_poll = false);
    bool IsActive() const { return (m_nState & dsHoverMask) != 0; }
    WORD m_nState = 0;
    WORD m_nOldState = 0;

   protected:
    void DrawScrollBars(HDC hDC, const CRect& rect);
    void DrawScrollBar(HDC hDC, const CRect& bar, int nMin, int nMax, int nPage, int nPos,
                       bool vertical, bool enabled, bool thumb);
  };

  class CCMEdit : public CCMControl {
   public:
    LRESULT WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void Draw(HDC hDC, const CRect& rect) override;
  };
  class CCMEditCombo : public CCMEdit {
   public:
    void PrepareDC(HDC& hDC, CRect& rect) override;
  };
  class CCMComboBox : public CCMControl {
   public:
    LRESULT WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void Draw(HDC hDC, const CRect& rect) override;
    BOOL HasFocus() override;
  };
  class CCMDateTime : public CCMComboBox {
   public:
    void Draw(HDC hDC, const CRect& rect) override;
  };
  class CCMPushButton : public CCMControl {
   public:
    LRESULT WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void Draw(HDC hDC, const CRect& rect) override;
  };
  class CCMCheckBox : public CCMPushButton {
   public:
    void Draw(HDC hDC, const CRect& rect) override;
    BOOL HasFocus() override { return FALSE; }
  };
  class CCMRadioButton : public CCMPushButton {
   public:
    void Draw(HDC hDC, const CRect& rect) override;
    BOOL HasFocus() override { return FALSE; }
  };
  class CCMUpDown : public CCMControl {
   public:
    void Draw(HDC hDC, const CRect& rect) override;
  };
  class CCMScrollBar : public CCMControl {
   public:
    LRESULT WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void Draw(HDC hDC, const CRect& rect) override;
  };
  class CCMHeaderCtrl : public CCMControl {
   public:
    BOOL NeedsRedraw(const POINT& point) override;
    void Draw(HDC hDC, const CRect& rect) override;
    int m_nOldItem = -1;
  };
  class CCMTrackbar : public CCMControl {
   public:
    void Draw(HDC hDC, const CRect& rect) override;
  };
  class CCMTabControl : public CCMControl {
   public:
    LRESULT WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    BOOL NeedsRedraw(const POINT& point) override;
    void Draw(HDC hDC, const CRect& rect) override;
    BOOL HasFocus() override { return FALSE; }
    int m_nOldItem = -1;

   protected:
    // The item under `point` (screen coordinates), -1 none.
    virtual int ItemFromPoint(const POINT& point);
  };
  class CCMToolbar : public CCMTabControl {
   public:
    BOOL NeedsRedraw(const POINT& point) override;
    void Draw(HDC hDC, const CRect& rect) override;
    BOOL HasFocus() override { return CCMControl::HasFocus(); }

   protected:
    int ItemFromPoint(const POINT& point) override;
  };
  class CCMIPAddress : public CCMControl {
   public:
    LRESULT WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    BOOL HasFocus() override;
  };
  class CCMDialog : public CCMCore {
   public:
    LRESULT WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam);
  };

  // The skinned control of a window, null when it is not skinned.
  CCMControl* FindControl(HWND hWnd) const;
  bool IsDialogWatched(HWND hWnd) const { return m_dialogs.contains(hWnd); }
  size_t ControlCount() const { return m_controls.size(); }
  UINT_PTR TimerId() const { return m_uTimerID; }
  HWND HotWindow() const { return m_hotWnd; }
  // One look at the mouse, what the hover timer does every 100 ms.
  void TimerProc();

 private:
  friend class CCMControl;
  friend class CCMDialog;
  static LRESULT CallWndProcHook(int nCode, WPARAM wParam, LPARAM lParam);
  static LRESULT ControlWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
  static LRESULT DialogWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
  static void HoverTimerProc(HWND hWnd, UINT uMsg, UINT_PTR idEvent, DWORD dwTime);
  void AddControl(HWND hWnd, std::unique_ptr<CCMControl> control);
  // Takes a dying control out: its old procedure back, forgotten, the timer stopped with the last.
  void RemoveControl(HWND hWnd);
  void RemoveDialog(HWND hWnd);
  void SkinChildren(HWND hWnd, bool first_only);

  int m_nInstallMode = 1;
  UINT_PTR m_uTimerID = 0;
  HWND m_hotWnd = nullptr;
  std::unordered_map<DWORD, HHOOK> m_hooks;
  std::unordered_map<HWND, std::unique_ptr<CCMControl>> m_controls;
  std::unordered_map<HWND, std::unique_ptr<CCMDialog>> m_dialogs;
};

CCoolControlsManager& GetCoolControlsManager();
