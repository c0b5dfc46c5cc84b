#include "toolkit/widgets/tree_node.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

// A node that records its destruction and carries a name.
struct Named : SECTreeNodeX {
  Named(std::string n, std::vector<std::string>* log = nullptr) : name(std::move(n)), log(log) {}
  ~Named() override {
    if (log) log->push_back(name);
  }
  std::string name;
  std::vector<std::string>* log;
};

std::string name_of(const SECTreeNode* n) { return n ? static_cast<const Named*>(n)->name : "-"; }

// Pre-order names from `from` on.
std::string walk(const SECTreeNode* from) {
  std::string out;
  for (const SECTreeNode* n = from; n; n = n->GetNextInOrder()) out += name_of(n);
  return out;
}

// r: a(a1, a2), b, c(c1)
struct TreeNodes : ::testing::Test {
  void SetUp() override {
    for (const char* n : {"a", "b", "c"}) {
      nodes[n] = new Named(n, &log);
      root.AddChild(nodes[n]);
    }
    for (const char* n : {"1", "2"}) {
      nodes[std::string("a") + n] = new Named(n, &log);
      nodes["a"]->AddChild(nodes[std::string("a") + n]);
    }
    nodes["c1"] = new Named("3", &log);
    nodes["c"]->AddChild(nodes["c1"]);
  }
  std::vector<std::string> log;
  Named root{"r"};
  std::map<std::string, Named*> nodes;
};

TEST_F(TreeNodes, WalksInPreOrderBothWays) {
  EXPECT_EQ(walk(&root), "ra12bc3");
  std::string back;
  for (const SECTreeNode* n = nodes["c1"]; n; n = n->GetPrevInOrder()) back += name_of(n);
  EXPECT_EQ(back, "3cb21ar");
  EXPECT_EQ(nodes["a1"]->GetPrevInOrder(), nodes["a"]);
  EXPECT_EQ(nodes["c1"]->GetNextInOrder(), nullptr);
}

TEST_F(TreeNodes, DepthLeavesAndAncestors) {
  EXPECT_EQ(root.GetDepth(), 0);
  EXPECT_EQ(nodes["a2"]->GetDepth(), 2);
  EXPECT_EQ(root.GetFirstLeaf(), nodes["a1"]);
  EXPECT_EQ(root.GetLastDescendant(), nodes["c1"]);
  EXPECT_EQ(nodes["b"]->GetLastDescendant(), nodes["b"]);
  EXPECT_EQ(root.GetLastChild(), nodes["c"]);
  EXPECT_EQ(nodes["a2"]->GetRoot(), &root);
  EXPECT_TRUE(root.IsAncestorOf(nodes["a2"]));
  EXPECT_TRUE(nodes["a"]->IsAncestorOf(nodes["a2"]));
  EXPECT_FALSE(nodes["a2"]->IsAncestorOf(nodes["a2"]));
  EXPECT_FALSE(nodes["b"]->IsAncestorOf(nodes["a2"]));
  EXPECT_FALSE(root.IsAncestorOf(nullptr));
}

TEST_F(TreeNodes, InsertsFirstLastAndAfter) {
  auto* x = new Named("x", &log);
  EXPECT_TRUE(root.AddChild(x, SECTreeNode::kFirst));
  auto* y = new Named("y", &log);
  EXPECT_TRUE(root.AddChild(y, nodes["b"]));
  auto* z = new Named("z", &log);
  EXPECT_TRUE(root.AddChild(z, SECTreeNode::kLastAlso));
  EXPECT_EQ(walk(&root), "rxa12byc3z");
  EXPECT_EQ(y->GetPrevSibling(), nodes["b"]);
  EXPECT_EQ(nodes["c"]->GetPrevSibling(), y);
}

TEST_F(TreeNodes, InsertionIntoAnEmptyListIgnoresWhere) {
  auto* x = new Named("x", &log);
  EXPECT_TRUE(nodes["b"]->AddChild(x, nodes["a1"]));
  EXPECT_EQ(nodes["b"]->GetFirstChild(), x);
  EXPECT_EQ(x->GetParent(), nodes["b"]);
}

TEST_F(TreeNodes, FailedInsertionChangesNothing) {
  Named loose("x");
  // a1 is not a child of the root.
  EXPECT_FALSE(root.AddChild(&loose, nodes["a1"]));
  EXPECT_EQ(loose.GetParent(), nullptr);
  EXPECT_EQ(loose.GetNextSibling(), nullptr);
  EXPECT_EQ(walk(&root), "ra12bc3");
  // A node already in a tree, and a node under itself, are refused.
  EXPECT_FALSE(nodes["c"]->AddChild(nodes["a1"]));
  EXPECT_FALSE(nodes["a1"]->AddChild(nodes["a"]));
  EXPECT_EQ(walk(&root), "ra12bc3");
}

TEST_F(TreeNodes, UnlinkClearsTheNodesOwnLinks) {
  Named* b = nodes["b"];
  b->Unlink();
  EXPECT_EQ(b->GetParent(), nullptr);
  EXPECT_EQ(b->GetNextSibling(), nullptr);
  EXPECT_EQ(b->GetPrevSibling(), nullptr);
  EXPECT_EQ(nodes["a"]->GetNextSibling(), nodes["c"]);
  EXPECT_EQ(walk(&root), "ra12c3");
  // It can go in again elsewhere.
  EXPECT_TRUE(nodes["c"]->AddChild(b, SECTreeNode::kFirst));
  EXPECT_EQ(walk(&root), "ra12cb3");
  // Unlinking a first child moves the parent's first child on.
  nodes["a1"]->Unlink();
  EXPECT_EQ(nodes["a"]->GetFirstChild(), nodes["a2"]);
  delete nodes["a1"];
}

TEST_F(TreeNodes, DestroyingASubtreeGoesLeavesFirst) {
  log.clear();
  root.DeleteChildren();
  EXPECT_EQ(log, (std::vector<std::string>{"1", "2", "a", "b", "3", "c"}));
  EXPECT_EQ(root.GetFirstChild(), nullptr);
}

TEST_F(TreeNodes, AHiddenLevelJoinsTheGrandchildrenIntoOneList) {
  root.SetHiddenLevel(1);
  EXPECT_EQ(root.GetFirstChild(), nodes["a1"]);
  EXPECT_EQ(nodes["a1"]->GetParent(), &root);
  EXPECT_EQ(nodes["a1"]->GetDepth(), 1);
  std::string siblings;
  for (SECTreeNode* n = root.GetFirstChild(); n; n = n->GetNextSibling()) siblings += name_of(n);
  EXPECT_EQ(siblings, "123");  // b has no children and adds none
  std::string back;
  for (SECTreeNode* n = nodes["c1"]; n; n = n->GetPrevSibling()) back += name_of(n);
  EXPECT_EQ(back, "321");
  root.SetHiddenLevel(0);
  EXPECT_EQ(root.GetFirstChild(), nodes["a"]);
}

TEST(TreeItemNode, StartsWithoutImagesAndOwnsItsText) {
  _Node node;
  EXPECT_EQ(node.m_item.iImage, _Node::kNoImage);
  EXPECT_EQ(node.m_item.iSelectedImage, _Node::kNoImage);
  EXPECT_EQ(node.m_item.pszText, nullptr);
  node.SetText("Dziennik Ustaw");
  EXPECT_STREQ(node.m_item.pszText, "Dziennik Ustaw");
  node.SetTextCallback();
  EXPECT_EQ(node.m_item.pszText, _Node::kTextCallback);
  EXPECT_FALSE(node.IsExpanded());
  node.SetExpanded(true);
  EXPECT_EQ(node.m_item.state, _Node::kStateExpanded);
  EXPECT_TRUE(node.IsExpanded());
  node.SetExpanded(false);
  EXPECT_FALSE(node.IsExpanded());
}

}  // namespace
