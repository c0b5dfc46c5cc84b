// The framework's arrays and lists.
//
// CArray<T> is a growable array with the framework's index calls; CList<T> is a doubly linked list
// walked through POSITION values (an opaque handle to one node, null past either end). Nodes live
// in a pool owned by the list, so a POSITION stays valid until its node is removed, and removing
// other nodes never moves it.
//
// Reading an index outside an array is a programming error: it asserts in test builds and reads a
// default value (writes are dropped) in release builds, rather than touching memory outside.
#pragma once

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <deque>
#include <vector>

#include "platform/base/cstring.h"

class CObject;

// The second parameter is the framework's argument type; it is accepted and not needed.
template <typename T, typename ArgT = const T&>
class CArray {
 public:
  CArray() = default;

  int GetSize() const { return int(items_.size()); }
  int GetCount() const { return GetSize(); }
  int GetUpperBound() const { return GetSize() - 1; }
  bool IsEmpty() const { return items_.empty(); }
  // `grow_by` is the framework's allocation step; the standard vector decides growth itself.
  void SetSize(int size, int grow_by = -1) {
    (void)grow_by;
    items_.resize(size > 0 ? size_t(size) : 0);
  }
  void RemoveAll() { items_.clear(); }
  void FreeExtra() { items_.shrink_to_fit(); }

  const T& GetAt(int i) const { return valid(i) ? items_[size_t(i)] : fallback(); }
  T& ElementAt(int i) { return valid(i) ? items_[size_t(i)] : scratch(); }
  const T& operator[](int i) const { return GetAt(i); }
  T& operator[](int i) { return ElementAt(i); }
  void SetAt(int i, const T& v) {
    if (valid(i)) items_[size_t(i)] = v;
  }
  // Sets element i, growing the array with default values when i is past the end.
  void SetAtGrow(int i, const T& v) {
    if (i < 0) return;
    if (size_t(i) >= items_.size()) items_.resize(size_t(i) + 1);
    items_[size_t(i)] = v;
  }
  // Appends; returns the new element's index.
  int Add(const T& v) {
    items_.push_back(v);
    return GetUpperBound();
  }
  int Append(const CArray& other) {
    int first = GetSize();
    items_.insert(items_.end(), other.items_.begin(), other.items_.end());
    return first;
  }
  void Copy(const CArray& other) { items_ = other.items_; }
  // Inserts `count` copies of v before index i (at the end when i is the size; past it the array
  // grows with default values first).
  void InsertAt(int i, const T& v, int count = 1) {
    if (i < 0 || count <= 0) return;
    if (size_t(i) > items_.size()) items_.resize(size_t(i));
    items_.insert(items_.begin() + i, size_t(count), v);
  }
  void RemoveAt(int i, int count = 1) {
    if (!valid(i) || count <= 0) return;
    size_t n = std::min(size_t(count), items_.size() - size_t(i));
    items_.erase(items_.begin() + i, items_.begin() + i + std::ptrdiff_t(n));
  }

  T* GetData() { return items_.data(); }
  const T* GetData() const { return items_.data(); }
  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  bool valid(int i) const {
    bool ok = i >= 0 && size_t(i) < items_.size();
    assert(ok && "array index out of range");
    return ok;
  }
  static const T& fallback() {
    static const T empty{};
    return empty;
  }
  T& scratch() {
    scratch_ = T{};
    return scratch_;
  }

  std::vector<T> items_;
  T scratch_{};
};

using CByteArray = CArray<uint8_t>;
using CWordArray = CArray<uint16_t>;
using CDWordArray = CArray<uint32_t>;
using CUIntArray = CArray<unsigned int>;
using CPtrArray = CArray<void*>;
using CStringArray = CArray<CString>;

// A position in a CList: an opaque node handle; null means none.
struct __POSITION;
using POSITION = __POSITION*;

template <typename T, typename ArgT = const T&>
class CList {
 public:
  // `block_size` is the framework's node allocation step; the pool decides itself.
  explicit CList(int block_size = 10) { (void)block_size; }
  CList(const CList&) = delete;
  CList& operator=(const CList&) = delete;

  int GetCount() const { return count_; }
  int GetSize() const { return count_; }
  bool IsEmpty() const { return count_ == 0; }

  POSITION GetHeadPosition() const { return pos(head_); }
  POSITION GetTailPosition() const { return pos(tail_); }
  // The head or tail of an empty list is a programming error (asserts; a default value else).
  T& GetHead() { return value_or_scratch(head_); }
  const T& GetHead() const { return const_cast<CList*>(this)->value_or_scratch(head_); }
  T& GetTail() { return value_or_scratch(tail_); }
  const T& GetTail() const { return const_cast<CList*>(this)->value_or_scratch(tail_); }

  // The value at `p`; `p` moves to the next (or previous) node, null past the end.
  T& GetNext(POSITION& p) { return step(p, &Node::next); }
  const T& GetNext(POSITION& p) const { return const_cast<CList*>(this)->step(p, &Node::next); }
  T& GetPrev(POSITION& p) { return step(p, &Node::prev); }
  const T& GetPrev(POSITION& p) const { return const_cast<CList*>(this)->step(p, &Node::prev); }
  T& GetAt(POSITION p) { return node(p)->value; }
  const T& GetAt(POSITION p) const { return node(p)->value; }
  void SetAt(POSITION p, const T& v) { node(p)->value = v; }

  POSITION AddHead(const T& v) { return InsertBefore(GetHeadPosition(), v); }
  POSITION AddTail(const T& v) { return InsertAfter(GetTailPosition(), v); }
  void AddTail(const CList& other) {
    for (Node* n = other.head_; n; n = n->next) AddTail(n->value);
  }
  // Inserting before or after a null position adds at the head or the tail.
  POSITION InsertBefore(POSITION p, const T& v) {
    Node* at = p ? node(p) : head_;
    Node* n = make(v);
    n->next = at;
    n->prev = at ? at->prev : tail_;
    link(n);
    return pos(n);
  }
  POSITION InsertAfter(POSITION p, const T& v) {
    Node* at = p ? node(p) : tail_;
    Node* n = make(v);
    n->prev = at;
    n->next = at ? at->next : head_;
    link(n);
    return pos(n);
  }

  T RemoveHead() { return take(head_); }
  T RemoveTail() { return take(tail_); }
  void RemoveAt(POSITION p) { take(node(p)); }
  void RemoveAll() {
    pool_.clear();
    free_.clear();
    head_ = tail_ = nullptr;
    count_ = 0;
  }

  // The position of the first node equal to v after `start_after` (from the head when null).
  POSITION Find(const T& v, POSITION start_after = nullptr) const {
    for (Node* n = start_after ? node(start_after)->next : head_; n; n = n->next)
      if (n->value == v) return pos(n);
    return nullptr;
  }
  // The position of the node at zero-based index i, or null.
  POSITION FindIndex(int i) const {
    if (i < 0 || i >= count_) return nullptr;
    Node* n = head_;
    while (i--) n = n->next;
    return pos(n);
  }

 private:
  struct Node {
    T value{};
    Node* prev = nullptr;
    Node* next = nullptr;
  };

  static POSITION pos(Node* n) { return reinterpret_cast<POSITION>(n); }
  static Node* node(POSITION p) {
    assert(p && "null list position");
    return reinterpret_cast<Node*>(p);
  }

  Node* make(const T& v) {
    Node* n;
    if (free_.empty()) {
      n = &pool_.emplace_back();
    } else {
      n = free_.back();
      free_.pop_back();
    }
    n->value = v;
    return n;
  }
  // Links a node whose prev and next are already set.
  void link(Node* n) {
    (n->prev ? n->prev->next : head_) = n;
    (n->next ? n->next->prev : tail_) = n;
    ++count_;
  }
  T& value_or_scratch(Node* n) {
    assert(n && "empty list");
    if (n) return n->value;
    scratch_ = T{};
    return scratch_;
  }
  T take(Node* n) {
    assert(n && "removal from an empty list");
    if (!n) return T{};
    (n->prev ? n->prev->next : head_) = n->next;
    (n->next ? n->next->prev : tail_) = n->prev;
    --count_;
    T v = std::move(n->value);
    *n = Node{};
    free_.push_back(n);
    return v;
  }
  T& step(POSITION& p, Node* Node::*dir) {
    Node* n = node(p);
    p = pos(n->*dir);
    return n->value;
  }

  std::deque<Node> pool_;  // stable addresses: nodes never move once made
  std::vector<Node*> free_;
  Node* head_ = nullptr;
  Node* tail_ = nullptr;
  int count_ = 0;
  T scratch_{};
};

using CObList = CList<CObject*>;
using CPtrList = CList<void*>;
using CStringList = CList<CString>;
