// The catalogue of the commands the user can reach in the main frame, each with a display name
// ("Plik:Zapisz") and a description, built from the frame's menu, its accelerator table and the
// string table. The keyboard-shortcut editor lists commands from it; it also carries the rules of
// that editor's hot-key field.
#pragma once

#include <vector>

#include "platform/base/cstring.h"
#include "platform/base/object.h"
#include "platform/framework/menu.h"
#include "toolkit/widgets/command_keys.h"

struct SECCommandEntry {
  UINT id = 0;
  CString name;
  CString description;
};

class SECCommandCatalog : public CObject {
  DECLARE_DYNAMIC(SECCommandCatalog)

 public:
  // One command given by string ids (0: none) in AddCommands.
  struct CommandStrings {
    UINT id;
    UINT name_id;
    UINT description_id;
  };

  // With `build`, the hot-key rules become "no modifier or Shift alone refused, Ctrl added" and
  // the catalogue is built at once; otherwise it stays empty.
  explicit SECCommandCatalog(bool build = true);
  ~SECCommandCatalog() override = default;

  virtual void SetHotKeyRules(WORD refused, WORD added_modifier);
  virtual void RemoveAll() { entries_.clear(); }
  virtual void AddCommands(const CommandStrings* table, int count);
  // The recent-file commands, the window list and the pane-switching commands.
  virtual bool IsExcluded(UINT id) const;
  virtual void LoadTexts();
  virtual void LoadNamesFromMenus();
  virtual void LoadDescriptions();
  virtual void Build();
  // The index of the command's entry, -1 when none.
  virtual int Find(UINT id) const;
  virtual void CollectCommands();
  virtual void NameFromMenu(CMenu* menu, const CString& prefix);
  virtual void AddMenuCommands(CMenu* menu);
  virtual void AddAcceleratorCommands();
  // Cut at the first "...", "(&" and tab; the first ampersand removed.
  virtual CString CleanMenuText(const CString& text) const;

  int Add(const SECCommandEntry& entry);
  int GetSize() const { return static_cast<int>(entries_.size()); }
  const SECCommandEntry& GetAt(int index) const { return entries_[index]; }
  WORD GetRefusedCombinations() const { return refused_; }
  WORD GetAddedModifier() const { return added_modifier_; }

 private:
  // Adds a command that is not 0, not excluded and not present yet.
  void add_command(UINT id);
  HMENU default_menu() const;

  std::vector<SECCommandEntry> entries_;
  WORD refused_ = 0;
  WORD added_modifier_ = 0;
};
