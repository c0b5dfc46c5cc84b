// A window plug-in: a window object without a window of its own. Plugged into a host window it
// borrows the host's handle and sees the host's messages before the host does (the host asks it
// first), so a feature can be added to a frame without deriving from the frame. It never owns the
// host's window: destroying the plug-in leaves the host alone. A plug-in may have a window of its
// own as well (a hidden pop-up the frame makes for it); that window is kept apart from the borrowed
// handle and destroyed with the plug-in.
#pragma once

#include "platform/win/cwnd.h"

class SECWndPlugIn : public CWnd {
  DECLARE_DYNCREATE(SECWndPlugIn)

 public:
  SECWndPlugIn() = default;
  ~SECWndPlugIn() override;

  // While plugged in, routes a command through the plug-in's own command map; else FALSE.
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  // While plugged in: clears the exit-default and call-default flags and dispatches through the
  // plug-in's message map; the result is the override value when SetWndMsgResult set one.
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  // The host's own default processing, only while plugged in with the call-default flag set.
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  virtual void SetWndMsgResult(LRESULT lResult);
  virtual BOOL PlugInTo(CWnd* pWnd);
  virtual void UnPlug();
  virtual BOOL IsPluggedIn() const { return m_bPluggedIn; }

  // Makes the plug-in's own window (style 0x80000001, owned by `pOwner`) before it plugs in; FALSE
  // when it cannot be made or the plug-in is plugged in already.
  BOOL CreateOwnWindow(DWORD dwExStyle, CWnd* pOwner, UINT nID, LPVOID lpParam);
  HWND GetOwnWindow() const { return m_hWndOwn; }

  // Set by a handler: the host does not process the message itself.
  BOOL m_bExitDefault = FALSE;
  BOOL m_bCallDefault = FALSE;
  BOOL m_bResultOverride = FALSE;
  LRESULT m_lResultOverride = 0;
  BOOL m_bPluggedIn = FALSE;
  // The plug-in's own window, no longer tied to this object once made.
  HWND m_hWndOwn = nullptr;
};

// The style of a plug-in's own window.
constexpr DWORD SEC_PLUGIN_WINDOW_STYLE = 0x80000001;
