#include "toolkit/frame/persistent_tree.h"

#include <gtest/gtest.h>

#include "toolkit/frame/persistent_tree_store.h"

namespace {

std::vector<BYTE> bytes_of(size_t n) {
  std::vector<BYTE> b(n);
  for (size_t i = 0; i < n; ++i) b[i] = BYTE(i * 7 + 3);
  return b;
}

TEST(PersistentTree, ChildrenAreUniqueByName) {
  SECPersistentTreeNode root;
  EXPECT_EQ(root.SetString(CString("k"), CString("v")), SEC_PTREE_NOT_INITIALIZED);
  ASSERT_EQ(root.Initialize(CString("Root")), 0u);
  EXPECT_EQ(root.Initialize(CString("Again")), SEC_PTREE_ALREADY_INITIALIZED);
  SECPersistentTreeNode fresh;
  EXPECT_EQ(fresh.Initialize(CString()), SEC_PTREE_EMPTY_NAME);
  SECPersistentTreeNode* bar = root.AddChild(CString("Bar"), &root);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(root.AddChild(CString("Bar"), &root), nullptr) << "a second sibling of one name";
  EXPECT_EQ(root.GetChildren().size(), 1u);
  EXPECT_EQ(root.FindChild(CString("Bar")), bar);
  EXPECT_EQ(root.FindChild(CString("bar")), nullptr) << "names compare exactly";
  EXPECT_EQ(root.AddChildNode(nullptr), SEC_PTREE_EMPTY_NAME);
  // A class that is not a tree node is refused.
  EXPECT_EQ(root.AddChild(CString("X"), &root, RUNTIME_CLASS(CObject)), nullptr);
  SECTreePath path;
  bar->GetPath(path);
  ASSERT_EQ(path.GetCount(), 2);
  EXPECT_EQ(path.GetHead(), "Bar");
  EXPECT_EQ(path.GetTail(), "Root");
}

TEST(PersistentTree, AnAttachedNodeThatGoesAwayLeavesNoDanglingLink) {
  SECPersistentTreeNode root;
  ASSERT_EQ(root.Initialize(CString("Root")), 0u);
  {
    SECPersistentTreeNode attached;
    ASSERT_EQ(attached.Initialize(CString("Short"), &root), 0u);
    EXPECT_EQ(root.GetChildren().size(), 1u);
  }
  EXPECT_TRUE(root.GetChildren().empty());
  SECTreeByteStore store;
  EXPECT_TRUE(root.Export(&store));

  auto parent = std::make_unique<SECPersistentTreeNode>();
  parent->Initialize(CString("P"));
  SECPersistentTreeNode orphan;
  ASSERT_EQ(orphan.Initialize(CString("O"), parent.get()), 0u);
  parent.reset();
  EXPECT_EQ(orphan.GetParent(), nullptr);
  SECTreePath path;
  orphan.GetPath(path);
  EXPECT_EQ(path.GetCount(), 1);
}

TEST(PersistentTree, TypedValues) {
  SECPersistentTreeNode n;
  ASSERT_EQ(n.Initialize(CString("N")), 0u);
  EXPECT_EQ(n.SetString(CString("s"), CString("old")), 0u);
  EXPECT_EQ(n.SetString(CString("s"), CString("new"), FALSE), SEC_PTREE_KEY_EXISTS);
  CString s;
  EXPECT_EQ(n.GetString(CString("s"), s), 0u);
  EXPECT_EQ(s, "old");
  EXPECT_EQ(n.SetString(CString("s"), CString("new"), TRUE), 0u);
  EXPECT_EQ(n.GetValues().size(), 1u) << "updated in place";
  EXPECT_EQ(n.SetString(CString(), CString("x")), SEC_PTREE_EMPTY_KEY);

  EXPECT_EQ(n.SetInt(CString("i"), -42), 0u);
  int i = 0;
  EXPECT_EQ(n.GetInt(CString("i"), i), 0u);
  EXPECT_EQ(i, -42);
  EXPECT_EQ(n.GetInt(CString("missing"), i, 7), SEC_PTREE_KEY_NOT_FOUND);
  EXPECT_EQ(i, 7);
  n.SetString(CString("huge"), CString("99999999999999999999"));
  EXPECT_EQ(n.GetInt(CString("huge"), i), 0u);
  EXPECT_EQ(i, INT_MAX) << "held to the range, not overflowed";

  struct BoolCase {
    const char* text;
    BOOL expected;
  } bools[] = {{"true", TRUE}, {"True", TRUE}, {"TRUE", TRUE}, {"1", FALSE}, {"yes", FALSE}, {"", FALSE}};
  for (const auto& c : bools) {
    n.SetString(CString("b"), CString(c.text));
    BOOL b = !c.expected;
    EXPECT_EQ(n.GetBool(CString("b"), b), 0u);
    EXPECT_EQ(b, c.expected) << c.text;
  }
  n.SetBool(CString("flag"), TRUE);
  n.GetString(CString("flag"), s);
  EXPECT_EQ(s, "True");
}

TEST(PersistentTree, BinaryEncodingAndPieces) {
  BYTE two[] = {0x00, 0xFF};
  EXPECT_EQ(SECPersistentTreeNode::EncodeBinary(two, 2), "AAPP");
  BYTE one[] = {0x3C};
  EXPECT_EQ(SECPersistentTreeNode::EncodeBinary(one, 1), "MD");
  std::vector<BYTE> out;
  EXPECT_TRUE(SECPersistentTreeNode::DecodeBinary(CString("AAPPB"), out)) << "an odd letter is ignored";
  EXPECT_EQ(out, (std::vector<BYTE>{0x00, 0xFF}));
  EXPECT_FALSE(SECPersistentTreeNode::DecodeBinary(CString(""), out));
  EXPECT_FALSE(SECPersistentTreeNode::DecodeBinary(CString("AZ"), out)) << "not a letter of the code";

  SECPersistentTreeNode n;
  ASSERT_EQ(n.Initialize(CString("N")), 0u);
  auto b125 = bytes_of(125);
  ASSERT_EQ(n.SetBinary(CString("k"), b125.data(), 125), 0u);
  CString text;
  EXPECT_EQ(n.GetString(CString("k"), text), 0u);
  EXPECT_EQ(text.GetLength(), 250);
  EXPECT_EQ(n.FindValue(CString("k_BinCount")), nullptr);

  auto b126 = bytes_of(126);
  ASSERT_EQ(n.SetBinary(CString("k"), b126.data(), 126), 0u);
  int count = 0;
  EXPECT_EQ(n.GetInt(CString("k_BinCount"), count), 0u);
  EXPECT_EQ(count, 2);
  n.GetString(CString("k_BinVal0"), text);
  EXPECT_EQ(text.GetLength(), 250);
  n.GetString(CString("k_BinVal1"), text);
  EXPECT_EQ(text.GetLength(), 2);
  std::vector<BYTE> back;
  UINT length = 0;
  ASSERT_EQ(n.GetBinary(CString("k"), &back, &length), 0u);
  EXPECT_EQ(back, b126);
  EXPECT_EQ(length, 126u);
  EXPECT_EQ(n.GetBinary(CString("k"), nullptr, &length), SEC_PTREE_NULL_POINTER);
  EXPECT_EQ(n.SetBinary(CString("k"), nullptr, 3), SEC_PTREE_NULL_POINTER);
  EXPECT_EQ(n.GetBinary(CString("absent"), &back, &length), SEC_PTREE_KEY_NOT_FOUND);
}

TEST(PersistentTree, AShorterBinaryValueReplacesAnEarlierLongerOne) {
  SECPersistentTreeNode n;
  ASSERT_EQ(n.Initialize(CString("N")), 0u);
  auto big = bytes_of(400);  // four pieces
  ASSERT_EQ(n.SetBinary(CString("k"), big.data(), UINT(big.size())), 0u);
  auto middle = bytes_of(200);  // two pieces
  ASSERT_EQ(n.SetBinary(CString("k"), middle.data(), UINT(middle.size())), 0u);
  EXPECT_EQ(n.FindValue(CString("k_BinVal2")), nullptr) << "no stale piece after the value's end";
  std::vector<BYTE> back;
  ASSERT_EQ(n.GetBinary(CString("k"), &back, nullptr), 0u);
  EXPECT_EQ(back, middle);

  BYTE small[] = {1, 2, 3};
  ASSERT_EQ(n.SetBinary(CString("k"), small, 3), 0u);
  ASSERT_EQ(n.GetBinary(CString("k"), &back, nullptr), 0u);
  EXPECT_EQ(back, (std::vector<BYTE>(small, small + 3))) << "the short form is read, not the old pieces";
  EXPECT_EQ(n.FindValue(CString("k_BinCount")), nullptr);
  EXPECT_EQ(n.GetValues().size(), 1u);

  ASSERT_EQ(n.SetBinary(CString("k"), big.data(), UINT(big.size())), 0u);
  EXPECT_EQ(n.FindValue(CString("k")), nullptr) << "the short form is gone once pieces hold the value";
  // Without overwrite an existing short value stays.
  BYTE other[] = {9};
  ASSERT_EQ(n.SetBinary(CString("j"), small, 3), 0u);
  EXPECT_EQ(n.SetBinary(CString("j"), other, 1, FALSE), SEC_PTREE_KEY_EXISTS);
  ASSERT_EQ(n.GetBinary(CString("j"), &back, nullptr), 0u);
  EXPECT_EQ(back.size(), 3u);
}

TEST(PersistentTree, ExportImportRoundTrip) {
  SECPersistentTreeNode root;
  ASSERT_EQ(root.Initialize(CString("LumoKAL")), 0u);
  SECPersistentTreeNode* bar = root.AddChild(CString("ToolBarInfoEx"), &root);
  SECPersistentTreeNode* mgr = root.AddChild(CString("ToolBarMgr"), &root);
  SECPersistentTreeNode* deep = bar->AddChild(CString("Buttons"), bar);
  ASSERT_TRUE(bar && mgr && deep);
  root.SetString(CString("Title"), CString("Pasek \xB3\xF3\x9F"));
  bar->SetInt(CString("Count"), 3);
  auto data = bytes_of(300);
  deep->SetBinary(CString("Data"), data.data(), UINT(data.size()));
  mgr->SetBool(CString("Cool"), TRUE);
  // An attached node (not owned) is exported like any child.
  SECPersistentTreeNode attached;
  ASSERT_EQ(attached.Initialize(CString("Attached"), mgr), 0u);
  attached.SetString(CString("x"), CString("y"));

  SECTreeByteStore out;
  EXPECT_TRUE(root.Export(&out));
  std::vector<uint8_t> bytes = out.Save();

  SECTreeByteStore in;
  ASSERT_TRUE(in.Load(bytes));
  SECPersistentTreeNode copy;
  ASSERT_EQ(copy.Initialize(CString("LumoKAL")), 0u);
  ASSERT_TRUE(copy.Import(&in));
  SECTreeByteStore again;
  EXPECT_TRUE(copy.Export(&again));
  EXPECT_EQ(again.Save(), bytes) << "the imported tree exports to the same bytes";
  std::vector<BYTE> back;
  SECPersistentTreeNode* copy_deep = copy.FindChild(CString("ToolBarInfoEx"))->FindChild(CString("Buttons"));
  ASSERT_NE(copy_deep, nullptr);
  ASSERT_EQ(copy_deep->GetBinary(CString("Data"), &back, nullptr), 0u);
  EXPECT_EQ(back, data);

  // A tree of another root name has nothing to read.
  SECPersistentTreeNode other;
  other.Initialize(CString("Other"));
  EXPECT_FALSE(other.Import(&in));
  SECPersistentTreeNode uninitialised;
  EXPECT_FALSE(uninitialised.Export(&out));
  EXPECT_FALSE(root.Export(nullptr));
}

TEST(PersistentTree, DamagedTreeBytesAreRefused) {
  SECPersistentTreeNode root;
  root.Initialize(CString("R"));
  root.AddChild(CString("C"), &root)->SetString(CString("k"), CString("v"));
  SECTreeByteStore out;
  root.Export(&out);
  std::vector<uint8_t> good = out.Save();
  SECTreeByteStore in;
  for (size_t n = 0; n < good.size(); ++n)
    EXPECT_FALSE(in.Load({good.data(), n})) << "cut at " << n;
  std::vector<uint8_t> longer = good;
  longer.push_back(0);
  EXPECT_FALSE(in.Load(longer));
  std::vector<uint8_t> inflated = good;
  inflated[8] = 0xFF;  // node count
  inflated[11] = 0x7F;
  EXPECT_FALSE(in.Load(inflated));
  // Two records of one path.
  std::vector<uint8_t> doubled = good;
  doubled[8] = 4;
  std::vector<uint8_t> first_record(good.begin() + 12, good.end());
  doubled.insert(doubled.end(), first_record.begin(), first_record.end());
  EXPECT_FALSE(in.Load(doubled));
  EXPECT_TRUE(in.Load(good));
}

}  // namespace
