// SECPersistentTreeNode: an in-memory tree of named nodes holding string key/value pairs, the
// toolkit's storage-neutral form of saved state; SECTreeStore: where a tree is written to and
// read from.
//
// Typed values are kept as text: integers in decimal, booleans as "True"/"False", bytes as pairs
// of capital letters (low four bits first: 0x3C is "MD"). Byte text longer than 250 letters is
// kept in pieces: "<key>_BinCount" holds the number of pieces and "<key>_BinVal<i>" piece i.
// Operations report error bit sets (0 success), named below; Export and Import report TRUE or
// FALSE. A node owns the children it created (AddChild); a node attached with AddChildNode stays
// its creator's, and when it is destroyed first it leaves its parent's list of children.
#pragma once

#include <memory>
#include <vector>

#include "platform/base/collections.h"
#include "platform/base/cstring.h"
#include "platform/base/object.h"
#include "platform/base/win_types.h"

// Error bits of the tree's operations.
inline constexpr UINT SEC_PTREE_ALREADY_INITIALIZED = 1;
inline constexpr UINT SEC_PTREE_NOT_INITIALIZED = 2;
inline constexpr UINT SEC_PTREE_EMPTY_NAME = 4;  // empty name, or a null node
inline constexpr UINT SEC_PTREE_EMPTY_KEY = 8;
inline constexpr UINT SEC_PTREE_KEY_EXISTS = 16;
inline constexpr UINT SEC_PTREE_CHILD_EXISTS = 32;
inline constexpr UINT SEC_PTREE_KEY_NOT_FOUND = 64;
inline constexpr UINT SEC_PTREE_NULL_POINTER = 128;
inline constexpr UINT SEC_PTREE_OTHER_FAILURE = 0xFFFF;

// The longest byte text kept under the key itself.
inline constexpr int SEC_PTREE_BINARY_PIECE = 250;

// A node's place: its own name first, then its parent's, up to the root's.
using SECTreePath = CStringList;

class SECTreeStore {
 public:
  virtual ~SECTreeStore() = default;
  virtual void BeginNode(const SECTreePath& path) = 0;
  virtual void WriteValue(const SECTreePath& path, const CString& key, const CString& value) = 0;
  virtual void EndNode(const SECTreePath& path, const CStringList& child_names) = 0;
  // Fills the node's child names, keys and values (keys and values in step); FALSE when the
  // node cannot be read.
  virtual BOOL ReadNode(const SECTreePath& path, CStringList& child_names, CStringList& keys,
                        CStringList& values) = 0;
};

// One key/value pair of a node.
class SECPersistentTreeValue : public CObject {
 public:
  SECPersistentTreeValue(const CString& key, const CString& value) : m_strKey(key), m_strValue(value) {}
  CString m_strKey;
  CString m_strValue;
};

class SECPersistentTreeNode : public CObject {
  DECLARE_DYNCREATE(SECPersistentTreeNode)

 public:
  SECPersistentTreeNode();
  ~SECPersistentTreeNode() override;
  SECPersistentTreeNode(const SECPersistentTreeNode&) = delete;
  SECPersistentTreeNode& operator=(const SECPersistentTreeNode&) = delete;

  virtual UINT Initialize(const CString& name, SECPersistentTreeNode* parent = nullptr);
  virtual UINT SetInt(const CString& key, int value, BOOL overwrite = TRUE);
  virtual UINT SetString(const CString& key, const CString& value, BOOL overwrite = TRUE);
  virtual UINT SetBool(const CString& key, BOOL value, BOOL overwrite = TRUE);
  virtual UINT SetBinary(const CString& key, const BYTE* bytes, UINT length, BOOL overwrite = TRUE);
  virtual UINT GetString(const CString& key, CString& value, const CString& default_value = CString());
  virtual UINT GetInt(const CString& key, int& value, int default_value = 0);
  virtual UINT GetInt(const CString& key, unsigned int& value, unsigned int default_value = 0);
  virtual UINT GetInt(const CString& key, long& value, long default_value = 0);
  virtual UINT GetInt(const CString& key, unsigned long& value, unsigned long default_value = 0);
  virtual UINT GetBool(const CString& key, BOOL& value, BOOL default_value = FALSE);
  // Decodes the key's bytes into `bytes` (emptied first; the caller owns it) and their count into
  // `length` (may be null).
  virtual UINT GetBinary(const CString& key, std::vector<BYTE>* bytes, UINT* length);
  virtual BOOL Export(SECTreeStore* store);
  virtual BOOL Import(SECTreeStore* store);
  virtual UINT AddChildNode(SECPersistentTreeNode* node);

  // Creates a node of `cls` (a kind of SECPersistentTreeNode; null for this class), owned by this
  // node, and initialises it with `name` under `parent`; null when that fails (nothing is kept).
  SECPersistentTreeNode* AddChild(const CString& name, SECPersistentTreeNode* parent,
                                  const CRuntimeClass* cls = nullptr);
  SECPersistentTreeNode* FindChild(const CString& name) const;
  SECPersistentTreeValue* FindValue(const CString& key) const;
  CString GetName() const { return m_strName; }
  SECPersistentTreeNode* GetParent() const { return m_pParent; }
  BOOL IsInitialized() const { return m_bInitialized; }
  // Children in insertion order and pairs in list order.
  const std::vector<SECPersistentTreeNode*>& GetChildren() const { return m_children; }
  const std::vector<std::unique_ptr<SECPersistentTreeValue>>& GetValues() const { return m_values; }
  // The node's path for a store: its name, then each parent's name up to the root.
  void GetPath(SECTreePath& path) const;

  static CString EncodeBinary(const BYTE* bytes, UINT length);
  // FALSE for an empty text or a letter outside 'A'..'P'; an odd trailing letter is ignored.
  static BOOL DecodeBinary(const CString& text, std::vector<BYTE>& bytes);

 protected:
  // Removes the pair of `key`, when there is one.
  void RemoveValue(const CString& key);
  // Removes every piece "<key>_BinVal<i>" with i from `first` on.
  void RemoveBinaryPieces(const CString& key, int first);

  CString m_strName;
  SECPersistentTreeNode* m_pParent = nullptr;
  std::vector<std::unique_ptr<SECPersistentTreeNode>> m_ownedNodes;
  std::vector<SECPersistentTreeNode*> m_children;
  std::vector<std::unique_ptr<SECPersistentTreeValue>> m_values;
  BOOL m_bInitialized = FALSE;
};
