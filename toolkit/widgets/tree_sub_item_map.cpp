#include "toolkit/widgets/tree_sub_item_map.h"

bool SubItemTextMap::Lookup(const void* node, int sub, CString* out) const {
  if (out) out->Empty();
  auto found = texts_.find(node);
  if (found == texts_.end() || sub < 1 || size_t(sub) > found->second.size()) return false;
  if (out) *out = found->second[size_t(sub) - 1];
  return true;
}

CString SubItemTextMap::Get(const void* node, int sub) const {
  CString text;
  Lookup(node, sub, &text);
  return text;
}

bool SubItemTextMap::Set(const void* node, int sub, const CString& text) {
  if (sub < 1) return false;
  std::vector<CString>& texts = texts_[node];
  if (texts.size() < size_t(sub)) texts.resize(size_t(sub));
  texts[size_t(sub) - 1] = text;
  return true;
}
