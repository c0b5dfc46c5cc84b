// Reads a docking layout from untrusted archive bytes; a layout that reads is stored again, and
// what was stored must read back to the same records.
#include <cstdlib>
#include <span>

#include "platform/framework/dock_state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CDockState state;
  try {
    CArchive in(std::span<const uint8_t>(data, size));
    state.Serialize(in);
  } catch (const CArchiveException&) {
    return 0;
  }
  CArchive out;
  state.Serialize(out);
  std::vector<uint8_t> bytes = out.TakeBytes();
  CDockState again;
  CArchive back{std::span<const uint8_t>(bytes)};
  again.Serialize(back);
  if (again.m_arrBarInfo.GetSize() != state.m_arrBarInfo.GetSize()) std::abort();
  for (int i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
    if (again.m_arrBarInfo[i]->m_nBarID != state.m_arrBarInfo[i]->m_nBarID ||
        again.m_arrBarInfo[i]->m_arrBarID.GetSize() != state.m_arrBarInfo[i]->m_arrBarID.GetSize()) {
      std::abort();
    }
  }
  return 0;
}
