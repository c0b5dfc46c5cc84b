#include "toolkit/widgets/tree_node.h"

#include <cstdlib>
#include <cstring>

SECTreeNode* const SECTreeNode::kFirst = nullptr;
SECTreeNode* const SECTreeNode::kLast = reinterpret_cast<SECTreeNode*>(uintptr_t{1});
SECTreeNode* const SECTreeNode::kLastAlso = reinterpret_cast<SECTreeNode*>(uintptr_t{2});

SECTreeNode::~SECTreeNode() {
  DeleteChildren();
  hidden_level_ = 0;
}

SECTreeNode* SECTreeNode::GetRoot() const {
  const SECTreeNode* node = this;
  while (node->parent_) node = node->parent_;
  return const_cast<SECTreeNode*>(node);
}

uint16_t SECTreeNode::GetDepth() const {
  uint16_t depth = 0;
  for (const SECTreeNode* p = GetParent(); p; p = p->GetParent()) ++depth;
  return depth;
}

int SECTreeNode::stored_depth() const {
  int depth = 0;
  for (const SECTreeNode* p = parent_; p; p = p->parent_) ++depth;
  return depth;
}

SECTreeNode* SECTreeNode::GetLastSibling() const {
  const SECTreeNode* node = this;
  while (SECTreeNode* next = node->GetNextSibling()) node = next;
  return const_cast<SECTreeNode*>(node);
}

SECTreeNode* SECTreeNode::GetLastChild() const {
  SECTreeNode* first = GetFirstChild();
  return first ? first->GetLastSibling() : nullptr;
}

SECTreeNode* SECTreeNode::GetFirstLeaf() const {
  SECTreeNode* node = first_child_;
  if (!node) return nullptr;
  while (SECTreeNode* child = node->GetFirstChild()) node = child;
  return node;
}

SECTreeNode* SECTreeNode::GetLastDescendant() const {
  const SECTreeNode* node = this;
  while (SECTreeNode* last = node->GetLastChild()) node = last;
  return const_cast<SECTreeNode*>(node);
}

SECTreeNode* SECTreeNode::GetNextInOrder() const {
  if (SECTreeNode* child = GetFirstChild()) return child;
  for (const SECTreeNode* node = this; node; node = node->GetParent()) {
    if (SECTreeNode* next = node->GetNextSibling()) return next;
  }
  return nullptr;
}

SECTreeNode* SECTreeNode::GetPrevInOrder() const {
  if (SECTreeNode* prev = GetPrevSibling()) return prev->GetLastDescendant();
  return GetParent();
}

bool SECTreeNode::IsAncestorOf(const SECTreeNode* node) const {
  if (!node) return false;
  for (const SECTreeNode* p = node->GetParent(); p; p = p->GetParent()) {
    if (p == this) return true;
  }
  return false;
}

bool SECTreeNode::AddChild(SECTreeNode* node, SECTreeNode* where) {
  if (!node || node == this || node->parent_ || node->prev_ || node->next_) return false;
  for (const SECTreeNode* p = this; p; p = p->parent_) {
    if (p == node) return false;
  }
  if (!first_child_) {
    first_child_ = node;
  } else if (where == kFirst) {
    node->next_ = first_child_;
    first_child_->prev_ = node;
    first_child_ = node;
  } else if (where == kLast || where == kLastAlso) {
    SECTreeNode* last = first_child_;
    while (last->next_) last = last->next_;
    last->next_ = node;
    node->prev_ = last;
  } else {
    SECTreeNode* after = first_child_;
    while (after && after != where) after = after->next_;
    if (!after) return false;
    node->next_ = after->next_;
    node->prev_ = after;
    if (after->next_) after->next_->prev_ = node;
    after->next_ = node;
  }
  node->parent_ = this;
  return true;
}

void SECTreeNode::Unlink() {
  if (next_) next_->prev_ = prev_;
  if (prev_) prev_->next_ = next_;
  if (parent_ && parent_->first_child_ == this) parent_->first_child_ = next_;
  parent_ = nullptr;
  next_ = nullptr;
  prev_ = nullptr;
}

void SECTreeNode::DeleteChildren() {
  while (SECTreeNode* leaf = GetFirstLeaf()) {
    leaf->Unlink();
    delete leaf;
  }
}

uint16_t SECTreeNodeX::root_hidden_level() const { return GetRoot()->GetHiddenLevel(); }

SECTreeNode* SECTreeNodeX::GetParent() const {
  SECTreeNode* parent = stored_parent();
  const int level = root_hidden_level();
  if (level && parent && stored_depth() == level + 1) return parent->GetParent();
  return parent;
}

SECTreeNode* SECTreeNodeX::GetFirstChild() const {
  SECTreeNode* child = stored_first_child();
  const int level = root_hidden_level();
  if (level && child && stored_depth() == level - 1) return child->SECTreeNode::GetFirstChild();
  return child;
}

SECTreeNode* SECTreeNodeX::GetNextSibling() const {
  SECTreeNode* next = stored_next();
  const int level = root_hidden_level();
  if (level && !next && stored_depth() == level + 1) {
    SECTreeNode* parent = stored_parent();
    SECTreeNode* uncle = parent ? parent->SECTreeNode::GetNextSibling() : nullptr;
    // Skipped nodes without children add nothing to the list.
    while (uncle && !uncle->SECTreeNode::GetFirstChild()) uncle = uncle->SECTreeNode::GetNextSibling();
    return uncle ? uncle->SECTreeNode::GetFirstChild() : nullptr;
  }
  return next;
}

SECTreeNode* SECTreeNodeX::GetPrevSibling() const {
  SECTreeNode* prev = stored_prev();
  const int level = root_hidden_level();
  if (level && !prev && stored_depth() == level + 1) {
    SECTreeNode* parent = stored_parent();
    SECTreeNode* uncle = parent ? parent->SECTreeNode::GetPrevSibling() : nullptr;
    while (uncle && !uncle->SECTreeNode::GetFirstChild()) uncle = uncle->SECTreeNode::GetPrevSibling();
    if (!uncle) return nullptr;
    SECTreeNode* last = uncle->SECTreeNode::GetFirstChild();
    while (last->SECTreeNode::GetNextSibling()) last = last->SECTreeNode::GetNextSibling();
    return last;
  }
  return prev;
}

char* const _Node::kTextCallback = reinterpret_cast<char*>(intptr_t{-1});

_Node::_Node() {
  m_item.iImage = kNoImage;
  m_item.iSelectedImage = kNoImage;
}

_Node::~_Node() { free_text(); }

void _Node::SetExpanded(bool expanded) {
  if (expanded) {
    m_item.state |= kStateExpanded;
  } else {
    m_item.state &= ~kStateExpanded;
  }
}

void _Node::free_text() {
  if (HasOwnText()) std::free(m_item.pszText);
  m_item.pszText = nullptr;
}

void _Node::SetText(const char* text) {
  free_text();
  if (text) m_item.pszText = strdup(text);
}

void _Node::SetTextCallback() {
  free_text();
  m_item.pszText = kTextCallback;
}
