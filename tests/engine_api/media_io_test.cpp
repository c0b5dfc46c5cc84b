// The media I/O procedure serving a title's media file through a compound name.
#include "engine/mvmci/media_io.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>

#include "tests/engine_api/api_title.h"

namespace mvmci {
namespace {

// The title copied as "A.M14" into a folder whose name holds a "+".
class MediaIo : public engine_api_test::ApiTitle {
 protected:
  void SetUp() override {
    ApiTitle::SetUp();
    folder_ = base::temp_folder() + "/media+" + std::to_string(getpid());
    ::mkdir(folder_.c_str(), 0700);
    std::vector<uint8_t> bytes;
    ASSERT_EQ(base::read_file(title_.path, bytes), base::OsError::None);
    ASSERT_EQ(base::write_file_atomic(folder_ + "/A.M14", bytes), base::OsError::None);
  }
  void TearDown() override {
    base::remove_file(folder_ + "/A.M14");
    ::rmdir(folder_.c_str());
    ApiTitle::TearDown();
  }
  int64_t Open(MediaIoInfo& info, const std::string& name) {
    return MediaIOProc(info, kMediaOpen, reinterpret_cast<intptr_t>(name.c_str()), 0);
  }

  std::string folder_;
};

TEST_F(MediaIo, ReadsAndSeeksTheElementOfACompoundName) {
  MediaIoInfo info;
  ASSERT_EQ(Open(info, folder_ + "/A.M14+clip.avi"), 0);
  ASSERT_TRUE(info.title);
  ASSERT_TRUE(info.baggage);
  const std::vector<uint8_t> pattern = titlebuild::baggage_pattern(engine_api_test::kClipSize);
  uint8_t buffer[16] = {};
  EXPECT_EQ(MediaIOProc(info, kMediaRead, reinterpret_cast<intptr_t>(buffer), 16), 16);
  EXPECT_EQ(0, std::memcmp(buffer, pattern.data(), 16));
  EXPECT_EQ(info.diskOffset, 16);
  EXPECT_EQ(MediaIOProc(info, kMediaSeek, 1000, 0), 1000);
  EXPECT_EQ(info.diskOffset, 1000);
  // A seek the file refuses keeps the offset where reading still goes on.
  EXPECT_EQ(MediaIOProc(info, kMediaSeek, -5000, 1), -1);
  EXPECT_EQ(info.diskOffset, 1000);
  EXPECT_EQ(MediaIOProc(info, kMediaRead, reinterpret_cast<intptr_t>(buffer), 4), 4);
  EXPECT_EQ(0, std::memcmp(buffer, pattern.data() + 1000, 4));
  EXPECT_EQ(MediaIOProc(info, kMediaWrite, reinterpret_cast<intptr_t>(buffer), 4), -1);
  EXPECT_EQ(MediaIOProc(info, kMediaWriteFlush, reinterpret_cast<intptr_t>(buffer), 4), -1);
  EXPECT_EQ(MediaIOProc(info, 0x4000, 0, 0), 0);
  EXPECT_EQ(MediaIOProc(info, kMediaClose, 0, 0), 0);
  EXPECT_FALSE(info.title);
  EXPECT_FALSE(info.baggage);
}

TEST_F(MediaIo, FailedAndParseOnlyOpensLeaveNothingOpen) {
  const struct {
    std::string name;
    uint32_t flags;
    int64_t result;
  } cases[] = {
      {folder_ + "/A.M14", 0, kMediaCannotOpen},             // no element
      {folder_ + "/A.avi+clip.avi", 0, kMediaCannotOpen},    // no ".M14+"
      {folder_ + "/A.M14+brak.avi", 0, kMediaFileNotFound},  // no such element
      {folder_ + "/B.M14+clip.avi", 0, kMediaFileNotFound},  // no such title
      {folder_ + "/A.M14+clip.avi", kMediaParse, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MediaIoInfo info;
    info.flags = c.flags;
    EXPECT_EQ(Open(info, c.name), c.result);
    EXPECT_FALSE(info.title);
    EXPECT_FALSE(info.baggage);
  }
  MediaIoInfo info;
  EXPECT_EQ(MediaIOProc(info, kMediaOpen, 0, 0), kMediaCannotOpen);
  EXPECT_EQ(MediaIOProc(info, kMediaRead, 0, 4), -1);
}

TEST(MediaNames, SplitAfterTheTitleExtension) {
  const struct {
    const char* name;
    bool split;
    const char* title;
    const char* element;
  } cases[] = {
      {"C:\\Akty+2024\\DU.M14+klip.avi", true, "C:\\Akty+2024\\DU.M14", "klip.avi"},
      {"/lib/a+b/du.m14+x+y.wav", true, "/lib/a+b/du.m14", "x+y.wav"},
      {"DU.M14+", true, "DU.M14", ""},
      {"DU.M14", false, "", ""},
      {"plik+klip.avi", false, "", ""},
  };
  for (const auto& c : cases) {
    std::string_view title_file, element;
    EXPECT_EQ(MediaSplitCompoundName(c.name, title_file, element), c.split) << c.name;
    if (!c.split) continue;
    EXPECT_EQ(title_file, c.title);
    EXPECT_EQ(element, c.element);
  }
}

TEST(MediaNames, InstalledForTheTitleCode) {
  EXPECT_EQ(kTitleMediaFourCC, uint32_t('M' | '1' << 8 | '4' << 16 | ' ' << 24));
  MvInstallMediaIO();
  EXPECT_EQ(MediaFindIOProc(kTitleMediaFourCC), &MediaIOProc);
  MvRemoveMediaIO();
  EXPECT_FALSE(MediaFindIOProc(kTitleMediaFourCC));
}

}  // namespace
}  // namespace mvmci
