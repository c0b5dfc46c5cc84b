#include "toolkit/widgets/custom_toolbar_info.h"

#include <algorithm>

#include "platform/base/archive.h"
#include "platform/base/profile.h"
#include "toolkit/frame/persistent_tree.h"

IMPLEMENT_DYNCREATE(SECCustomToolBarInfoEx, SECControlBarInfoEx)

namespace toolbar_records {

std::vector<BYTE> Pack(const std::vector<SECToolBarButtonRecord>& buttons) {
  std::vector<BYTE> out;
  for (const SECToolBarButtonRecord& b : buttons) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(BYTE((b.nID >> shift) & 0xFF));
    const size_t n = std::min<size_t>(b.data.size(), 255);
    out.push_back(BYTE(n));
    out.insert(out.end(), b.data.begin(), b.data.begin() + std::ptrdiff_t(n));
  }
  return out;
}

BOOL Unpack(const BYTE* bytes, size_t length, std::vector<SECToolBarButtonRecord>& buttons) {
  buttons.clear();
  size_t at = 0;
  while (at < length) {
    if (buttons.size() >= kMaxButtons || length - at < 5) return FALSE;
    SECToolBarButtonRecord b;
    b.nID = UINT(bytes[at]) | UINT(bytes[at + 1]) << 8 | UINT(bytes[at + 2]) << 16 | UINT(bytes[at + 3]) << 24;
    const size_t n = bytes[at + 4];
    at += 5;
    if (length - at < n) return FALSE;
    b.data.assign(bytes + at, bytes + at + n);
    at += n;
    buttons.push_back(std::move(b));
  }
  return TRUE;
}

}  // namespace toolbar_records

void SECCustomToolBarInfoEx::Serialize(CArchive& ar, CDockState*) {
  if (ar.IsStoring()) {
    ar << m_strTitle << uint32_t(m_buttons.size());
    for (const SECToolBarButtonRecord& b : m_buttons) {
      const size_t n = std::min<size_t>(b.data.size(), 255);
      ar << uint32_t(b.nID) << uint8_t(n);
      if (n) ar.Write(b.data.data(), n);
    }
    return;
  }
  CString title;
  uint32_t count = 0;
  ar >> title >> count;
  if (count > toolbar_records::kMaxButtons) throw CArchiveException(CArchiveException::endOfFile);
  std::vector<SECToolBarButtonRecord> buttons;
  for (uint32_t i = 0; i < count; ++i) {
    SECToolBarButtonRecord b;
    uint32_t id = 0;
    uint8_t n = 0;
    ar >> id >> n;
    b.nID = id;
    b.data.resize(n);
    if (n && ar.Read(b.data.data(), n) != n) throw CArchiveException(CArchiveException::endOfFile);
    buttons.push_back(std::move(b));
  }
  m_strTitle = title;
  m_buttons = std::move(buttons);
}

BOOL SECCustomToolBarInfoEx::LoadFromProfile(LPCTSTR lpszSection, int) {
  const base::Profile& profile = base::Profile::app();
  m_strTitle = profile.GetProfileString(lpszSection, "Title");
  std::vector<uint8_t> bytes;
  m_buttons.clear();
  if (profile.GetProfileBinary(lpszSection, "Buttons", bytes)) {
    toolbar_records::Unpack(bytes.data(), bytes.size(), m_buttons);
  }
  return TRUE;
}

BOOL SECCustomToolBarInfoEx::SaveToProfile(LPCTSTR lpszSection) {
  base::Profile& profile = base::Profile::app();
  if (!m_strTitle.IsEmpty()) profile.WriteProfileString(lpszSection, "Title", m_strTitle);
  const std::vector<BYTE> bytes = toolbar_records::Pack(m_buttons);
  profile.WriteProfileBinary(lpszSection, "Buttons", bytes.data(), bytes.size());
  return TRUE;
}

BOOL SECCustomToolBarInfoEx::LoadFromTree(SECPersistentTreeNode* pNode) {
  SECPersistentTreeNode* node = pNode ? pNode->FindChild("ToolBarInfoEx") : nullptr;
  if (!node) return FALSE;
  node->GetString("Title", m_strTitle);
  std::vector<BYTE> bytes;
  m_buttons.clear();
  UINT length = 0;
  if (node->GetBinary("Buttons", &bytes, &length) == 0) {
    toolbar_records::Unpack(bytes.data(), std::min<size_t>(length, bytes.size()), m_buttons);
  }
  return TRUE;
}

BOOL SECCustomToolBarInfoEx::SaveToTree(SECPersistentTreeNode* pNode) {
  if (!pNode) return FALSE;
  SECPersistentTreeNode* node = pNode->FindChild("ToolBarInfoEx");
  if (!node) node = pNode->AddChild("ToolBarInfoEx", pNode);
  if (!node) return FALSE;
  node->SetString("Title", m_strTitle);
  const std::vector<BYTE> bytes = toolbar_records::Pack(m_buttons);
  node->SetBinary("Buttons", bytes.data(), UINT(bytes.size()));
  return TRUE;
}
