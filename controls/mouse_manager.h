// CGSMouseManager: the commands the user gave a left double-click in each kind of sheet (a
// context), kept for the whole process and stored from one run to the next.
//
// Contexts are registered anew at every start (name, id, document template id). The assignments
// (context id -> command id, none or 0 meaning the default double-click) are the only stored
// part, as the binary value "Mouse" under the program's key in HKEY_LOCAL_MACHINE:
//
//   0      4  number of assignments n (unsigned, little-endian)
//   4+8i   4  context id of assignment i (unsigned)
//   8+8i   4  command id of assignment i
//
// The pairs come in no particular order. Loading keeps the complete pairs before a damaged or
// short end, and only those whose command the mouse page offers for that context; a later pair
// for the same context replaces an earlier one.
#pragma once

#include <map>

#include "platform/base/archive.h"
#include "platform/base/collections.h"
#include "platform/base/cstring.h"
#include "platform/base/object.h"
#include "platform/win/cwnd.h"

// The contexts the program registers.
inline constexpr UINT kMouseContextText = 1;     // "Arkusz z tekstem"
inline constexpr UINT kMouseContextPicture = 2;  // "Arkusz z rysunkiem"

class CGSMouseManager : public CObject {
  DECLARE_SERIAL(CGSMouseManager)

 public:
  // The manager becomes the process's current one until it is destroyed.
  CGSMouseManager();
  ~CGSMouseManager() override;
  CGSMouseManager(const CGSMouseManager&) = delete;
  CGSMouseManager& operator=(const CGSMouseManager&) = delete;

  // The manager alive now, or null.
  static CGSMouseManager* GetMouseManager();

  // Registers a context; FALSE (nothing changed) when the name is registered already. A template
  // id of 0 records no template.
  BOOL AddContext(int id, const char* name, int template_id);
  // The id of the context of that name (case-sensitive), or -1.
  int FindContext(const char* name) const;
  // Empties the list and appends every registered name.
  void GetContextNames(CStringList& names) const;
  // The document template id of the context, or 0.
  int GetContextTemplate(int id) const;

  // The command assigned to the context, or 0.
  int GetActionCommand(UINT id) const;
  // Assigns a command; 0 removes the context's assignment.
  void SetActionCommand(UINT id, int command);
  // Whether the mouse page offers the command for the context (only those are loaded).
  static bool IsOfferedCommand(UINT id, int command);

  // Sends the command assigned to the context to `target` as WM_COMMAND (lParam 0); FALSE, with
  // nothing sent, when none is assigned or there is no such window.
  BOOL DispatchAction(UINT id, CWnd* target) const;

  void Serialize(CArchive& ar) override;

  // The assignments from and to the named binary value under the program's key. Loading fails
  // when the key or value is missing (the assignments stay empty) and succeeds with the pairs
  // read before any damage; saving creates the key when needed and reports whether the value
  // was written.
  BOOL LoadFromRegistry(const char* value_name);
  BOOL SaveToRegistry(const char* value_name);

 private:
  std::map<CString, int> m_contextNames;
  std::map<UINT, int> m_actions;
  std::map<int, int> m_contextTemplates;
};
