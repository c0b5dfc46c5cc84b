// The places a work keeps: a visited place (CMvHistoryItem), a bookmark (CMvBookmarkItem, a place
// with a name) and a print-list entry (CMvPrintmarkItem), with the pool of title file names the
// places refer to by index (TitleNamePool).
//
// Stored forms (little-endian; texts as the archive's counted strings):
//   place      WORD version 1, the title file name, DWORD text position, DWORD scroll position,
//              DWORD topic number (the version is read and not checked)
//   bookmark   place, WORD version 1, name, text
//   print-list place, WORD version 1, DWORD kind
#pragma once

#include <cstdint>

#include "engine/medview/viewer.h"
#include "platform/base/archive.h"
#include "platform/base/collections.h"
#include "platform/base/cstring.h"
#include "platform/base/object.h"

namespace title {
struct TitleHandle;
}
class CLumoKALView;

// The process-wide list of title file names. Each distinct name (compared exactly) is stored once
// and keeps its index for the rest of the run.
class TitleNamePool {
 public:
  // The index of the open title's file name, added when new; -1 without a title.
  static int IndexOf(title::TitleHandle* title);
  // The index of `name`, added when new.
  static int IndexOfName(const CString& name);
  // The name at `index`, empty outside the pool.
  static CString NameAt(int index);
  static int GetCount();
  // Empties the pool (at exit).
  static void RemoveAll();
};

// Whether a stored title file name names the open title: the file names without their folders
// (either separator) are compared without regard to case, so works saved with paths of another
// system still find their library.
bool SameTitleFile(const CString& stored, const CString& open);

class CMvHistoryItem : public CObject {
  DECLARE_SERIAL(CMvHistoryItem)

 public:
  CMvHistoryItem() = default;
  CMvHistoryItem(const CMvHistoryItem&) = default;
  CMvHistoryItem& operator=(const CMvHistoryItem&) = default;
  // A place in `title` (the open library title when null).
  CMvHistoryItem(int32_t topic, int32_t position, int32_t scroll, title::TitleHandle* title);
  // The viewer's current place in `title` (the open library title when null).
  CMvHistoryItem(medview::ViewerHandle viewer, title::TitleHandle* title);

  void Serialize(CArchive& ar) override;
  void SetScrollPos(int32_t scroll) { m_nScrollPos = scroll < 0 ? 0 : scroll; }
  // Shows the place through the current work: in the open title when the item's title file is
  // that title (by file name, see SameTitleFile), else by opening the item's title file.
  BOOL ShowInWork() const;
  // Shows the place in `view`: a jump that leaves the history as it is (mode 2) when the item's
  // title is the open one, else the item's title is opened at the place.
  BOOL ShowInView(CLumoKALView* view) const;

  int32_t m_nTopic = 0;
  int32_t m_nTitleIndex = -1;
  int32_t m_nPosition = 0;
  int32_t m_nScrollPos = 0;
};

class CMvBookmarkItem : public CMvHistoryItem {
  DECLARE_SERIAL(CMvBookmarkItem)

 public:
  CMvBookmarkItem() = default;
  CMvBookmarkItem(const CMvBookmarkItem&) = default;
  CMvBookmarkItem& operator=(const CMvBookmarkItem&) = default;
  explicit CMvBookmarkItem(CArchive& ar) { Serialize(ar); }
  CMvBookmarkItem(const CString& name, medview::ViewerHandle viewer, title::TitleHandle* title,
                  const CString& text);

  void Serialize(CArchive& ar) override;

  CString m_strName;
  CString m_strText;
};

class CMvPrintmarkItem : public CMvHistoryItem {
  DECLARE_SERIAL(CMvPrintmarkItem)

 public:
  CMvPrintmarkItem() = default;
  CMvPrintmarkItem(const CMvPrintmarkItem&) = default;
  CMvPrintmarkItem& operator=(const CMvPrintmarkItem&) = default;
  CMvPrintmarkItem(medview::ViewerHandle viewer, title::TitleHandle* title, int32_t kind);

  void Serialize(CArchive& ar) override;

  int32_t m_nKind = 0;
};
