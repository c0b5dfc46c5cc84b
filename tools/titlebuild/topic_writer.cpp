#include "tools/titlebuild/topic_writer.h"

#include <algorithm>
#include <cstdint>

#include "engine/zeck/zeck_decompress.h"
#include "engine/fcmanage/topic_block.h"
#include "engine/fcmanage/topic_stream.h"
#include "platform/base/byte_io.h"

namespace titlebuild {
namespace {

using fcmanage::kTopicBlockHeaderSize;
using fcmanage::kTopicBlockSize;
using fcmanage::kTopicDecodedLimit;
using fcmanage::MakePosition;
using fcmanage::PositionBlock;
using fcmanage::PositionOffset;

constexpr size_t kStoredData = kTopicBlockSize - kTopicBlockHeaderSize;         // 4,084
constexpr size_t kMaxBlockData = kTopicDecodedLimit - kTopicBlockHeaderSize;  // 16,372: offsets stay below 16,384
constexpr size_t kHeaderValues = 9;
// A block of 3,630 bytes compresses into 4,084 bytes even as literals only (3,630 + 454 flag bytes),
// and as literals it fills them, so blocks never hold less.
constexpr size_t kMinCompressedData = 3630;
// Bytes of a stored block left free when cuts are fitted (for the next-record position and topic
// header values that the final layout still changes), and the rounds of refitting after blocks that
// overflow.
constexpr size_t kFitMargin = 8;
constexpr int kMaxFitRounds = 32;

struct PendingRecord {
  size_t topic = 0;
  bool is_header = false;
  std::vector<uint8_t> body;  // packed header, format data, stored text
  int32_t text_offset = 0;    // from the record's start (envelope included)
  int32_t expanded_length = 0;
  uint16_t count = 0;
  int32_t position = -1;
  int32_t address = -1;
  int32_t size() const { return int32_t(fcmanage::kEnvelopeSize + body.size()); }
};

// Builds every record's bytes; the topic header values are filled once positions are known.
bool make_records(const std::vector<TopicSource>& topics, const compress::PhraseList* phrases,
                  std::vector<PendingRecord>& records) {
  for (size_t t = 0; t < topics.size(); ++t) {
    const TopicSource& topic = topics[t];
    PendingRecord header;
    header.topic = t;
    header.is_header = true;
    std::string text = topic.title;
    text.push_back('\0');
    text += topic.header_text;
    base::ByteWriter out(header.body);
    adt::DpEncodeRecordHeader({adt::kRecordTopicHeader, 0, 0}, out);
    out.zeros(kHeaderValues * 4);
    header.text_offset = int32_t(fcmanage::kEnvelopeSize + out.pos());
    out.bytes(text.data(), text.size());
    header.expanded_length = int32_t(text.size());
    records.push_back(std::move(header));

    for (const TopicRecordSource& source : topic.records) {
      if (source.text.size() > 0x7FFF) return false;
      PendingRecord r;
      r.topic = t;
      std::string stored = source.text;
      if (phrases) {
        stored.resize(compress::PhrCompressText(reinterpret_cast<uint8_t*>(stored.data()), stored.size(), *phrases));
      }
      r.count = source.type > 0x10 ? uint16_t(source.text.size()) : 0;
      base::ByteWriter w(r.body);
      adt::DpEncodeRecordHeader({source.type, int32_t(source.format.size()), r.count}, w);
      w.bytes(source.format.data(), source.format.size());
      r.text_offset = int32_t(fcmanage::kEnvelopeSize + w.pos());
      w.bytes(stored.data(), stored.size());
      r.expanded_length = int32_t(source.text.size());
      records.push_back(std::move(r));
    }
  }
  return true;
}

// Where the blocks cut the record stream (every record's bytes, envelope included, in chain order):
// block b holds the bytes from cuts[b] to cuts[b + 1]; the last entry is the stream's size.
using Cuts = std::vector<size_t>;

size_t records_size(const std::vector<PendingRecord>& records) {
  size_t total = 0;
  for (const PendingRecord& r : records) total += size_t(r.size());
  return total;
}

Cuts uniform_cuts(size_t total, size_t data_size) {
  Cuts cuts{0};
  for (size_t at = data_size; at < total; at += data_size) cuts.push_back(at);
  cuts.push_back(total);
  return cuts;
}

// Gives every record its position: the block its first byte falls into, and the offset there.
void place_records(std::vector<PendingRecord>& records, const Cuts& cuts) {
  size_t at = 0, block = 0;
  for (PendingRecord& r : records) {
    while (block + 2 < cuts.size() && cuts[block + 1] <= at) ++block;
    r.position = MakePosition(int32_t(block), int32_t(kTopicBlockHeaderSize + at - cuts[block]));
    at += size_t(r.size());
  }
}

// Character offsets: the counts of the records that begin in a block before each record.
bool assign_addresses(std::vector<PendingRecord>& records) {
  int32_t block = -1;
  int32_t total = 0;
  for (PendingRecord& r : records) {
    if (PositionBlock(r.position) != block) {
      block = PositionBlock(r.position);
      total = 0;
    }
    if (total > 0x7FFF) return false;
    r.address = (block << 15) | total;
    total += r.count;
  }
  return total <= 0x7FFF + 1;
}

void fill_topic_headers(std::vector<PendingRecord>& records, size_t topic_count) {
  std::vector<size_t> header_index(topic_count);
  std::vector<int32_t> length(topic_count, 0);
  std::vector<int32_t> first(topic_count, -1), last(topic_count, -1);
  for (size_t i = 0; i < records.size(); ++i) {
    const PendingRecord& r = records[i];
    length[r.topic] += r.size();
    if (r.is_header) {
      header_index[r.topic] = i;
    } else {
      if (first[r.topic] == -1) first[r.topic] = r.position;
      last[r.topic] = r.position;
    }
  }
  for (size_t t = 0; t < topic_count; ++t) {
    PendingRecord& h = records[header_index[t]];
    base::store_le32(h.body.data() + 1, uint32_t(length[t]));
    const int32_t values[kHeaderValues] = {
        t > 0 ? records[header_index[t - 1]].address : -1,
        t + 1 < topic_count ? records[header_index[t + 1]].address : -1,
        int32_t(t),
        -1,
        first[t],
        last[t],
        0, 0, 0};
    for (size_t v = 0; v < kHeaderValues; ++v) base::store_le32(h.body.data() + 5 + 4 * v, uint32_t(values[v]));
  }
}

// Appends record i with its envelope.
void append_record(const std::vector<PendingRecord>& records, size_t i, std::vector<uint8_t>& bytes) {
  const PendingRecord& r = records[i];
  base::ByteWriter w(bytes);
  w.i32(r.size());
  w.i32(r.expanded_length);
  w.i32(i > 0 ? records[i - 1].position : -1);
  w.i32(i + 1 < records.size() ? records[i + 1].position : -1);
  w.i32(r.text_offset);
  w.bytes(r.body.data(), r.body.size());
}

// The record stream: every record with its envelope, in chain order.
std::vector<uint8_t> record_stream(const std::vector<PendingRecord>& records) {
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i < records.size(); ++i) append_record(records, i, bytes);
  return bytes;
}

// The decoded blocks: header and record bytes.
std::vector<std::vector<uint8_t>> decoded_blocks(const std::vector<PendingRecord>& records, const Cuts& cuts) {
  const size_t blocks = cuts.size() - 1;
  const std::vector<uint8_t> stream = record_stream(records);
  std::vector<int32_t> first(blocks, -1), earlier(blocks, -1), topic_header(blocks, -1);
  int32_t current_header = -1;
  size_t at = 0;
  for (const PendingRecord& r : records) {
    if (r.is_header) current_header = r.position;
    const size_t block = size_t(PositionBlock(r.position));
    if (first[block] == -1) {
      first[block] = r.position;
      topic_header[block] = current_header;
    }
    const size_t end = at + size_t(r.size());
    for (size_t b = block + 1; b < blocks && cuts[b] < end; ++b) earlier[b] = r.position;
    at = end;
  }
  std::vector<std::vector<uint8_t>> out(blocks);
  for (size_t b = 0; b < blocks; ++b) {
    out[b].resize(kTopicBlockHeaderSize);
    base::store_le32(out[b].data(), uint32_t(earlier[b]));
    base::store_le32(out[b].data() + 4, uint32_t(first[b]));
    base::store_le32(out[b].data() + 8, uint32_t(topic_header[b]));
    out[b].insert(out[b].end(), stream.begin() + int64_t(cuts[b]), stream.begin() + int64_t(cuts[b + 1]));
  }
  return out;
}

// One item of an LZ stream.
struct Item {
  bool reference = false;
  uint8_t literal = 0;
  uint16_t distance = 0;
  uint8_t length = 0;
};

std::vector<Item> parse_stream(const std::vector<uint8_t>& stream) {
  std::vector<Item> items;
  size_t in = 0;
  while (in + 1 < stream.size()) {
    const uint8_t flags = stream[in++];
    for (int bit = 0; bit < 8 && in < stream.size(); ++bit) {
      if (flags & (1 << bit)) {
        const uint8_t b0 = stream[in], b1 = stream[in + 1];
        in += 2;
        items.push_back({true, 0, uint16_t((b0 | ((b1 & 0x0F) << 8)) + 1), uint8_t((b1 >> 4) + zeck::kZeckMinMatch)});
      } else {
        items.push_back({false, stream[in++], 0, 0});
      }
    }
  }
  return items;
}

std::vector<uint8_t> write_stream(const std::vector<Item>& items) {
  std::vector<uint8_t> out;
  size_t flag = 0;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i % 8 == 0) {
      flag = out.size();
      out.push_back(0);
    }
    const Item& item = items[i];
    if (item.reference) {
      out[flag] |= uint8_t(1 << (i % 8));
      const unsigned d = item.distance - 1u;
      out.push_back(uint8_t(d & 0xFF));
      out.push_back(uint8_t(((item.length - zeck::kZeckMinMatch) << 4) | (d >> 8)));
    } else {
      out.push_back(item.literal);
    }
  }
  return out;
}

size_t stream_size(size_t items, size_t bytes) { return bytes + (items + 7) / 8; }

// The stream of the longest prefix of data[0, size) that fits `limit` bytes, parsed for the fewest
// bytes: a literal takes 9 bits and a reference 17 (its flag bit included), so the shortest path
// through the positions, where a position reaches the next by a literal and the ends of every
// length of its longest match by a reference, gives the smallest stream (its size is the path's
// bits rounded up to bytes). `used` receives the prefix's length.
std::vector<uint8_t> smallest_stream(const uint8_t* data, size_t size, size_t limit, size_t& used) {
  constexpr size_t kHashSize = size_t(1) << 14;
  constexpr size_t kMaxCandidates = 256;
  constexpr uint64_t kUnreached = UINT64_MAX;
  std::vector<int32_t> head(kHashSize, -1), previous(size, -1);
  std::vector<uint64_t> bits(size + 1, kUnreached);
  std::vector<uint8_t> step(size + 1, 0);      // length of the item that ends at each position
  std::vector<uint16_t> distance(size + 1, 0);  // of the reference that ends there (0: a literal)
  bits[0] = 0;
  const auto hash = [&](size_t i) {
    return ((size_t(data[i]) << 8) ^ (size_t(data[i + 1]) << 4) ^ data[i + 2]) % kHashSize;
  };
  for (size_t i = 0; i < size; ++i) {
    if (bits[i] == kUnreached) continue;
    if (bits[i] + 9 < bits[i + 1]) {
      bits[i + 1] = bits[i] + 9;
      step[i + 1] = 1;
      distance[i + 1] = 0;
    }
    if (i + zeck::kZeckMinMatch > size) continue;
    const size_t h = hash(i);
    size_t longest = 0, nearest = 0, candidates = 0;
    const size_t max_length = std::min(zeck::kZeckMaxMatch, size - i);
    for (int32_t q = head[h]; q >= 0 && i - size_t(q) <= zeck::kZeckWindow && candidates < kMaxCandidates;
         q = previous[size_t(q)], ++candidates) {
      size_t length = 0;
      while (length < max_length && data[size_t(q) + length] == data[i + length]) ++length;
      if (length > longest) {
        longest = length;
        nearest = i - size_t(q);
        if (length == max_length) break;
      }
    }
    previous[i] = head[h];
    head[h] = int32_t(i);
    for (size_t length = zeck::kZeckMinMatch; length <= longest; ++length) {
      if (bits[i] + 17 < bits[i + length]) {
        bits[i + length] = bits[i] + 17;
        step[i + length] = uint8_t(length);
        distance[i + length] = uint16_t(nearest);
      }
    }
  }
  used = size;
  while (used > 0 && (bits[used] == kUnreached || (bits[used] + 7) / 8 > limit)) --used;
  std::vector<Item> items;
  for (size_t at = used; at > 0; at -= step[at]) {
    if (distance[at]) items.push_back({true, 0, distance[at], step[at]});
    else items.push_back({false, data[at - 1], 0, 0});
  }
  std::reverse(items.begin(), items.end());
  return write_stream(items);
}

// Grows the stream of `data` to fill the stored block exactly (see the padding rule in the header);
// false when even literals only cannot fill it.
bool fill_stored_block(const uint8_t* data, std::vector<uint8_t>& stream) {
  std::vector<Item> items = parse_stream(stream);
  size_t bytes = 0;
  for (const Item& item : items) bytes += item.reference ? 2 : 1;
  // Expands references from the end: a reference of 4 or more becomes a literal and a reference one
  // shorter (one more item and byte); one of 3 becomes three literals.
  size_t position = 0;
  std::vector<size_t> starts;
  for (const Item& item : items) {
    starts.push_back(position);
    position += item.reference ? item.length : 1;
  }
  size_t i = items.size();
  while (stream_size(items.size(), bytes) < kStoredData - 1) {
    while (i > 0 && !items[i - 1].reference) --i;
    if (i == 0) return false;
    Item& ref = items[i - 1];
    const size_t at = starts[i - 1];
    if (ref.length > zeck::kZeckMinMatch) {
      const Item literal{false, data[at], 0, 0};
      ref.length--;
      items.insert(items.begin() + int64_t(i - 1), literal);
      starts.insert(starts.begin() + int64_t(i - 1), at);
      starts[i] = at + 1;
      bytes += 1;
      ++i;
    } else {
      const Item literals[3] = {{false, data[at], 0, 0}, {false, data[at + 1], 0, 0}, {false, data[at + 2], 0, 0}};
      items.erase(items.begin() + int64_t(i - 1));
      items.insert(items.begin() + int64_t(i - 1), literals, literals + 3);
      starts.erase(starts.begin() + int64_t(i - 1));
      const size_t s3[3] = {at, at + 1, at + 2};
      starts.insert(starts.begin() + int64_t(i - 1), s3, s3 + 3);
      bytes += 1;
      i -= 1;
    }
  }
  stream = write_stream(items);
  if (stream.size() == kStoredData - 1) {
    // One byte left: make it decode to nothing.
    if (items.size() % 8) {
      size_t flag = 0, pos = 0;
      for (size_t n = 0; n < items.size(); ++n) {
        if (n % 8 == 0) flag = pos++;
        pos += items[n].reference ? 2 : 1;
      }
      stream[flag] |= uint8_t(1 << (items.size() % 8));
    }
    stream.push_back(0);
  }
  return stream.size() == kStoredData;
}

// A compressed block that does not fit its stored size, and by how many bytes.
struct Overflow {
  size_t block = 0;
  size_t excess = 0;
};

// Stores the blocks; false, with the blocks that do not fit listed, when compressed blocks pass their
// stored size.
bool store_blocks(const std::vector<std::vector<uint8_t>>& blocks, bool compressed, std::vector<uint8_t>& file,
                  std::vector<Overflow>& overflows) {
  file.clear();
  overflows.clear();
  for (size_t b = 0; b < blocks.size(); ++b) {
    const std::vector<uint8_t>& block = blocks[b];
    const bool last = b + 1 == blocks.size();
    std::vector<uint8_t> stored(block.begin(), block.begin() + kTopicBlockHeaderSize);
    if (compressed) {
      const uint8_t* data = block.data() + kTopicBlockHeaderSize;
      const size_t size = block.size() - kTopicBlockHeaderSize;
      size_t used = 0;
      std::vector<uint8_t> packed = smallest_stream(data, size, SIZE_MAX, used);
      if (packed.size() > kStoredData) {
        overflows.push_back({b, packed.size() - kStoredData});
        continue;
      }
      if (!last && packed.size() < kStoredData && !fill_stored_block(data, packed)) return false;
      stored.insert(stored.end(), packed.begin(), packed.end());
    } else {
      stored.insert(stored.end(), block.begin() + kTopicBlockHeaderSize, block.end());
    }
    file.insert(file.end(), stored.begin(), stored.end());
  }
  return overflows.empty();
}

// Cuts for compressed blocks after the given ones: each block takes as much of the stream as
// compresses into its stored size less a margin. The block's records are placed in it first, so its
// bytes are final but for the next-record position of its last record and the values of topic
// headers laid out in an earlier round, which the margin and the refitting rounds cover.
Cuts fitted_cuts(std::vector<PendingRecord>& records, size_t total, Cuts cuts) {
  std::vector<size_t> starts(records.size() + 1, 0);
  for (size_t i = 0; i < records.size(); ++i) starts[i + 1] = starts[i] + size_t(records[i].size());
  std::vector<uint8_t> bytes;
  size_t first = 0;  // the record holding the block's first byte
  if (total == 0) cuts.push_back(0);
  while (cuts.back() < total) {
    const size_t at = cuts.back();
    const int32_t block = int32_t(cuts.size() - 1);
    while (starts[first + 1] <= at) ++first;
    size_t end = first;
    for (size_t i = first; i < records.size() && starts[i] < at + kMaxBlockData; ++i, ++end)
      if (starts[i] >= at) records[i].position = MakePosition(block, int32_t(kTopicBlockHeaderSize + starts[i] - at));
    bytes.clear();
    for (size_t i = first; i < end; ++i) append_record(records, i, bytes);
    size_t used = 0;
    smallest_stream(bytes.data() + (at - starts[first]), std::min(kMaxBlockData, total - at), kStoredData - kFitMargin,
                    used);
    cuts.push_back(std::min(total, at + std::max(used, kMinCompressedData)));
  }
  return cuts;
}

// The cuts after a round whose blocks overflowed: the first overflowing block ends earlier and the
// blocks after it are fitted again. A block never shrinks below kMinCompressedData bytes, which
// always fit.
Cuts refit_cuts(std::vector<PendingRecord>& records, size_t total, const Cuts& cuts, const Overflow& overflow) {
  const size_t b = overflow.block;
  const size_t size = cuts[b + 1] - cuts[b];
  const size_t less = std::min(size, 2 * overflow.excess + kFitMargin);
  const size_t smaller = std::max(std::min(size, kMinCompressedData), size - less);
  Cuts kept(cuts.begin(), cuts.begin() + int64_t(b + 1));
  kept.push_back(cuts[b] + smaller);
  return fitted_cuts(records, total, std::move(kept));
}

}  // namespace

int BuildTopicFile(const std::vector<TopicSource>& topics, const TopicFileOptions& options, TopicFileLayout& layout) {
  layout = {};
  std::vector<PendingRecord> records;
  if (!make_records(topics, options.phrases, records)) return 1;

  const size_t total = records_size(records);
  const bool fitted = options.compressed && !options.block_data_size;
  Cuts cuts;
  if (!options.compressed)
    cuts = uniform_cuts(total, kStoredData);
  else if (fitted)
    cuts = fitted_cuts(records, total, {0});
  else
    cuts = uniform_cuts(total, std::clamp(options.block_data_size, kMinCompressedData, kMaxBlockData));
  std::vector<Overflow> overflows;
  for (int round = 0; round < kMaxFitRounds; ++round) {
    place_records(records, cuts);
    if (!assign_addresses(records)) break;
    fill_topic_headers(records, topics.size());
    if (!store_blocks(decoded_blocks(records, cuts), options.compressed, layout.file, overflows)) {
      if (!fitted || overflows.empty()) break;
      // The last round falls back on blocks of kMinCompressedData bytes, which always fit.
      cuts = round + 2 < kMaxFitRounds ? refit_cuts(records, total, cuts, overflows.front())
                                       : uniform_cuts(total, kMinCompressedData);
      continue;
    }
    layout.blocks = cuts.size() - 1;
    layout.record_positions.resize(topics.size());
    layout.record_addresses.resize(topics.size());
    for (const PendingRecord& r : records) {
      if (r.is_header) {
        layout.header_positions.push_back(r.position);
        layout.topic_addresses.push_back(r.address);
      } else {
        layout.record_positions[r.topic].push_back(r.position);
        layout.record_addresses[r.topic].push_back(r.address);
      }
    }
    return 0;
  }
  layout = {};
  return 1;
}

}  // namespace titlebuild
