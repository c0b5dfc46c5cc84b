// The title object: one open library title with its file system, system records, topic file and
// phrase table, and the tables opened on first use (catalogue, title strings, contexts).
//
// A handle is shared by every open of the same file in the same thread and counted; the last
// TtlClose frees it. Open handles live in one process-wide registry, so validity checks on a handle
// that has been freed answer false instead of reading freed memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <thread>

#include "engine/fcmanage/topic_block.h"
#include "engine/fts/common/breaker_table.h"
#include "engine/fts/common/operator_table.h"
#include "engine/fts/common/fts_error.h"
#include "engine/fts/common/fts_file.h"
#include "engine/fts/index/fts_index.h"
#include "engine/mvfs/btree.h"
#include "engine/mvfs/file_moniker.h"
#include "engine/mvfs/title_file_system.h"
#include "engine/title/catalog.h"
#include "engine/title/phrase_table.h"
#include "engine/title/system_records.h"
#include "engine/title/title_fonts.h"

namespace title {

inline constexpr uint32_t kTitleOpenMagic = 0x424B2100;
inline constexpr uint32_t kTitleClosedMagic = 0x424B2101;

// Information codes of TtlGetInfo.
enum TitleInfoCode : int32_t {
  kInfoTopicCount = 11,
  kInfoNumberedText = 14,
  kInfoIndexOpen = 100,
  kInfoCatalogAddress = 101,
  kInfoTopicTitle = 102,
  kInfoIndexHandle = 103,
  kInfoBreakers = 104,
  kInfoFileSystem = 105,
  kInfoFilePath = 106,
  kInfoOperators = 107,
  kInfoOperatorWord = 108,
  kInfoOperatorCount = 109,
  kInfoTitleAtAddress = 110,
  kInfoStyleSheet = 111,
};

struct TitleHandle {
  uint32_t magic = kTitleOpenMagic;
  int32_t references = 1;
  mvfs::FileMonikerPtr fileName;
  std::thread::id thread;
  mvfs::TitleFileSystemPtr fs;
  SystemRecords system;
  int32_t topicCount = 0;
  std::unique_ptr<FtsCatalog> catalog;
  mvfs::BtreePtr titleStrings;  // "|TTLBTREE"
  mvfs::InternalFilePtr topicFile;
  bool compressed = false;
  std::unique_ptr<PhraseTable> phrases;
  mvfs::BtreePtr contexts;  // "|CONTEXT"
  mvfs::BtCharMaps charMaps;
  fts::FtsPollCallback poll = nullptr;
  intptr_t document = 0;
  fcmanage::TopicBlockCache cache;
  fts::FtsError error;
  // Loaded on first request (title_text_tables.h).
  fts::FtsIndexPtr index;  // "|MVINDEX"
  StyleSheetPtr styleSheet;
  fts::WordBreakerTablePtr breakers;
  fts::OperatorTablePtr operators;
};

// Opens (or shares) the title; null when it is not found or not a readable title.
TitleHandle* TtlOpen(const char* file_name, fts::FtsPollCallback poll, intptr_t document, bool read_only);
// Drops one reference; the last one closes everything and frees the handle.
void TtlClose(TitleHandle* title);
// True for a handle that is open (registered and carrying the open magic).
bool TtlIsValid(const TitleHandle* title);

// The information codes: see the table in title.cpp. `buffer_size` is the capacity of `buffer` for
// every code that copies into it; codes that carry their own size in `value` copy at most the smaller
// of the two. -1 for a missing or closed title.
int32_t TtlGetInfo(TitleHandle* title, int32_t code, int32_t value, char* buffer, size_t buffer_size);
// The title's file system (information code 105).
mvfs::TitleFileSystem* TtlGetFileSystem(TitleHandle* title);
// The body of "|SYSTEM", or an empty span.
std::span<const uint8_t> TtlSystemBody(const TitleHandle* title);
// The last-write time of the title file.
std::optional<std::time_t> TtlGetFileTime(const TitleHandle* title);
// Engine shut-down: with flag 0 frees the per-thread error records of the title layer. Returns 0.
int32_t TtlReleaseErrorRecords(int32_t flag);
// The character-map array given to B-trees opened by the title (empty until fonts are loaded).
const mvfs::BtCharMaps* TtlGetCharMaps(const TitleHandle* title);

}  // namespace title
