#include "toolkit/frame/persistent_tree_store.h"

#include <cstring>

#include "platform/base/byte_io.h"

namespace {

constexpr uint8_t kMagic[4] = {'L', 'K', 'P', 'T'};
constexpr uint16_t kVersion = 1;

bool read_text16(base::ByteReader& r, std::string& out) {
  uint16_t n = r.u16();
  std::span<const uint8_t> bytes;
  if (!r.view(n, bytes)) return false;
  out.assign(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return true;
}

bool read_text32(base::ByteReader& r, std::string& out) {
  uint32_t n = r.u32();
  std::span<const uint8_t> bytes;
  if (!r.ok() || !r.view(n, bytes)) return false;
  out.assign(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return true;
}

void write_text16(base::ByteWriter& w, const std::string& s) {
  w.u16(uint16_t(s.size()));
  w.bytes(s.data(), s.size());
}

}  // namespace

SECTreeByteStore::Path SECTreeByteStore::to_path(const SECTreePath& path) {
  Path p;
  for (POSITION pos = path.GetHeadPosition(); pos;) p.push_back(path.GetNext(pos).str());
  return p;
}

void SECTreeByteStore::Clear() {
  order_.clear();
  nodes_.clear();
}

void SECTreeByteStore::BeginNode(const SECTreePath& path) {
  Path p = to_path(path);
  auto [it, inserted] = nodes_.try_emplace(p);
  if (inserted) {
    order_.push_back(std::move(p));
  } else {
    it->second = Node{};
  }
}

void SECTreeByteStore::WriteValue(const SECTreePath& path, const CString& key, const CString& value) {
  auto it = nodes_.find(to_path(path));
  if (it == nodes_.end()) return;
  it->second.keys.push_back(key.str());
  it->second.values.push_back(value.str());
}

void SECTreeByteStore::EndNode(const SECTreePath& path, const CStringList& child_names) {
  auto it = nodes_.find(to_path(path));
  if (it == nodes_.end()) return;
  for (POSITION pos = child_names.GetHeadPosition(); pos;) it->second.children.push_back(child_names.GetNext(pos).str());
}

BOOL SECTreeByteStore::ReadNode(const SECTreePath& path, CStringList& child_names, CStringList& keys,
                                CStringList& values) {
  auto it = nodes_.find(to_path(path));
  if (it == nodes_.end()) return FALSE;
  child_names.RemoveAll();
  keys.RemoveAll();
  values.RemoveAll();
  for (const auto& c : it->second.children) child_names.AddTail(CString(c));
  for (const auto& k : it->second.keys) keys.AddTail(CString(k));
  for (const auto& v : it->second.values) values.AddTail(CString(v));
  return TRUE;
}

std::vector<uint8_t> SECTreeByteStore::Save() const {
  std::vector<uint8_t> out;
  base::ByteWriter w(out);
  w.bytes(kMagic, sizeof kMagic);
  w.u16(kVersion);
  w.u16(0);
  w.u32(uint32_t(order_.size()));
  for (const Path& p : order_) {
    const Node& node = nodes_.at(p);
    w.u8(uint8_t(p.size()));
    for (const auto& name : p) write_text16(w, name);
    w.u32(uint32_t(node.keys.size()));
    for (size_t i = 0; i < node.keys.size(); ++i) {
      write_text16(w, node.keys[i]);
      w.u32(uint32_t(node.values[i].size()));
      w.bytes(node.values[i].data(), node.values[i].size());
    }
    w.u32(uint32_t(node.children.size()));
    for (const auto& c : node.children) write_text16(w, c);
  }
  return out;
}

BOOL SECTreeByteStore::Load(std::span<const uint8_t> bytes) {
  Clear();
  base::ByteReader r(bytes);
  uint8_t magic[4];
  if (!r.bytes(magic, 4) || std::memcmp(magic, kMagic, 4) != 0 || r.u16() != kVersion || r.u16() != 0)
    return FALSE;
  uint32_t node_count = r.u32();
  if (!r.ok() || node_count > r.remaining()) return FALSE;
  bool good = true;
  for (uint32_t i = 0; good && i < node_count; ++i) {
    uint8_t depth = r.u8();
    good = r.ok() && depth >= 1 && depth <= kMaxTreeDepth;
    Path p(good ? depth : 0);
    for (auto& name : p) good = good && read_text16(r, name) && !name.empty();
    Node node;
    uint32_t pairs = r.u32();
    good = good && r.ok() && pairs <= r.remaining();
    for (uint32_t k = 0; good && k < pairs; ++k) {
      std::string key, value;
      good = read_text16(r, key) && read_text32(r, value);
      node.keys.push_back(std::move(key));
      node.values.push_back(std::move(value));
    }
    uint32_t children = r.u32();
    good = good && r.ok() && children <= r.remaining();
    for (uint32_t c = 0; good && c < children; ++c) {
      std::string name;
      good = read_text16(r, name);
      node.children.push_back(std::move(name));
    }
    if (good) {
      good = nodes_.try_emplace(p, std::move(node)).second;
      order_.push_back(std::move(p));
    }
  }
  if (!good || !r.ok() || !r.at_end()) {
    Clear();
    return FALSE;
  }
  return TRUE;
}
