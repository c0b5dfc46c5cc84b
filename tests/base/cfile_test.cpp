// The framework's file object: open modes, reading and writing with positions, failures as
// CFileException, and the status of files and folders by name.
#include "platform/base/cfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace {

class CFileTest : public ::testing::Test {
 protected:
  std::string folder;
  void SetUp() override {
    folder = (std::filesystem::temp_directory_path() / ("cfile_test_" + std::to_string(::getpid()))).string();
    std::filesystem::create_directories(folder);
  }
  void TearDown() override { std::filesystem::remove_all(folder); }
  CString path(const std::string& name) const { return CString(folder + "/" + name); }
};

TEST_F(CFileTest, WritesReadsAndSeeksThroughTheModes) {
  {
    CFile f;
    ASSERT_TRUE(f.Open(path("Index.idx"), CFile::modeCreate | CFile::modeWrite));
    f.Write("0123456789", 10);
    EXPECT_EQ(f.GetLength(), 10u);
    f.Close();
  }
  CFile f(path("Index.idx"), CFile::modeRead | CFile::shareDenyWrite);
  char buffer[8] = {};
  EXPECT_EQ(f.Seek(4, CFile::begin), 4u);
  EXPECT_EQ(f.Read(buffer, 4), 4u);
  EXPECT_EQ(std::string(buffer, 4), "4567");
  EXPECT_EQ(f.Seek(-3, CFile::end), 7u);
  // A read over the end gives what is there.
  EXPECT_EQ(f.Read(buffer, 8), 3u);
  EXPECT_EQ(f.Read(buffer, 8), 0u);
  EXPECT_EQ(f.GetPosition(), 10u);
  EXPECT_THROW(f.Seek(-1, CFile::begin), CFileException);
  EXPECT_EQ(std::string(f.GetFileName()), "Index.idx");
  EXPECT_EQ(std::string(f.GetFileTitle()), "Index");

  // Creating without truncation keeps the bytes; plain creation empties the file.
  CFile keep;
  ASSERT_TRUE(keep.Open(path("Index.idx"), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite));
  EXPECT_EQ(keep.GetLength(), 10u);
  keep.SeekToEnd();
  keep.Write("AB", 2);
  EXPECT_EQ(keep.GetLength(), 12u);
  keep.Close();
  CFile again;
  ASSERT_TRUE(again.Open(path("nowy.seg"), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite));
  EXPECT_EQ(again.GetLength(), 0u);
  ASSERT_TRUE(again.Open(path("Index.idx"), CFile::modeCreate | CFile::modeReadWrite));
  EXPECT_EQ(again.GetLength(), 0u);
}

TEST_F(CFileTest, FailuresNameTheirCause) {
  CFile f;
  CFileException error;
  EXPECT_FALSE(f.Open(path("brak.idx"), CFile::modeRead, &error));
  EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
  EXPECT_EQ(std::string(error.m_strFileName), std::string(path("brak.idx")));
  EXPECT_FALSE(f.IsOpen());
  EXPECT_FALSE(f.Open("", CFile::modeRead, &error));
  EXPECT_FALSE(f.Open(nullptr, CFile::modeRead));
  // The constructor that opens throws instead, and calls on a closed file throw too.
  EXPECT_THROW(CFile(path("brak.idx"), CFile::modeRead), CFileException);
  char c;
  EXPECT_THROW(f.Read(&c, 1), CFileException);
  EXPECT_THROW(CFile::Remove(path("brak.idx")), CFileException);
  f.Abort();
  f.Close();  // closing a closed file does nothing
}

TEST_F(CFileTest, StatusTellsFilesFromFoldersAndFindsNothingForMissingNames) {
  std::ofstream(folder + "/akt.lkl") << "12345";
  std::filesystem::create_directories(folder + "/Dane");
  CFileStatus status;
  ASSERT_TRUE(CFile::GetStatus(path("akt.lkl"), status));
  EXPECT_EQ(status.m_size, 5u);
  EXPECT_EQ(status.m_attribute & CFile::directory, 0);
  EXPECT_NE(status.m_attribute & CFile::archive, 0);
  EXPECT_EQ(std::string(status.m_szFullName), folder + "/akt.lkl");
  EXPECT_GT(status.m_mtime.GetTime(), 0);

  // Backslashes separate folders as well; a folder carries the directory attribute.
  CString windows_style = CString(folder.c_str()) + "\\Dane";
  ASSERT_TRUE(CFile::GetStatus(windows_style, status));
  EXPECT_NE(status.m_attribute & CFile::directory, 0);

  EXPECT_FALSE(CFile::GetStatus(path("brak"), status));
  EXPECT_FALSE(CFile::GetStatus("", status));

  // Names with Polish letters (CP1250) are UTF-8 on disk.
  CFile f;
  ASSERT_TRUE(f.Open(path("ksi\xEAga.txt"), CFile::modeCreate | CFile::modeWrite));
  f.Close();
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(folder) / "księga.txt"));
  CFile::Rename(path("ksi\xEAga.txt"), path("inna.txt"));
  EXPECT_TRUE(CFile::GetStatus(path("inna.txt"), status));
  CFile::Remove(path("inna.txt"));
  EXPECT_FALSE(CFile::GetStatus(path("inna.txt"), status));
}

}  // namespace
