#include "toolkit/frame/persistent_tree.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <limits>
#include <string>
#include <utility>

IMPLEMENT_DYNCREATE(SECPersistentTreeNode, CObject)

namespace {

const char kBinCount[] = "_BinCount";
const char kBinVal[] = "_BinVal";

CString piece_key(const CString& key, int index) { return key + kBinVal + CString(std::to_string(index)); }

// The index of a piece name "<key>_BinVal<i>" (as piece_key writes it), or -1 for other names.
int piece_index(const CString& key, const CString& name) {
  std::string prefix = key.str() + kBinVal;
  const std::string& n = name.str();
  if (n.size() <= prefix.size() || n.size() > prefix.size() + 9 || n.compare(0, prefix.size(), prefix) != 0)
    return -1;
  std::string digits = n.substr(prefix.size());
  if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) return -1;
  if (digits.size() > 1 && digits[0] == '0') return -1;
  return std::stoi(digits);
}

// The C library's decimal reading of a stored number, held to the range of the result type
// instead of overflowing; text that is not a number reads as 0.
template <typename T>
T to_number(const CString& text) {
  errno = 0;
  long long v = std::strtoll(text.GetString(), nullptr, 10);
  if constexpr (std::is_signed_v<T>) {
    return T(std::clamp<long long>(v, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
  } else {
    // As the C library does for unsigned results, a negative number wraps.
    return T(v);
  }
}

}  // namespace

SECPersistentTreeNode::SECPersistentTreeNode() = default;

// Parent and child links are not owning both ways (an attached node belongs to its creator), so
// a node that goes away takes itself out of its parent's children and out of its children's
// parent link: neither is left pointing at freed memory.
SECPersistentTreeNode::~SECPersistentTreeNode() {
  for (SECPersistentTreeNode* child : m_children)
    if (child->m_pParent == this) child->m_pParent = nullptr;
  if (m_pParent) std::erase(m_pParent->m_children, this);
}

UINT SECPersistentTreeNode::Initialize(const CString& name, SECPersistentTreeNode* parent) {
  UINT error = (m_bInitialized ? SEC_PTREE_ALREADY_INITIALIZED : 0) | (name.IsEmpty() ? SEC_PTREE_EMPTY_NAME : 0);
  if (error) return error;
  m_strName = name;
  m_pParent = parent;
  if (parent) {
    UINT refused = parent->AddChildNode(this);
    if (refused & SEC_PTREE_CHILD_EXISTS) return SEC_PTREE_CHILD_EXISTS;
    if (refused) return SEC_PTREE_OTHER_FAILURE;
  }
  m_bInitialized = TRUE;
  return 0;
}

UINT SECPersistentTreeNode::AddChildNode(SECPersistentTreeNode* node) {
  UINT error = (m_bInitialized ? 0 : SEC_PTREE_NOT_INITIALIZED) | (node ? 0 : SEC_PTREE_EMPTY_NAME);
  if (node && FindChild(node->m_strName)) error |= SEC_PTREE_CHILD_EXISTS;
  if (error) return error;
  m_children.push_back(node);
  return 0;
}

SECPersistentTreeNode* SECPersistentTreeNode::AddChild(const CString& name, SECPersistentTreeNode* parent,
                                                       const CRuntimeClass* cls) {
  if (!cls) cls = RUNTIME_CLASS(SECPersistentTreeNode);
  if (!cls->IsDerivedFrom(RUNTIME_CLASS(SECPersistentTreeNode))) return nullptr;
  std::unique_ptr<CObject> made = cls->CreateObject();
  if (!made) return nullptr;
  std::unique_ptr<SECPersistentTreeNode> node(static_cast<SECPersistentTreeNode*>(made.release()));
  if (node->Initialize(name, parent) != 0) return nullptr;
  m_ownedNodes.push_back(std::move(node));
  return m_ownedNodes.back().get();
}

SECPersistentTreeNode* SECPersistentTreeNode::FindChild(const CString& name) const {
  if (name.IsEmpty()) return nullptr;
  auto it = std::find_if(m_children.begin(), m_children.end(),
                         [&](const SECPersistentTreeNode* n) { return n->m_strName == name; });
  return it == m_children.end() ? nullptr : *it;
}

SECPersistentTreeValue* SECPersistentTreeNode::FindValue(const CString& key) const {
  if (key.IsEmpty()) return nullptr;
  auto it = std::find_if(m_values.begin(), m_values.end(), [&](const auto& v) { return v->m_strKey == key; });
  return it == m_values.end() ? nullptr : it->get();
}

void SECPersistentTreeNode::GetPath(SECTreePath& path) const {
  path.RemoveAll();
  for (const SECPersistentTreeNode* n = this; n; n = n->m_pParent) path.AddTail(n->m_strName);
}

UINT SECPersistentTreeNode::SetString(const CString& key, const CString& value, BOOL overwrite) {
  SECPersistentTreeValue* existing = FindValue(key);
  UINT error = (m_bInitialized ? 0 : SEC_PTREE_NOT_INITIALIZED) | (key.IsEmpty() ? SEC_PTREE_EMPTY_KEY : 0) |
               (existing && !overwrite ? SEC_PTREE_KEY_EXISTS : 0);
  if (error) return error;
  if (existing) {
    existing->m_strValue = value;
  } else {
    m_values.push_back(std::make_unique<SECPersistentTreeValue>(key, value));
  }
  return 0;
}

UINT SECPersistentTreeNode::SetInt(const CString& key, int value, BOOL overwrite) {
  return SetString(key, CString(std::to_string(value)), overwrite);
}

UINT SECPersistentTreeNode::SetBool(const CString& key, BOOL value, BOOL overwrite) {
  return SetString(key, CString(value ? "True" : "False"), overwrite);
}

void SECPersistentTreeNode::RemoveValue(const CString& key) {
  std::erase_if(m_values, [&](const auto& v) { return v->m_strKey == key; });
}

void SECPersistentTreeNode::RemoveBinaryPieces(const CString& key, int first) {
  std::erase_if(m_values, [&](const auto& v) { return piece_index(key, v->m_strKey) >= first; });
}

UINT SECPersistentTreeNode::SetBinary(const CString& key, const BYTE* bytes, UINT length, BOOL overwrite) {
  if (!bytes) return SEC_PTREE_NULL_POINTER;
  CString text = EncodeBinary(bytes, length);
  if (text.GetLength() <= SEC_PTREE_BINARY_PIECE) {
    UINT error = SetString(key, text, overwrite);
    // A longer value stored before in pieces would otherwise still be read instead of this one.
    if (error == 0) {
      RemoveValue(key + kBinCount);
      RemoveBinaryPieces(key, 0);
    }
    return error;
  }
  int pieces = (text.GetLength() + SEC_PTREE_BINARY_PIECE - 1) / SEC_PTREE_BINARY_PIECE;
  if (UINT error = SetInt(key + kBinCount, pieces, TRUE)) return error;
  for (int i = 0; i < pieces; ++i)
    SetString(piece_key(key, i), text.Mid(i * SEC_PTREE_BINARY_PIECE, SEC_PTREE_BINARY_PIECE), TRUE);
  // Pieces of a longer earlier value, and an earlier short value, must not outlive this one.
  RemoveBinaryPieces(key, pieces);
  RemoveValue(key);
  return 0;
}

UINT SECPersistentTreeNode::GetString(const CString& key, CString& value, const CString& default_value) {
  value = default_value;
  SECPersistentTreeValue* found = FindValue(key);
  if (!found) return SEC_PTREE_KEY_NOT_FOUND;
  value = found->m_strValue;
  return 0;
}

// The four integer reads share one form: the default first, then the stored text as a number.
#define LUMO_PTREE_GET_INT(T)                                                      \
  UINT SECPersistentTreeNode::GetInt(const CString& key, T& value, T default_value) { \
    value = default_value;                                                         \
    CString text;                                                                  \
    UINT error = GetString(key, text);                                             \
    if (error == 0) value = to_number<T>(text);                                    \
    return error;                                                                  \
  }
LUMO_PTREE_GET_INT(int)
LUMO_PTREE_GET_INT(unsigned int)
LUMO_PTREE_GET_INT(long)
LUMO_PTREE_GET_INT(unsigned long)
#undef LUMO_PTREE_GET_INT

UINT SECPersistentTreeNode::GetBool(const CString& key, BOOL& value, BOOL default_value) {
  value = default_value;
  CString text;
  UINT error = GetString(key, text);
  if (error == 0) {
    text.MakeUpper();
    value = text == "TRUE";
  }
  return error;
}

UINT SECPersistentTreeNode::GetBinary(const CString& key, std::vector<BYTE>* bytes, UINT* length) {
  if (!bytes) return SEC_PTREE_NULL_POINTER;
  CString text;
  if (SECPersistentTreeValue* count_value = FindValue(key + kBinCount)) {
    // Pieces 0 up to count - 1 in order, a missing one skipped. Collected in one pass over the
    // pairs, so that a huge stored count costs nothing.
    int count = to_number<int>(count_value->m_strValue);
    std::vector<std::pair<int, const CString*>> pieces;
    for (const auto& v : m_values)
      if (int index = piece_index(key, v->m_strKey); index >= 0 && index < count)
        pieces.emplace_back(index, &v->m_strValue);
    std::sort(pieces.begin(), pieces.end());
    for (const auto& piece : pieces) text += *piece.second;
  } else if (UINT error = GetString(key, text)) {
    return error;
  }
  bytes->clear();
  if (length) *length = 0;
  if (!DecodeBinary(text, *bytes)) return SEC_PTREE_OTHER_FAILURE;
  if (length) *length = UINT(bytes->size());
  return 0;
}

CString SECPersistentTreeNode::EncodeBinary(const BYTE* bytes, UINT length) {
  std::string text;
  text.reserve(size_t(length) * 2);
  for (UINT i = 0; i < length; ++i) {
    text += char('A' + (bytes[i] & 0x0F));
    text += char('A' + (bytes[i] >> 4));
  }
  return CString(std::move(text));
}

BOOL SECPersistentTreeNode::DecodeBinary(const CString& text, std::vector<BYTE>& bytes) {
  bytes.clear();
  const std::string& t = text.str();
  if (t.empty()) return FALSE;
  for (size_t i = 0; i + 1 < t.size(); i += 2) {
    int low = t[i] - 'A', high = t[i + 1] - 'A';
    if (low < 0 || low > 15 || high < 0 || high > 15) {
      bytes.clear();
      return FALSE;
    }
    bytes.push_back(BYTE(high * 16 + low));
  }
  return TRUE;
}

BOOL SECPersistentTreeNode::Export(SECTreeStore* store) {
  if (!m_bInitialized || !store) return FALSE;
  SECTreePath path;
  GetPath(path);
  store->BeginNode(path);
  for (const auto& v : m_values) store->WriteValue(path, v->m_strKey, v->m_strValue);
  CStringList names;
  for (const SECPersistentTreeNode* child : m_children) names.AddTail(child->m_strName);
  store->EndNode(path, names);
  BOOL all = TRUE;
  for (SECPersistentTreeNode* child : m_children)
    if (!child->Export(store)) all = FALSE;
  return all;
}

BOOL SECPersistentTreeNode::Import(SECTreeStore* store) {
  if (!m_bInitialized || !store) return FALSE;
  SECTreePath path;
  GetPath(path);
  CStringList names, keys, values;
  if (!store->ReadNode(path, names, keys, values)) return FALSE;
  POSITION k = keys.GetHeadPosition();
  POSITION v = values.GetHeadPosition();
  while (k && v) {
    const CString& key = keys.GetNext(k);
    SetString(key, values.GetNext(v), TRUE);
  }
  for (POSITION n = names.GetHeadPosition(); n;) {
    if (SECPersistentTreeNode* child = AddChild(names.GetNext(n), this)) child->Import(store);
  }
  return TRUE;
}
