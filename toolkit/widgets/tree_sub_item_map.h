// SubItemTextMap: the texts of a tree's further columns kept per node, so that they outlive the
// node's row (rows come and go as branches collapse and expand). Element i of a node's array is
// the text of sub-item i + 1. The map owns its arrays; a node it does not know, or a sub-item
// beyond what was set, reads as an empty text.
#pragma once

#include <unordered_map>
#include <vector>

#include "platform/base/cstring.h"

class SubItemTextMap {
 public:
  // False (and `out` empty) when nothing is stored for the node's sub-item; `sub` counts from 1.
  bool Lookup(const void* node, int sub, CString* out) const;
  CString Get(const void* node, int sub) const;
  // Grows the node's array as needed; false for a sub-item below 1.
  bool Set(const void* node, int sub, const CString& text);
  void Remove(const void* node) { texts_.erase(node); }
  void RemoveAll() { texts_.clear(); }
  size_t NodeCount() const { return texts_.size(); }

 private:
  std::unordered_map<const void*, std::vector<CString>> texts_;
};
