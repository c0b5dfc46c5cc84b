#include "shell/work_items.h"

#include <cctype>

#include "engine/frame/scrolling.h"
#include "engine/frame/topic_layout.h"
#include "engine/medview/engine_titles.h"
#include "platform/base/cp1250.h"
#include "shell/library_title.h"
#include "shell/lumo_kal_doc.h"
#include "shell/view/lumo_kal_view.h"

IMPLEMENT_SERIAL(CMvHistoryItem, CObject, 1)
IMPLEMENT_SERIAL(CMvBookmarkItem, CMvHistoryItem, 1)
IMPLEMENT_SERIAL(CMvPrintmarkItem, CMvHistoryItem, 1)

namespace {

constexpr uint16_t kItemVersion = 1;

CStringArray& Pool() {
  static CStringArray pool;
  return pool;
}

std::string_view BaseName(std::string_view path) {
  const size_t cut = path.find_last_of("/\\");
  return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

}  // namespace

int TitleNamePool::IndexOf(title::TitleHandle* title) {
  if (!title) return -1;
  char name[260] = {};
  if (medview::MvGetTitleInfo(title, 106, sizeof name, name, sizeof name) <= 0) name[0] = '\0';
  name[sizeof name - 1] = '\0';
  return IndexOfName(CString(base::cp1250::from_utf8(name)));
}

int TitleNamePool::IndexOfName(const CString& name) {
  CStringArray& pool = Pool();
  for (int i = 0; i < int(pool.GetSize()); ++i) {
    if (pool[i] == name) return i;
  }
  return int(pool.Add(name));
}

CString TitleNamePool::NameAt(int index) {
  const CStringArray& pool = Pool();
  return index >= 0 && index < int(pool.GetSize()) ? pool[index] : CString();
}

int TitleNamePool::GetCount() { return int(Pool().GetSize()); }

void TitleNamePool::RemoveAll() { Pool().RemoveAll(); }

bool SameTitleFile(const CString& stored, const CString& open) {
  const std::string_view a = BaseName(stored.view()), b = BaseName(open.view());
  if (a.empty() || a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

// --- Places --------------------------------------------------------------------------------------

CMvHistoryItem::CMvHistoryItem(int32_t topic, int32_t position, int32_t scroll, title::TitleHandle* title)
    : m_nTopic(topic), m_nTitleIndex(TitleNamePool::IndexOf(title ? title : LibraryTitle())),
      m_nPosition(position) {
  SetScrollPos(scroll);
}

CMvHistoryItem::CMvHistoryItem(medview::ViewerHandle viewer, title::TitleHandle* title) {
  if (!title) title = LibraryTitle();
  m_nTitleIndex = TitleNamePool::IndexOf(title);
  if (!viewer) return;
  m_nTopic = frame::MvGetCurrentTopic(viewer);
  m_nPosition = medview::MvTopicNumberToPosition(title, m_nTopic);
  SetScrollPos(medview::MvGetVerticalThumb(viewer));
}

BOOL CMvHistoryItem::ShowInWork() const {
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  if (!work) return FALSE;
  const CString name = TitleNamePool::NameAt(m_nTitleIndex);
  title::TitleHandle* open = LibraryTitle();
  if (open && SameTitleFile(name, TitleNamePool::NameAt(TitleNamePool::IndexOf(open)))) {
    return work->OpenTopic(m_nTopic, 2, m_nScrollPos);
  }
  return work->OpenTitleAt(name, m_nPosition, 2) != nullptr;
}

BOOL CMvHistoryItem::ShowInView(CLumoKALView* view) const {
  if (!view) return FALSE;
  const CString name = TitleNamePool::NameAt(m_nTitleIndex);
  title::TitleHandle* open = LibraryTitle();
  if (open && (m_nTitleIndex < 0 || SameTitleFile(name, TitleNamePool::NameAt(TitleNamePool::IndexOf(open))))) {
    return view->JumpTo(m_nPosition, 2, m_nScrollPos);
  }
  CLumoKALDoc* work = view->GetWork();
  return work && work->OpenTitleAt(name, m_nPosition, 2) != nullptr;
}

void CMvHistoryItem::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << kItemVersion << TitleNamePool::NameAt(m_nTitleIndex) << m_nPosition << m_nScrollPos << m_nTopic;
  } else {
    uint16_t version = 0;
    CString name;
    ar >> version >> name >> m_nPosition >> m_nScrollPos >> m_nTopic;
    m_nTitleIndex = TitleNamePool::IndexOfName(name);
    SetScrollPos(m_nScrollPos);
  }
}

CMvBookmarkItem::CMvBookmarkItem(const CString& name, medview::ViewerHandle viewer, title::TitleHandle* title,
                                 const CString& text)
    : CMvHistoryItem(viewer, title), m_strName(name), m_strText(text) {}

void CMvBookmarkItem::Serialize(CArchive& ar) {
  CMvHistoryItem::Serialize(ar);
  if (ar.IsStoring()) {
    ar << kItemVersion << m_strName << m_strText;
  } else {
    uint16_t version = 0;
    ar >> version >> m_strName >> m_strText;
  }
}

CMvPrintmarkItem::CMvPrintmarkItem(medview::ViewerHandle viewer, title::TitleHandle* title, int32_t kind)
    : CMvHistoryItem(viewer, title), m_nKind(kind) {}

void CMvPrintmarkItem::Serialize(CArchive& ar) {
  CMvHistoryItem::Serialize(ar);
  if (ar.IsStoring()) {
    ar << kItemVersion << m_nKind;
  } else {
    uint16_t version = 0;
    ar >> version >> m_nKind;
  }
}
