#include "navigation/topic_ole.h"

#include <string>
#include <vector>

#include "engine/frame/clipboard_render.h"
#include "navigation/bookmark_tab.h"
#include "navigation/custom_tab.h"
#include "navigation/du_tab.h"
#include "navigation/nav_commands.h"
#include "navigation/topic_citation.h"
#include "platform/base/cp1250.h"
#include "platform/framework/app.h"
#include "platform/shell/clipboard.h"
#include "platform/win/virtual_keys.h"
#include "shell/lumo_app.h"
#include "shell/lumo_kal_doc.h"
#include "shell/main_frame.h"
#include "shell/view/lumo_kal_view.h"
#include "shell/view/mv_dummy.h"

namespace {

constexpr UINT kCopyCursor = 303;
constexpr UINT kMoveCursor = 309;
constexpr UINT kLinkCursor = 304;

const shell::ContentsIndexReader* Catalog() {
  auto* app = dynamic_cast<CLumoApp*>(AfxGetApp());
  return app ? &app->GetCatalog() : nullptr;
}

CRect ScreenRect(CWnd* window) {
  CRect rect;
  if (window && window->m_hWnd) window->GetWindowRect(&rect);
  return rect;
}

// The main window's sheet area (the client area the bars leave free) on the screen.
CRect SheetArea() {
  auto* main = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
  if (!main || !main->m_hWndMDIClient) return {};
  CRect rect;
  ::GetWindowRect(main->m_hWndMDIClient, &rect);
  return rect;
}

}  // namespace

// --- Data and drop sources ------------------------------------------------------------------------

CTopicOleDataSource::~CTopicOleDataSource() = default;

BOOL CTopicOleDropSource::OnBeginDrag(CWnd* pWnd) {
  if (!m_bLoaded) {
    CWinApp* app = AfxGetApp();
    if (app) {
      m_hCopy = app->LoadCursor(kCopyCursor);
      m_hMove = app->LoadCursor(kMoveCursor);
      m_hLink = app->LoadCursor(kLinkCursor);
    }
    m_bLoaded = TRUE;
  }
  return COleDropSource::OnBeginDrag(pWnd);
}

SCODE CTopicOleDropSource::GiveFeedback(DROPEFFECT dropEffect) {
  HCURSOR cursor = nullptr;
  switch (dropEffect & ~DROPEFFECT_SCROLL) {
    case DROPEFFECT_COPY: cursor = m_hCopy; break;
    case DROPEFFECT_MOVE: cursor = m_hMove; break;
    case DROPEFFECT_LINK: cursor = m_hLink; break;
    default: break;
  }
  if (!cursor) return COleDropSource::GiveFeedback(dropEffect);
  ::SetCursor(cursor);
  return S_OK;
}

// --- The drop target -------------------------------------------------------------------------------

CTopicOleDropTarget::CTopicOleDropTarget() : m_cfTopicInfo(topicdrag::TopicInfoFormat()) {}

CTopicOleDropTarget::~CTopicOleDropTarget() = default;

topicdrag::DropContext CTopicOleDropTarget::Describe(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                                     CPoint point) {
  using topicdrag::DropWindow;
  topicdrag::DropContext c;
  c.ctrl = (dwKeyState & MK_CONTROL) != 0;
  const shell::ContentsIndexReader* catalog = Catalog();
  if (catalog && pDataObject && pDataObject->IsDataAvailable(m_cfTopicInfo)) {
    c.has_info = topicdrag::ReadDroppedTopic(pDataObject->GetData(m_cfTopicInfo), *catalog, c.info);
  }
  c.from_self = c.has_info && c.info.source_window == topicdrag::WindowToken(pWnd);
  CPoint screen = point;
  if (pWnd && pWnd->m_hWnd) pWnd->ClientToScreen(&screen);
  m_rectZone = SheetArea();
  if (auto* bookmarks = dynamic_cast<CBookmarkTab*>(pWnd)) {
    c.window = DropWindow::Bookmarks;
    m_rectZone = ScreenRect(&bookmarks->GetList());
  } else if (auto* library = dynamic_cast<CDUTab*>(pWnd)) {
    c.window = DropWindow::Library;
    m_rectZone = ScreenRect(&library->GetTree());
  } else if (auto* binder = dynamic_cast<CCustomTab*>(pWnd)) {
    c.window = DropWindow::Binder;
    c.binder_open = binder->IsBinderOpen();
    m_rectZone = ScreenRect(&binder->GetTree());
  } else if (dynamic_cast<CLumoKALView*>(pWnd)) {
    c.window = DropWindow::View;
    m_rectZone = ScreenRect(pWnd);
  } else if (dynamic_cast<CMainFrame*>(pWnd)) {
    c.window = DropWindow::MainFrame;
  }
  c.in_zone = m_rectZone.PtInRect(screen) != FALSE;
  return c;
}

DROPEFFECT CTopicOleDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                            CPoint point) {
  const topicdrag::DropContext c = Describe(pWnd, pDataObject, dwKeyState, point);
  m_dropEffect = topicdrag::RememberedEffect(c);
  return topicdrag::EnterEffect(c);
}

DROPEFFECT CTopicOleDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                           CPoint point) {
  return topicdrag::OverEffect(Describe(pWnd, pDataObject, dwKeyState, point), m_dropEffect);
}

BOOL CTopicOleDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT, CPoint point) {
  const DWORD keys = (::GetKeyState(VK_CONTROL) & 0x8000) ? MK_CONTROL : 0;
  const topicdrag::DropContext c = Describe(pWnd, pDataObject, keys, point);
  const int32_t record = c.info.record;
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  switch (topicdrag::ActionForDrop(c)) {
    case topicdrag::DropAction::AddBookmark:
      static_cast<CBookmarkTab*>(pWnd)->AddBookmark(record);
      return TRUE;
    case topicdrag::DropAction::LocateInLibrary:
      static_cast<CDUTab*>(pWnd)->GetTree().LocateRecord(record, nullptr);
      return TRUE;
    case topicdrag::DropAction::AddToBinder:
      return static_cast<CCustomTab*>(pWnd)->AddAct(record);
    case topicdrag::DropAction::ShowInView:
      return static_cast<CLumoKALView*>(pWnd)->JumpToTopicNumber(record, 0, 0);
    case topicdrag::DropAction::OpenInNewSheet:
      if (!work) return FALSE;
      work->SetSavedTopic(record);
      return work->OpenTopic(record, 3, 0);
    case topicdrag::DropAction::Refuse: break;
  }
  return FALSE;
}

// --- Starting a drag ------------------------------------------------------------------------------

namespace topicdrag {

UINT TopicInfoFormat() {
  static const UINT format = ::RegisterClipboardFormat(kTopicInfoFormat);
  return format;
}

TopicInfoBlock MakeTopicInfo(int32_t record, const void* source, int32_t kind) {
  TopicInfoBlock block{record, WindowToken(source), 0, kind};
  shell::ContentsRecord r;
  if (const shell::ContentsIndexReader* catalog = Catalog(); catalog && catalog->ReadRecord(record, r)) {
    block.level = r.level;
  }
  return block;
}

void OfferTopicInfo(COleDataSource& data, const TopicInfoBlock& block) {
  data.CacheData(TopicInfoFormat(), EncodeTopicInfo(block));
}

void OfferText(COleDataSource& data, std::string_view text) {
  text = text.substr(0, text.find('\0'));
  if (text.empty()) return;
  std::vector<uint8_t> bytes(text.begin(), text.end());
  bytes.push_back(0);
  data.CacheData(CF_TEXT, bytes);
  const std::string utf8 = base::cp1250::to_utf8(text);
  bytes.assign(utf8.begin(), utf8.end());
  bytes.push_back(0);
  data.CacheData(CF_UNICODETEXT, bytes);
}

void OfferRendered(COleDataSource& data, const medview::ClipFormatTable& table) {
  const uint32_t rtf = medview::MvRtfClipFormat();
  for (const medview::ClipFormatItem& item : table.items) {
    if (item.format == medview::kClipFormatText) {
      OfferText(data, std::string_view(reinterpret_cast<const char*>(item.data.data()), item.data.size()));
    } else if (item.format == rtf && rtf != 0) {
      data.CacheData(item.format, item.data);
    } else if (char name[2]; item.format != TopicInfoFormat() &&
                             ::GetClipboardFormatName(item.format, name, sizeof name) > 0) {
      data.CacheData(item.format, item.data);
    }
  }
}

namespace {

// The rendering of the topic `record` in the off-screen pane: its heading (the non-scrolling
// region), or with `unit` its whole editorial unit. A topic without a heading region carries its
// heading at the start of its text and is rendered whole. Null when the engine cannot show or
// render it.
medview::ClipFormatTablePtr RenderTopic(int32_t record, bool unit) {
  CMvDummy pane;
  if (!pane.Create(nullptr)) return nullptr;
  const BOOL shown = pane.ShowTopicNumber(record, unit ? TRUE : FALSE) || (!unit && pane.ShowTopicNumber(record, TRUE));
  if (!shown || !pane.Relayout()) return nullptr;
  return medview::MvRenderClipFormats(pane.GetViewer(), FALSE, 0, nullptr);
}

}  // namespace

void BuildTopicDrag(COleDataSource& data, int32_t record, const void* source, int32_t kind, int copy_format,
                    bool ctrl) {
  OfferTopicInfo(data, MakeTopicInfo(record, source, kind));
  const shell::ContentsIndexReader* catalog = Catalog();
  shell::ContentsRecord r;
  if (!catalog || !catalog->ReadRecord(record, r)) return;
  if (copy_format == kCopyCitation || copy_format == kCopyRow) {
    shell::ActDescription d;
    catalog->Describe(record, d);
    // A record the catalogue cannot describe (no level of its own to cite) gives no text.
    const bool described = r.level >= 1 && r.level < shell::kContentsLevels && d.records[size_t(r.level)] == record;
    if (described) OfferText(data, CitationText(d, r.level, copy_format));
  } else if (copy_format == kCopyRendered || copy_format == kCopyRenderedUnit) {
    const bool unit = copy_format == kCopyRenderedUnit && ctrl;
    if (medview::ClipFormatTablePtr table = RenderTopic(record, unit)) OfferRendered(data, *table);
  }
}

DROPEFFECT RunTopicDrag(COleDataSource& data) {
  CTopicOleDropSource drop_source;
  return data.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK | DROPEFFECT_SCROLL, nullptr,
                         &drop_source);
}

}  // namespace topicdrag
