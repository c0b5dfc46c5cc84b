// Binders: the user's own named collections of acts. A binder named N is the group file "N.seg"
// in the "Segregatory" folder of the user's data folder; while it has unsaved changes its working
// copy "N.se_" sits beside it. Binders installed beside the program ("Segregatory" in the program's
// folder) are read when the data folder has none of that name; every write goes to the data folder.
//
// Every write goes through a temporary file that is synced and renamed over the target, so a crash
// leaves the old contents or the new ones. A file that does not read as a group is reported and
// left as it is; it is never opened as an empty binder that a later save would overwrite.
//
// Names are CP1250 as the dialogs show them; file names are UTF-8.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/COMMON/topic_group.h"
#include "shell/core/contents_reader.h"

namespace binders {

inline constexpr const char* kFolderName = "Segregatory";
inline constexpr const char* kBinderExtension = ".seg";
inline constexpr const char* kWorkingExtension = ".se_";
// A new binder's group holds this many items before it grows.
inline constexpr int32_t kNewGroupItems = 50;
// Longest binder name, in bytes.
inline constexpr size_t kMaxNameLength = 200;

enum class BinderError : uint8_t {
  None = 0,
  BadName,   // empty, too long, a '/', '\', "..", a control character or a leading dot
  Exists,    // a binder of that name exists
  NotFound,  // no binder of that name
  Corrupt,   // the file is not a group file
  TooLarge,  // the group would pass what a group file can hold
  NotAnAct,  // the record has no act above it
  NoBinder,  // no binder is open
  Io,        // the file system refused
};

// The message a user is shown for an error about binder `name`, both CP1250.
std::string ErrorMessage(BinderError error, std::string_view name);

// Leading and trailing blanks and tabs removed.
std::string TrimName(std::string_view name);
bool IsValidName(std::string_view name);

// The data folder's "Segregatory", created when missing (an empty string when it cannot be).
std::string BinderFolder();
// "Segregatory" beside the program, read when the data folder lacks a binder.
std::string FallbackFolder();
std::string BinderPath(const std::string& folder, std::string_view name);
std::string WorkingCopyPath(const std::string& folder, std::string_view name);

// The binders of `folder` and, after them, those of `fallback` with other names (empty: none),
// by name without the extension, each list sorted.
std::vector<std::string> ListBinders(const std::string& folder, const std::string& fallback = {});
// Names whose working copy is left in `folder`, sorted.
std::vector<std::string> ListWorkingCopies(const std::string& folder);

BinderError CreateBinder(const std::string& folder, std::string_view name);
// Renames a binder (its working copy goes along); a target that exists is refused and both stay.
BinderError RenameBinder(const std::string& folder, std::string_view from, std::string_view to);
BinderError DeleteBinder(const std::string& folder, std::string_view name);

// Reads a binder file: an empty file gives a new empty group; NotFound, Corrupt or Io otherwise.
BinderError LoadGroupFile(const std::string& path, engine::GroupPtr& group);
// The same for bytes already read.
BinderError DecodeBinderBytes(std::span<const uint8_t> bytes, engine::GroupPtr& group);
// Stores the group through a synced temporary file; TooLarge when a group file cannot hold it.
BinderError SaveGroupFile(const std::string& path, const engine::TopicGroup* group);

// A working copy left by a run that did not end cleanly: its contents replace the binder (only
// when they read as a group; the working copy is removed once the binder holds them).
BinderError RestoreWorkingCopy(const std::string& folder, std::string_view name);
BinderError DiscardWorkingCopy(const std::string& folder, std::string_view name);

// The records an act and its subtree take: act .. end - 1.
struct ActRange {
  int32_t act = -1;
  int32_t end = -1;
};
// The act that holds `record` (the record itself, the act above an act part, the parent act of an
// attachment) with its subtree; false when there is none among the first `count` records.
bool FindActRange(const shell::ContentsIndexReader& index, int32_t record, int32_t count, ActRange& range);

// A new group holding `group`'s items and the act's range; `already` tells that the act was in
// the binder (the items are then the same). Null with `error` set when the result cannot be made or
// stored; the old group is never changed.
engine::GroupPtr MergeAct(const engine::TopicGroup* group, const ActRange& range, bool& already,
                          BinderError& error);
// Removes every item of the act's range.
void RemoveActRange(engine::TopicGroup* group, const ActRange& range);

// The open binder: its group, its file and whether it has unsaved changes. A dirty binder's working
// copy holds the group; saving, closing and opening another binder store a dirty one first.
class BinderSession {
 public:
  BinderSession() = default;
  BinderSession(const BinderSession&) = delete;
  BinderSession& operator=(const BinderSession&) = delete;

  // The folder binders are written to and the read-only one beside the program.
  void SetFolders(std::string folder, std::string fallback);
  const std::string& Folder() const { return folder_; }
  const std::string& Fallback() const { return fallback_; }

  // Opens binder `name`, storing the open one first. A missing file opens as an empty binder; a
  // corrupt one is reported, left untouched and nothing is open afterwards.
  BinderError Open(std::string_view name);
  // Stores a dirty binder and closes it.
  BinderError Close();
  // Stores the group into the binder file and removes the working copy.
  BinderError Save();
  // Forgets the open binder without storing it (its file was deleted).
  void Drop();
  // The open binder was renamed (its files went along).
  void Renamed(std::string_view name) { name_ = std::string(name); }

  // Adds the act holding `record`; the binder becomes dirty and its working copy is written.
  BinderError AddAct(const shell::ContentsIndexReader& index, int32_t count, int32_t record, ActRange* added = nullptr,
                     bool* already = nullptr);
  // Removes the act's range and stores the binder at once.
  BinderError RemoveAct(const ActRange& range);

  bool IsOpen() const { return group_ != nullptr; }
  bool IsDirty() const { return dirty_; }
  engine::TopicGroup* Group() const { return group_.get(); }
  const std::string& Name() const { return name_; }
  std::string Path() const;

 private:
  std::string folder_;
  std::string fallback_;
  std::string name_;
  engine::GroupPtr group_;
  bool dirty_ = false;
};

}  // namespace binders
