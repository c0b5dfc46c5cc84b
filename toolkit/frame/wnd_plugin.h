// A window plug-in: a window object without a window of its own. Plugged into a host window it
// borrows the host's handle and sees the host's messages before the host does (the host asks it
// first), so a feature can be added to a frame without deriving from the frame. It never owns the
// host's window: destroying the plug-in leaves the host alone.
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

  // Set by a handler: the host does not process the message itself.
  BOOL m_bExitDefault = FALSE;
  BOOL m_bCallDefault = FALSE;
  BOOL m_bResultOverride = FALSE;
  LRESULT m_lResultOverride = 0;
  BOOL m_bPluggedIn = FALSE;
};
