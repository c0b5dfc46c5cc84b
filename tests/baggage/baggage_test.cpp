#include "engine/title/baggage.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <unistd.h>

#include "platform/base/temp_folder.h"
#include "tools/titlebuild/baggage_fixtures.h"

namespace title {
namespace {

using titlebuild::baggage_pattern;

class Baggage : public ::testing::Test {
 protected:
  void SetUp() override {
    static int counter = 0;
    const std::string stem = base::temp_folder() + "/bag" + std::to_string(getpid()) + "_" + std::to_string(++counter);
    path_ = stem + ".m14";
    disk_path_ = stem + ".bin";
    titlebuild::TitleBuilder builder;
    titlebuild::add_sample_baggage(builder);
    ASSERT_EQ(builder.write(path_), 0);
    const std::vector<uint8_t> disk = baggage_pattern(1000);
    ASSERT_EQ(base::write_file_atomic(disk_path_, disk), base::OsError::None);
    const mvfs::FileMoniker moniker(path_);
    fs_ = mvfs::FsOpen(&moniker, mvfs::kFsOpenReadOnly);
    ASSERT_TRUE(fs_);
  }
  void TearDown() override {
    fs_.reset();
    base::remove_file(path_);
    base::remove_file(disk_path_);
  }

  std::string path_, disk_path_;
  mvfs::TitleFileSystemPtr fs_;
};

TEST_F(Baggage, OpensInternalFilesWithTheUpperCaseRetryAndDiskFiles) {
  uint16_t code = 99;
  BaggagePtr pic = BagOpen(fs_.get(), "picture.bmp", true, &code);
  ASSERT_TRUE(pic);
  EXPECT_EQ(code, kBagOk);
  EXPECT_EQ(BagGetSize(pic.get(), &code), 300);
  EXPECT_FALSE(BagOpen(fs_.get(), "NOTES.TXT", true, &code));  // stored lower-case: no retry that way
  EXPECT_EQ(code, kBagNotFound);
  EXPECT_FALSE(BagOpen(fs_.get(), "missing.bmp", true, &code));
  EXPECT_EQ(code, kBagNotFound);
  EXPECT_FALSE(BagOpen(nullptr, "notes.txt", true, &code));
  EXPECT_EQ(code, kBagInvalid);
  EXPECT_FALSE(BagOpen(fs_.get(), std::string(259, 'A'), true, &code));
  EXPECT_EQ(code, kBagInvalid);
  BaggagePtr disk = BagOpen(nullptr, disk_path_, false, &code);
  ASSERT_TRUE(disk);
  EXPECT_EQ(BagGetSize(disk.get(), &code), 1000);
  EXPECT_FALSE(BagOpen(nullptr, disk_path_ + ".none", false, &code));
  EXPECT_EQ(code, kBagNotFound);
  BagClose(std::move(pic), &code);
  EXPECT_EQ(code, kBagOk);
  BagClose(nullptr, &code);
  EXPECT_EQ(code, kBagInvalid);
}

// Both kinds of file read the same way.
TEST_F(Baggage, SeekAndReadAlike) {
  const std::vector<uint8_t> expected = baggage_pattern(1000);
  for (bool in_title : {true, false}) {
    uint16_t code = 0;
    BaggagePtr h = BagOpen(fs_.get(), in_title ? std::string("notes.txt") : disk_path_, in_title, &code);
    ASSERT_TRUE(h);
    uint8_t buf[100];
    EXPECT_EQ(BagSeek(h.get(), 10, 0, &code), 10);
    EXPECT_EQ(BagSeek(h.get(), 5, 1, &code), 15);
    EXPECT_EQ(BagRead(h.get(), buf, 4, &code), 4);
    EXPECT_EQ(std::vector<uint8_t>(buf, buf + 4), std::vector<uint8_t>(expected.begin() + 15, expected.begin() + 19));
    EXPECT_EQ(BagSeek(h.get(), -10, 2, &code), 990);
    EXPECT_EQ(BagRead(h.get(), buf, 100, &code), 10);
    EXPECT_EQ(buf[9], expected[999]);
    EXPECT_EQ(BagReadAt(h.get(), 500, 0, buf, 3, &code), 3);
    EXPECT_EQ(buf[0], expected[500]);
    EXPECT_EQ(BagRead(h.get(), nullptr, 3, &code), -1);
    EXPECT_EQ(code, kBagInvalid);
    EXPECT_EQ(BagSeek(h.get(), 0, 3, &code), -1);
    // A read-at whose seek fails reads nothing, not the bytes at the old position.
    buf[0] = 0xEE;
    EXPECT_EQ(BagReadAt(h.get(), -5, 0, buf, 3, &code), -1) << in_title;
    EXPECT_EQ(code, kBagInvalid);
    EXPECT_EQ(buf[0], 0xEE);
  }
  uint16_t code = 0;
  EXPECT_EQ(BagGetSize(nullptr, &code), -1);
  EXPECT_EQ(code, kBagInvalid);
}

TEST_F(Baggage, LoadCutsLengthsToTheFile) {
  const std::vector<uint8_t> expected = baggage_pattern(1000);
  struct Case {
    int64_t start, length, size;
    uint16_t code;
  };
  for (const Case& c : {Case{100, 0, 900, kBagOk}, Case{0, 0, 1000, kBagOk}, Case{100, 50, 50, kBagOk},
                        Case{900, 500, 100, kBagOk}, Case{990, INT64_MAX, 10, kBagOk}, Case{1000, 0, 0, kBagOk},
                        Case{1001, 0, 0, kBagInvalid}, Case{-1, 0, 0, kBagInvalid}, Case{0, -5, 0, kBagInvalid}}) {
    for (bool in_title : {true, false}) {
      int64_t size = -7;
      uint16_t code = 99;
      const std::vector<uint8_t> bytes =
          BagLoad(fs_.get(), in_title ? std::string("notes.txt") : disk_path_, in_title, c.start, c.length, &size, &code);
      EXPECT_EQ(code, c.code) << c.start << " " << c.length;
      EXPECT_EQ(size, c.size) << c.start << " " << c.length;
      ASSERT_EQ(int64_t(bytes.size()), c.size);
      if (c.size) {
        EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), expected.begin() + c.start));
      }
    }
  }
  int64_t size = 0;
  uint16_t code = 0;
  EXPECT_EQ(BagLoad(fs_.get(), "picture.bmp", true, 0, 0, &size, &code).size(), 300u);
  EXPECT_TRUE(BagLoad(fs_.get(), "nothing", true, 0, 0, &size, &code).empty());
  EXPECT_EQ(code, kBagNotFound);
}

// Waits (bounded) until the reader has read everything it will.
void wait_for(const AsyncReader* reader, uint32_t expected) {
  uint32_t done = 0, total = 0;
  for (int i = 0; i < 2000; ++i) {
    AsyncGetProgress(reader, &done, &total, nullptr);
    if (done == expected) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

std::atomic<int> g_calls{0};
void count_call(intptr_t user) {
  EXPECT_EQ(user, 42);
  ++g_calls;
}

TEST_F(Baggage, BackgroundReaderReadsInChunksOnceResumed) {
  g_calls = 0;
  uint16_t code = 99;
  AsyncReaderPtr reader = AsyncOpen(fs_.get(), 42, count_call, 0, 0, "big.bin", true, 1000, 0, &code);
  ASSERT_TRUE(reader);
  EXPECT_EQ(code, kBagOk);
  uint32_t done = 1, total = 0;
  const uint8_t* buffer = nullptr;
  EXPECT_EQ(AsyncGetProgress(reader.get(), &done, &total, &buffer), 0);
  EXPECT_EQ(done, 0u);  // suspended until resumed
  EXPECT_EQ(total, 69000u);
  EXPECT_EQ(AsyncSuspend(reader.get(), true), 0);
  EXPECT_EQ(AsyncSuspend(reader.get(), true), 0);  // resuming a running reader changes nothing
  wait_for(reader.get(), 69000);
  EXPECT_EQ(AsyncGetProgress(reader.get(), &done, &total, &buffer), 0);
  ASSERT_EQ(done, 69000u);
  const std::vector<uint8_t> expected = baggage_pattern(70000);
  EXPECT_TRUE(std::equal(buffer, buffer + done, expected.begin() + 1000));
  EXPECT_EQ(g_calls.load(), 68);  // ceil(69,000 / 1,024) chunks
  EXPECT_EQ(AsyncClose(std::move(reader)), 0);
  EXPECT_EQ(AsyncClose(nullptr), kBagInvalid);
  EXPECT_EQ(AsyncSuspend(nullptr, true), kBagInvalid);
  EXPECT_EQ(AsyncGetProgress(nullptr, &done, &total, &buffer), kBagInvalid);
}

TEST_F(Baggage, FirstPartCoveringTheFileNeedsNoThreadWork) {
  uint16_t code = 0;
  AsyncReaderPtr reader = AsyncOpen(fs_.get(), 0, nullptr, 5000, 100, "picture.bmp", true, 0, 0, &code);
  ASSERT_TRUE(reader);
  uint32_t done = 0, total = 0;
  const uint8_t* buffer = nullptr;
  AsyncGetProgress(reader.get(), &done, &total, &buffer);
  EXPECT_EQ(done, 300u);
  EXPECT_EQ(total, 300u);
  EXPECT_EQ(buffer[299], baggage_pattern(300)[299]);
  AsyncSuspend(reader.get(), true);
  EXPECT_EQ(AsyncClose(std::move(reader)), 0);
}

std::atomic<AsyncReader*> g_reader{nullptr};
std::atomic<int> g_chunks{0};
void suspend_after_three(intptr_t) {
  if (++g_chunks == 3) AsyncSuspend(g_reader.load(), false);
}

// Suspending holds the thread between chunks; closing a suspended reader wakes and ends its thread.
TEST_F(Baggage, SuspendHoldsBetweenChunksAndCloseEndsASuspendedReader) {
  g_chunks = 0;
  uint16_t code = 0;
  AsyncReaderPtr reader = AsyncOpen(fs_.get(), 0, suspend_after_three, 0, 500, "big.bin", true, 0, 0, &code);
  ASSERT_TRUE(reader);
  g_reader = reader.get();
  AsyncSuspend(reader.get(), true);
  wait_for(reader.get(), 1500);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  uint32_t done = 0, total = 0;
  AsyncGetProgress(reader.get(), &done, &total, nullptr);
  EXPECT_EQ(done, 1500u);
  EXPECT_EQ(g_chunks.load(), 3);
  EXPECT_EQ(AsyncClose(std::move(reader)), 0);  // must not hang

  // Closing a reader that was never resumed.
  reader = AsyncOpen(fs_.get(), 0, nullptr, 0, 0, "big.bin", true, 0, 0, &code);
  ASSERT_TRUE(reader);
  EXPECT_EQ(AsyncClose(std::move(reader)), 0);
}

TEST_F(Baggage, AsyncOpenRefusesBadArguments) {
  uint16_t code = 0;
  EXPECT_FALSE(AsyncOpen(fs_.get(), 0, nullptr, 0, 0, "missing", true, 0, 0, &code));
  EXPECT_EQ(code, kBagNotFound);
  EXPECT_FALSE(AsyncOpen(fs_.get(), 0, nullptr, 0, 0, "notes.txt", true, 2000, 0, &code));
  EXPECT_EQ(code, kBagInvalid);
  EXPECT_FALSE(AsyncOpen(fs_.get(), 0, nullptr, 0, 0, "notes.txt", true, -1, 0, &code));
  AsyncReaderPtr clipped = AsyncOpen(fs_.get(), 0, nullptr, 0, 0, "notes.txt", true, 900, 5000, &code);
  ASSERT_TRUE(clipped);
  uint32_t done = 0, total = 0;
  AsyncGetProgress(clipped.get(), &done, &total, nullptr);
  EXPECT_EQ(total, 100u);
}

}  // namespace
}  // namespace title
