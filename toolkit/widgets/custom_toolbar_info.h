// The customizable toolbar's own part of a saved bar layout: its title and, per button, the
// command id (0 for a separator) and the button's own bytes (a window button's width). Kept in a
// profile section ("Title", "Buttons"), a persistence-tree node ("ToolBarInfoEx") and the dock
// state's archive. Every form is read as untrusted: records are checked against the bytes there
// are, and a count beyond the limit is refused.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/base/cstring.h"
#include "toolkit/frame/sec_dock_state.h"

class SECPersistentTreeNode;

// One button of a saved toolbar.
struct SECToolBarButtonRecord {
  UINT nID = 0;
  std::vector<BYTE> data;  // at most 255 bytes
  bool operator==(const SECToolBarButtonRecord&) const = default;
};

namespace toolbar_records {

// The most buttons a saved toolbar may hold.
constexpr size_t kMaxButtons = 4096;

// The "Buttons" value: per button 4 bytes of command id (little-endian), 1 byte n, n bytes.
std::vector<BYTE> Pack(const std::vector<SECToolBarButtonRecord>& buttons);
// Splits a "Buttons" value into records; a record cut short by the end of the value ends the
// list (it is dropped) and FALSE is returned, as it is past kMaxButtons records.
BOOL Unpack(const BYTE* bytes, size_t length, std::vector<SECToolBarButtonRecord>& buttons);

}  // namespace toolbar_records

class SECCustomToolBarInfoEx : public SECControlBarInfoEx {
  DECLARE_DYNCREATE(SECCustomToolBarInfoEx)

 public:
  // The archive form: title, 32-bit count, per button 32-bit id, 8-bit n, n bytes. A count past
  // the limit, or bytes that end early, throw CArchiveException.
  void Serialize(CArchive& ar, CDockState* pDockState) override;
  BOOL LoadFromTree(SECPersistentTreeNode* pNode) override;
  BOOL LoadFromProfile(LPCTSTR lpszSection, int nIndex) override;
  virtual BOOL SaveToTree(SECPersistentTreeNode* pNode);
  BOOL SaveToProfile(LPCTSTR lpszSection) override;

  CString m_strTitle;
  std::vector<SECToolBarButtonRecord> m_buttons;
};
