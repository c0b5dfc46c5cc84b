#include "shell/core/contents_index.h"

#include <algorithm>
#include <array>
#include <optional>

#include "platform/base/byte_io.h"
#include "platform/base/cp1250.h"
#include "platform/base/os_file.h"
#include "shell/core/tag_string.h"

namespace shell {
namespace {

constexpr uint32_t Bits(uint32_t value, int width) { return value & ((1u << width) - 1); }

// The leading decimal number of `text` (0 when none).
int LeadingNumber(std::string_view text) {
  int value = 0;
  for (size_t i = 0; i < text.size() && text[i] >= '0' && text[i] <= '9' && value <= kContentsMaxNumber; ++i)
    value = value * 10 + (text[i] - '0');
  return value;
}

// Open records per level during the walk; none is distinct from record 0, so that the first topic of
// a level gets its next sibling linked like every other.
using OpenTable = std::array<std::optional<int32_t>, 10>;

}  // namespace

int ContentsYearField(int tag_year) {
  if (tag_year >= 0 && tag_year <= 99) return tag_year;
  if (tag_year < kContentsFirstYear || tag_year > kContentsLastYear) return 0;
  return tag_year - kContentsFirstYear;
}

void EncodeContentsRecord(const ContentsRecord& r, uint8_t* out) {
  const uint32_t words[8] = {
      uint32_t(r.attachment) | Bits(uint32_t(r.level), 4) << 1 | Bits(uint32_t(r.next), 20) << 5,
      Bits(uint32_t(r.previous), 20) | Bits(uint32_t(r.attachment_number), 6) << 20,
      Bits(uint32_t(r.year), 7) | uint32_t(r.marker) << 7 | Bits(uint32_t(r.number), 24) << 8,
      Bits(r.text_offset, 24),
      Bits(uint32_t(r.parent), 20),
      0,
      Bits(r.text_length, 10),
      uint32_t(r.first_date) | uint32_t(r.second_date) << 16};
  for (size_t w = 0; w < 8; ++w) base::store_le32(out + 4 * w, words[w]);
}

ContentsRecord DecodeContentsRecord(const uint8_t* in) {
  uint32_t w[8];
  for (size_t k = 0; k < 8; ++k) w[k] = base::load_le32(in + 4 * k);
  ContentsRecord r;
  r.attachment = w[0] & 1;
  r.level = int(Bits(w[0] >> 1, 4));
  r.next = int32_t(Bits(w[0] >> 5, 20));
  r.previous = int32_t(Bits(w[1], 20));
  r.attachment_number = int(Bits(w[1] >> 20, 6));
  r.year = int(Bits(w[2], 7));
  r.marker = (w[2] >> 7) & 1;
  r.number = int(Bits(w[2] >> 8, 24));
  r.text_offset = Bits(w[3], 24);
  r.parent = int32_t(Bits(w[4], 20) << 12) >> 12;  // a signed 20-bit value
  r.text_length = Bits(w[6], 10);
  r.first_date = uint16_t(w[7]);
  r.second_date = uint16_t(w[7] >> 16);
  return r;
}

std::vector<uint8_t> BuildContentsIndex(const ContentsTopics& topics) {
  const int32_t n = std::max<int32_t>(topics.count, 0);
  std::vector<ContentsRecord> records(size_t(n), ContentsRecord{});
  std::vector<std::string> texts(static_cast<size_t>(n));
  OpenTable open;
  int32_t previous_attachment = -1;  // none yet for the open act
  int attachments = 0;
  const std::string attachment_word = base::cp1250::from_utf8("ZAŁĄCZNIK");

  for (int32_t i = 0; i < n; ++i) {
    const CTagString tags(topics.header_text(i));
    const int level = tags.GetTagKind("<Q:", ">", 0);
    if (level <= 0) continue;  // no level: an all-zero record and no text
    ContentsRecord& r = records[size_t(i)];
    r.level = level;
    r.attachment = tags.GetTagValue("<Q:", ">", 0).find('Z') != std::string::npos;
    r.marker = !tags.GetTagValue("<W1:", ">", 0).empty();
    r.next = i;
    r.previous = i;

    if (!r.attachment) {
      if (open[size_t(level)]) {
        r.previous = *open[size_t(level)];
        records[size_t(r.previous)].next = i;
      }
      open[size_t(level)] = i;
      previous_attachment = -1;
      attachments = 0;
    } else if (open[7]) {
      if (attachments > 0 && previous_attachment >= 0) {
        records[size_t(previous_attachment)].next = i;
        r.previous = previous_attachment;
      }
      ++attachments;
      records[size_t(*open[7])].attachment_number = attachments;
      previous_attachment = i;
    }
    for (int below = 1; below < level; ++below) {
      if (!open[size_t(below)]) continue;
      records[size_t(*open[size_t(below)])].next = *open[size_t(below)];
      open[size_t(below)].reset();
    }
    if (r.attachment) {
      r.parent = open[7].value_or(0);
    } else {
      for (int above = level + 1; above <= 9; ++above) {
        if (!open[size_t(above)]) continue;
        r.parent = *open[size_t(above)];
        break;
      }
    }

    if (level <= 6) {
      r.first_date = tags.GetTagDate("<W:", ">");
      r.second_date = tags.GetTagDate("<Z:", ">");
    } else if (level == 7) {
      r.first_date = tags.GetTagDate("<U:", ">");
      r.second_date = tags.GetTagDate("<W:", ">");
    } else if (level == 8) {
      r.first_date = tags.GetTagDate("<V:", ">");
      r.second_date = CTagString::kEmptyDate;
    } else {
      r.first_date = r.second_date = CTagString::kEmptyDate;
    }

    const std::string address = tags.GetTagValue("<D:", ">", 0);
    const size_t dot = address.find('.');
    r.year = ContentsYearField(LeadingNumber(address));
    r.number = dot == std::string::npos ? 0 : std::min(LeadingNumber(std::string_view(address).substr(dot + 1)), kContentsMaxNumber);
    const size_t z = address.find(".Z");
    if (r.attachment) r.attachment_number = z == std::string::npos ? 0 : LeadingNumber(std::string_view(address).substr(z + 2));

    const std::string x_value = tags.GetTagValue("<X:", ">", 0);
    const bool has_t = tags.GetTagKind("<T:", ">", 0) >= 0;
    int x_length = tags.GetTagKind("<X:", ">", 0) >= 0 ? int(x_value.size()) : -1;
    std::string x_text = x_value;
    if (r.attachment) {
      x_text = attachment_word;
      x_length -= 3;
    }
    std::string text = (x_length > 0 ? x_text : std::string()) + "#" + tags.GetTagValue("<T:", ">", 0);
    if ((!has_t && x_length <= 0) || text.size() > kContentsMaxText) text = topics.title(i);
    // A title too long for the length field is cut rather than stored with a length read back wrong.
    if (text.size() > kContentsMaxText) text.resize(kContentsMaxText);
    texts[size_t(i)] = std::move(text);
  }

  uint32_t offset = uint32_t(n) * kContentsRecordSize;
  size_t total = offset;
  for (const std::string& text : texts) total += text.size();
  std::vector<uint8_t> file(total);
  for (int32_t i = 0; i < n; ++i) {
    ContentsRecord& r = records[size_t(i)];
    if (r.level > 0) {
      r.text_offset = offset;
      r.text_length = uint32_t(texts[size_t(i)].size());
      std::copy(texts[size_t(i)].begin(), texts[size_t(i)].end(), file.begin() + offset);
      offset += r.text_length;
    }
    EncodeContentsRecord(r, file.data() + size_t(i) * kContentsRecordSize);
  }
  return file;
}

int WriteContentsIndex(const ContentsTopics& topics, const std::string& path) {
  const std::vector<uint8_t> file = BuildContentsIndex(topics);
  return int(base::write_file_atomic(path, file));
}

}  // namespace shell
