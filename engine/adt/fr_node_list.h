// Doubly linked node lists kept inside a growable array (the viewer's frame list, an object's list of
// hit rectangles). Nodes are addressed by index; links are indices, -1 for none. Unused nodes form a
// free chain through their next links.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace adt {

template <typename Body>
class FrNodeList {
 public:
  struct Node {
    int32_t previous = -1;
    int32_t next = -1;
    Body body{};
  };

  FrNodeList() { grow(); }

  int32_t head() const { return head_; }
  int32_t tail() const { return tail_; }
  const Node& node(int32_t index) const { return nodes_[index]; }
  Body& body(int32_t index) { return nodes_[index].body; }
  size_t capacity() const { return nodes_.size(); }

  // Takes a node from the free chain (growing by four nodes when it is empty) and links it as the new
  // head (after = -1) or right after `after`; returns its index.
  int32_t FrNodeInsert(int32_t after) {
    if (free_ < 0) grow();
    const int32_t index = free_;
    Node& n = nodes_[index];
    free_ = n.next;
    n.body = Body{};
    n.previous = after;
    n.next = after < 0 ? head_ : nodes_[after].next;
    if (after < 0)
      head_ = index;
    else
      nodes_[after].next = index;
    if (n.next >= 0)
      nodes_[n.next].previous = index;
    else
      tail_ = index;
    return index;
  }

  // Unlinks the node and puts it at the head of the free chain.
  void FrNodeRemove(int32_t index) {
    Node& n = nodes_[index];
    if (n.previous >= 0)
      nodes_[n.previous].next = n.next;
    else
      head_ = n.next;
    if (n.next >= 0)
      nodes_[n.next].previous = n.previous;
    else
      tail_ = n.previous;
    n.previous = -1;
    n.next = free_;
    free_ = index;
  }

  int32_t free_head() const { return free_; }

 private:
  static constexpr int32_t kStep = 4;

  // Adds four nodes and chains them into the free chain in index order.
  void grow() {
    const int32_t first = static_cast<int32_t>(nodes_.size());
    nodes_.resize(nodes_.size() + kStep);
    for (int32_t i = first; i < first + kStep; ++i) nodes_[i].next = i + 1 < first + kStep ? i + 1 : free_;
    free_ = first;
  }

  std::vector<Node> nodes_;
  int32_t free_ = -1;
  int32_t head_ = -1;
  int32_t tail_ = -1;
};

}  // namespace adt
