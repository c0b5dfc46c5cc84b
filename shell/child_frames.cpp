#include "shell/child_frames.h"

#include "controls/gs_toolbar_edit_btn.h"
#include "pictures/sheets/ruler_views.h"
#include "platform/framework/command_ids.h"
#include "platform/framework/prompter.h"
#include "platform/framework/view.h"
#include "platform/win/cmd_ui.h"
#include "resources/resource_ids.h"
#include "shell/lumo_app.h"
#include "shell/lumo_kal_doc.h"
#include "shell/main_frame.h"

namespace {

constexpr UINT ID_CLOSE_SHEET = 32887;
constexpr UINT kFormToolBarId = resources::IDR_TOOLBAR_FORM;

int g_textFrames = 0;
int g_pictureFrames = 0;
// The visibility "Formularz" had before a text sheet hid it.
BOOL g_formVisible = TRUE;

CMainFrame* Main() {
  CLumoApp* app = LumoApp();
  return app ? app->GetMainFrame() : nullptr;
}

// Whether the view's window is alive.
bool Alive(CView* view) { return view && view->m_hWnd && ::IsWindow(view->m_hWnd); }

// The limit check of both frames: refuses with string 229 when the sheets would exceed it.
BOOL AllowAnotherSheet() {
  CLumoApp* app = LumoApp();
  if (!app) return TRUE;
  if (sheets::WithinLimit(g_textFrames + g_pictureFrames, app->GetUserData().m_nMaxSheets)) return TRUE;
  AfxMessageBox(resources::IDS_TOO_MANY_SHEETS, MB_OK | MB_ICONEXCLAMATION);
  return FALSE;
}

// The "Formularz" toolbar's position field shows 0, 0 and is greyed.
void ResetPositionField() {
  if (CGSToolbarEditBtn* field = sheets::FindPositionField()) {
    field->SetPosition(0, 0, 1.0f);
    field->EnableFields(FALSE);
  }
}

void ShowFormToolBar(CMainFrame* main, BOOL show) {
  if (SECCustomToolBar* form = main->FindToolBar(kFormToolBarId)) main->ShowControlBar(form, show, FALSE);
}

// The sheet's frame among the main window's sheets, made current and maximised.
void ActivateMaximised(CMDIChildWnd* frame) {
  if (CMDIFrameWnd* mdi = frame->GetMDIFrame()) {
    mdi->MDIActivate(frame);
    mdi->MDIMaximize(frame);
  }
}

void DisableItems(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }

// A sheet frame is going: the main frame hears of it (with 0 when none is left) and, once the next
// sheet is active, the work finds its current views again.
void SheetGone() {
  if (CMainFrame* main = Main()) main->PostMessage(CMainFrame::WM_SHEETS_CHANGED, g_textFrames + g_pictureFrames > 1, 0);
}

// The sheet's place among the workbook's tabs, or -1.
int PlaceOf(CMainFrame* main, CFrameWnd* sheet) {
  int index = -1;
  return main && main->FindSheet(sheet, index) ? index : -1;
}

// The sheet's tab shows its caption: a new caption is drawn at once.
LRESULT SetCaption(SECWorksheet* sheet) {
  const LRESULT result = sheet->Default();
  if (SECWorkbook* book = sheet->GetWorkbook()) book->InvalidateSheetTab(sheet, FALSE);
  return result;
}

}  // namespace

namespace sheets {

int TextFrameCount() { return g_textFrames; }
int PictureFrameCount() { return g_pictureFrames; }
bool WithinLimit(int existing, int maximum) { return existing <= maximum; }

CGSToolbarEditBtn* FindPositionField() {
  CMainFrame* main = Main();
  SECCustomToolBar* form = main ? main->FindToolBar(kFormToolBarId) : nullptr;
  if (!form) return nullptr;
  return dynamic_cast<CGSToolbarEditBtn*>(form->GetButton(form->FindButtonByCommand(resources::ID_PICTURE_POSITION)));
}

}  // namespace sheets

// --- Text sheets -----------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CChildKALFrame, SECWorksheet)

BEGIN_MESSAGE_MAP(CChildKALFrame, SECWorksheet)
  ON_MESSAGE(WM_SETTEXT, &CChildKALFrame::OnSetText)
  ON_WM_SIZE()
  ON_WM_CLOSE()
  ON_WM_DESTROY()
  ON_COMMAND(ID_CLOSE_SHEET, &CChildKALFrame::OnCloseSheet)
  ON_UPDATE_COMMAND_UI(32938, &CChildKALFrame::OnUpdateDisabled)
  ON_UPDATE_COMMAND_UI(32940, &CChildKALFrame::OnUpdateDisabled)
  ON_UPDATE_COMMAND_UI(32941, &CChildKALFrame::OnUpdateDisabled)
  ON_UPDATE_COMMAND_UI(32942, &CChildKALFrame::OnUpdateDisabled)
  ON_UPDATE_COMMAND_UI(32943, &CChildKALFrame::OnUpdateDisabled)
  ON_UPDATE_COMMAND_UI(32816, &CChildKALFrame::OnUpdateDisabled)
END_MESSAGE_MAP()

CChildKALFrame::CChildKALFrame() { ++g_textFrames; }

CChildKALFrame::~CChildKALFrame() { --g_textFrames; }

BOOL CChildKALFrame::PreCreateWindow(CREATESTRUCT& cs) {
  if (!AllowAnotherSheet()) return FALSE;
  cs.style &= ~FWS_ADDTOTITLE;
  return SECWorksheet::PreCreateWindow(cs);
}

void CChildKALFrame::ActivateFrame(int nCmdShow) {
  CMainFrame* main = Main();
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  CView* view = GetActiveView();
  CView* picture_view = work ? work->GetCurrentPictureView() : nullptr;
  if (main && work && Alive(picture_view)) {
    // Leaving a picture: "Formularz" goes, remembering how it was.
    if (SECCustomToolBar* form = main->FindToolBar(kFormToolBarId)) g_formVisible = form->IsVisible();
    ShowFormToolBar(main, FALSE);
    auto* picture = dynamic_cast<CChildBMPFrame*>(picture_view->GetParentFrame());
    if (picture && picture->m_nTopic >= 0 && picture->m_nTopic == work->GetSavedTopic()) {
      // The act a picture stood in for comes back in the picture's place and with its history.
      m_nTakeTabPosition = PlaceOf(main, picture);
      if (auto* place = dynamic_cast<CSheetPlace*>(view)) place->CopyHistoryFrom(picture_view);
      work->SetCurrentPictureView(nullptr);
      picture->DestroyWindow();
    }
  }
  if (main && m_nTakeTabPosition >= 0) {
    main->MoveSheet(this, m_nTakeTabPosition);
    m_nTakeTabPosition = -1;
  }
  if (work) {
    work->SetCurrentTextView(view);
    work->SetCurrentPictureView(nullptr);
  }
  if (main) ResetPositionField();
  SECWorksheet::ActivateFrame(nCmdShow);
  ActivateMaximised(this);
}

void CChildKALFrame::OnSize(UINT nType, int cx, int cy) {
  // Laying out the panes of a long act takes a while.
  HCURSOR previous = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
  SECWorksheet::OnSize(nType, cx, cy);
  UpdateWindow();
  ::SetCursor(previous);
}

void CChildKALFrame::OnClose() {
  // Closing a sheet never asks to save the work, and the work stays as changed as it was.
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  const BOOL modified = work ? work->IsModified() : FALSE;
  if (work) work->SetModifiedFlag(FALSE);
  // The work outlives its sheets: the frame goes, the work stays open.
  DestroyWindow();
  if (work && CLumoKALDoc::GetCurrentWork() == work) work->SetModifiedFlag(modified);
}

void CChildKALFrame::OnCloseSheet() { SendMessage(WM_CLOSE); }

void CChildKALFrame::OnDestroy() {
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  if (work && work->GetCurrentView() && work->GetCurrentView()->GetParentFrame() == this) work->SetCurrentTextView(nullptr);
  SECWorksheet::OnDestroy();
  SheetGone();
}

void CChildKALFrame::OnUpdateDisabled(CCmdUI* pCmdUI) { DisableItems(pCmdUI); }

LRESULT CChildKALFrame::OnSetText(WPARAM, LPARAM) { return SetCaption(this); }

// --- Picture sheets --------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CChildBMPFrame, SECWorksheet)

BEGIN_MESSAGE_MAP(CChildBMPFrame, SECWorksheet)
  ON_MESSAGE(WM_SETTEXT, &CChildBMPFrame::OnSetText)
  ON_MESSAGE(CChildBMPFrame::kMsgCloseReplacedSheet, &CChildBMPFrame::OnCloseReplacedSheet)
  ON_WM_DESTROY()
  ON_COMMAND(ID_CLOSE_SHEET, &CChildBMPFrame::OnCloseSheet)
  ON_UPDATE_COMMAND_UI(0xE101, &CChildBMPFrame::OnUpdateDisabled)
  ON_UPDATE_COMMAND_UI(0xE103, &CChildBMPFrame::OnUpdateDisabled)
  ON_UPDATE_COMMAND_UI(0xE104, &CChildBMPFrame::OnUpdateDisabled)
  ON_UPDATE_COMMAND_UI(resources::ID_EDIT_SELECT_ALL, &CChildBMPFrame::OnUpdateDisabled)
  ON_UPDATE_COMMAND_UI(resources::ID_INSERT_BOOKMARK, &CChildBMPFrame::OnUpdateDisabled)
END_MESSAGE_MAP()

CChildBMPFrame::CChildBMPFrame() {
  ++g_pictureFrames;
  if (CMainFrame* main = Main()) main->PostMessage(CMainFrame::WM_SHEETS_CHANGED, 0, 0);
}

CChildBMPFrame::~CChildBMPFrame() { --g_pictureFrames; }

BOOL CChildBMPFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
  ModifyStyleEx(WS_EX_CLIENTEDGE, 0);
  if (!pContext || !pContext->m_pNewViewClass) return FALSE;
  m_pSplitter = std::make_unique<CRulerSplitterWnd>();
  if (!m_pSplitter->CreateStatic(this, 2, 2, WS_CHILD | WS_VISIBLE | WS_BORDER, AFX_IDW_PANE_FIRST)) return FALSE;
  // The corner and the rulers belong to the sheet, not to the document.
  CCreateContext paneContext;
  paneContext.m_pCurrentFrame = this;
  constexpr int kRuler = 20;
  if (!m_pSplitter->CreateView(0, 0, RUNTIME_CLASS(CRulerCornerView), CSize(kRuler, kRuler), &paneContext) ||
      !m_pSplitter->CreateView(0, 1, RUNTIME_CLASS(CRulerView), CSize(0, kRuler), &paneContext) ||
      !m_pSplitter->CreateView(1, 0, RUNTIME_CLASS(CRulerView), CSize(kRuler, 0), &paneContext) ||
      !m_pSplitter->CreateView(1, 1, pContext->m_pNewViewClass, CSize(0, 0), pContext)) {
    return FALSE;
  }
  m_pSplitter->SetRowInfo(0, kRuler, 0);
  m_pSplitter->SetColumnInfo(0, kRuler, 0);
  static_cast<CRulerView*>(m_pSplitter->GetPane(0, 1))->orientation = 1;
  static_cast<CRulerView*>(m_pSplitter->GetPane(1, 0))->orientation = 0;
  m_pSplitter->RecalcLayout();
  m_pSplitter->SetActivePane(1, 1);
  return TRUE;
}

BOOL CChildBMPFrame::PreCreateWindow(CREATESTRUCT& cs) {
  if (!AllowAnotherSheet()) return FALSE;
  cs.style &= ~FWS_ADDTOTITLE;
  return SECWorksheet::PreCreateWindow(cs);
}

void CChildBMPFrame::ActivateFrame(int nCmdShow) {
  CMainFrame* main = Main();
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  CView* text_view = work ? work->GetCurrentView() : nullptr;
  if (main && Alive(text_view)) {
    CFrameWnd* text = text_view->GetParentFrame();
    if (m_nTakeTabPosition == -2) m_nTakeTabPosition = PlaceOf(main, text);
    if (auto* place = dynamic_cast<CSheetPlace*>(text_view)) {
      m_nTopic = place->GetShownTopic();
      m_nScroll = place->GetShownScroll();
      if (auto* mine = dynamic_cast<CSheetPlace*>(GetActiveView())) mine->CopyHistoryFrom(text_view);
    }
    text->GetWindowText(m_strCaption);
    SetWindowText(m_strCaption);
    ShowFormToolBar(main, g_formVisible);
    if (m_bFirstActivation && text) {
      work->SetCurrentTextView(nullptr);
      m_hReplaced = text->m_hWnd;
      PostMessage(kMsgCloseReplacedSheet);
      m_bFirstActivation = FALSE;
    }
  }
  if (main && m_nTakeTabPosition >= 0) {
    main->MoveSheet(this, m_nTakeTabPosition);
    m_nTakeTabPosition = -1;
  }
  if (work) work->SetCurrentPictureView(GetActiveView());
  SECWorksheet::ActivateFrame(nCmdShow);
  ActivateMaximised(this);
  if (main) ResetPositionField();
}

void CChildBMPFrame::OnCloseSheet() { SendMessage(WM_CLOSE); }

LRESULT CChildBMPFrame::OnCloseReplacedSheet(WPARAM, LPARAM) {
  const HWND replaced = m_hReplaced;
  m_hReplaced = nullptr;
  if (CWnd* text = replaced && ::IsWindow(replaced) ? CWnd::FromHandlePermanent(replaced) : nullptr) {
    text->DestroyWindow();
  }
  return 0;
}

void CChildBMPFrame::OnDestroy() {
  OnCloseReplacedSheet(0, 0);
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  if (work && work->GetCurrentPictureView() && work->GetCurrentPictureView()->GetParentFrame() == this) {
    work->SetCurrentPictureView(nullptr);
  }
  SECWorksheet::OnDestroy();
  SheetGone();
}

void CChildBMPFrame::OnUpdateDisabled(CCmdUI* pCmdUI) { DisableItems(pCmdUI); }

LRESULT CChildBMPFrame::OnSetText(WPARAM, LPARAM) { return SetCaption(this); }
