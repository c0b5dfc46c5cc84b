#include "toolkit/frame/bmp_mgr.h"

#include <cstring>
#include <vector>

#include "platform/framework/app.h"
#include "platform/gdi/core/bitmap_api.h"
#include "platform/gdi/core/dib.h"
#include "platform/res/resource_store.h"
#include "platform/win/bitmap_loading.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_api.h"

IMPLEMENT_DYNAMIC(SECBmpMgr, CObject)

namespace {

// A colour-table entry (blue, green, red, 0 from the lowest byte) of a COLORREF (red lowest).
uint32_t table_entry(COLORREF c) {
  return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | uint32_t(GetBValue(c));
}

uint32_t read_u32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }

void write_u32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}

}  // namespace

BOOL SECLoadSysColorBitmap(CBitmap& bitmap, UINT nName) {
  std::span<const uint8_t> resource = res::find_binary(res::BinaryKind::bitmap, nName);
  if (resource.empty()) return FALSE;
  gdi::DibInfo info;
  if (!gdi::read_dib_info(resource, DIB_RGB_COLORS, {}, info)) return FALSE;
  std::vector<uint8_t> copy(resource.begin(), resource.end());
  // The table holds the used-colour count of entries (read_dib_info checked it lies within the
  // resource); above 8 bits per pixel there is none to recolour.
  if (info.header.biBitCount <= 8) {
    const struct {
      uint32_t key;
      int colour;
    } keys[] = {{0x000000, COLOR_BTNTEXT}, {0x808080, COLOR_BTNSHADOW}, {0xC0C0C0, COLOR_BTNFACE}, {0xFFFFFF, COLOR_BTNHIGHLIGHT}};
    uint8_t* table = copy.data() + info.header.biSize;
    for (size_t i = 0; i < info.colours.size(); ++i) {
      uint8_t* entry = table + 4 * i;
      uint32_t value = read_u32(entry) & 0x00FFFFFF;
      for (const auto& k : keys) {
        if (value == k.key) {
          write_u32(entry, table_entry(GetSysColor(k.colour)));
          break;
        }
      }
    }
  }
  if (copy.size() < info.info_size) return FALSE;
  const auto* bmi = reinterpret_cast<const BITMAPINFO*>(copy.data());
  HBITMAP made = CreateDIBitmap(nullptr, &bmi->bmiHeader, CBM_INIT, copy.data() + info.info_size, bmi, DIB_RGB_COLORS);
  if (!made) return FALSE;
  bitmap.DeleteObject();
  return bitmap.Attach(made);
}

SECBmpMgr::SECBmpMgr() = default;

SECBmpMgr::~SECBmpMgr() = default;

void SECBmpMgr::Release() {
  if (--m_nRefCount == 0) delete this;
}

BOOL SECBmpMgr::AddToolBarResource(UINT nName, UINT nLargeName, BOOL bSysColor) {
  const res::ToolBarResource* toolbar = res::find_toolbar(nName);
  if (!toolbar || toolbar->button_width <= 0 || toolbar->button_height <= 0) return FALSE;
  const res::ToolBarResource* large = nLargeName ? res::find_toolbar(nLargeName) : nullptr;
  if (nLargeName && (!large || large->button_width <= 0 || large->button_height <= 0)) return FALSE;
  if (m_entries.empty()) {
    m_cxSmall = toolbar->button_width;
    m_cySmall = toolbar->button_height;
    if (large) {
      m_cxLarge = large->button_width;
      m_cyLarge = large->button_height;
    }
  }
  auto entry = std::make_unique<Entry>();
  entry->nSmallName = nName;
  entry->nLargeName = nLargeName;
  entry->bSysColor = bSysColor;
  const int nEntry = int(m_entries.size());
  int nImage = 0;
  for (UINT id : toolbar->commands) {
    if (id == 0) continue;
    m_map.try_emplace(id, ImageRef{nEntry, nImage});
    ++nImage;
  }
  entry->nCount = nImage;
  m_entries.push_back(std::move(entry));
  return LoadEntry(*m_entries.back());
}

BOOL SECBmpMgr::GetImage(UINT nID, HBITMAP& hBitmap, int& nIndex, BOOL bWantSmall) const {
  auto it = m_map.find(nID);
  if (it == m_map.end()) return FALSE;
  const Entry& entry = *m_entries[size_t(it->second.nEntry)];
  hBitmap = (bWantSmall || m_bSmallImagesOnly) ? HBITMAP(entry.small) : HBITMAP(entry.large);
  nIndex = it->second.nImage;
  return TRUE;
}

void SECBmpMgr::SetSmallImagesOnly(BOOL bSmallOnly) {
  bSmallOnly = bSmallOnly ? TRUE : FALSE;
  if (bSmallOnly == m_bSmallImagesOnly) return;
  m_bSmallImagesOnly = bSmallOnly;
  ReloadBitmaps();
}

void SECBmpMgr::SetKeepSmallImages(BOOL bKeep) {
  bKeep = bKeep ? TRUE : FALSE;
  if (bKeep == m_bKeepSmallImages) return;
  m_bKeepSmallImages = bKeep;
  ReloadBitmaps();
}

BOOL SECBmpMgr::ReloadBitmaps() {
  for (auto& entry : m_entries) LoadEntry(*entry);
  return TRUE;
}

BOOL SECBmpMgr::LoadStrip(CBitmap& bitmap, UINT nName, BOOL bSysColor) {
  if (bSysColor) return SECLoadSysColorBitmap(bitmap, nName);
  HBITMAP loaded = ::LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(int(nName)));
  if (!loaded) return FALSE;
  bitmap.DeleteObject();
  return bitmap.Attach(loaded);
}

BOOL SECBmpMgr::LoadEntry(Entry& entry) {
  if (m_bSmallImagesOnly || m_bKeepSmallImages) {
    if (entry.large.GetSafeHandle() && m_bSmallImagesOnly && !m_bKeepSmallImages) entry.large.DeleteObject();
    if (!LoadStrip(entry.small, entry.nSmallName, entry.bSysColor)) return FALSE;
  }
  if (m_bSmallImagesOnly) return TRUE;
  if (!m_bKeepSmallImages) entry.small.DeleteObject();
  return BuildLargeBitmap(entry);
}

BOOL SECBmpMgr::BuildLargeBitmap(Entry& entry) {
  if (entry.nLargeName) return LoadStrip(entry.large, entry.nLargeName, entry.bSysColor);
  const bool loadedHere = !entry.small.GetSafeHandle();
  if (loadedHere && !LoadStrip(entry.small, entry.nSmallName, entry.bSysColor)) return FALSE;
  BOOL ok = FALSE;
  {
    CDC source, target;
    source.CreateCompatibleDC(nullptr);
    target.CreateCompatibleDC(nullptr);
    CBitmap large;
    const int count = entry.nCount > 0 ? entry.nCount : 1;
    if (large.CreateBitmap(m_cxLarge * count, m_cyLarge, 1, 32, nullptr)) {
      CGdiObject* oldSource = source.SelectObject(&entry.small);
      CGdiObject* oldTarget = target.SelectObject(&large);
      for (int i = 0; i < entry.nCount; ++i) {
        target.StretchBlt(i * m_cxLarge, 0, m_cxLarge, m_cyLarge, &source, i * m_cxSmall, 0, m_cxSmall, m_cySmall, SRCCOPY);
      }
      source.SelectObject(oldSource);
      target.SelectObject(oldTarget);
      entry.large.DeleteObject();
      entry.large.Attach(large.Detach());
      ok = TRUE;
    }
    source.DeleteDC();
    target.DeleteDC();
  }
  if (loadedHere) entry.small.DeleteObject();
  return ok;
}
