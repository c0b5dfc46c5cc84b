// The index reader over damaged indexes: an index is written from terms and options drawn from the
// input, then bytes of it are overwritten as the rest of the input says (offset, value pairs), and
// plain, wildcard and range terms are looked up (version 9 addresses ascend over a posting). Topics
// must come out below the topic count; nothing may hang or read outside its buffers. The reader
// promises ascending topics only within one entry (a topic is the one before plus a gap plus one, so
// that holds by construction), and a damaged index can make several entries decode to the same key:
// their topics may come in any order, and the search sorts and merges them (title_query_fuzzer checks
// the hit list it makes).
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "engine/fts/index/term_scan.h"
#include "platform/base/byte_io.h"
#include "platform/base/os_file.h"
#include "platform/base/temp_folder.h"
#include "tools/titlebuild/fts_index_writer.h"

namespace {

class CheckingSink : public fts::FtsPostingSink {
 public:
  explicit CheckingSink(uint32_t count) : count_(count) {}
  bool wants(uint32_t) override { return true; }
  int32_t add(uint32_t topic, uint16_t, std::span<const fts::FtsOccurrence> occurrences) override {
    if (topic >= count_ || occurrences.size() > fts::kMaxOccurrencesPerTopic) std::abort();
    return 0;
  }

 private:
  uint32_t count_;
};

fts::PostingCode code_from(uint8_t b) {
  const auto scheme = fts::CodeScheme(b % 3);
  return {scheme, uint8_t(scheme == fts::CodeScheme::Fixed ? 15 + (b >> 2) % 17 : (b >> 2) % 8)};
}

const char* const kKeys[] = {"a", "ab", "abc", "b", "ba", "ustawa", "ustawy", "z", "zz"};

// The index the first eight input bytes describe, or null when the writer refuses them. Writing an
// index costs several times reading it, and most mutations keep those bytes, so the indexes are kept
// (a few hundred at most: the cache starts again when full).
const std::vector<uint8_t>* written_index(const uint8_t* data) {
  static std::map<uint64_t, std::vector<uint8_t>> cache;
  const uint64_t key = base::load_le64(data);
  if (auto it = cache.find(key); it != cache.end()) return it->second.empty() ? nullptr : &it->second;
  if (cache.size() >= 512) cache.clear();
  titlebuild::FtsIndexWriterOptions o;
  o.version = uint16_t(7 + (data[0] & 1) + ((data[0] >> 3) & 1));  // 7, 8 or 9
  o.occurrence_fields = data[1] & 0x1D;
  o.weights = data[0] & 2;
  o.entry_lengths = !(data[0] & 4);
  o.word_position_code = code_from(data[2]);
  o.address_code = code_from(data[3]);
  o.occurrence_count_code = code_from(data[4]);
  o.leaf_bytes = 8 + data[5] * 16;
  o.internal_bytes = 16 + data[6] * 16;
  o.topic_count = 300;
  std::mt19937 rng(data[7]);
  std::vector<titlebuild::FtsWriterTerm> terms;
  for (const char* key : kKeys) {
    titlebuild::FtsWriterTerm t{key, uint32_t(1 + rng() % 2), {}, {}};
    if (!(o.occurrence_fields & fts::kIndexHasField)) t.field = 0;
    for (uint32_t topic = rng() % 4; topic < 300; topic += 1 + rng() % 60) {
      titlebuild::FtsWriterTopic top{topic, uint16_t(rng()), {}};
      uint32_t p = rng() % 5;
      for (int k = 1 + int(rng() % 4); k > 0; --k, p += 1 + rng() % 9) top.occurrences.push_back({p, (o.version == 9 ? topic * 256 : 0) + p * 6, uint8_t(rng() % 4)});
      t.topics.push_back(top);
    }
    if (!t.topics.empty()) terms.push_back(t);
  }
  std::vector<uint8_t>& bytes = cache[key];
  try {
    bytes = titlebuild::WriteFtsIndex(terms, o);
  } catch (const std::invalid_argument&) {
    bytes.clear();
  }
  return bytes.empty() ? nullptr : &bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 8) return 0;
  const std::vector<uint8_t>* written = written_index(data);
  if (!written) return 0;
  static std::vector<uint8_t> bytes;
  bytes = *written;
  for (size_t i = 8; i + 2 < size; i += 3) {
    const size_t at = base::load_le16(data + i) % bytes.size();
    bytes[at] = data[i + 2];
  }

  static std::string path;
  if (path.empty()) {
    base::OsFile file;
    if (base::create_temp_file("fzidx", ".bin", file, path) != base::OsError::None) std::abort();
  }
  {
    base::OsFile file;
    if (file.open(path, base::OpenMode::Create) != base::OsError::None ||
        file.write(bytes.data(), bytes.size()) != base::OsError::None)
      return 0;
  }
  fts::FtsError error;
  fts::FtsIndexPtr index = fts::FtsOpenIndex(nullptr, path, nullptr, 0, &error);
  if (!index) return 0;
  const uint32_t count = index->header.count;
  auto scan = [&](const char* word, fts::TermMode mode, uint32_t field, const char* upper) {
    std::vector<uint8_t> w{uint8_t(std::strlen(word))}, u{uint8_t(std::strlen(upper))};
    w.insert(w.end(), word, word + w[0]);
    u.insert(u.end(), upper, upper + u[0]);
    CheckingSink sink(count);
    fts::FtsScanTerm(*index, {w.data(), u.data(), mode, field}, sink);
  };
  const bool fields = index->header.has_field();
  for (const char* key : kKeys) scan(key, fts::TermMode::kPlain, fields ? 1 : 0, "");
  scan("us*", fts::TermMode::kWildcard, 0, "");
  scan("*a*a*b", fts::TermMode::kWildcard, 0, "");
  scan("?b", fts::TermMode::kWildcard, 2, "");
  scan("ab", fts::TermMode::kRange, 0, "ustawa");
  return 0;
}
