// Reads a tool list file from untrusted bytes; a list it accepts holds at most nine tools and
// must store and read back.
#include <cstdlib>

#include "toolkit/widgets/user_tool.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SECUserToolList list;
  if (!LoadToolListFrom({data, size}, list)) return 0;
  if (list.empty() || list.size() > static_cast<size_t>(SECUserTool::kMaxTools)) std::abort();
  std::vector<CString> macros = {"$A=b"};
  for (const auto& tool : list) {
    CString dir;
    tool->BuildCommandLine(&macros, dir);
  }
  SECUserToolList back;
  if (!LoadToolListFrom(StoreToolList(list), back) || back.size() != list.size()) std::abort();
  return 0;
}
