// Reads arbitrary bytes as a contents index: every record, its text, the walks up to its act, issue
// and yearbook, and descriptions made one after another with one shared description (as lists
// make them), and the tags of every record text read as the lists and the tree read them. Nothing
// may read outside the bytes or loop; what is found must be a real record, tag answers keep their
// promised ranges.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "shell/core/contents_reader.h"
#include "shell/core/tag_string.h"

namespace {

void check_tags(const std::string& text) {
  const shell::CTagString tags(text);
  for (int n : {-1, 0, 1, 2}) {
    const int kind = tags.GetTagKind("<Q:", ">", n);
    if (kind < -1 || kind > 9) std::abort();
    if (tags.GetTagValue("<W1:", ">", n).size() > text.size()) std::abort();
  }
  for (const char* open : {"<W:", "<Z:", "<U:", "<V:", "<D:"}) {
    const uint16_t date = tags.GetTagDate(open, ">");
    // Years 1950-2049: at most the day count of 2049-12-31.
    if (date != shell::CTagString::kEmptyDate && date > shell::DaysSince1900(2049, 12, 31)) std::abort();
  }
  std::string out = "x";
  const int length = tags.ExtractBetween("<T:", ">", out);
  if (length == -1 ? out != "x" : (length < 0 || size_t(length) != out.size())) std::abort();
  for (int n : {0, 1, 12}) {
    std::string numbered = "x";
    const int got = tags.GetNumberedTag("<W ", ">", numbered, n);
    if (got == -1 ? numbered != "x" : (got < 0 || size_t(got) != numbered.size())) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  shell::ContentsIndexReader reader;
  reader.OpenBytes(std::span<const uint8_t>(data, size));
  const int32_t count = reader.RecordCount();
  if (int64_t(count) * 32 > int64_t(size)) std::abort();
  shell::ActDescription description;
  for (int32_t n = -1; n <= count && n < 4096; ++n) {
    shell::ContentsRecord record;
    if (reader.ReadRecord(n, record)) {
      std::string text;
      if (reader.ReadText(record, text)) {
        if (text.size() != record.text_length) std::abort();
        check_tags(text);
      }
    }
    for (int level : {7, 8, 9}) {
      shell::ContentsRecord found;
      const int32_t ancestor = reader.FindAncestor(n, found, level);
      if (ancestor != 0 && (ancestor < -1 || ancestor >= count)) std::abort();
    }
    reader.Describe(n, description);
    for (int32_t r : description.records) {
      if (r < -1 || r >= count) std::abort();
    }
  }
  return 0;
}
