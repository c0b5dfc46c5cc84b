// The library tree: its rules over a library the compiler makes of the sample acts and over
// damaged indexes, and the tree window loading, locating, collapsing and drawing its items.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "navigation/du_tree.h"
#include "shell/core/library_tree.h"
#include "platform/base/cp1250.h"
#include "platform/base/os_file.h"
#include "tests/compiler/library_fixture.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/surface_png.h"

namespace {

using shell::TreeChild;
using shell::ContentsIndexReader;
using shell::ContentsRecord;

// The sample library's index, read into memory once as the application does.
const ContentsIndexReader& SampleIndex() {
  static ContentsIndexReader index = [] {
    ContentsIndexReader r;
    const auto& library = compiler_test::Compile(compiler_test::SourceDir() + "/samples/acts", "navigation_sample");
    EXPECT_EQ(library.result, 0) << library.error;
    std::vector<uint8_t> bytes;
    base::OsFile file;
    if (file.open(library.folder + "/Index.idx", base::OpenMode::Read) == base::OsError::None) {
      uint64_t size = 0;
      file.size(size);
      bytes.resize(size);
      size_t got = 0;
      file.read(bytes.data(), bytes.size(), got);
    }
    r.OpenBytes(bytes);
    return r;
  }();
  return index;
}

ContentsRecord Record(const ContentsIndexReader& index, int32_t n) {
  ContentsRecord r;
  EXPECT_TRUE(index.ReadRecord(n, r)) << n;
  return r;
}

TEST(LibraryTreeModel, TheWholeTreeListsRecordsInOrderEachUnderItsParent) {
  const ContentsIndexReader& index = SampleIndex();
  const int32_t count = index.RecordCount();
  ASSERT_GT(count, 10);
  const std::vector<int32_t> years = shell::ListYearbooks(index, count);
  ASSERT_GE(years.size(), 2u);
  std::vector<int32_t> seen;
  // Walks every item depth first, checking each child's level and parent against its item's.
  std::function<void(int32_t, const std::vector<int32_t>&)> walk = [&](int32_t n, const std::vector<int32_t>& path) {
    seen.push_back(n);
    EXPECT_EQ(shell::TreePathTo(index, n), path) << n;
    const ContentsRecord r = Record(index, n);
    const std::vector<TreeChild> children = shell::ListChildren(index, n, count);
    for (const TreeChild& c : children) {
      const ContentsRecord cr = Record(index, c.record);
      if (r.level == 9) { EXPECT_EQ(cr.level, 8) << c.record; }                       // issues only
      if (r.level == 8) { EXPECT_TRUE(cr.level == 7 && !cr.attachment) << c.record; }  // acts, no attachments
      if (r.level <= 7) { EXPECT_LT(cr.level, 8) << c.record; }
      std::vector<int32_t> below = path;
      below.push_back(c.record);
      walk(c.record, below);
      EXPECT_EQ(c.descendants != 0, !shell::ListChildren(index, c.record, count).empty()) << c.record;
    }
  };
  for (int32_t y : years) walk(y, {y});
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end());
  // Every issue, act, part and attachment has its item.
  for (int32_t n = 0; n < count; ++n) {
    if (!shell::TreePathTo(index, n).empty()) { EXPECT_TRUE(std::binary_search(seen.begin(), seen.end(), n)) << n; }
  }
  // An act with attachments lists them after its parts.
  bool attachments_found = false;
  for (int32_t n : seen) {
    const ContentsRecord r = Record(index, n);
    if (r.level != 7 || r.attachment || r.attachment_number == 0) continue;
    const auto children = shell::ListChildren(index, n, count);
    ASSERT_GE(children.size(), size_t(r.attachment_number));
    for (size_t k = children.size() - size_t(r.attachment_number); k < children.size(); ++k) {
      EXPECT_TRUE(Record(index, children[k].record).attachment);
    }
    attachments_found = true;
  }
  EXPECT_TRUE(attachments_found);
}

TEST(LibraryTreeModel, TextsOfTheLevels) {
  ContentsRecord r;
  struct Case {
    int32_t n;
    int level;
    bool attachment;
    int number, attachment_number;
    const char* text;
    const char* title;
    const char* position;
  } cases[] = {
      {5, 9, false, 0, 0, "Rocznik#1997", "ROK 1997", ""},
      {1, 9, false, 0, 0, "Rocznik#Dzienniki", "Dzienniki", ""},
      {7, 8, false, 12, 0, "Nr#12", "D.U.  12", ""},
      {0, 8, false, 12, 0, "Nr#12", "12", ""},
      {9, 7, false, 104, 2, "Ustawa#o ochronie", "Ust  o ochronie", "poz 104"},
      {10, 7, true, 0, 3, "Za\xB3\xB1" "cznik#wz\xF3r", "wz\xF3r", "za\xB3. 3"},
      {11, 7, true, 0, 0, "Za\xB3\xB1" "cznik", "Za\xB3\xB1" "cznik", "za\xB3."},
      {12, 2, false, 0, 0, "Rozdzia\xB3 1#Przepisy", "Przepisy", ""},
      {13, 0, false, 0, 0, "x#y", "", ""},
  };
  for (const Case& c : cases) {
    r.level = c.level;
    r.attachment = c.attachment;
    r.number = c.number;
    r.attachment_number = c.attachment_number;
    EXPECT_EQ(shell::TreeTitleText(c.n, r, c.text), c.title) << c.text;
    EXPECT_EQ(shell::TreePositionText(r), c.position) << c.text;
  }
}

// A small index of records given as (level, attachment, next, parent, attachment field).
struct Rec {
  int level;
  bool attachment;
  int32_t next, parent;
  int attachments = 0;
};
std::vector<uint8_t> Build(const std::vector<Rec>& recs) {
  std::vector<uint8_t> bytes(recs.size() * shell::kContentsRecordSize);
  for (size_t i = 0; i < recs.size(); ++i) {
    ContentsRecord r;
    r.level = recs[i].level;
    r.attachment = recs[i].attachment;
    r.next = recs[i].next;
    r.previous = int32_t(i);
    r.parent = recs[i].parent;
    r.attachment_number = recs[i].attachments;
    r.text_offset = uint32_t(bytes.size());
    r.text_length = 0;
    shell::EncodeContentsRecord(r, bytes.data() + i * shell::kContentsRecordSize);
  }
  return bytes;
}

TEST(LibraryTreeModel, TheLastBranchAndDamagedLinksStayInsideTheIndex) {
  // 0 yearbook (last), 1 issue (last), 2 act with one attachment (last), 3 part (last), 4 its
  // part (last), 5 attachment.
  ContentsIndexReader index;
  const auto last_branch = Build({{9, false, 0, 0}, {8, false, 1, 0}, {7, false, 2, 1, 1}, {6, false, 3, 2},
                                  {5, false, 4, 3}, {7, true, 5, 2, 1}});
  index.OpenBytes(last_branch);
  EXPECT_EQ(shell::CountDescendants(index, 0, 6), 5);
  EXPECT_EQ(shell::CountDescendants(index, 1, 6), 4);
  EXPECT_EQ(shell::CountDescendants(index, 2, 6), 3);
  EXPECT_EQ(shell::CountDescendants(index, 3, 6), 1);  // its attachment stays under the act
  EXPECT_EQ(shell::CountDescendants(index, 4, 6), 0);  // no expand button on the last part
  const auto act_children = shell::ListChildren(index, 2, 6);
  ASSERT_EQ(act_children.size(), 2u);
  EXPECT_EQ(act_children[0].record, 3);
  EXPECT_EQ(act_children[1].record, 5);
  EXPECT_EQ(shell::TreePathTo(index, 4), (std::vector<int32_t>{0, 1, 2, 3, 4}));
  EXPECT_EQ(shell::TreePathTo(index, 5), (std::vector<int32_t>{0, 1, 2, 5}));

  // Links that point back, past the end or round in a cycle give nothing, never a hang.
  const auto damaged = Build({{9, false, 0, 0}, {8, false, 1, 2}, {7, false, 0, 1}, {6, false, 900, 2},
                              {6, false, 4, 4}, {3, false, 5, 7}});
  index.OpenBytes(damaged);
  for (int32_t n = 0; n < 6; ++n) {
    const int32_t d = shell::CountDescendants(index, n, 6);
    EXPECT_GE(d, 0) << n;
    EXPECT_LE(n + d, 5) << n;
    for (const TreeChild& c : shell::ListChildren(index, n, 6)) EXPECT_GT(c.record, n);
  }
  EXPECT_TRUE(shell::TreePathTo(index, 1).empty());  // parent after the child
  EXPECT_TRUE(shell::TreePathTo(index, 4).empty());  // its own parent
  EXPECT_TRUE(shell::TreePathTo(index, 6).empty());  // no such record
  EXPECT_TRUE(shell::ListChildren(index, -1, 6).empty());
}

class LibraryTreeWindow : public lumo::test::FrameworkTest {
 protected:
  CWnd host;
  CDUTree tree;
  void SetUp() override {
    FrameworkTest::SetUp();
    ASSERT_TRUE(host.CreateEx(0, nullptr, "Spisy", WS_POPUP | WS_VISIBLE, CRect(10, 10, 330, 470), nullptr, 0));
    tree.SetIndex(&SampleIndex(), SampleIndex().RecordCount());
    ASSERT_TRUE(tree.CreateTree(CRect(0, 0, 320, 460), &host, 1051));
  }
  void TearDown() override {
    tree.DestroyWindow();
    host.DestroyWindow();
    FrameworkTest::TearDown();
  }
  int Expanded() const {
    int n = 0;
    for (HTREEITEM i = tree.GetRootItem(); i; i = tree.GetNextVisibleItem(i)) {
      if (tree.GetChildItem(i)) ++n;
    }
    return n;
  }
  // The first record of a level with an attachment count (an act with attachments), -1 when none.
  int32_t FirstActWithAttachments() {
    ContentsRecord r;
    for (int32_t n = 0; SampleIndex().ReadRecord(n, r); ++n) {
      if (r.level == 7 && !r.attachment && r.attachment_number > 0) return n;
    }
    return -1;
  }
};

TEST_F(LibraryTreeWindow, LoadsLocatesAndCollapsesWithPolishTitles) {
  tree.LoadContents();
  const auto years = shell::ListYearbooks(SampleIndex(), tree.GetRecordCount());
  ASSERT_EQ(tree.GetCount(), int(years.size()));
  EXPECT_EQ(tree.RecordOf(tree.GetRootItem()), years.front());

  // Locating the last part of an act expands exactly its ancestors.
  const int32_t act = FirstActWithAttachments();
  ASSERT_GE(act, 0);
  const int32_t part = act + 1;
  const auto path = shell::TreePathTo(SampleIndex(), part);
  ASSERT_GE(path.size(), 4u);
  HTREEITEM found = tree.LocateRecord(part);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(tree.GetSelectedItem(), found);
  EXPECT_EQ(tree.RecordOf(found), part);
  EXPECT_EQ(Expanded(), int(path.size()) - 1);
  for (HTREEITEM i = tree.GetParentItem(found); i; i = tree.GetParentItem(i)) EXPECT_TRUE(tree.GetChildItem(i));
  EXPECT_EQ(tree.LocateRecord(SampleIndex().RecordCount()), nullptr);
  EXPECT_EQ(tree.LocateRecord(-1), nullptr);

  // The act's item reads "kind  subject"; its attachments show "zał. n".
  HTREEITEM act_item = tree.GetParentItem(found);
  while (act_item && tree.RecordOf(act_item) != act) act_item = tree.GetParentItem(act_item);
  ASSERT_NE(act_item, nullptr);
  std::string text;
  ContentsRecord r;
  ASSERT_TRUE(tree.ReadRecordText(act, r, text));
  EXPECT_EQ(std::string(tree.GetNodeText(act_item)), shell::TreeTitleText(act, r, text));
  HTREEITEM last = tree.GetChildItem(act_item);
  while (tree.GetNextSiblingItem(last)) last = tree.GetNextSiblingItem(last);
  EXPECT_EQ(std::string(tree.GetNodeText(last, 1)).rfind("za\xB3.", 0), 0u);

  pump();
  tree.UpdateWindow();
  ASSERT_TRUE(lumo::test::save_surface_png(tree.m_hWnd, ::testing::TempDir() + "library_tree.png"));
  tree.SetWordWrap(TRUE);
  pump();
  tree.UpdateWindow();
  ASSERT_TRUE(lumo::test::save_surface_png(tree.m_hWnd, ::testing::TempDir() + "library_tree_wrap.png"));
  tree.ToggleColumns();
  EXPECT_FALSE(tree.HasPositionColumn());
  tree.ToggleColumns();
  EXPECT_TRUE(tree.HasPositionColumn());

  // Collapsing all drops the loaded items; expanding reads them again.
  tree.CollapseAll();
  EXPECT_EQ(tree.GetCount(), int(years.size()));
  HTREEITEM year = tree.GetRootItem();
  for (int32_t y : years) {
    if (y == path.front()) break;
    year = tree.GetNextSiblingItem(year);
  }
  ASSERT_TRUE(tree.ExpandItem(year, TVE_EXPAND));
  EXPECT_GT(tree.GetCount(), int(years.size()));
  ASSERT_TRUE(tree.ExpandItem(year, TVE_TOGGLE) || true);
  EXPECT_EQ(tree.GetCount(), int(years.size()));
}

TEST_F(LibraryTreeWindow, AnEmptyIndexGivesAnEmptyTree) {
  ContentsIndexReader empty;
  empty.OpenBytes({});
  tree.SetIndex(&empty, -5);
  tree.LoadContents();
  EXPECT_EQ(tree.GetCount(), 0);
  EXPECT_EQ(tree.LocateRecord(0), nullptr);
}

}  // namespace
