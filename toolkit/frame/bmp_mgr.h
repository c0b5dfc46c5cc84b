// Button images by command id, cut from toolbar strips of the resource store, shared by a toolbar
// manager, its toolbars and the bitmap menus.
//
// Each added toolbar resource becomes an entry holding its strip (and, when large buttons are in
// use, a large strip: its own resource or the small one stretched). Image i of an entry is the cell
// at x = i * image width of its strip. The first resource that names a command gives its image;
// separators (id 0) take no cell.
//
// The manager is reference counted: every holder adds a reference, and the last Release deletes it.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "platform/base/object.h"
#include "platform/gdi/core/afx_gdi.h"

class SECBmpMgr : public CObject {
  DECLARE_DYNAMIC(SECBmpMgr)

 public:
  SECBmpMgr();
  ~SECBmpMgr() override;
  SECBmpMgr(const SECBmpMgr&) = delete;
  SECBmpMgr& operator=(const SECBmpMgr&) = delete;

  // Makes a manager with one reference; release it with Release.
  static SECBmpMgr* CreateShared() { return new SECBmpMgr; }
  void AddRef() { ++m_nRefCount; }
  void Release();
  int GetRefCount() const { return m_nRefCount; }

  // Adds the toolbar resource `nName` (and, when `nLargeName` is not 0, the large strip of that
  // toolbar resource); `bSysColor` recolours the strips to the current 3-D colours. 0 when a
  // resource is missing (nothing is added) or its images cannot be loaded.
  BOOL AddToolBarResource(UINT nName, UINT nLargeName, BOOL bSysColor);
  // The strip holding the image of `nID` and its index there; 0 (outputs untouched) when unmapped.
  // The small strip is given when `bWantSmall` or small-images-only is set.
  BOOL GetImage(UINT nID, HBITMAP& hBitmap, int& nIndex, BOOL bWantSmall) const;
  void SetSmallImagesOnly(BOOL bSmallOnly);
  void SetKeepSmallImages(BOOL bKeep);
  BOOL GetSmallImagesOnly() const { return m_bSmallImagesOnly; }
  // Loads every entry's images again (after a system colour change); always 1.
  BOOL ReloadBitmaps();

  CSize GetSmallImageSize() const { return {m_cxSmall, m_cySmall}; }
  CSize GetLargeImageSize() const { return {m_cxLarge, m_cyLarge}; }
  // The size of the images the toolbars draw.
  CSize GetImageSize() const { return m_bSmallImagesOnly ? GetSmallImageSize() : GetLargeImageSize(); }

 protected:
  struct Entry {
    UINT nSmallName = 0;
    UINT nLargeName = 0;
    CBitmap small;
    CBitmap large;
    int nCount = 0;
    BOOL bSysColor = FALSE;
  };
  struct ImageRef {
    int nEntry;
    int nImage;
  };

  BOOL LoadEntry(Entry& entry);
  BOOL LoadStrip(CBitmap& bitmap, UINT nName, BOOL bSysColor);
  BOOL BuildLargeBitmap(Entry& entry);

  std::map<UINT, ImageRef> m_map;
  std::vector<std::unique_ptr<Entry>> m_entries;
  int m_cxSmall = 16;
  int m_cySmall = 15;
  int m_cxLarge = 22;
  int m_cyLarge = 24;
  BOOL m_bSmallImagesOnly = TRUE;
  BOOL m_bKeepSmallImages = FALSE;
  int m_nRefCount = 1;
};

// Loads the bitmap resource `nName` into `bitmap` with its colour-table entries black, dark grey,
// light grey and white replaced by the button text, shadow, face and highlight colours. Bitmaps of
// more than 8 bits per pixel have no colour table and load unchanged. 0 when the resource is
// missing or malformed.
BOOL SECLoadSysColorBitmap(CBitmap& bitmap, UINT nName);
