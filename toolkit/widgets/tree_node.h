// The nodes of the toolkit's tree control: the bare linkage (SECTreeNode), the linkage that can
// present one level of a tree as if it were not there (SECTreeNodeX), and the node the tree
// control creates for every item (_Node).
//
// Invariants every routine keeps:
//   - the children of a node form a doubly linked list that starts at its first child, and every
//     child's parent is that node;
//   - a node owns its children: destroying it destroys its whole subtree, leaves first;
//   - a node that is not in any child list has no parent and no sibling links.
#pragma once

#include <cstdint>
#include <string>

class SECTreeNode {
 public:
  // Where AddChild puts a node: first, last, or (as a pointer) after an existing child.
  static SECTreeNode* const kFirst;
  static SECTreeNode* const kLast;
  static SECTreeNode* const kLastAlso;  // treated as kLast

  SECTreeNode() = default;
  SECTreeNode(const SECTreeNode&) = delete;
  SECTreeNode& operator=(const SECTreeNode&) = delete;
  virtual ~SECTreeNode();

  virtual SECTreeNode* GetParent() const { return parent_; }
  virtual SECTreeNode* GetNextSibling() const { return next_; }
  virtual SECTreeNode* GetPrevSibling() const { return prev_; }
  virtual SECTreeNode* GetFirstChild() const { return first_child_; }
  // A hook for derived nodes; the base has no behaviour.
  virtual int NodeHook(int, int) { return 0; }
  virtual int IsExpanded() const { return 0; }
  virtual void SetExpanded(bool) {}

  SECTreeNode* GetRoot() const;
  // Ancestors counted through GetParent, so a hidden level is not counted.
  uint16_t GetDepth() const;
  SECTreeNode* GetLastSibling() const;
  SECTreeNode* GetLastChild() const;
  SECTreeNode* GetFirstLeaf() const;
  SECTreeNode* GetLastDescendant() const;
  SECTreeNode* GetNextInOrder() const;
  SECTreeNode* GetPrevInOrder() const;
  // True when this node is met walking up from `node` through GetParent (`node` itself does not
  // count).
  bool IsAncestorOf(const SECTreeNode* node) const;

  // Links `node` (which must not be in a tree) as a child: `where` is kFirst, kLast, kLastAlso or
  // a child of this node after which it goes. False, with nothing changed, when `where` is not a
  // child of this node, when `node` is null, already linked, this node or one of its ancestors.
  bool AddChild(SECTreeNode* node, SECTreeNode* where = kLast);
  // Takes the node out of its parent's child list; afterwards it has no parent and no siblings.
  void Unlink();
  // Unlinks and destroys every descendant, deepest first.
  void DeleteChildren();

  // The hidden-level word; it is read only on the root of a tree (see SECTreeNodeX).
  uint16_t GetHiddenLevel() const { return hidden_level_; }
  void SetHiddenLevel(uint16_t level) { hidden_level_ = level; }

 protected:
  // The links as stored, whatever a hidden level presents.
  SECTreeNode* stored_parent() const { return parent_; }
  SECTreeNode* stored_next() const { return next_; }
  SECTreeNode* stored_prev() const { return prev_; }
  SECTreeNode* stored_first_child() const { return first_child_; }
  int stored_depth() const;

 private:
  SECTreeNode* parent_ = nullptr;
  SECTreeNode* next_ = nullptr;
  SECTreeNode* prev_ = nullptr;
  SECTreeNode* first_child_ = nullptr;
  uint16_t hidden_level_ = 0;
};

// With a hidden level L set on the root (0: none), the nodes at stored depth L are skipped: their
// children read as the children of the node at depth L - 1, in one sibling list.
class SECTreeNodeX : public SECTreeNode {
 public:
  SECTreeNode* GetParent() const override;
  SECTreeNode* GetNextSibling() const override;
  SECTreeNode* GetPrevSibling() const override;
  SECTreeNode* GetFirstChild() const override;

 private:
  uint16_t root_hidden_level() const;
};

// The data of one tree item, laid out as the platform's tree-view item record.
struct SECTreeItemRecord {
  uint32_t mask = 0;
  void* hItem = nullptr;
  uint32_t state = 0;
  uint32_t stateMask = 0;
  char* pszText = nullptr;
  int cchTextMax = 0;
  int iImage = 0;
  int iSelectedImage = 0;
  int cChildren = 0;
  intptr_t lParam = 0;
};

// The node of one tree item (and of the hidden root of every tree).
class _Node : public SECTreeNodeX {
 public:
  // The image value of an item without an image.
  static constexpr int kNoImage = -12;
  // The text pointer of an item whose parent window supplies the text on demand.
  static char* const kTextCallback;
  // State bit of the expanded flag.
  static constexpr uint32_t kStateExpanded = 0x20;
  // Node flags.
  static constexpr uint32_t kGreyed = 0x100;  // inherited by the subtree
  static constexpr uint32_t kHidden = 0x200;  // hidden with its subtree

  _Node();
  ~_Node() override;

  int IsExpanded() const override { return (m_item.state & kStateExpanded) ? 1 : 0; }
  void SetExpanded(bool expanded) override;
  virtual int ItemHook(int, int) { return 0; }

  // The item's text: null, the callback marker, or an owned copy of `text`.
  void SetText(const char* text);
  void SetTextCallback();
  bool HasOwnText() const { return m_item.pszText && m_item.pszText != kTextCallback; }

  SECTreeItemRecord m_item;
  int m_bHighlightSplit = 0;
  std::string m_strHead;
  std::string m_strTail;
  int m_nHeadWidth = 0;
  uint32_t m_nFlags = 0;

 private:
  void free_text();
};
