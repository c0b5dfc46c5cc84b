#include "navigation/du_tree.h"

#include <algorithm>
#include <cstring>

#include "platform/framework/app.h"
#include "platform/res/icon_loading.h"
#include "platform/win/bitmap_loading.h"
#include "platform/win/system_metrics.h"
#include "resources/app_ids.h"
#include "engine/medview/engine_titles.h"
#include "platform/base/cp1250.h"
#include "shell/core/library_tree.h"
#include "shell/library_title.h"
#include "toolkit/widgets/truncated_item_tip.h"

IMPLEMENT_DYNAMIC(CDUTree, SECTreeCtrl)

BEGIN_MESSAGE_MAP(CDUTree, SECTreeCtrl)
  ON_NOTIFY_REFLECT(TVN_GETDISPINFO, &CDUTree::OnGetDispInfo)
  ON_NOTIFY_REFLECT(TVN_ITEMEXPANDING, &CDUTree::OnItemExpanding)
END_MESSAGE_MAP()

namespace {
constexpr int kTitleWidth = 190;
constexpr int kPositionWidth = 58;
constexpr int kPositionWidthAgain = 50;
const char kTitleHeading[] = "Tytu\xB3";  // CP1250
const char kPositionHeading[] = "Poz.";

// The wait cursor while the index is read.
class WaitCursor {
 public:
  explicit WaitCursor(CCmdTarget* target) : target_(target) { target_->BeginWaitCursor(); }
  ~WaitCursor() { target_->EndWaitCursor(); }

 private:
  CCmdTarget* target_;
};
}  // namespace

LoadProgress::LoadProgress(const char* utf8_label) {
  CWnd* bar = CProgressBar::MainStatusBar();
  if (!bar || !bar->m_hWnd) return;
  progress_.SetLabel(CString(base::cp1250::from_utf8(utf8_label)));
  if (!progress_.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), bar, kProgressId)) return;
  progress_.SetRange32(1, 100);
}

void LoadProgress::Step(size_t done, size_t total) {
  if (!progress_.m_hWnd || total == 0) return;
  const int percent = int(double(done) / double(total) * 100.0);
  if (percent <= shown_) return;
  shown_ = percent;
  progress_.SetPos(percent);
  progress_.UpdateWindow();
}

CDUTree::~CDUTree() = default;

void CDUTree::SetIndex(const shell::ContentsIndexReader* index, int32_t record_count) {
  m_pIndex = index;
  m_nRecordCount = index ? std::clamp(record_count, 0, index->RecordCount()) : 0;
}

BOOL CDUTree::CreateTree(const RECT& rect, CWnd* parent, UINT id) {
  if (!Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                  TVS_SHOWSELALWAYS,
              TVXS_HEADER, rect, parent, id)) {
    return FALSE;
  }
  SetColumnWidth(0, kTitleWidth);
  // The title column is column 0 of the tree; its heading is set through the column record.
  LVCOLUMN title{};
  title.mask = LVCF_TEXT;
  title.pszText = const_cast<char*>(kTitleHeading);
  SetColumn(0, &title);
  InsertColumn(1, PositionHeading(), LVCFMT_LEFT, PositionWidth(false));
  EnableSubItemTextMap(TRUE);
  EnableItemTips(TRUE);
  CreateImages();
  return TRUE;
}

BOOL CDUTree::CreateImages() {
  if (!m_images.Create(16, 15, ILC_COLOR | ILC_MASK, 32, 4)) return FALSE;
  m_images.SetBkColor(::GetSysColor(COLOR_WINDOW));
  if (HBITMAP strip = ::LoadBitmap(nullptr, MAKEINTRESOURCE(int(resources::IDB_LIBRARY_TREE)))) {
    m_images.Add(CBitmap::FromHandle(strip), RGB(0xFF, 0xFF, 0xFF));
    ::DeleteObject(strip);
  }
  int overlay = 1;
  for (UINT icon : {resources::IDI_TREE_ATTACHMENTS, resources::IDI_TREE_OVERLAY2, resources::IDI_TREE_OVERLAY3}) {
    if (HICON handle = ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(int(icon)))) {
      const int image = m_images.Add(handle);
      if (image >= 0) m_images.SetOverlayImage(image, overlay);
    }
    ++overlay;
  }
  SetImageList(&m_images, TVSIL_NORMAL);
  return TRUE;
}

BOOL CDUTree::ReplaceTemplateItem(UINT id, CWnd* dialog) {
  CWnd* item = dialog ? dialog->GetDlgItem(int(id)) : nullptr;
  if (!item) return FALSE;
  CRect rect;
  item->GetWindowRect(&rect);
  dialog->ScreenToClient(&rect);
  HWND before = ::GetWindow(item->m_hWnd, GW_HWNDPREV);
  item->DestroyWindow();
  if (!CreateTree(rect, dialog, id)) return FALSE;
  ::SetWindowPos(m_hWnd, before ? before : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return TRUE;
}

void CDUTree::HideItemTip() {
  if (SECTruncatedItemTip* tip = GetItemTip()) tip->Hide();
}

BOOL CDUTree::ReadRecordText(int32_t number, shell::ContentsRecord& record, std::string& text) const {
  return m_pIndex && number >= 0 && number < m_nRecordCount && m_pIndex->ReadRecord(number, record) &&
         m_pIndex->ReadText(record, text);
}

HTREEITEM CDUTree::InsertRecordItem(HTREEITEM parent, HTREEITEM after, int32_t number,
                                    const shell::ContentsRecord& record, BOOL has_children) {
  TVINSERTSTRUCT ins;
  ins.hParent = parent;
  ins.hInsertAfter = after;
  ins.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
  ins.item.pszText = LPSTR_TEXTCALLBACK;
  const int level = std::clamp(record.level, 0, shell::kLevelYearbook);
  ins.item.iImage = 4 * level;
  ins.item.iSelectedImage = 4 * level + 1;
  ins.item.stateMask = TVIS_OVERLAYMASK;
  ins.item.state = level == shell::kLevelAct && record.attachment_number != 0 ? INDEXTOOVERLAYMASK(1) : 0;
  ins.item.lParam = number;
  ins.item.cChildren = has_children ? 1 : 0;
  HTREEITEM item = InsertItem(&ins);
  if (item) SetNodeText(item, 1, PositionText(record).c_str());
  return item;
}

void CDUTree::LoadContents() {
  if (!m_pIndex) return;
  if (title::TitleHandle* title = LibraryTitle()) {
    // Every record the index holds for a topic of the title: the index is written with one
    // record per topic, so the title's topic count bounds it as it stands.
    SetIndex(m_pIndex, medview::MvGetTitleInfo(title, 11, 0, nullptr, 0));
  }
  WaitCursor wait(this);
  LoadProgress progress("Trwa ładowanie spisu treści...");
  // Loading again replaces what an earlier load put in.
  DeleteAllItems();
  HTREEITEM after = TVI_LAST;
  const std::vector<int32_t> yearbooks = shell::ListYearbooks(*m_pIndex, m_nRecordCount);
  for (size_t i = 0; i < yearbooks.size(); ++i) {
    shell::ContentsRecord r;
    if (m_pIndex->ReadRecord(yearbooks[i], r)) after = InsertRecordItem(TVI_ROOT, after ? after : TVI_LAST, yearbooks[i], r, TRUE);
    progress.Step(i + 1, yearbooks.size());
  }
}

void CDUTree::LoadChildren(HTREEITEM item) {
  if (!m_pIndex || !item) return;
  WaitCursor wait(this);
  LoadProgress progress("Trwa ładowanie elementów...");
  HTREEITEM after = TVI_LAST;
  const std::vector<shell::TreeChild> children = shell::ListChildren(*m_pIndex, RecordOf(item), m_nRecordCount);
  for (size_t i = 0; i < children.size(); ++i) {
    const shell::TreeChild& c = children[i];
    shell::ContentsRecord r;
    if (!m_pIndex->ReadRecord(c.record, r)) break;
    HTREEITEM added = InsertRecordItem(item, after ? after : TVI_LAST, c.record, r, c.descendants != 0);
    if (added) after = added;
    progress.Step(i + 1, children.size());
  }
}

void CDUTree::CollapseReset(HTREEITEM item) {
  if (!item || !ItemHasChildren(item)) return;
  TVITEM rec{};
  rec.mask = TVIF_HANDLE | TVIF_STATE;
  rec.hItem = item;
  rec.stateMask = TVIS_EXPANDED;
  if (!GetTreeItem(&rec) || !(rec.state & TVIS_EXPANDED)) return;
  for (HTREEITEM child = GetChildItem(item); child; child = GetNextSiblingItem(child)) CollapseReset(child);
  ExpandItem(item, TVE_COLLAPSE | TVE_COLLAPSERESET);
}

void CDUTree::CollapseAll() {
  for (HTREEITEM item = GetRootItem(); item; item = GetNextSiblingItem(item)) CollapseReset(item);
}

HTREEITEM CDUTree::LocateRecord(int32_t record, HTREEITEM) {
  if (!m_pIndex || record < 0 || record >= m_nRecordCount) return nullptr;
  WaitCursor wait(this);
  HTREEITEM item = nullptr;
  HTREEITEM level = GetRootItem();
  for (int32_t step : shell::TreePathTo(*m_pIndex, record)) {
    if (item) {
      ExpandItem(item, TVE_EXPAND);
      level = GetChildItem(item);
    }
    while (level && RecordOf(level) != step) level = GetNextSiblingItem(level);
    if (!level) return nullptr;
    item = level;
  }
  if (item) SelectItem(item);
  return item;
}

void CDUTree::SetWordWrap(BOOL on) {
  m_bWordWrap = on;
  SetLabelWrap(on);
}

void CDUTree::ToggleColumns() {
  if (HasPositionColumn()) {
    DeleteColumn(1);
  } else {
    InsertColumn(1, PositionHeading(), LVCFMT_LEFT, PositionWidth(true));
  }
  Invalidate();
}

std::string CDUTree::TitleText(int32_t number, const shell::ContentsRecord& record, const std::string& text) const {
  return shell::TreeTitleText(number, record, text);
}

std::string CDUTree::PositionText(const shell::ContentsRecord& record) const { return shell::TreePositionText(record); }

const char* CDUTree::PositionHeading() const { return kPositionHeading; }

int CDUTree::PositionWidth(bool again) const { return again ? kPositionWidthAgain : kPositionWidth; }

void CDUTree::OnGetDispInfo(NMHDR* header, LRESULT* result) {
  auto* info = reinterpret_cast<NMTVDISPINFO*>(header);
  *result = 0;
  if (!(info->item.mask & TVIF_TEXT) || !info->item.pszText || info->item.cchTextMax <= 0) return;
  info->item.pszText[0] = '\0';
  shell::ContentsRecord r;
  std::string text;
  const int32_t n = int32_t(info->item.lParam);
  if (!ReadRecordText(n, r, text)) return;
  const std::string shown = TitleText(n, r, text);
  const size_t length = std::min(shown.size(), size_t(info->item.cchTextMax - 1));
  std::memcpy(info->item.pszText, shown.data(), length);
  info->item.pszText[length] = '\0';
}

void CDUTree::OnItemExpanding(NMHDR* header, LRESULT* result) {
  auto* tv = reinterpret_cast<NMTREEVIEW*>(header);
  *result = 0;
  if ((tv->action & TVE_COLLAPSERESET) != 0) return;  // a reset collapse under way goes on
  const UINT action = tv->action & TVE_TOGGLE;
  if (action == TVE_EXPAND && !GetChildItem(tv->itemNew.hItem)) {
    LoadChildren(tv->itemNew.hItem);
  } else if (action == TVE_COLLAPSE) {
    // A collapse drops the loaded children (read again on the next expansion): the reset collapse
    // takes the place of the plain one.
    CollapseReset(tv->itemNew.hItem);
    *result = TRUE;
  }
}
