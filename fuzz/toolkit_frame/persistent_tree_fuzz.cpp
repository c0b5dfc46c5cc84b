// Imports a persistent tree from untrusted bytes, reads every value back in each typed form and
// exports the result again, which must read back.
#include <cstdlib>

#include "toolkit/frame/persistent_tree.h"
#include "toolkit/frame/persistent_tree_store.h"

namespace {

void read_all(SECPersistentTreeNode& node) {
  for (const auto& v : node.GetValues()) {
    int i;
    BOOL b;
    std::vector<BYTE> bytes;
    node.GetInt(v->m_strKey, i);
    node.GetBool(v->m_strKey, b);
    node.GetBinary(v->m_strKey, &bytes, nullptr);
  }
  for (SECPersistentTreeNode* child : node.GetChildren()) read_all(*child);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SECTreeByteStore store;
  if (!store.Load({data, size})) return 0;
  // Trees of the seeds are rooted at "Root".
  SECPersistentTreeNode root;
  root.Initialize(CString("Root"));
  if (!root.Import(&store)) return 0;
  read_all(root);
  SECTreeByteStore out;
  root.Export(&out);
  SECTreeByteStore again;
  if (!again.Load(out.Save())) std::abort();
  return 0;
}
