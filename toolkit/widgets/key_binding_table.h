// The frame's keyboard shortcuts as an editable list: taken from the main frame's accelerator
// table, kept in the user's shortcuts file (key_binding_file.h), installed back into the frame,
// and written after the menu item texts.
//
// The shortcuts file is named after the program with the suffix "MAC" ("lumokal.MAC"). It is
// read from the user data folder, else from the program's folder (shortcuts shipped with the
// program), and written to the user data folder only.
#pragma once

#include <vector>

#include "platform/base/cstring.h"
#include "platform/base/object.h"
#include "platform/framework/accelerators.h"
#include "platform/framework/menu.h"

class SECKeyBindingTable : public CObject {
  DECLARE_SERIAL(SECKeyBindingTable)

 public:
  // Copies the main frame's current table (LoadFromFrame).
  SECKeyBindingTable();
  ~SECKeyBindingTable() override = default;

  // The count, then the raw 6-byte entries.
  void Serialize(CArchive& ar) override;
  // Writes the shortcut texts into the frame's default menu (the platform's document templates
  // carry no menus of their own).
  virtual void UpdateMenus();
  // The file's name: in the user data folder with `in_user_folder`, else in the program folder.
  virtual void GetFileName(CString& name, bool in_user_folder);
  // False when no file could be read; a corrupt file resets the list to the default table.
  virtual bool LoadFromFile();
  virtual bool SaveToFile();
  // Installs the list as the frame's accelerator table and updates the menus.
  virtual bool ApplyToFrame();
  // The list becomes a copy of the frame's table; the first table ever seen is the default table.
  virtual bool LoadFromFrame();
  // Cuts `text` at its tab and, unless the shortcut is empty or the item is on the top level,
  // appends a tab and the shortcut.
  virtual void AppendShortcut(CString& text, const CString& shortcut, bool top_level);
  virtual void UpdateMenu(CMenu* menu, bool top_level);

  void ResetToDefaults();
  // Binds the hot key to `command`: an entry with the same key and modifiers is rebound,
  // otherwise one is appended.
  void SetBinding(WORD hot_key, WORD command);
  void RemoveAt(int index, int count = 1);

  int GetSize() const { return static_cast<int>(entries_.size()); }
  const ACCEL& GetAt(int index) const { return entries_[index]; }
  const std::vector<ACCEL>& entries() const { return entries_; }
  void SetEntries(std::vector<ACCEL> entries) { entries_ = std::move(entries); }
  // The shortcut text of the first entry for `command`, empty when it has none.
  CString ShortcutText(UINT command) const;

  // The process-wide default table (empty until a frame's table was first taken).
  static const std::vector<ACCEL>& DefaultTable();
  // Forgets the default table (tests start each case afresh).
  static void ForgetDefaultTable();

  // The file name in `folder` for the program file name `program` ("lumokal" -> "lumokal.MAC",
  // "a.b/prog.x" -> "prog.MAC"): only the file's own suffix is replaced.
  static CString FileNameFor(const CString& folder, const CString& program);

 private:
  std::vector<ACCEL> entries_;
};
