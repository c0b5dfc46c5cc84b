// Compiles a folder of acts into the private temporary folder once per test program and opens the
// library through the engine.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/fcmanage/topic_address.h"
#include "engine/fcmanage/topic_chunk.h"
#include "engine/title/title.h"
#include "platform/base/temp_folder.h"
#include "tools/compiler/library_compiler.h"
#include "tools/compiler/paragraph_record.h"

namespace compiler_test {

struct CompiledLibrary {
  std::string folder;
  compiler::CompileReport report;
  compiler::LibraryPlan plan;
  int result = -1;
  std::string error;
};

inline std::string SourceDir() { return std::getenv("LUMO_SOURCE_DIR"); }

// The shared corpus folder, or empty when it is absent.
inline std::string SharedCorpus() {
  const char* shared = std::getenv("LUMO_SHARED_DIR");
  if (!shared) return {};
  const std::string dir = std::string(shared) + "/corpus/dzu";
  return std::filesystem::is_directory(dir) ? dir : std::string();
}

// Compiles `acts` (once per folder name) into the temporary folder.
inline const CompiledLibrary& Compile(const std::string& acts, const std::string& name) {
  static std::map<std::string, std::unique_ptr<CompiledLibrary>> done;
  auto& slot = done[name];
  if (slot) return *slot;
  slot = std::make_unique<CompiledLibrary>();
  slot->folder = base::temp_folder() + "/" + name;
  std::filesystem::create_directories(slot->folder);
  slot->result = compiler::CompileLibrary(acts, slot->folder, slot->report, slot->error);
  compiler::CompileReport again;
  slot->plan = compiler::PlanLibrary(compiler::ReadActs(acts, again), [&](const std::string& file) {
    return std::filesystem::exists(acts + "/" + file);
  });
  return *slot;
}

struct TitleCloser {
  void operator()(title::TitleHandle* t) const { title::TtlClose(t); }
};
using TitlePtr = std::unique_ptr<title::TitleHandle, TitleCloser>;

inline TitlePtr OpenLibrary(const CompiledLibrary& library) {
  const std::string path = library.folder + "/" + compiler::kLibraryFileName;
  return TitlePtr(title::TtlOpen(path.c_str(), nullptr, 0, true));
}

// A topic as the engine reads it back: its title, header text and records' texts (one line each).
struct ReadTopic {
  std::string title, header_text, text;
  bool ok = false;
};

inline ReadTopic ReadBack(title::TitleHandle* t, int32_t topic) {
  ReadTopic read;
  int32_t code = 0;
  fcmanage::TopicChunk chunk;
  const int32_t position = fcmanage::TtlTopicNumberToPosition(t, topic);
  fcmanage::TopicRecordPtr record = fcmanage::FcGetChunk(t, position, chunk, code);
  if (!record) return read;
  read.title = chunk.title;
  read.header_text = chunk.headerText;
  const int32_t first = record->position;
  while (record) {
    const auto bytes = record->text();
    if (!read.text.empty()) read.text += '\n';
    read.text += compiler::PlainText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    record = fcmanage::FcGetNeighbour(*record, true, t, code, first, -1);
  }
  read.ok = true;
  return read;
}

}  // namespace compiler_test
