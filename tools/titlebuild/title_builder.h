// The title builder: collects the internal files of a library title and writes them into a new title
// container through the container's authoring interface.
//
// Every writer of a stored format adds its file by name, either as finished bytes (add_file) or as a
// routine that writes the file through the container when the title is written (add_writer, for
// B-trees). Adding a name again replaces the earlier file. Files are written in name order, so the
// same content always gives the same title.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/mvfs/title_file_system.h"

namespace titlebuild {

// Writes the internal file `name` into the container; 0 or a container code.
using InternalFileWriter = std::function<int(mvfs::TitleFileSystem* fs, const std::string& name)>;

class TitleBuilder {
 public:
  void add_file(const std::string& name, std::vector<uint8_t> bytes);
  void add_writer(const std::string& name, InternalFileWriter writer);
  bool has_file(const std::string& name) const { return files_.count(name) != 0; }
  // The bytes of a file added with add_file (empty for unknown names and writer files).
  const std::vector<uint8_t>& file(const std::string& name) const;

  // Creates the title at `path` (replacing an existing file) and writes every file; 0 or the
  // container's code of the first failure.
  int write(const std::string& path) const;

 private:
  struct Entry {
    std::vector<uint8_t> bytes;
    InternalFileWriter writer;
  };
  std::map<std::string, Entry> files_;
};

// Writes `bytes` as the internal file `name`; 0 or the container's code.
int WriteInternalFile(mvfs::TitleFileSystem* fs, const std::string& name, const std::vector<uint8_t>& bytes);

}  // namespace titlebuild
