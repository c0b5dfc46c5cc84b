// Helpers for index tests: an index opened from bytes, a sink that keeps what a scan yields, and a
// bit-string notation for hand-made postings.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "engine/fts/index/fts_index.h"
#include "engine/fts/index/term_scan.h"
#include "platform/base/os_file.h"
#include "platform/base/temp_folder.h"

namespace fts::testing {

// "0110 1" -> bytes, most significant bit first, blanks ignored, the last byte padded with 0 bits.
inline std::vector<uint8_t> Bits(std::string_view text) {
  std::vector<uint8_t> out;
  int used = 0;
  for (char c : text) {
    if (c != '0' && c != '1') continue;
    if (used == 0) out.push_back(0);
    if (c == '1') out.back() |= uint8_t(0x80 >> used);
    used = (used + 1) % 8;
  }
  return out;
}

// Writes the bytes to a temporary file and opens it as an operating-system index file.
class IndexFile {
 public:
  explicit IndexFile(const std::vector<uint8_t>& bytes) {
    base::OsFile file;
    EXPECT_EQ(base::create_temp_file("idx", ".bin", file, path_), base::OsError::None);
    EXPECT_EQ(file.write(bytes.data(), bytes.size()), base::OsError::None);
  }
  ~IndexFile() { base::remove_file(path_); }
  IndexFile(const IndexFile&) = delete;
  IndexFile& operator=(const IndexFile&) = delete;

  FtsIndexPtr open(FtsError* error, FtsPollCallback poll = nullptr, intptr_t poll_value = 0) const {
    return FtsOpenIndex(nullptr, path_, poll, poll_value, error);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Topic -> occurrences as (word position, address, length).
using Found = std::map<uint32_t, std::vector<std::tuple<uint32_t, uint32_t, int>>>;

class CollectSink : public FtsPostingSink {
 public:
  bool wants(uint32_t) override { return true; }
  int32_t add(uint32_t topic, uint16_t weight, std::span<const FtsOccurrence> occurrences) override {
    weights[topic] = weight;
    auto& list = found[topic];
    for (const FtsOccurrence& o : occurrences) list.emplace_back(o.wordPosition, o.address, o.length);
    topics.push_back(topic);
    return 0;
  }
  Found found;
  std::map<uint32_t, uint16_t> weights;
  std::vector<uint32_t> topics;  // in the order they came
};

inline std::vector<uint8_t> Counted(std::string_view s) {
  std::vector<uint8_t> out{uint8_t(s.size())};
  out.insert(out.end(), s.begin(), s.end());
  return out;
}

inline int32_t Scan(FtsIndex& index, std::string_view word, CollectSink& sink, TermMode mode = TermMode::kPlain,
                    uint32_t field = 0, std::string_view upper = {}) {
  const std::vector<uint8_t> w = Counted(word), u = Counted(upper);
  FtsTermSpec wanted{w.data(), u.data(), mode, field};
  return FtsScanTerm(index, wanted, sink);
}

}  // namespace fts::testing
