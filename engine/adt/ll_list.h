// Singly linked lists whose every node holds its own copy of the bytes added (the viewer's library
// list). Node handles stay valid until their node is removed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <list>
#include <span>
#include <vector>

namespace adt {

class LlList {
 public:
  using Node = std::list<std::vector<uint8_t>>::iterator;

  // Adds a copy of the bytes as the first (at_front) or the last node; returns the new node.
  Node LlInsert(std::span<const uint8_t> bytes, bool at_front) {
    return nodes_.insert(at_front ? nodes_.begin() : nodes_.end(),
                         std::vector<uint8_t>(bytes.begin(), bytes.end()));
  }
  void LlRemove(Node node) { nodes_.erase(node); }
  Node first() { return nodes_.begin(); }
  Node last() { return nodes_.empty() ? nodes_.end() : std::prev(nodes_.end()); }
  Node end() { return nodes_.end(); }
  // The node after `node`, or end() after the last.
  Node LlNext(Node node) { return std::next(node); }
  static std::vector<uint8_t>& LlDataBlock(Node node) { return *node; }
  size_t size() const { return nodes_.size(); }

 private:
  std::list<std::vector<uint8_t>> nodes_;
};

}  // namespace adt
