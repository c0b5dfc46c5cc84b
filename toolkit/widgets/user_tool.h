// User tools: external programs the user puts on the tools menu (at most nine), with argument
// macros, started as child processes, and the tool list file ("Tools.dat") in the user data
// folder.
//
// The tool list file is the framework archive (platform/base/archive.h) of an object array:
//   count                      the number of tools (WORD, or WORD 0xFFFF and DWORD)
//   per tool, an object:       the class tag of SECUserTool with schema 1 the first time (then a
//                              back-reference to the class), followed by the tool's fields:
//     DWORD  wait              1: wait until the program ends
//     string menu text
//     string command           the program
//     string arguments
//     string initial directory
//     DWORD  show command      how the program's window is shown (SW_ values; 1 normal)
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "platform/base/cstring.h"
#include "platform/base/object.h"
#include "platform/base/win_types.h"

class CMenu;

class SECUserTool : public CObject {
  DECLARE_SERIAL(SECUserTool)

 public:
  // The most tools a list holds: their menu commands are nine consecutive ids.
  static constexpr int kMaxTools = 9;

  SECUserTool() = default;
  ~SECUserTool() override = default;

  void Serialize(CArchive& ar) override;
  std::unique_ptr<SECUserTool> Clone() const;

  // Expands the macros ("key=value" strings) in command, arguments and directory and starts the
  // program; true when it started (and, when waiting, ended).
  bool Execute(const std::vector<CString>* macros = nullptr);
  // Starts `command_line` (split into words without a shell) in `directory` (empty: this
  // program's folder), which this program's own current folder never changes for. With `wait`,
  // the program's messages go on being handled until the child ends.
  static bool StartProcess(const CString& directory, const CString& command_line, int show_command, bool wait);
  // True while a tool is being waited for; starting another meanwhile is refused.
  static bool IsWaiting();

  // Replaces every occurrence of `find` in `text`; the number of replacements, -1 when `find` is
  // empty, 0 when the text is shorter than `find`.
  static int ReplaceAll(CString& text, std::string_view find, std::string_view replace, bool no_case);
  // Splits "key=value" at the first "="; true only when both parts are non-empty.
  static bool ParseMacro(const CString& text, CString& key, CString& value);

  // The command line after expanding `macros`: the command, then a blank and the arguments when
  // there are any; `directory` receives the expanded directory.
  CString BuildCommandLine(const std::vector<CString>* macros, CString& directory) const;

  int m_bWait = 1;
  CString m_strMenuText;
  CString m_strCommand;
  CString m_strArgs;
  CString m_strDirectory;
  int m_nShowCmd = 1;
};

using SECUserToolList = std::vector<std::unique_ptr<SECUserTool>>;

// Reads the tool list file into a fresh list, which replaces `list` when the file was read whole;
// at most nine tools are kept. True when the list holds tools from the file; false when the file
// is missing or not a tool list (then `list` is unchanged).
bool LoadToolList(const CString& file_name, SECUserToolList& list);
// The same from bytes (the file's contents).
bool LoadToolListFrom(std::span<const uint8_t> bytes, SECUserToolList& list);
// Writes the list (whole, or not at all); false on any error.
bool SaveToolList(const CString& file_name, const SECUserToolList& list);
std::vector<uint8_t> StoreToolList(const SECUserToolList& list);
void DeleteToolList(SECUserToolList& list);
// Rebuilds the tools part of `menu`: the items from `first_id` on are replaced by a separator and
// one item per tool with consecutive ids; without tools the separator goes too. True when every
// tool got an item.
bool UpdateToolsMenu(CMenu* menu, UINT first_id, const SECUserToolList& list);
// "Tools.dat" in the user data folder.
CString SECToolListFileName();
