// Notes stored in, listed from and deleted from the SQLite database; databases written by other
// programs (other column types, damaged files) read without harm.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/base/cp1250.h"
#include "platform/base/data_folder.h"
#include "shell/note_recordset.h"

namespace {

std::string Cp(const char* utf8) { return base::cp1250::from_utf8(utf8); }

class NotesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("notes_test_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    base::set_data_folder(folder_.string());
  }
  void TearDown() override {
    base::set_data_folder("");
    std::filesystem::remove_all(folder_);
  }
  // Runs SQL on the database file directly, as another program would.
  void Exec(const std::string& path, const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
  }
  static CNoteFields Note(const char* note_utf8, long art = 0) {
    CNoteFields fields;
    fields.m_gid = "G1";
    fields.m_aid = "DU 1997.0123.0045";
    fields.m_art = art;
    fields.m_date = COleDateTime(2004, 5, 1, 12, 30, 0);
    fields.m_status = Cp("nowa");
    fields.m_work = Cp("praca");
    fields.m_note = Cp(note_utf8);
    return fields;
  }
  std::filesystem::path folder_;
};

TEST_F(NotesTest, TheDefaultDatabaseLivesInTheDataFolderAndGetsItsTable) {
  EXPECT_EQ(CNoteRecordset::GetDefaultDBName(), folder_.string() + "/notatki.db");
  CNoteRecordset notes;
  EXPECT_FALSE(notes.IsOpen());
  ASSERT_TRUE(notes.Open());
  EXPECT_TRUE(std::filesystem::exists(folder_ / "notatki.db"));
  EXPECT_TRUE(notes.IsBOF());
  EXPECT_TRUE(notes.IsEOF());
  EXPECT_FALSE(notes.HasCurrent());
  EXPECT_EQ(notes.m_nid, 0);
  EXPECT_EQ(notes.m_date.GetStatus(), COleDateTime::null);
  // With no record there is nothing to delete.
  EXPECT_FALSE(notes.Delete());
}

TEST_F(NotesTest, NotesAreAddedListedInIdOrderAndDeleted) {
  {
    CNoteRecordset notes;
    ASSERT_TRUE(notes.Open());
    ASSERT_TRUE(notes.AddNew(Note("pierwsza: zażółć gęślą jaźń", 5)));
    EXPECT_EQ(notes.m_nid, 1);
    CNoteFields explicit_id = Note("ostatnia");
    explicit_id.m_nid = 10;
    ASSERT_TRUE(notes.AddNew(explicit_id));
    ASSERT_TRUE(notes.AddNew(Note("trzecia")));
    EXPECT_EQ(notes.m_nid, 11);
    EXPECT_EQ(notes.GetRecordCount(), 3);
  }
  // Read back from the file by a new record set.
  CNoteRecordset notes;
  ASSERT_TRUE(notes.Open());
  std::vector<long> ids;
  std::vector<std::string> texts;
  for (notes.MoveFirst(); !notes.IsEOF(); notes.MoveNext()) {
    ids.push_back(notes.m_nid);
    texts.emplace_back(notes.m_note);
  }
  EXPECT_EQ(ids, (std::vector<long>{1, 10, 11}));
  EXPECT_EQ(texts, (std::vector<std::string>{Cp("pierwsza: zażółć gęślą jaźń"), "ostatnia", "trzecia"}));
  notes.MoveFirst();
  EXPECT_EQ(notes.m_art, 5);
  EXPECT_EQ(notes.m_aid, CString("DU 1997.0123.0045"));
  EXPECT_EQ(notes.m_date.GetYear(), 2004);
  EXPECT_EQ(notes.m_date.GetMinute(), 30);
  EXPECT_EQ(notes.m_status, CString(Cp("nowa").c_str()));

  // Delete the middle one: the record set moves to the next and the file loses it.
  notes.MoveNext();
  ASSERT_TRUE(notes.Delete());
  EXPECT_EQ(notes.m_nid, 11);
  ASSERT_TRUE(notes.Requery());
  EXPECT_EQ(notes.GetRecordCount(), 2);
  notes.MoveLast();
  ASSERT_TRUE(notes.Delete());
  EXPECT_TRUE(notes.IsEOF());
  EXPECT_FALSE(notes.Delete());
  CNoteRecordset again;
  ASSERT_TRUE(again.Open());
  EXPECT_EQ(again.GetRecordCount(), 1);
  EXPECT_EQ(again.m_nid, 1);
}

TEST_F(NotesTest, MovingStopsAtBothEnds) {
  CNoteRecordset notes;
  ASSERT_TRUE(notes.Open());
  ASSERT_TRUE(notes.AddNew(Note("a")));
  ASSERT_TRUE(notes.AddNew(Note("b")));
  notes.MoveFirst();
  notes.MovePrev();
  EXPECT_TRUE(notes.IsBOF());
  EXPECT_FALSE(notes.IsEOF());
  notes.MovePrev();
  notes.MoveNext();
  EXPECT_EQ(notes.m_note, CString("a"));
  notes.MoveNext();
  notes.MoveNext();
  notes.MoveNext();
  EXPECT_TRUE(notes.IsEOF());
  EXPECT_EQ(notes.m_note, CString(""));
  notes.MovePrev();
  EXPECT_EQ(notes.m_note, CString("b"));
}

TEST_F(NotesTest, LongTextsAreCutTo255Characters) {
  CNoteRecordset notes;
  ASSERT_TRUE(notes.Open());
  const std::string long_text(400, 'x');
  CNoteFields fields = Note("");
  fields.m_note = long_text.c_str();
  ASSERT_TRUE(notes.AddNew(fields));
  EXPECT_EQ(std::string(notes.m_note), std::string(255, 'x'));
}

TEST_F(NotesTest, ValuesOfOtherTypesFromOtherProgramsReadSafely) {
  const std::string path = (folder_ / "other.db").string();
  Exec(path,
       "CREATE TABLE Notatki (nid, gid, aid, art, Data, Status, Praca, Notatka);"
       "INSERT INTO Notatki VALUES (99999999999999, x'00ff41', 12, 'abc', 'nie data', NULL, 3.5, "
       "'ab' || char(0) || 'cd');"
       "INSERT INTO Notatki VALUES (1, NULL, NULL, -7, 1e300, 'ok', '', x'c3b3');"
       "INSERT INTO Notatki VALUES (2, 'g', 'a', 1, 38000.5, 's', 'p', 'n');");
  CNoteRecordset notes;
  ASSERT_TRUE(notes.Open(path));
  ASSERT_EQ(notes.GetRecordCount(), 3);
  // Ordered by nid: 1, 2, then the out-of-range id.
  EXPECT_EQ(notes.m_nid, 1);
  EXPECT_EQ(notes.m_art, -7);
  EXPECT_EQ(notes.m_date.GetStatus(), COleDateTime::null);
  EXPECT_EQ(notes.m_note, CString(Cp("ó").c_str()));
  notes.MoveNext();
  EXPECT_EQ(notes.m_date.GetStatus(), COleDateTime::valid);
  EXPECT_EQ(notes.m_date.GetYear(), 2004);
  notes.MoveNext();
  EXPECT_EQ(notes.m_nid, 0);
  EXPECT_EQ(notes.m_art, 0);
  EXPECT_EQ(notes.m_aid, CString("12"));
  EXPECT_EQ(notes.m_work, CString("3.5"));
  EXPECT_EQ(notes.m_note, CString("ab"));
  EXPECT_EQ(notes.m_date.GetStatus(), COleDateTime::null);
}

TEST_F(NotesTest, ADamagedOrForeignDatabaseIsReportedAndLeftClosed) {
  const std::string junk = (folder_ / "junk.db").string();
  std::ofstream(junk, std::ios::binary) << std::string(4096, 'J');
  CNoteRecordset notes;
  std::string error;
  EXPECT_FALSE(notes.Open(junk, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(notes.IsOpen());

  // A table of that name without the note fields.
  const std::string foreign = (folder_ / "foreign.db").string();
  Exec(foreign, "CREATE TABLE Notatki (x INTEGER)");
  error.clear();
  EXPECT_FALSE(notes.Open(foreign, &error));
  EXPECT_NE(error.find("no such column"), std::string::npos) << error;
  EXPECT_FALSE(notes.IsOpen());

  // A folder that cannot hold the file.
  EXPECT_FALSE(notes.Open((folder_ / "missing" / "notatki.db").string(), &error));
  EXPECT_FALSE(notes.AddNew(Note("x")));
}

TEST_F(NotesTest, UpdateRewritesTheCurrentNoteAndStaysOnIt) {
  CNoteRecordset notes;
  ASSERT_TRUE(notes.Open());
  EXPECT_FALSE(notes.Update(Note("nic"))) << "no current note";
  ASSERT_TRUE(notes.AddNew(Note("pierwsza", 1)));
  ASSERT_TRUE(notes.AddNew(Note("druga", 2)));
  notes.MoveFirst();
  notes.MoveNext();
  CNoteFields changed = notes;
  changed.m_note = Cp("druga, poprawiona: żółw");
  ASSERT_TRUE(notes.Update(changed));
  EXPECT_EQ(std::string(notes.m_note), Cp("druga, poprawiona: żółw"));
  EXPECT_EQ(notes.m_art, 2);
  EXPECT_EQ(notes.GetRecordCount(), 2);
  notes.Close();
  CNoteRecordset again;
  ASSERT_TRUE(again.Open());
  again.MoveLast();
  EXPECT_EQ(std::string(again.m_note), Cp("druga, poprawiona: żółw"));
  EXPECT_EQ(std::string(again.m_aid), "DU 1997.0123.0045");
  again.MoveFirst();
  EXPECT_EQ(std::string(again.m_note), "pierwsza");
  again.Close();
  EXPECT_FALSE(again.Update(changed)) << "closed";
}

}  // namespace
