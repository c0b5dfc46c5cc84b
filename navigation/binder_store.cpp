#include "navigation/binder_store.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "engine/medview/group_file.h"
#include "engine/medview/topic_list.h"
#include "platform/base/cp1250.h"
#include "platform/base/data_folder.h"
#include "platform/base/os_file.h"
#include "platform/base/temp_folder.h"
#include "platform/framework/app.h"
#include "shell/core/library_tree.h"

namespace binders {

namespace fs = std::filesystem;

namespace {

std::string FileName(std::string_view name, const char* extension) {
  return base::cp1250::to_utf8(name) + extension;
}

bool EndsWith(const std::string& text, std::string_view tail) {
  return text.size() > tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Names (CP1250, without the extension) of the regular files of `folder` ending in `extension`.
std::vector<std::string> NamesWithExtension(const std::string& folder, const char* extension) {
  std::vector<std::string> names;
  if (folder.empty()) return names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code type_error;
    if (!it->is_regular_file(type_error)) continue;
    const std::string file = it->path().filename().string();
    if (!EndsWith(file, extension)) continue;
    std::string name = base::cp1250::from_utf8(std::string_view(file).substr(0, file.size() - std::strlen(extension)));
    if (IsValidName(name)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

BinderError FromOs(base::OsError error) {
  switch (error) {
    case base::OsError::None: return BinderError::None;
    case base::OsError::NotFound: return BinderError::NotFound;
    case base::OsError::Exists: return BinderError::Exists;
    default: return BinderError::Io;
  }
}

}  // namespace

std::string ErrorMessage(BinderError error, std::string_view name) {
  const std::string quoted = "'" + base::cp1250::to_utf8(name) + "'";
  std::string text;
  switch (error) {
    case BinderError::None: return {};
    case BinderError::BadName:
      text = "Nazwa segregatora " + quoted +
             " jest niedozwolona: nie może być pusta, zaczynać się kropką ani zawierać znaków / \\ .. "
             "i znaków sterujących.";
      break;
    case BinderError::Exists: text = "Segregator o nazwie " + quoted + " już istnieje. Proszę zmienić nazwę."; break;
    case BinderError::NotFound: text = "Segregator " + quoted + " nie istnieje."; break;
    case BinderError::Corrupt:
      text = "Plik segregatora " + quoted + " jest uszkodzony. Segregator nie został otwarty, a plik pozostał "
             "bez zmian.";
      break;
    case BinderError::TooLarge: text = "Segregator " + quoted + " nie może pomieścić więcej aktów."; break;
    case BinderError::NotAnAct: text = "Zaznaczonej pozycji nie można dodać do segregatora."; break;
    case BinderError::NoBinder: text = "Żaden segregator nie jest otwarty."; break;
    case BinderError::Io: text = "Nie można zapisać ani odczytać segregatora " + quoted + "."; break;
  }
  return base::cp1250::from_utf8(text);
}

std::string TrimName(std::string_view name) {
  const size_t first = name.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const size_t last = name.find_last_not_of(" \t");
  return std::string(name.substr(first, last - first + 1));
}

bool IsValidName(std::string_view name) {
  if (name.empty() || name.size() > kMaxNameLength || name.front() == '.') return false;
  if (name.find("..") != std::string_view::npos) return false;
  return std::none_of(name.begin(), name.end(), [](char c) {
    const auto b = uint8_t(c);
    return b < 0x20 || b == 0x7F || c == '/' || c == '\\';
  });
}

std::string BinderFolder() {
  base::OsError error = base::OsError::None;
  const std::string data = base::data_folder(&error);
  if (error != base::OsError::None) return {};
  const std::string folder = data + "/" + kFolderName;
  std::error_code ec;
  fs::create_directories(folder, ec);
  return fs::is_directory(folder, ec) ? folder : std::string();
}

std::string FallbackFolder() {
  return base::cp1250::to_utf8(std::string_view(CWinApp::GetProgramFolder())) + "/" + kFolderName;
}

std::string BinderPath(const std::string& folder, std::string_view name) {
  return folder + "/" + FileName(name, kBinderExtension);
}

std::string WorkingCopyPath(const std::string& folder, std::string_view name) {
  return folder + "/" + FileName(name, kWorkingExtension);
}

std::vector<std::string> ListBinders(const std::string& folder, const std::string& fallback) {
  std::vector<std::string> names = NamesWithExtension(folder, kBinderExtension);
  if (fallback.empty() || fallback == folder) return names;
  const size_t own = names.size();
  for (std::string& name : NamesWithExtension(fallback, kBinderExtension)) {
    if (!std::binary_search(names.begin(), names.begin() + std::ptrdiff_t(own), name)) names.push_back(std::move(name));
  }
  return names;
}

std::vector<std::string> ListWorkingCopies(const std::string& folder) {
  return NamesWithExtension(folder, kWorkingExtension);
}

BinderError CreateBinder(const std::string& folder, std::string_view name) {
  if (!IsValidName(name)) return BinderError::BadName;
  base::OsFile file;
  return FromOs(file.open(BinderPath(folder, name), base::OpenMode::CreateExclusive));
}

BinderError RenameBinder(const std::string& folder, std::string_view from, std::string_view to) {
  if (!IsValidName(from) || !IsValidName(to)) return BinderError::BadName;
  if (from == to) return BinderError::None;
  const std::string source = BinderPath(folder, from);
  const std::string target = BinderPath(folder, to);
  if (!base::file_exists(source)) return BinderError::NotFound;
  // A link refuses an existing target, so another binder is never replaced; the old name goes
  // only once the new one holds the file.
  std::error_code ec;
  fs::create_hard_link(source, target, ec);
  if (ec == std::errc::file_exists) return BinderError::Exists;
  if (ec) {
    // A file system without links: the name is checked, then the file renamed in one step.
    if (base::file_exists(target)) return BinderError::Exists;
    if (base::rename_file(source, target) != base::OsError::None) return BinderError::Io;
  } else if (base::remove_file(source) != base::OsError::None) {
    return BinderError::Io;
  }
  const std::string working = WorkingCopyPath(folder, from);
  if (base::file_exists(working)) base::rename_file(working, WorkingCopyPath(folder, to));
  return BinderError::None;
}

BinderError DeleteBinder(const std::string& folder, std::string_view name) {
  if (!IsValidName(name)) return BinderError::BadName;
  const BinderError error = FromOs(base::remove_file(BinderPath(folder, name)));
  base::remove_file(WorkingCopyPath(folder, name));
  return error;
}

BinderError LoadGroupFile(const std::string& path, engine::GroupPtr& group) {
  group.reset();
  base::OsFile file;
  if (const base::OsError error = file.open(path, base::OpenMode::Read); error != base::OsError::None) {
    return FromOs(error);
  }
  uint64_t size = 0;
  if (file.size(size) != base::OsError::None) return BinderError::Io;
  if (size == 0) {
    uint16_t code = 0;
    group = medview::MvCreateGroup(kNewGroupItems, &code);
    return group ? BinderError::None : BinderError::Io;
  }
  uint16_t code = 0;
  group = medview::MvReadGroupFile(&file, &code);
  if (!group || code != 0) {
    group.reset();
    return BinderError::Corrupt;
  }
  // Only a group that could be stored again is a binder.
  std::vector<uint8_t> bytes;
  if (medview::MvEncodeGroupBytes(group.get(), bytes) != 0) {
    group.reset();
    return BinderError::Corrupt;
  }
  return BinderError::None;
}

BinderError DecodeBinderBytes(std::span<const uint8_t> bytes, engine::GroupPtr& group) {
  // The open-file reader is the one binders are read with: the bytes go through a private file.
  const std::string path = base::temp_folder() + "/binder_decode";
  {
    base::OsFile file;
    if (file.open(path, base::OpenMode::Create) != base::OsError::None ||
        file.write(bytes.data(), bytes.size()) != base::OsError::None) {
      return BinderError::Io;
    }
  }
  const BinderError error = LoadGroupFile(path, group);
  base::remove_file(path);
  return error;
}

BinderError SaveGroupFile(const std::string& path, const engine::TopicGroup* group) {
  std::vector<uint8_t> bytes;
  const uint16_t code = medview::MvEncodeGroupBytes(group, bytes);
  if (code == medview::kGroupTooLarge) return BinderError::TooLarge;
  if (code != 0) return BinderError::Io;
  return FromOs(base::write_file_atomic(path, bytes));
}

BinderError RestoreWorkingCopy(const std::string& folder, std::string_view name) {
  if (!IsValidName(name)) return BinderError::BadName;
  const std::string working = WorkingCopyPath(folder, name);
  std::vector<uint8_t> bytes;
  if (const base::OsError error = base::read_file(working, bytes, 1u << 20); error != base::OsError::None) {
    return FromOs(error);
  }
  engine::GroupPtr group;
  if (const BinderError error = LoadGroupFile(working, group); error != BinderError::None) return error;
  if (const base::OsError error = base::write_file_atomic(BinderPath(folder, name), bytes);
      error != base::OsError::None) {
    return FromOs(error);
  }
  return FromOs(base::remove_file(working));
}

BinderError DiscardWorkingCopy(const std::string& folder, std::string_view name) {
  if (!IsValidName(name)) return BinderError::BadName;
  return FromOs(base::remove_file(WorkingCopyPath(folder, name)));
}

bool FindActRange(const shell::ContentsIndexReader& index, int32_t record, int32_t count, ActRange& range) {
  if (record < 0 || record >= count) return false;
  shell::ContentsRecord act;
  const int32_t a = index.FindAncestor(record, act, shell::kLevelAct);
  if (a < 0 || a >= count || act.level != shell::kLevelAct || act.attachment) return false;
  range.act = a;
  range.end = a + 1 + shell::CountDescendants(index, a, count);
  return true;
}

engine::GroupPtr MergeAct(const engine::TopicGroup* group, const ActRange& range, bool& already,
                          BinderError& error) {
  already = false;
  error = BinderError::None;
  if (!group || range.act < 0 || range.end <= range.act) {
    error = BinderError::NotAnAct;
    return nullptr;
  }
  uint16_t code = 0;
  engine::GroupPtr merged = medview::MvCopyGroup(group, &code);
  if (!merged) {
    error = BinderError::Io;
    return nullptr;
  }
  already = medview::MvGroupHasItem(group, range.act);
  if (!already) {
    for (int32_t r = range.act; r < range.end; ++r) {
      if (medview::MvAddGroupItem(merged.get(), r) != 0) {
        error = BinderError::TooLarge;
        return nullptr;
      }
    }
  }
  std::vector<uint8_t> bytes;
  if (medview::MvEncodeGroupBytes(merged.get(), bytes) != 0) {
    error = BinderError::TooLarge;
    return nullptr;
  }
  return merged;
}

void RemoveActRange(engine::TopicGroup* group, const ActRange& range) {
  if (!group) return;
  for (int32_t r = std::max(range.act, 0); r < range.end; ++r) medview::MvRemoveGroupItem(group, r);
}

// --- The open binder ----------------------------------------------------------------------------

void BinderSession::SetFolders(std::string folder, std::string fallback) {
  folder_ = std::move(folder);
  fallback_ = std::move(fallback);
}

std::string BinderSession::Path() const { return IsOpen() ? BinderPath(folder_, name_) : std::string(); }

BinderError BinderSession::Open(std::string_view name) {
  if (!IsValidName(name)) return BinderError::BadName;
  if (const BinderError error = Close(); error != BinderError::None) return error;
  engine::GroupPtr group;
  BinderError error = LoadGroupFile(BinderPath(folder_, name), group);
  if (error == BinderError::NotFound && !fallback_.empty()) error = LoadGroupFile(BinderPath(fallback_, name), group);
  if (error == BinderError::NotFound) {
    uint16_t code = 0;
    group = medview::MvCreateGroup(kNewGroupItems, &code);
    error = group ? BinderError::None : BinderError::Io;
  }
  if (error != BinderError::None) return error;
  group_ = std::move(group);
  name_ = std::string(name);
  dirty_ = false;
  return BinderError::None;
}

BinderError BinderSession::Close() {
  if (!IsOpen()) return BinderError::None;
  if (dirty_) {
    // A binder that cannot be stored stays open: its working copy still holds the changes.
    if (const BinderError error = Save(); error != BinderError::None) return error;
  }
  Drop();
  return BinderError::None;
}

void BinderSession::Drop() {
  group_.reset();
  name_.clear();
  dirty_ = false;
}

BinderError BinderSession::Save() {
  if (!IsOpen()) return BinderError::NoBinder;
  if (const BinderError error = SaveGroupFile(BinderPath(folder_, name_), group_.get()); error != BinderError::None) {
    return error;
  }
  dirty_ = false;
  const base::OsError removed = base::remove_file(WorkingCopyPath(folder_, name_));
  return removed == base::OsError::NotFound ? BinderError::None : FromOs(removed);
}

BinderError BinderSession::AddAct(const shell::ContentsIndexReader& index, int32_t count, int32_t record,
                                  ActRange* added, bool* already) {
  if (!IsOpen()) return BinderError::NoBinder;
  ActRange range;
  if (!FindActRange(index, record, count, range)) return BinderError::NotAnAct;
  bool was_there = false;
  BinderError error = BinderError::None;
  engine::GroupPtr merged = MergeAct(group_.get(), range, was_there, error);
  if (!merged) return error;
  group_ = std::move(merged);
  dirty_ = true;
  if (added) *added = range;
  if (already) *already = was_there;
  return SaveGroupFile(WorkingCopyPath(folder_, name_), group_.get());
}

BinderError BinderSession::RemoveAct(const ActRange& range) {
  if (!IsOpen()) return BinderError::NoBinder;
  RemoveActRange(group_.get(), range);
  dirty_ = true;
  return Save();
}

}  // namespace binders
