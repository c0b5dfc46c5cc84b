// The splash window: a bitmap resource in a borderless popup centred on the screen while the
// application starts. It closes itself after its display time, on a key or mouse press (unless it
// is manual), or when asked, and deletes itself when its window is gone: make it with new and
// let it go. Without a parent and before the main window exists it is owned by a hidden tool
// window and stays topmost.
#pragma once

#include "platform/base/cstring.h"
#include "platform/win/cwnd.h"
#include "toolkit/widgets/dib.h"

class SECSplashWnd : public CWnd {
  DECLARE_DYNAMIC(SECSplashWnd)

 public:
  // `bManual`: no timer and no closing on input; `bTopmost`: above every other window.
  SECSplashWnd(UINT nBitmapID, UINT nDisplayTime, BOOL bManual = FALSE, BOOL bTopmost = TRUE);
  ~SECSplashWnd() override;

  virtual BOOL Create(CWnd* pParent = nullptr, DWORD dwStyle = WS_POPUP | WS_VISIBLE, DWORD dwExStyle = 0);
  virtual void SetTitle(const CString& title);
  virtual void Close();
  virtual void RestartTimer();
  virtual void StartTimer(UINT nDisplayTime);
  virtual void DisableParent(BOOL bDisable);
  virtual void SetTopmost(BOOL bTopmost);
  virtual void SetCloseOnInput(BOOL bClose) { m_bCloseOnInput = bClose; }
  // Derived splashes draw over the picture here.
  virtual void DrawOverlay(CDC&, const CRect&) {}

  BOOL PreTranslateMessage(MSG* pMsg) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  CWnd* GetHiddenOwner() { return m_wndOwner.m_hWnd ? &m_wndOwner : nullptr; }
  const SECDib& GetImage() const { return m_image; }

  static constexpr UINT_PTR kTimerId = 1245;

 protected:
  void PostNcDestroy() override;
  void Paint(CDC& dc);
  BOOL RealizeImagePalette(BOOL bBackground);

  CWnd m_wndOwner;
  HWND m_hParent = nullptr;
  BOOL m_bCloseOnInput = TRUE;
  BOOL m_bParentDisabled = FALSE;
  UINT_PTR m_nTimer = 0;
  BOOL m_bTopmost;
  int m_nHeight = 0;
  int m_nWidth = 0;
  BOOL m_bManual;
  UINT m_nDisplayTime;
  UINT m_nBitmapID;
  BOOL m_bCustomTitle = FALSE;
  CString m_strTitle;
  SECDib m_image;
  CPalette* m_pPalette = nullptr;
};
