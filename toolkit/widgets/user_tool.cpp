#include "toolkit/widgets/user_tool.h"

#include "platform/base/archive.h"
#include "platform/base/cfile.h"
#include "platform/base/cp1250.h"
#include "platform/base/os_file.h"
#include "toolkit/widgets/user_files.h"

IMPLEMENT_SERIAL(SECUserTool, CObject, 1)

namespace {

// Nine tools take a few hundred bytes; anything near this limit is not a tool list.
constexpr uint64_t kFileLimit = 1u << 20;

}  // namespace

void SECUserTool::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << static_cast<int32_t>(m_bWait) << m_strMenuText << m_strCommand << m_strArgs << m_strDirectory
       << static_cast<int32_t>(m_nShowCmd);
  } else {
    int32_t wait = 0;
    int32_t show = 0;
    ar >> wait >> m_strMenuText >> m_strCommand >> m_strArgs >> m_strDirectory >> show;
    m_bWait = wait;
    m_nShowCmd = show;
  }
}

std::unique_ptr<SECUserTool> SECUserTool::Clone() const {
  auto tool = std::make_unique<SECUserTool>();
  tool->m_bWait = m_bWait;
  tool->m_strMenuText = m_strMenuText;
  tool->m_strCommand = m_strCommand;
  tool->m_strArgs = m_strArgs;
  tool->m_strDirectory = m_strDirectory;
  tool->m_nShowCmd = m_nShowCmd;
  return tool;
}

int SECUserTool::ReplaceAll(CString& text, std::string_view find, std::string_view replace, bool no_case) {
  if (find.empty()) return -1;
  const std::string source(text.view());
  if (source.size() < find.size()) return 0;
  const std::string haystack = no_case ? base::cp1250::to_lower(source) : source;
  const std::string needle = no_case ? base::cp1250::to_lower(find) : std::string(find);
  std::string out;
  int count = 0;
  size_t from = 0;
  for (size_t at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, from)) {
    out.append(source, from, at - from).append(replace);
    from = at + needle.size();
    ++count;
  }
  out.append(source, from, std::string::npos);
  text = CString(out.c_str(), static_cast<int>(out.size()));
  return count;
}

bool SECUserTool::ParseMacro(const CString& text, CString& key, CString& value) {
  const int eq = text.Find('=');
  if (eq <= 0 || eq + 1 >= text.GetLength()) return false;
  key = text.Left(eq);
  value = text.Mid(eq + 1);
  return true;
}

CString SECUserTool::BuildCommandLine(const std::vector<CString>* macros, CString& directory) const {
  CString command = m_strCommand;
  CString args = m_strArgs;
  directory = m_strDirectory;
  if (macros) {
    for (const CString& macro : *macros) {
      CString key;
      CString value;
      if (!ParseMacro(macro, key, value)) continue;
      for (CString* s : {&command, &args, &directory}) ReplaceAll(*s, key.view(), value.view(), false);
    }
  }
  if (!args.IsEmpty()) {
    command += " ";
    command += args;
  }
  return command;
}

std::vector<uint8_t> StoreToolList(const SECUserToolList& list) {
  CArchive ar;
  ar.WriteCount(static_cast<uint32_t>(list.size()));
  for (const auto& tool : list) ar.WriteObject(tool.get());
  return ar.TakeBytes();
}

bool LoadToolListFrom(std::span<const uint8_t> bytes, SECUserToolList& list) {
  SECUserToolList fresh;
  try {
    CArchive ar(bytes);
    const uint32_t count = ar.ReadCount();
    for (uint32_t i = 0; i < count; ++i) {
      std::shared_ptr<SECUserTool> tool = ar.ReadObjectOf<SECUserTool>();
      if (!tool) return false;
      // Only the first nine fit the tools menu's commands; the rest are read and dropped.
      if (fresh.size() < static_cast<size_t>(SECUserTool::kMaxTools)) fresh.push_back(tool->Clone());
    }
  } catch (const CArchiveException&) {
    return false;
  }
  if (fresh.empty()) return false;
  list = std::move(fresh);
  return true;
}

bool LoadToolList(const CString& file_name, SECUserToolList& list) {
  std::vector<uint8_t> bytes;
  if (base::read_file(base::os_path(file_name), bytes, kFileLimit) != base::OsError::None) return false;
  return LoadToolListFrom(bytes, list);
}

bool SaveToolList(const CString& file_name, const SECUserToolList& list) {
  std::vector<uint8_t> bytes;
  try {
    bytes = StoreToolList(list);
  } catch (const CArchiveException&) {
    return false;
  }
  return base::write_file_atomic(base::os_path(file_name), bytes) == base::OsError::None;
}

void DeleteToolList(SECUserToolList& list) { list.clear(); }

CString SECToolListFileName() { return SECPathIn(SECUserDataFolder(), "Tools.dat"); }
