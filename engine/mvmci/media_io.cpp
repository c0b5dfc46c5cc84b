#include "engine/mvmci/media_io.h"

#include <algorithm>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "engine/medview/engine_titles.h"
#include "platform/base/cp1250.h"

namespace mvmci {
namespace {

struct ProcedureTable {
  std::mutex lock;
  std::vector<std::pair<uint32_t, MediaIoProcedure>> entries;
};

ProcedureTable& procedures() {
  static ProcedureTable table;
  return table;
}

void close_element(MediaIoInfo& info) {
  if (info.baggage) {
    uint16_t code = 0;
    medview::MvCloseBaggage(std::move(info.baggage), &code);
  }
  medview::MvCloseTitle(info.title);
  info.title = nullptr;
}

int64_t open_element(MediaIoInfo& info, const char* name) {
  std::string_view title_file, element;
  if (!name || !MediaSplitCompoundName(name, title_file, element)) return kMediaCannotOpen;
  info.diskOffset = 0;
  info.title = medview::MvOpenTitle(std::string(title_file).c_str(), nullptr, 0);
  int64_t result = kMediaFileNotFound;
  if (info.title) {
    uint16_t code = 0;
    info.baggage = medview::MvOpenBaggage(info.title, std::string(element).c_str(), true, &code);
    if (info.baggage) result = 0;
  }
  if (result != 0 || (info.flags & kMediaParse)) close_element(info);
  return result;
}

}  // namespace

bool MediaSplitCompoundName(std::string_view name, std::string_view& title_file, std::string_view& element) {
  // The title part ends with ".M14"; a "+" elsewhere (in a folder or file name) belongs to the path.
  constexpr std::string_view kMarker = ".M14+";
  for (size_t at = 0; at + kMarker.size() <= name.size(); ++at) {
    if (base::cp1250::equal_no_case(name.substr(at, kMarker.size()), kMarker)) {
      title_file = name.substr(0, at + kMarker.size() - 1);
      element = name.substr(at + kMarker.size());
      return true;
    }
  }
  return false;
}

int64_t MediaIOProc(MediaIoInfo& info, uint32_t message, intptr_t first, intptr_t second) {
  switch (message) {
    case kMediaOpen:
      return open_element(info, reinterpret_cast<const char*>(first));
    case kMediaClose:
      close_element(info);
      return 0;
    case kMediaRead: {
      uint16_t code = 0;
      const int64_t read = medview::MvReadBaggage(info.baggage.get(), reinterpret_cast<void*>(first), second, &code);
      if (read < 0) return -1;
      info.diskOffset += read;
      return read;
    }
    case kMediaSeek: {
      uint16_t code = 0;
      const int64_t position = medview::MvSeekBaggage(info.baggage.get(), first, int(second), &code);
      // A failed seek leaves the offset where the file still is.
      if (position < 0) return -1;
      info.diskOffset = position;
      return position;
    }
    case kMediaWrite:
    case kMediaWriteFlush:
      return -1;
    default:
      return 0;
  }
}

void MvInstallMediaIO() {
  ProcedureTable& table = procedures();
  std::lock_guard guard(table.lock);
  auto it = std::find_if(table.entries.begin(), table.entries.end(),
                         [](const auto& entry) { return entry.first == kTitleMediaFourCC; });
  if (it == table.entries.end()) {
    table.entries.emplace_back(kTitleMediaFourCC, MediaIOProc);
  } else {
    it->second = MediaIOProc;
  }
}

void MvRemoveMediaIO() {
  ProcedureTable& table = procedures();
  std::lock_guard guard(table.lock);
  std::erase_if(table.entries, [](const auto& entry) { return entry.first == kTitleMediaFourCC; });
}

MediaIoProcedure MediaFindIOProc(uint32_t fourcc) {
  ProcedureTable& table = procedures();
  std::lock_guard guard(table.lock);
  for (const auto& [code, procedure] : table.entries)
    if (code == fourcc) return procedure;
  return nullptr;
}

}  // namespace mvmci
