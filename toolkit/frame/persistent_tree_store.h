// SECTreeByteStore: a persistent tree written to and read from a block of bytes (a file's
// contents, the caller reads and writes the file).
//
// Bytes (numbers little-endian, texts CP1250):
//   bytes 0-3  "LKPT"
//   bytes 4-5  version, 1
//   bytes 6-7  0
//   DWORD node count, then per node, in the order the nodes were exported:
//     BYTE path length (1 to kMaxTreeDepth), then the path's names (the node's own first, up to
//       the root's), each WORD length + text
//     DWORD pair count, then per pair: WORD key length, key, DWORD value length, value
//     DWORD child count, then per child: WORD name length, name
// The bytes end after the last node. Two nodes of one path, a count beyond the bytes left, an
// empty name or a path longer than kMaxTreeDepth make the whole block unreadable.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "toolkit/frame/persistent_tree.h"

class SECTreeByteStore : public SECTreeStore {
 public:
  static constexpr int kMaxTreeDepth = 64;

  // Replaces the contents with the tree in `bytes`; FALSE (and an empty store) when the bytes
  // are not such a tree.
  BOOL Load(std::span<const uint8_t> bytes);
  std::vector<uint8_t> Save() const;
  void Clear();

  void BeginNode(const SECTreePath& path) override;
  void WriteValue(const SECTreePath& path, const CString& key, const CString& value) override;
  void EndNode(const SECTreePath& path, const CStringList& child_names) override;
  BOOL ReadNode(const SECTreePath& path, CStringList& child_names, CStringList& keys,
                CStringList& values) override;

 private:
  using Path = std::vector<std::string>;
  struct Node {
    std::vector<std::string> keys;
    std::vector<std::string> values;
    std::vector<std::string> children;
  };
  static Path to_path(const SECTreePath& path);

  std::vector<Path> order_;
  std::map<Path, Node> nodes_;
};
