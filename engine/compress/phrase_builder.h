// Building the phrase table "|Phrases" and compressing text with it (authoring side of
// engine/title/phrase_table.h).
//
// The phrase list is text with one phrase per line, every line ended by CR LF, in ascending order of
// its bytes compared as signed values (the compressor searches it by halves). At most 1,792 phrases.
//
// Two limits keep the table readable: the offset table and the texts together must stay within
// 65,535 bytes (the offsets are 16-bit), and no code may have a high byte that topic text itself uses
// (NUL, TAB, LF, CR or anything from the space up), since the reader takes any such byte pair for a
// code. With the default base 256 that allows 1,024 phrases.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "engine/mvfs/file_moniker.h"
#include "engine/mvfs/title_file_system.h"

namespace compress {

inline constexpr size_t kMaxPhrases = 1792;
inline constexpr size_t kMaxPhraseListSize = 65535;
inline constexpr uint16_t kDefaultPhraseBase = 256;

struct PhraseList {
  std::vector<std::string> phrases;  // ascending by signed bytes
  uint16_t base = kDefaultPhraseBase;
};

// Splits a phrase-list file into phrases; code 4 for an empty or too large list, a line without CR LF,
// more than 1,792 phrases or a list out of order, 0 on success.
int PhrParseList(std::span<const uint8_t> list, PhraseList& phrases);
// The bytes of a "|Phrases" file for the list (base 0 is taken as 256); code 4 when the table would
// pass 65,535 bytes or its codes would collide with text bytes.
int PhrBuildFile(const PhraseList& phrases, std::vector<uint8_t>& file);
// Reads the phrase list from a disk file and writes "|Phrases" into the title: 0, 4 for a bad list,
// 8 for memory, or the container's code.
int PhrBuild(const mvfs::FileMoniker* list_file, mvfs::TitleFileSystem* fs, uint16_t code_base);

// Replaces phrases of the text by their codes in place and returns the new length. At the start of
// each word the longest phrase of at least three bytes that the text begins with is replaced by its
// code (plus one, and the space dropped, when a space follows it); leading spaces, CR and LF stay.
size_t PhrCompressText(uint8_t* text, size_t length, const PhraseList& phrases);

}  // namespace compress
