// Binders on disk: names, the life cycle of a binder (create, open, add, working copy, save,
// recovery, delete an act, rename, delete), damaged files and a writer killed in the middle of a
// save, over a library the compiler makes of the sample acts.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/medview/group_file.h"
#include "engine/medview/topic_list.h"
#include "navigation/binder_store.h"
#include "platform/base/cp1250.h"
#include "platform/base/os_file.h"
#include "platform/base/temp_folder.h"
#include "tests/binders/binder_fixture.h"

namespace {

using binders::ActRange;
using binders::BinderError;
using binders::BinderSession;

std::vector<int32_t> Items(engine::TopicGroup* group) {
  std::vector<int32_t> out;
  for (int32_t i = 0, n = medview::MvGetGroupCount(group); i < n; ++i) out.push_back(medview::MvGetGroupItem(group, i));
  return out;
}

std::vector<int32_t> ItemsOfFile(const std::string& path) {
  engine::GroupPtr group;
  EXPECT_EQ(binders::LoadGroupFile(path, group), BinderError::None) << path;
  return group ? Items(group.get()) : std::vector<int32_t>{};
}

std::vector<uint8_t> Bytes(const std::string& path) {
  std::vector<uint8_t> bytes;
  base::read_file(path, bytes);
  return bytes;
}

std::vector<int32_t> Range(const ActRange& r) {
  std::vector<int32_t> out;
  for (int32_t n = r.act; n < r.end; ++n) out.push_back(n);
  return out;
}

std::string Pl(const char* utf8) { return base::cp1250::from_utf8(utf8); }

class BinderStore : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = binders_test::FreshFolder("binders");
    session_.SetFolders(folder_, {});
  }
  std::string Seg(const std::string& name) const { return binders::BinderPath(folder_, name); }
  std::string Se_(const std::string& name) const { return binders::WorkingCopyPath(folder_, name); }

  std::string folder_;
  BinderSession session_;
};

TEST(BinderNames, RefusesNamesThatLeaveTheFolderOrHideFiles) {
  struct Case {
    const char* utf8;
    bool valid;
  } cases[] = {
      {"Podatki", true},         {"Prawo pracy 2024", true}, {"Zażółć gęślą jaźń", true}, {"a.b", true},
      {"", false},               {".ukryty", false},         {"..", false},                {"a/b", false},
      {"a\\b", false},           {"x..y", false},            {"tab\there", false},         {"nl\n", false},
      {"\x7f", false},
  };
  for (const Case& c : cases) EXPECT_EQ(binders::IsValidName(Pl(c.utf8)), c.valid) << c.utf8;
  EXPECT_FALSE(binders::IsValidName(std::string(binders::kMaxNameLength + 1, 'a')));
  EXPECT_EQ(binders::TrimName("  Akty \t"), "Akty");
  EXPECT_EQ(binders::TrimName(" \t "), "");
}

TEST_F(BinderStore, CreateRefusesDuplicatesAndBadNamesAndListsInOrder) {
  EXPECT_EQ(binders::CreateBinder(folder_, Pl("Zażółć")), BinderError::None);
  EXPECT_EQ(binders::CreateBinder(folder_, "Akty"), BinderError::None);
  EXPECT_EQ(binders::CreateBinder(folder_, "Akty"), BinderError::Exists);
  EXPECT_EQ(binders::CreateBinder(folder_, ""), BinderError::BadName);
  EXPECT_EQ(binders::CreateBinder(folder_, "../poza"), BinderError::BadName);
  EXPECT_FALSE(std::filesystem::exists(folder_ + "/../poza.seg"));
  // A binder's file is empty and opens as an empty binder; Polish names stay names on disk.
  EXPECT_TRUE(std::filesystem::exists(folder_ + "/Zażółć.seg"));
  EXPECT_EQ(std::filesystem::file_size(Seg("Akty")), 0u);
  EXPECT_EQ(binders::ListBinders(folder_), (std::vector<std::string>{"Akty", Pl("Zażółć")}));
  // Binders installed beside the program are listed after the user's own, without repeats.
  const std::string fallback = binders_test::FreshFolder("binders_fallback");
  ASSERT_EQ(binders::CreateBinder(fallback, "Akty"), BinderError::None);
  ASSERT_EQ(binders::CreateBinder(fallback, "Wzorcowy"), BinderError::None);
  EXPECT_EQ(binders::ListBinders(folder_, fallback), (std::vector<std::string>{"Akty", Pl("Zażółć"), "Wzorcowy"}));
}

TEST_F(BinderStore, LifeCycleAddSaveCloseLeavesOnlyTheBinderFile) {
  const shell::ContentsIndexReader& index = binders_test::SampleIndex();
  const int32_t count = index.RecordCount();
  const int32_t part = binders_test::FindRecord([](const shell::ContentsRecord& r) { return r.level < 7; });
  ASSERT_GE(part, 0);
  ActRange range;
  ASSERT_TRUE(binders::FindActRange(index, part, count, range));
  EXPECT_LT(range.act, part);
  EXPECT_GT(range.end, part);

  ASSERT_EQ(binders::CreateBinder(folder_, "Akty"), BinderError::None);
  ASSERT_EQ(session_.Open("Akty"), BinderError::None);
  EXPECT_FALSE(session_.IsDirty());
  EXPECT_TRUE(Items(session_.Group()).empty());

  // Adding a part adds its whole act; the working copy holds the group while it is dirty.
  ActRange added;
  bool already = true;
  ASSERT_EQ(session_.AddAct(index, count, part, &added, &already), BinderError::None);
  EXPECT_FALSE(already);
  EXPECT_EQ(added.act, range.act);
  EXPECT_EQ(Items(session_.Group()), Range(range));
  EXPECT_TRUE(session_.IsDirty());
  EXPECT_EQ(ItemsOfFile(Se_("Akty")), Range(range));
  EXPECT_EQ(std::filesystem::file_size(Seg("Akty")), 0u);

  // The same act again changes nothing but still marks the binder dirty.
  ASSERT_EQ(session_.AddAct(index, count, range.act, nullptr, &already), BinderError::None);
  EXPECT_TRUE(already);
  EXPECT_EQ(Items(session_.Group()), Range(range));

  // A record with no act above it (a yearbook) is refused and the group stays.
  const int32_t yearbook = binders_test::FindRecord([](const shell::ContentsRecord& r) { return r.level == 9; });
  EXPECT_EQ(session_.AddAct(index, count, yearbook), BinderError::NotAnAct);
  EXPECT_EQ(session_.AddAct(index, count, count + 5), BinderError::NotAnAct);

  const std::vector<int32_t> expected = Items(session_.Group());
  ASSERT_EQ(session_.Close(), BinderError::None);
  EXPECT_FALSE(session_.IsOpen());
  EXPECT_FALSE(std::filesystem::exists(Se_("Akty")));
  EXPECT_EQ(ItemsOfFile(Seg("Akty")), expected);
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder_)) files.push_back(entry.path().filename());
  EXPECT_EQ(files, std::vector<std::string>{"Akty.seg"});

  // Opened again it holds the same acts; deleting the act removes its whole range and saves.
  ASSERT_EQ(session_.Open("Akty"), BinderError::None);
  EXPECT_EQ(Items(session_.Group()), expected);
  ASSERT_EQ(session_.RemoveAct(range), BinderError::None);
  EXPECT_TRUE(Items(session_.Group()).empty());
  EXPECT_FALSE(session_.IsDirty());
  EXPECT_TRUE(ItemsOfFile(Seg("Akty")).empty());
}

TEST_F(BinderStore, AnAttachmentAddsTheActItsParentLinkNames) {
  const shell::ContentsIndexReader& index = binders_test::SampleIndex();
  const int32_t count = index.RecordCount();
  const int32_t attachment = binders_test::FindRecord([](const shell::ContentsRecord& r) { return r.attachment; });
  if (attachment < 0) GTEST_SKIP() << "the sample library has no attachment";
  shell::ContentsRecord record;
  ASSERT_TRUE(index.ReadRecord(attachment, record));
  ActRange range;
  ASSERT_TRUE(binders::FindActRange(index, attachment, count, range));
  EXPECT_EQ(range.act, record.parent);
  EXPECT_GT(range.end, attachment);
}

TEST_F(BinderStore, ActsStayInRecordOrderAndDeletingOneKeepsTheOthers) {
  const shell::ContentsIndexReader& index = binders_test::SampleIndex();
  const int32_t count = index.RecordCount();
  std::vector<ActRange> acts;
  for (int32_t n = 0; n < count && acts.size() < 3; ++n) {
    shell::ContentsRecord r;
    if (!index.ReadRecord(n, r) || r.level != 7 || r.attachment) continue;
    acts.push_back({});
    ASSERT_TRUE(binders::FindActRange(index, n, count, acts.back()));
  }
  ASSERT_EQ(acts.size(), 3u);
  ASSERT_EQ(session_.Open("Nowy"), BinderError::None);  // a binder without a file opens empty
  for (int i : {2, 0, 1}) ASSERT_EQ(session_.AddAct(index, count, acts[size_t(i)].act), BinderError::None);
  std::vector<int32_t> all;
  for (const ActRange& r : acts) for (int32_t n : Range(r)) all.push_back(n);
  EXPECT_EQ(Items(session_.Group()), all);
  ASSERT_EQ(session_.RemoveAct(acts[1]), BinderError::None);
  std::vector<int32_t> left = Range(acts[0]);
  for (int32_t n : Range(acts[2])) left.push_back(n);
  EXPECT_EQ(ItemsOfFile(Seg("Nowy")), left);
}

TEST_F(BinderStore, LeftoverWorkingCopiesAreRestoredOrDiscarded) {
  engine::GroupPtr saved = medview::MvCreateGroup(50, nullptr);
  medview::MvAddGroupItem(saved.get(), 3);
  engine::GroupPtr changed = medview::MvCreateGroup(50, nullptr);
  for (int32_t n : {3, 10, 11}) medview::MvAddGroupItem(changed.get(), n);
  for (const char* name : {"Tak", "Nie"}) {
    ASSERT_EQ(binders::SaveGroupFile(Seg(name), saved.get()), BinderError::None);
    ASSERT_EQ(binders::SaveGroupFile(Se_(name), changed.get()), BinderError::None);
  }
  EXPECT_EQ(binders::ListWorkingCopies(folder_), (std::vector<std::string>{"Nie", "Tak"}));
  EXPECT_EQ(binders::RestoreWorkingCopy(folder_, "Tak"), BinderError::None);
  EXPECT_EQ(binders::DiscardWorkingCopy(folder_, "Nie"), BinderError::None);
  EXPECT_EQ(ItemsOfFile(Seg("Tak")), (std::vector<int32_t>{3, 10, 11}));
  EXPECT_EQ(ItemsOfFile(Seg("Nie")), (std::vector<int32_t>{3}));
  EXPECT_TRUE(binders::ListWorkingCopies(folder_).empty());

  // A damaged working copy is not copied over the binder and is kept for the user to look at.
  const std::vector<uint8_t> junk = {1, 2, 3, 4, 5};
  ASSERT_EQ(base::write_file_atomic(Se_("Tak"), junk), base::OsError::None);
  EXPECT_EQ(binders::RestoreWorkingCopy(folder_, "Tak"), BinderError::Corrupt);
  EXPECT_EQ(ItemsOfFile(Seg("Tak")), (std::vector<int32_t>{3, 10, 11}));
  EXPECT_TRUE(std::filesystem::exists(Se_("Tak")));
}

TEST_F(BinderStore, RenameKeepsBothWhenTheTargetExistsAndMovesTheWorkingCopy) {
  engine::GroupPtr group = medview::MvCreateGroup(50, nullptr);
  medview::MvAddGroupItem(group.get(), 7);
  ASSERT_EQ(binders::SaveGroupFile(Seg("Stary"), group.get()), BinderError::None);
  ASSERT_EQ(binders::SaveGroupFile(Se_("Stary"), group.get()), BinderError::None);
  ASSERT_EQ(binders::CreateBinder(folder_, "Inny"), BinderError::None);

  EXPECT_EQ(binders::RenameBinder(folder_, "Stary", "Inny"), BinderError::Exists);
  EXPECT_EQ(ItemsOfFile(Seg("Stary")), std::vector<int32_t>{7});
  EXPECT_EQ(std::filesystem::file_size(Seg("Inny")), 0u);
  EXPECT_EQ(binders::RenameBinder(folder_, "Stary", "a/b"), BinderError::BadName);
  EXPECT_EQ(binders::RenameBinder(folder_, "Brak", "Nowy"), BinderError::NotFound);

  EXPECT_EQ(binders::RenameBinder(folder_, "Stary", Pl("Świeży")), BinderError::None);
  EXPECT_FALSE(std::filesystem::exists(Seg("Stary")));
  EXPECT_FALSE(std::filesystem::exists(Se_("Stary")));
  EXPECT_EQ(ItemsOfFile(Seg(Pl("Świeży"))), std::vector<int32_t>{7});
  EXPECT_TRUE(std::filesystem::exists(Se_(Pl("Świeży"))));

  EXPECT_EQ(binders::DeleteBinder(folder_, Pl("Świeży")), BinderError::None);
  EXPECT_FALSE(std::filesystem::exists(Seg(Pl("Świeży"))));
  EXPECT_FALSE(std::filesystem::exists(Se_(Pl("Świeży"))));
  EXPECT_EQ(binders::DeleteBinder(folder_, "Brak"), BinderError::NotFound);
}

TEST_F(BinderStore, ACorruptBinderIsReportedAndLeftUntouched) {
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"short", {0x33, 0x33, 10, 0}},
      {"bad magic", std::vector<uint8_t>(41, 0)},
      {"vector past the end", [] {
         std::vector<uint8_t> b(41, 0);
         b[0] = b[1] = 0x33;
         b[2] = 10;
         b[4] = 0xFF;  // 255 vector bytes promised, one given
         return b;
       }()},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(base::write_file_atomic(Seg("Zepsuty"), c.bytes), base::OsError::None);
    EXPECT_EQ(session_.Open("Zepsuty"), BinderError::Corrupt) << c.what;
    EXPECT_FALSE(session_.IsOpen()) << c.what;
    EXPECT_EQ(session_.Close(), BinderError::None);
    EXPECT_EQ(Bytes(Seg("Zepsuty")), c.bytes) << c.what;
  }
  EXPECT_FALSE(binders::ErrorMessage(BinderError::Corrupt, "Zepsuty").empty());
}

TEST_F(BinderStore, GroupsPastWhatAFileHoldsAreRefusedAndTheOldGroupStays) {
  engine::GroupPtr group = medview::MvCreateGroup(50, nullptr);
  medview::MvAddGroupItem(group.get(), 1);
  bool already = false;
  BinderError error = BinderError::None;
  EXPECT_FALSE(binders::MergeAct(group.get(), {engine::kGroupMaxItem - 2, engine::kGroupMaxItem + 1}, already, error));
  EXPECT_EQ(error, BinderError::TooLarge);
  EXPECT_EQ(Items(group.get()), std::vector<int32_t>{1});
  engine::GroupPtr merged = binders::MergeAct(group.get(), {4, 6}, already, error);
  ASSERT_TRUE(merged);
  EXPECT_EQ(Items(merged.get()), (std::vector<int32_t>{1, 4, 5}));
  EXPECT_EQ(Items(group.get()), std::vector<int32_t>{1});
}

// A writer killed while it saves leaves the binder as it was before or after that save.
TEST_F(BinderStore, AKilledSaveLosesNothing) {
  engine::GroupPtr small = medview::MvCreateGroup(50, nullptr);
  medview::MvAddGroupItem(small.get(), 2);
  ASSERT_EQ(binders::SaveGroupFile(Seg("Duzy"), small.get()), BinderError::None);
  engine::GroupPtr big = medview::MvCreateGroup(400000, nullptr);
  for (int32_t n = 0; n < 400000; n += 3) medview::MvAddGroupItem(big.get(), n);
  const std::vector<int32_t> small_items = Items(small.get());
  const std::vector<int32_t> big_items = Items(big.get());
  for (int round = 0; round < 6; ++round) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (;;) {
        binders::SaveGroupFile(Seg("Duzy"), big.get());
        binders::SaveGroupFile(Seg("Duzy"), small.get());
      }
    }
    ::usleep(useconds_t(3000 + round * 7000));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    const std::vector<int32_t> items = ItemsOfFile(Seg("Duzy"));
    EXPECT_TRUE(items == small_items || items == big_items) << "round " << round << ": " << items.size();
  }
  // The next save clears the temporaries the killed writer left.
  ASSERT_EQ(binders::SaveGroupFile(Seg("Duzy"), small.get()), BinderError::None);
  EXPECT_EQ(binders::ListBinders(folder_), std::vector<std::string>{"Duzy"});
  size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder_)) ++files;
  EXPECT_EQ(files, 1u);
}

}  // namespace
