// Command targets and message maps.
//
// A class that handles messages or commands derives from CCmdTarget and declares a message map:
//
//   class CMyView : public CWnd {
//     ...
//     afx_msg void OnSize(UINT nType, int cx, int cy);
//     afx_msg void OnFileOpen();
//     afx_msg void OnUpdateFileOpen(CCmdUI* pCmdUI);
//     DECLARE_MESSAGE_MAP()
//   };
//
//   BEGIN_MESSAGE_MAP(CMyView, CWnd)      // in the .cpp
//     ON_WM_SIZE()
//     ON_COMMAND(ID_FILE_OPEN, &CMyView::OnFileOpen)
//     ON_UPDATE_COMMAND_UI(ID_FILE_OPEN, &CMyView::OnUpdateFileOpen)
//   END_MESSAGE_MAP()
//
// Each map is a static table of entries (message, notification code, id range, handler) with a
// link to the base class's map; a message is looked up from the most derived class to the base.
// An entry's handler is a small function made by the macro that unpacks the message parameters
// into the framework's handler signature and calls the member, so handlers are type-checked where
// the map is written. Other headers may add entry macros of their own in the same way.
#pragma once

#include "platform/base/object.h"
#include "platform/win/messages.h"
#include "platform/base/win_types.h"

class CCmdTarget;
class CCmdUI;
struct AFX_MSGMAP_ENTRY;

#define afx_msg

// Command codes of WM_COMMAND routing (OnCmdMsg's nCode).
constexpr int CN_COMMAND = 0;
constexpr int CN_UPDATE_COMMAND_UI = -1;

// Calls one entry's handler. `extra` is the CCmdUI for update handlers and the AFX_NOTIFY for
// notifications; `result` receives the message result. Returns whether the message counts as
// handled (FALSE from an extended command handler lets routing go on).
using AFX_PMSG = BOOL (*)(CCmdTarget* target, WPARAM wParam, LPARAM lParam, void* extra,
                          LRESULT* result);

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;               // window message; WM_COMMAND / WM_NOTIFY for commands and notices
  UINT nCode;                  // command or notification code
  UINT nID;                    // first control or command id
  UINT nLastID;                // last id of a range (nID for a single id)
  const UINT* pnRegistered;    // for a registered message: where its number is kept
  AFX_PMSG pfn;                // null ends the table
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

// Filled by OnCmdMsg instead of calling, to ask whether a command has a handler.
struct AFX_CMDHANDLERINFO {
  CCmdTarget* pTarget;
  const AFX_MSGMAP_ENTRY* pEntry;
};

class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)

 public:
  CCmdTarget() = default;
  ~CCmdTarget() override = default;

  // Looks for a handler of command `nID` with code `nCode` (the low word; the high word names the
  // message, WM_COMMAND when 0) in this object's map and calls it. With `pHandlerInfo` it only
  // reports the handler. Frames, views and documents override it to route further.
  virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

  // The wait cursor for a long operation.
  void BeginWaitCursor();
  void EndWaitCursor();
  void RestoreWaitCursor();

  // The entry that handles `message` with that code and id in the map chain, or null.
  static const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP* map, UINT message, UINT code,
                                                  UINT id);

 protected:
  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;
};

// --- Declaring and writing maps -----------------------------------------------------------------
#define DECLARE_MESSAGE_MAP()                         \
 protected:                                           \
  static const AFX_MSGMAP* GetThisMessageMap();       \
  const AFX_MSGMAP* GetMessageMap() const override;   \
                                                      \
 private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                        \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }   \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                                   \
    using ThisClass [[maybe_unused]] = theClass;                                      \
    using TheBaseClass = baseClass;                                                   \
    static const AFX_MSGMAP_ENTRY lumo_entries[] = {

#define END_MESSAGE_MAP()                                                           \
  {0, 0, 0, 0, nullptr, nullptr}};                                                  \
  static const AFX_MSGMAP lumo_map = {&TheBaseClass::GetThisMessageMap, lumo_entries}; \
  return &lumo_map;                                                                 \
  }

// An entry whose handler runs `body` with `self` (the object), `wParam`, `lParam`, `extra` and
// `result` in scope and returns whether it handled the message.
#define LUMO_ENTRY(message, code, id, last_id, registered, ...)                                   \
  {UINT(message), UINT(WORD(code)), UINT(id), UINT(last_id), registered,                                \
   [](CCmdTarget* lumo_target, WPARAM wParam, LPARAM lParam, void* extra,                         \
      LRESULT* result) -> BOOL {                                                                  \
     [[maybe_unused]] auto* self = static_cast<ThisClass*>(lumo_target);                          \
     (void)wParam, (void)lParam, (void)extra, (void)result;                                       \
     __VA_ARGS__                                                                                  \
   }},

// --- Commands and notifications -------------------------------------------------------------------
#define ON_COMMAND(id, memberFxn) \
  LUMO_ENTRY(WM_COMMAND, CN_COMMAND, id, id, nullptr, { (self->*(memberFxn))(); return TRUE; })
#define ON_COMMAND_EX(id, memberFxn) \
  LUMO_ENTRY(WM_COMMAND, CN_COMMAND, id, id, nullptr, { return (self->*(memberFxn))(UINT(wParam)); })
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                \
  LUMO_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, nullptr,                       \
             { (self->*(memberFxn))(UINT(wParam)); return TRUE; })
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
  LUMO_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, nullptr, { return (self->*(memberFxn))(UINT(wParam)); })
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                            \
  LUMO_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, id, nullptr,                          \
             { (self->*(memberFxn))(static_cast<CCmdUI*>(extra)); return TRUE; })
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                              \
  LUMO_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, idLast, nullptr,                      \
             { (self->*(memberFxn))(static_cast<CCmdUI*>(extra)); return TRUE; })
// A control's notification through WM_COMMAND (code in the high word of wParam).
#define ON_CONTROL(code, id, memberFxn) \
  LUMO_ENTRY(WM_COMMAND, code, id, id, nullptr, { (self->*(memberFxn))(); return TRUE; })
#define ON_CONTROL_RANGE(code, id, idLast, memberFxn) \
  LUMO_ENTRY(WM_COMMAND, code, id, idLast, nullptr, { (self->*(memberFxn))(UINT(wParam)); return TRUE; })
// WM_NOTIFY: handler(NMHDR* pNMHDR, LRESULT* pResult).
#define LUMO_NOTICE static_cast<AFX_NOTIFY*>(extra)
#define ON_NOTIFY(code, id, memberFxn)                                      \
  LUMO_ENTRY(WM_NOTIFY, code, id, id, nullptr, {                              \
    (self->*(memberFxn))(LUMO_NOTICE->pNMHDR, LUMO_NOTICE->pResult);          \
    return TRUE;                                                              \
  })
#define ON_NOTIFY_RANGE(code, id, idLast, memberFxn)                                      \
  LUMO_ENTRY(WM_NOTIFY, code, id, idLast, nullptr, {                                        \
    (self->*(memberFxn))(UINT(wParam), LUMO_NOTICE->pNMHDR, LUMO_NOTICE->pResult);          \
    return TRUE;                                                                            \
  })
#define ON_NOTIFY_EX(code, id, memberFxn)                                                        \
  LUMO_ENTRY(WM_NOTIFY, code, id, id, nullptr, {                                                  \
    return (self->*(memberFxn))(UINT(wParam), LUMO_NOTICE->pNMHDR, LUMO_NOTICE->pResult);         \
  })
// A notification the parent reflects back to the control that sent it.
#define ON_NOTIFY_REFLECT(code, memberFxn)                                  \
  LUMO_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, code, 0, 0, nullptr, {              \
    (self->*(memberFxn))(LUMO_NOTICE->pNMHDR, LUMO_NOTICE->pResult);          \
    return TRUE;                                                              \
  })
#define ON_NOTIFY_REFLECT_EX(code, memberFxn)                                               \
  LUMO_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, code, 0, 0, nullptr,                               \
             { return (self->*(memberFxn))(LUMO_NOTICE->pNMHDR, LUMO_NOTICE->pResult); })
#define ON_CONTROL_REFLECT(code, memberFxn) \
  LUMO_ENTRY(WM_REFLECT_BASE + WM_COMMAND, code, 0, 0, nullptr, { (self->*(memberFxn))(); return TRUE; })
#define ON_CONTROL_REFLECT_EX(code, memberFxn) \
  LUMO_ENTRY(WM_REFLECT_BASE + WM_COMMAND, code, 0, 0, nullptr, { return (self->*(memberFxn))(); })

// --- Any message: handler LRESULT (WPARAM, LPARAM) ---------------------------------------------------
#define ON_MESSAGE(message, memberFxn)                                                   \
  LUMO_ENTRY(message, 0, 0, 0, nullptr,                                                    \
             { *result = (self->*(memberFxn))(wParam, lParam); return TRUE; })
// `variable` is a UINT holding the number RegisterWindowMessage gave.
#define ON_REGISTERED_MESSAGE(variable, memberFxn)                                       \
  LUMO_ENTRY(0, 0, 0, 0, &(variable),                                                      \
             { *result = (self->*(memberFxn))(wParam, lParam); return TRUE; })

// Reflected messages arrive at the child as their number plus this.
constexpr UINT WM_REFLECT_BASE = 0xBC00;

// The header of a WM_NOTIFY notification.
struct NMHDR {
  HWND hwndFrom;
  UINT_PTR idFrom;
  UINT code;
};
using LPNMHDR = NMHDR*;

// What OnCmdMsg carries for a notification: the header and where its result goes.
struct AFX_NOTIFY {
  LRESULT* pResult;
  NMHDR* pNMHDR;
};
