#include "navigation/keyword_hits.h"

#include <new>

#include "engine/medview/engine_titles.h"

namespace keywords {

void KeywordHitArray::Clear() {
  count = 0;
  addresses.clear();
  addresses.shrink_to_fit();
}

KeywordHitArray& KeywordHits() {
  static KeywordHitArray hits;
  return hits;
}

int LoadKeywordTopics(fts::WordWheelHandle index, const char* keyword, KeywordHitArray& hits, bool* listed) {
  if (listed) *listed = false;
  hits.Clear();
  const uint16_t found = medview::MvGetKeywordTopicCount(index, keyword);
  const int32_t count = found == 0xFFFF ? 0 : found;
  hits.count = count;
  try {
    hits.addresses.assign(static_cast<size_t>(count), 0);
  } catch (const std::bad_alloc&) {
    hits.Clear();
    return kNoMemory;
  }
  if (count == 0) return 0;
  const int64_t got =
      medview::MvGetKeywordTopics(index, keyword, 0, static_cast<uint32_t>(count), hits.addresses.data());
  if (listed) *listed = got > 0;
  return 0;
}

int32_t NearestKeyword(fts::WordWheelHandle index, const char* text) {
  const int32_t count = index ? medview::MvGetKeywordCount(index) : 0;
  if (count <= 0) return -1;
  const int32_t found = medview::MvFindKeyword(index, text ? text : "");
  if (found < 0) return 0;
  return found >= count ? count - 1 : found;
}

std::string KeywordText(fts::WordWheelHandle index, int32_t ordinal) {
  char buffer[kKeywordBuffer] = {};
  if (!index || ordinal < 0 || medview::MvGetKeywordText(index, ordinal, buffer, sizeof(buffer)) < 0) return {};
  buffer[kKeywordBuffer - 1] = '\0';
  return buffer;
}

std::string IndexListTitle(const std::string& heading) {
  std::string text = heading;
  if (text.size() > 80) {
    const size_t blank = text.find(' ', 70);
    text = text.substr(0, blank == std::string::npos ? 78 : blank + 1) + "...";
  }
  return "Lista indeksu\r\n" + text;
}

}  // namespace keywords
