#include "navigation/bookmark_quick_dlg.h"

#include "navigation/bookmark_tab.h"
#include "navigation/nav_bar.h"
#include "navigation/nav_commands.h"
#include "platform/framework/control_messages.h"
#include "resources/app_ids.h"
#include "shell/frame_placement.h"
#include "shell/lumo_kal_doc.h"

using namespace resources;

namespace {
constexpr const char* kPlacementValue = "BookmarkQuickPos";
}  // namespace

BEGIN_MESSAGE_MAP(CBookmarkQuickDlg, CGSDialog)
  ON_CONTROL(BN_CLICKED, IDC_BOOKMARK_ADD, &CBookmarkQuickDlg::OnAdd)
  ON_CONTROL(BN_CLICKED, IDC_BOOKMARK_CLOSE, &CBookmarkQuickDlg::OnClose)
END_MESSAGE_MAP()

CBookmarkQuickDlg::CBookmarkQuickDlg(std::vector<std::unique_ptr<CMvBookmarkItem>>* bookmarks,
                                     medview::ViewerHandle viewer, title::TitleHandle* title,
                                     const shell::ActDescription& description, CWnd* pParent)
    : CGSDialog(IDD_BOOKMARK_QUICK, pParent),
      m_pBookmarks(bookmarks),
      m_viewer(viewer),
      m_pTitle(title),
      m_description(description) {}

CBookmarkQuickDlg::~CBookmarkQuickDlg() = default;

BOOL CBookmarkQuickDlg::OnInitDialog() {
  CGSDialog::OnInitDialog();
  RestorePlacement();
  // The note and its label have no use.
  for (UINT id : {IDC_BOOKMARK_QUICK_NOTE_LABEL, IDC_BOOKMARK_QUICK_NOTE}) {
    if (CWnd* item = GetDlgItem(int(id))) item->ShowWindow(SW_HIDE);
  }
  shell::ContentsRecord act = m_description.record;
  if (const CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork()) act = navcmd::ActRecordOf(*work, m_description);
  const navtext::BookmarkFields fields = navtext::DescribeBookmark(m_description, act);
  SetDlgItemText(IDC_BOOKMARK_REFERENCE, CString(fields.reference));
  SetDlgItemText(IDC_BOOKMARK_KIND, CString(fields.kind));
  SetDlgItemText(IDC_BOOKMARK_DATE, CString(fields.date));
  SetDlgItemText(IDC_BOOKMARK_NAME, CString(navtext::TitleText(m_description)));
  SendDlgItemMessage(m_hWnd, IDC_BOOKMARK_NAME, EM_LIMITTEXT, kNameLimit, 0);
  SetDefID(IDC_BOOKMARK_ADD);
  return TRUE;
}

void CBookmarkQuickDlg::OnAdd() {
  CString name = GetDlgItemText(IDC_BOOKMARK_NAME);
  if (name.GetLength() > kNameLimit) name = name.Left(kNameLimit);
  if (m_pBookmarks) {
    auto bookmark = std::make_unique<CMvBookmarkItem>(name, m_viewer, m_pTitle, CString());
    m_pAdded = bookmark.get();
    m_pBookmarks->push_back(std::move(bookmark));
    if (COutputWnd* nav = navcmd::FindOutputWnd(); nav && nav->GetBookmarkTab()) {
      nav->GetBookmarkTab()->InsertRow(m_description, name, m_pAdded);
    } else if (CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork()) {
      work->SetModifiedFlag();
    }
  }
  SavePlacement();
  EndDialog(IDOK);
}

void CBookmarkQuickDlg::OnClose() {
  SavePlacement();
  EndDialog(IDCANCEL);
}

void CBookmarkQuickDlg::OnCancel() { OnClose(); }

void CBookmarkQuickDlg::RestorePlacement() { frame_placement::RestorePosition(m_hWnd, kPlacementValue); }

void CBookmarkQuickDlg::SavePlacement() { frame_placement::Store(m_hWnd, kPlacementValue); }
