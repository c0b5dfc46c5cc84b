#include "toolkit/widgets/list_box_editor.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "platform/framework/dialog.h"
#include "platform/res/resource_store.h"
#include "platform/win/bitmap_loading.h"
#include "platform/win/message_loop.h"
#include "platform/win/messages.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_class.h"
#include "platform/win/window_dc.h"
#include "platform/win/window_styles.h"
#include "resources/toolkit_ids.h"

IMPLEMENT_DYNAMIC(SECListBoxEditor, CWnd)

namespace {

constexpr UINT kButtonBitmaps[4] = {resources::IDB_LIST_NEW, resources::IDB_LIST_DELETE,
                                    resources::IDB_LIST_UP, resources::IDB_LIST_DOWN};
constexpr UINT kButtonTips[4] = {resources::IDS_LIST_NEW_TIP, resources::IDS_LIST_DELETE_TIP,
                                 resources::IDS_LIST_UP_TIP, resources::IDS_LIST_DOWN_TIP};

// Drag timing: the auto-scroll interval starts at 300 ms and shrinks by 50 ms a step down to
// 50 ms; a drag shorter than 250 ms moves nothing.
constexpr DWORD kScrollIntervalStart = 300;
constexpr DWORD kScrollIntervalMin = 50;
constexpr DWORD kScrollIntervalStep = 50;
constexpr DWORD kMinDragTime = 250;
constexpr UINT_PTR kDragTimer = 1;
constexpr const char* kDragClass = "SECListBoxDragWnd";
constexpr int kKeyF2 = VK_F1 + 1;

// Where the cursor lies outside the list's client area.
constexpr int kOutsideLeft = 0x1;
constexpr int kOutsideAbove = 0x2;
constexpr int kOutsideRight = 0x4;
constexpr int kOutsideBelow = 0x8;

// The first control id not used among the dialog's children, counting down from 0x7FFF.
UINT FreeControlId(HWND dialog) {
  for (UINT id = 0x7FFF; id > 0; --id) {
    if (!GetDlgItem(dialog, int(id))) return id;
  }
  return 0;
}

HBITMAP LoadButtonBitmap(UINT id) {
  return static_cast<HBITMAP>(LoadImage(nullptr, MAKEINTRESOURCE(id), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
}

CSize BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || !GetObject(bitmap, sizeof info, &info)) return CSize(0, 0);
  return CSize(info.bmWidth, info.bmHeight);
}

// Draws a header button's bitmap at `r`: raised with a highlight along its left and top edges,
// or pressed, moved 1 pixel right and down inside a sunken frame.
void DrawButtonImage(CDC& dc, const CRect& r, UINT bitmap_id, BOOL pressed) {
  HBITMAP bitmap = LoadButtonBitmap(bitmap_id);
  if (!bitmap) return;
  CSize size = BitmapSize(bitmap);
  CDC memory;
  memory.CreateCompatibleDC(&dc);
  HGDIOBJ old = memory.SelectObject(bitmap);
  int dx = pressed ? 1 : 0;
  dc.FillSolidRect(&r, GetSysColor(COLOR_BTNFACE));
  dc.BitBlt(r.left + dx, r.top + dx + (r.Height() - size.cy) / 2, std::min(size.cx, r.Width()),
            size.cy, &memory, 0, 0, SRCCOPY);
  memory.SelectObject(old);
  DeleteObject(bitmap);
  int top = r.top + (r.Height() - size.cy) / 2;
  CRect frame(r.left, top, r.left + std::min(size.cx, r.Width()), top + size.cy);
  if (pressed) {
    dc.Draw3dRect(&frame, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    frame.DeflateRect(1, 1);
    dc.Draw3dRect(&frame, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNFACE));
  } else {
    CPen pen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    CPen* old_pen = dc.SelectObject(&pen);
    dc.MoveTo(frame.left, frame.bottom - 2);
    dc.LineTo(frame.left, frame.top);
    dc.LineTo(frame.right - 1, frame.top);
    dc.SelectObject(old_pen);
  }
}

// Moves the focus to the next or previous tab stop of the dialog after `from`, selecting all of
// an edit's text.
void FocusNextTabStop(HWND from, BOOL previous) {
  HWND dialog = GetParent(from);
  if (!dialog) return;
  HWND next = GetNextDlgTabItem(dialog, from, previous);
  if (!next) return;
  SetFocus(next);
  if (SendMessage(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessage(next, EM_SETSEL, 0, -1);
}

CString ItemText(CListBox& list, int index) {
  CString text;
  if (index >= 0 && index < list.GetCount()) list.GetText(index, text);
  return text;
}

}  // namespace

// --- In-place edit --------------------------------------------------------------------------------

SECListBoxEdit::SECListBoxEdit(SECListBoxEditor* editor, int index, BOOL new_item, int previous_selection)
    : m_editor(editor),
      m_newItem(new_item),
      m_index(index),
      m_previousSelection(previous_selection),
      m_spaceLeavesList(editor->GetSpaceLeavesList()),
      m_spaceCount(editor->GetSpaceCount()) {}

void SECListBoxEdit::Finish(BOOL cancelled) {
  if (m_finished) return;
  m_finished = TRUE;
  HWND list = ::GetParent(m_hWnd);
  ::SendMessage(list, LBE_SETCANCELLED, WPARAM(cancelled), 0);
  NMHDR header{m_hWnd, LBE_EDIT_ID, LBE_NOTIFY_ENDEDIT};
  ::SendMessage(list, WM_NOTIFY, LBE_EDIT_ID, reinterpret_cast<LPARAM>(&header));
}

void SECListBoxEdit::Accept() {
  if (m_finished) return;
  CListBox* list = m_editor->GetListBox();
  CString text;
  GetWindowText(text);
  if (m_index >= 0 && m_index < list->GetCount()) m_editor->ReplaceItemText(m_index, text);
  Finish(FALSE);
}

void SECListBoxEdit::Cancel() {
  if (m_finished) return;
  if (m_newItem) {
    CListBox* list = m_editor->GetListBox();
    m_editor->SelectItem(m_previousSelection);
    if (m_index >= 0 && m_index < list->GetCount()) list->DeleteString(UINT(m_index));
  }
  Finish(TRUE);
}

void SECListBoxEdit::LeaveList(BOOL previous) { FocusNextTabStop(m_editor->GetListBox()->m_hWnd, previous); }

// A space typed after the text's last non-blank character leaves the list once the blanks ending
// the text number the space count.
BOOL SECListBoxEdit::SpaceLeaves() {
  if (!m_spaceLeavesList) return FALSE;
  int start = 0, end = 0;
  GetSel(start, end);
  if (start != end) return FALSE;
  CString text;
  GetWindowText(text);
  CString trimmed = text;
  trimmed.TrimRight();
  if (end < trimmed.GetLength()) return FALSE;
  return text.GetLength() - trimmed.GetLength() + 1 >= m_spaceCount;
}

LRESULT SECListBoxEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS | DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
    case WM_KEYDOWN: {
      int key = int(wParam);
      BOOL shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
      HWND list = ::GetParent(m_hWnd);
      switch (key) {
        case VK_RETURN:
          Accept();
          return 0;
        case VK_ESCAPE:
          Cancel();
          return 0;
        case kKeyF2:
          if (m_browseId) {
            if (HWND button = ::GetDlgItem(list, int(m_browseId))) {
              ::SetFocus(button);
              ::PostMessage(list, WM_COMMAND, MAKEWPARAM(WORD(m_browseId), BN_CLICKED), reinterpret_cast<LPARAM>(button));
            }
          }
          return 0;
        case VK_TAB:
          Accept();
          LeaveList(shift);
          return 0;
        case VK_PRIOR:
        case VK_NEXT:
        case VK_END:
        case VK_HOME:
        case VK_UP:
        case VK_DOWN:
          // Home and End move the caret unless they leave the row.
          if (key == VK_HOME || key == VK_END) break;
          Accept();
          ::PostMessage(list, WM_KEYDOWN, wParam, lParam);
          return 0;
        default:
          break;
      }
      break;
    }
    case WM_CHAR:
      if (wParam == '\r' || wParam == 0x1B || wParam == '\t') return 0;
      if (wParam == ' ' && SpaceLeaves()) {
        Accept();
        LeaveList(FALSE);
        return 0;
      }
      break;
    case WM_KILLFOCUS: {
      HWND to = reinterpret_cast<HWND>(wParam);
      HWND button = m_browseId ? ::GetDlgItem(::GetParent(m_hWnd), int(m_browseId)) : nullptr;
      LRESULT r = CEdit::WindowProc(message, wParam, lParam);
      if (!to || to != button) Accept();
      return r;
    }
    default:
      break;
  }
  return CEdit::WindowProc(message, wParam, lParam);
}

// --- List box wrapper -----------------------------------------------------------------------------

LRESULT SECListBoxEditorList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (m_editor->HandleListMessage(message, wParam, lParam, result)) return result;
  return CListBox::WindowProc(message, wParam, lParam);
}

// --- Editor ---------------------------------------------------------------------------------------

SECListBoxEditor::SECListBoxEditor() = default;

SECListBoxEditor::~SECListBoxEditor() {
  m_browseButton.reset();
  m_edit.reset();
  m_retiredButton.reset();
  m_retiredEdit.reset();
  if (m_list && m_list->m_hWnd) m_list->UnsubclassWindow();
}

BOOL SECListBoxEditor::Initialize(CWnd* pDialog, UINT nListBoxId, DWORD dwOptions) {
  if (!pDialog || !pDialog->m_hWnd) return FALSE;
  HWND list = ::GetDlgItem(pDialog->m_hWnd, int(nListBoxId));
  if (!list) return FALSE;
  m_options = dwOptions;
  m_dialog = pDialog->m_hWnd;
  m_listId = nListBoxId;

  CRect list_rect;
  ::GetWindowRect(list, &list_rect);
  pDialog->ScreenToClient(&list_rect);
  if (!CreateEx(0, "Static", "", WS_CHILD | SS_SUNKEN, CRect(list_rect.left, list_rect.top, list_rect.right, list_rect.top + 1),
                pDialog, FreeControlId(m_dialog))) {
    return FALSE;
  }
  SetFont(pDialog->GetFont(), FALSE);
  m_headerHeight = GetHeaderHeight();
  int gap = 2 * GetSystemMetrics(SM_CYBORDER);
  // The header comes just before the list box in the z-order, and so in the tab order.
  HWND before = ::GetWindow(list, GW_HWNDPREV);
  ::SetWindowPos(m_hWnd, before ? before : HWND_TOP, list_rect.left, list_rect.top, list_rect.Width(),
                 m_headerHeight, SWP_NOACTIVATE);
  ::SetWindowPos(list, m_hWnd, list_rect.left, list_rect.top + m_headerHeight + gap, list_rect.Width(),
                 std::max(0, list_rect.Height() - m_headerHeight - gap), SWP_NOACTIVATE);

  SetButtons(dwOptions);
  m_list = std::make_unique<SECListBoxEditorList>(this);
  m_list->SubclassWindow(list);
  LayoutButtons();
  if ((m_options & LBE_BUTTONS) && (m_options & LBE_TOOLTIPS)) {
    m_toolTips = std::make_unique<CToolTipCtrl>();
    m_toolTips->Create(this);
    UpdateToolTips();
  }
  if (UsesPlaceholder()) {
    int count = m_list->GetCount();
    if (count == 0 || !ItemText(*m_list, count - 1).IsEmpty()) m_list->AddString("");
  }
  PostSelChange();
  ShowWindow(SW_SHOW);
  m_initialized = TRUE;
  return TRUE;
}

void SECListBoxEditor::SetSpaceLeavesList(BOOL bLeaves) { m_spaceLeavesList = bLeaves; }
void SECListBoxEditor::SetSpaceCount(int nCount) { m_spaceCount = nCount; }

void SECListBoxEditor::PostSelChange() {
  if (m_dialog && m_list) {
    ::PostMessage(m_dialog, WM_COMMAND, MAKEWPARAM(WORD(m_listId), LBN_SELCHANGE), reinterpret_cast<LPARAM>(m_list->m_hWnd));
  }
}

void SECListBoxEditor::SendNotify(WORD code) {
  if (m_dialog && m_list) {
    ::SendMessage(m_dialog, WM_COMMAND, MAKEWPARAM(WORD(m_listId), code), reinterpret_cast<LPARAM>(m_list->m_hWnd));
  }
}

void SECListBoxEditor::NotifySelChange() { PostSelChange(); }

void SECListBoxEditor::EnsureSelection() {
  BOOL none = IsMultiSelect() ? m_list->GetSelCount() <= 0 : m_list->GetCurSel() < 0;
  if (none && m_list->GetCount() > 0) SelectItem(m_list->GetCount() - 1);
  NotifySelChange();
}

BOOL SECListBoxEditor::IsMultiSelect() const {
  return m_list && (m_list->GetStyle() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
}

void SECListBoxEditor::SelectItem(int nIndex) {
  if (!IsMultiSelect()) {
    m_list->SetCurSel(nIndex);
    return;
  }
  m_list->SetSel(-1, FALSE);
  if (nIndex >= 0 && nIndex < m_list->GetCount()) {
    m_list->SetSel(nIndex, TRUE);
    m_list->SetCaretIndex(nIndex);
  }
}

int SECListBoxEditor::GetCurrentItem() const {
  if (!IsMultiSelect()) return m_list->GetCurSel();
  int selected = -1;
  return m_list->GetSelCount() == 1 && m_list->GetSelItems(1, &selected) == 1 ? selected : -1;
}

void SECListBoxEditor::ReplaceItemText(int nIndex, const CString& strText) {
  UINT_PTR data = m_list->GetItemData(nIndex);
  BOOL selected = m_list->GetSel(nIndex) > 0;
  int caret = m_list->GetCurSel();
  m_list->InsertString(nIndex, strText);
  m_list->SetItemData(nIndex, data);
  m_list->DeleteString(UINT(nIndex + 1));
  if (!IsMultiSelect()) {
    m_list->SetCurSel(caret);
  } else {
    if (selected) m_list->SetSel(nIndex, TRUE);
    if (caret >= 0) m_list->SetCaretIndex(caret);
  }
}

CString SECListBoxEditor::TrimmedRight(const CString& text) {
  CString t = text;
  t.TrimRight();
  return t;
}

BOOL SECListBoxEditor::IsPlaceholder(int nIndex) {
  return UsesPlaceholder() && nIndex == m_list->GetCount() - 1 && ItemText(*m_list, nIndex).IsEmpty();
}

void SECListBoxEditor::OnItemChanged(int nIndex, const CString& /*strOld*/, const CString& strNew) {
  CString text = TrimmedRight(strNew);
  if (text.IsEmpty()) {
    DeleteItem(nIndex);
    return;
  }
  if (text != strNew) {
    ReplaceItemText(nIndex, text);
    SelectItem(nIndex);
  }
  if (nIndex == m_list->GetCount() - 1 && UsesPlaceholder()) m_list->AddString("");
}

void SECListBoxEditor::OnItemAdded(int nIndex, const CString& strText) {
  CString text = TrimmedRight(strText);
  if (text.IsEmpty()) {
    DeleteItem(nIndex);
  } else if (text != strText) {
    ReplaceItemText(nIndex, text);
    SelectItem(nIndex);
  }
}

void SECListBoxEditor::OnItemMoved(int nFrom, int nTo, const CString& /*strText*/) {
  m_moveFrom = nFrom;
  m_moveTo = nTo;
  SendNotify(LBE_NOTIFY_MOVED);
}

BOOL SECListBoxEditor::CanDelete(int /*nIndex*/, const CString& /*strText*/) { return TRUE; }

void SECListBoxEditor::NewItem() {
  if (m_edit) EndEdit();
  int count = m_list->GetCount();
  if (count == 0 || !ItemText(*m_list, count - 1).IsEmpty()) m_list->AddString("");
  if (UsesPlaceholder()) m_list->AddString("");
  int index = m_list->GetCount() - (UsesPlaceholder() ? 2 : 1);
  m_textBefore.Empty();
  EditItem(index, TRUE, nullptr);
  m_newItem = TRUE;
}

void SECListBoxEditor::DeleteSelected() {
  if (!IsMultiSelect()) {
    int current = m_list->GetCurSel();
    if (current >= 0) DeleteItem(current);
    return;
  }
  // One by one, the first selected item each time, until none is left or a deletion is refused.
  int first = -1;
  while (m_list->GetSelCount() > 0 && m_list->GetSelItems(1, &first) == 1 && DeleteItem(first)) {
  }
}

BOOL SECListBoxEditor::DeleteItem(int nIndex) {
  int count = m_list->GetCount();
  if (nIndex < 0 || nIndex >= count) return FALSE;
  // Only the placeholder row is kept; without placeholders an empty last item is an item like
  // any other.
  if (IsPlaceholder(nIndex)) return FALSE;
  if (!CanDelete(nIndex, ItemText(*m_list, nIndex))) return FALSE;
  m_list->SetRedraw(FALSE);
  m_list->DeleteString(UINT(nIndex));
  if (!IsMultiSelect()) m_list->SetCurSel(std::min(nIndex, m_list->GetCount() - 1));
  m_list->SetRedraw(TRUE);
  m_list->Invalidate();
  m_lastDeleted = nIndex;
  SendNotify(LBE_NOTIFY_DELETED);
  return TRUE;
}

int SECListBoxEditor::MoveItem(int nFrom, int nTo) {
  CString text = ItemText(*m_list, nFrom);
  UINT_PTR data = m_list->GetItemData(nFrom);
  int top = m_list->GetTopIndex();
  m_list->SetRedraw(FALSE);
  m_list->DeleteString(UINT(nFrom));
  int at = nTo > nFrom ? nTo - 1 : nTo;
  at = m_list->InsertString(at, text);
  m_list->SetItemData(at, data);
  SelectItem(at);
  m_list->SetTopIndex(std::min(top, std::max(0, m_list->GetCount() - 1)));
  m_list->SetRedraw(TRUE);
  m_list->Invalidate();
  return at;
}

void SECListBoxEditor::MoveItemUp(int nIndex) {
  if (nIndex < 1 || nIndex >= m_list->GetCount()) return;
  MoveItem(nIndex, nIndex - 1);
}

void SECListBoxEditor::MoveUp() {
  if (m_edit) EndEdit();
  int current = GetCurrentItem();
  int last = m_list->GetCount() - 1 - (UsesPlaceholder() && IsPlaceholder(m_list->GetCount() - 1) ? 1 : 0);
  if (current < 1 || current > last) return;
  CString text = ItemText(*m_list, current);
  MoveItemUp(current);
  SelectItem(current - 1);
  OnItemMoved(current, current - 1, text);
}

void SECListBoxEditor::MoveDown() {
  if (m_edit) EndEdit();
  int current = GetCurrentItem();
  int last = m_list->GetCount() - 1 - (UsesPlaceholder() && IsPlaceholder(m_list->GetCount() - 1) ? 1 : 0);
  if (current < 0 || current >= last) return;
  CString text = ItemText(*m_list, current);
  MoveItemUp(current + 1);
  SelectItem(current + 1);
  OnItemMoved(current, current + 1, text);
}

void SECListBoxEditor::OnListChar(UINT nChar) {
  if (nChar == ' ' || nChar == 0x08) {
    if (m_spaceLeavesList) {
      FocusNextTabStop(m_list->m_hWnd, nChar == 0x08);
      return;
    }
    nChar = 0;
  }
  int current = m_list->GetCurSel();
  if (current < 0) return;
  m_textBefore = ItemText(*m_list, current);
  char initial[2] = {char(nChar), 0};
  EditItem(current, FALSE, nChar ? initial : nullptr);
}

void SECListBoxEditor::EditItem(int nIndex, BOOL bNewItem, LPCTSTR lpszInitial) {
  if (nIndex < 0 || nIndex >= m_list->GetCount()) return;
  if (m_edit) EndEdit();
  NotifySelChange();
  int previous = m_list->GetCurSel();
  SelectItem(nIndex);
  CRect r;
  m_list->GetItemRect(nIndex, &r);
  r.top -= 2;
  r.bottom += 2;
  m_edit = std::make_unique<SECListBoxEdit>(this, nIndex, bNewItem, previous);
  CRect edit_rect = r;
  int button_width = 0;
  if (m_options & LBE_BROWSE) {
    CClientDC dc(m_list.get());
    CFont* old = dc.SelectObject(m_list->GetFont());
    button_width = dc.GetTextExtent("...").cx + 2 * dc.GetTextExtent(" ").cx + 2 * GetSystemMetrics(SM_CXBORDER);
    dc.SelectObject(old);
    edit_rect.right -= button_width;
  }
  m_edit->Create(WS_CHILD | WS_BORDER | ES_AUTOHSCROLL, edit_rect, m_list.get(), LBE_EDIT_ID);
  m_edit->SetFont(m_list->GetFont(), FALSE);
  m_edit->SetWindowText(lpszInitial ? lpszInitial : static_cast<LPCTSTR>(ItemText(*m_list, nIndex)));
  if (lpszInitial) {
    int end = m_edit->GetWindowTextLength();
    m_edit->SetSel(end, end);
  } else {
    m_edit->SetSel(0, -1);
  }
  if (m_options & LBE_BROWSE) {
    m_browseButton = std::make_unique<CButton>();
    m_browseButton->Create("...", WS_CHILD | WS_VISIBLE, CRect(edit_rect.right, r.top, r.right, r.bottom), m_list.get(),
                           LBE_BROWSE_ID);
    m_browseButton->SetFont(m_list->GetFont(), FALSE);
    m_edit->SetBrowseButtonId(LBE_BROWSE_ID);
  }
  m_edit->ShowWindow(SW_SHOW);
  m_edit->SetFocus();
}

void SECListBoxEditor::EndEdit() {
  if (!m_edit) return;
  int index = m_edit->GetIndex();
  BOOL new_item = m_edit->IsNewItem();
  // The edit may be the window whose key handler ends it: its object stays until the next edit
  // ends (or the editor goes), so that handler can still return through it.
  m_retiredEdit = std::move(m_edit);
  m_retiredButton = std::move(m_browseButton);
  SECListBoxEdit* edit = m_retiredEdit.get();
  if (m_retiredButton && m_retiredButton->m_hWnd) m_retiredButton->DestroyWindow();
  BOOL had_focus = edit->m_hWnd && ::GetFocus() == edit->m_hWnd;
  if (edit->m_hWnd) edit->DestroyWindow();
  if (had_focus) m_list->SetFocus();

  int count = m_list->GetCount();
  if (index >= 0 && index < count && !m_cancelled) {
    CString text = ItemText(*m_list, index);
    BOOL last = index == count - 1;
    if (last && text != m_textBefore && !m_textBefore.IsEmpty()) {
      OnItemChanged(index, m_textBefore, text);
    } else if (new_item || m_newItem || (last && UsesPlaceholder())) {
      OnItemAdded(index, text);
      int now = m_list->GetCount();
      if (UsesPlaceholder() && now > 0 && !TrimmedRight(ItemText(*m_list, now - 1)).IsEmpty()) m_list->AddString("");
    } else if (text != m_textBefore) {
      OnItemChanged(index, m_textBefore, text);
    }
  }
  m_textBefore.Empty();
  m_newItem = FALSE;
  EnsureSelection();
}

int SECListBoxEditor::GetHeaderHeight() {
  int height = 0;
  CClientDC dc(this);
  CFont* font = GetFont();
  CFont* old = font ? dc.SelectObject(font) : nullptr;
  TEXTMETRIC tm{};
  dc.GetTextMetrics(&tm);
  if (old) dc.SelectObject(old);
  height = tm.tmHeight + 4 * GetSystemMetrics(SM_CYBORDER);
  for (int i = 0; i < 4; ++i) {
    HBITMAP bitmap = LoadButtonBitmap(kButtonBitmaps[i]);
    height = std::max<int>(height, BitmapSize(bitmap).cy + 2);
    if (bitmap) DeleteObject(bitmap);
  }
  return height;
}

void SECListBoxEditor::SetButtons(DWORD dwOptions) {
  for (int i = 0; i < 4; ++i) m_buttonExists[i] = (dwOptions & (LBE_NEWBUTTON << i)) != 0;
}

void SECListBoxEditor::LayoutButtons() {
  CRect client;
  GetClientRect(&client);
  int right = client.right;
  for (int i = 3; i >= 0; --i) {
    m_buttonRects[i].SetRectEmpty();
    if (!m_buttonExists[i]) continue;
    HBITMAP bitmap = LoadButtonBitmap(kButtonBitmaps[i]);
    int width = BitmapSize(bitmap).cx;
    if (bitmap) DeleteObject(bitmap);
    m_buttonRects[i] = CRect(right - width, 0, right, m_headerHeight);
    right -= width;
  }
}

void SECListBoxEditor::UpdateToolTips() {
  if (!m_toolTips || !(m_options & LBE_BUTTONS) || !(m_options & LBE_TOOLTIPS)) return;
  for (int i = 0; i < 4; ++i) {
    m_toolTips->DelTool(this, UINT_PTR(i + 1));
    if (!m_buttonExists[i]) continue;
    CString tip;
    AfxLoadString(kButtonTips[i], tip);
    m_toolTips->AddTool(this, tip, &m_buttonRects[i], UINT_PTR(i + 1));
  }
  m_toolTips->Activate(TRUE);
}

void SECListBoxEditor::Relayout() {
  CRect r;
  GetWindowRect(&r);
  CWnd* parent = GetParent();
  if (!parent) return;
  parent->ScreenToClient(&r);
  if (r.Height() > m_headerHeight) {
    int gap = 2 * GetSystemMetrics(SM_CYBORDER);
    CRect list_rect(r.left, r.top + m_headerHeight + gap, r.right, r.bottom);
    MoveWindow(r.left, r.top, r.Width(), m_headerHeight, TRUE);
    m_list->MoveWindow(&list_rect, TRUE);
  }
  LayoutButtons();
  UpdateToolTips();
  Invalidate();
  m_list->Invalidate();
}

void SECListBoxEditor::OnBrowse() {}

BOOL SECListBoxEditor::PreTranslateMessage(MSG* pMsg) {
  if (m_toolTips && (m_options & LBE_TOOLTIPS) && pMsg->message == WM_MOUSEMOVE) m_toolTips->RelayEvent(pMsg);
  return CWnd::PreTranslateMessage(pMsg);
}

void SECListBoxEditor::OnPaintHeader() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  CRect face = client;
  face.bottom -= 2;
  dc.FillSolidRect(&face, GetSysColor(COLOR_BTNFACE));
  CFont* old = GetFont() ? dc.SelectObject(GetFont()) : nullptr;
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
  CString caption;
  GetWindowText(caption);
  CRect text = face;
  text.left += 2 * GetSystemMetrics(SM_CXBORDER);
  // A long caption stops short of the buttons instead of running under them.
  if (m_options & LBE_BUTTONS) {
    for (int i = 0; i < 4; ++i) {
      if (m_buttonExists[i]) text.right = std::min<int>(text.right, m_buttonRects[i].left - 2 * GetSystemMetrics(SM_CXBORDER));
    }
  }
  dc.DrawText(caption, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (old) dc.SelectObject(old);
  if (m_options & LBE_BUTTONS) {
    for (int i = 0; i < 4; ++i) {
      if (m_buttonExists[i]) DrawButtonImage(dc, m_buttonRects[i], kButtonBitmaps[i], FALSE);
    }
  }
}

void SECListBoxEditor::RunButton(int nButton) {
  switch (nButton) {
    case kNew: NewItem(); break;
    case kDelete: DeleteSelected(); break;
    case kUp: MoveUp(); break;
    case kDown: MoveDown(); break;
    default: break;
  }
}

// The pressed image follows the cursor on and off the button; releasing over it runs its action.
void SECListBoxEditor::OnHeaderButtonDown(CPoint point) {
  int pressed = -1;
  for (int i = 0; i < 4; ++i) {
    if (m_buttonExists[i] && m_buttonRects[i].PtInRect(point)) pressed = i;
  }
  if (pressed < 0) return;
  CRect r = m_buttonRects[pressed];
  auto draw = [&](BOOL down) {
    CClientDC dc(this);
    DrawButtonImage(dc, r, kButtonBitmaps[pressed], down);
  };
  draw(TRUE);
  SetCapture();
  BOOL over = TRUE;
  BOOL released_over = FALSE;
  MSG msg;
  while (::GetCapture() == m_hWnd && ::GetMessage(&msg, nullptr, 0, 0)) {
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
      CPoint p(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
      if (msg.hwnd != m_hWnd) {
        ::ClientToScreen(msg.hwnd, &p);
        ScreenToClient(&p);
      }
      BOOL now_over = r.PtInRect(p);
      if (now_over != over) draw(now_over);
      over = now_over;
      if (msg.message == WM_LBUTTONUP) {
        released_over = over;
        break;
      }
      continue;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == WPARAM(VK_ESCAPE)) break;
    ::TranslateMessage(&msg);
    ::DispatchMessage(&msg);
  }
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  draw(FALSE);
  if (released_over) RunButton(pressed);
}

LRESULT SECListBoxEditor::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      OnPaintHeader();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_NCHITTEST:
      return HTCLIENT;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if ((m_options & LBE_BUTTONS) && !m_edit) OnHeaderButtonDown(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
      return 0;
    case WM_SIZE:
    case WM_MOVE: {
      LRESULT r = CWnd::WindowProc(message, wParam, lParam);
      if (m_initialized) Relayout();
      return r;
    }
    case WM_SETTEXT: {
      LRESULT r = CWnd::WindowProc(message, wParam, lParam);
      Invalidate();
      return r;
    }
    default:
      return CWnd::WindowProc(message, wParam, lParam);
  }
}

BOOL SECListBoxEditor::HandleListMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case LBE_SETCANCELLED:
      m_cancelled = BOOL(wParam);
      return TRUE;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header && header->idFrom == LBE_EDIT_ID && header->code == LBE_NOTIFY_ENDEDIT) {
        EndEdit();
        m_cancelled = FALSE;
        return TRUE;
      }
      return FALSE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == LBE_BROWSE_ID && HIWORD(wParam) == BN_CLICKED) {
        OnBrowse();
        return TRUE;
      }
      return FALSE;
    case WM_KEYDOWN: {
      BOOL ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
      if ((m_options & LBE_SHORTCUTS) && wParam == WPARAM(VK_INSERT) && !ctrl) {
        NewItem();
        return TRUE;
      }
      if ((m_options & LBE_SHORTCUTS) && wParam == WPARAM(VK_DELETE) && !ctrl) {
        DeleteSelected();
        return TRUE;
      }
      if ((m_options & LBE_BROWSE) && wParam == WPARAM(kKeyF2)) {
        OnListChar(0);
        return TRUE;
      }
      return FALSE;
    }
    case WM_SYSKEYDOWN:
      if ((m_options & LBE_SHORTCUTS) && (wParam == WPARAM(VK_UP) || wParam == WPARAM(VK_DOWN))) {
        if (wParam == WPARAM(VK_UP)) MoveUp(); else MoveDown();
        return TRUE;
      }
      return FALSE;
    case WM_CHAR:
      if ((m_options & LBE_AUTOEDIT) && !(GetKeyState(VK_CONTROL) & 0x8000) && wParam >= 0x20) {
        OnListChar(UINT(wParam));
        return TRUE;
      }
      if ((m_options & LBE_AUTOEDIT) && wParam == 0x08) {
        OnListChar(0x08);
        return TRUE;
      }
      return FALSE;
    case WM_LBUTTONDBLCLK:
      if (m_edit) EndEdit();
      result = m_list->CListBox::WindowProc(message, wParam, lParam);
      OnListChar(0);
      return TRUE;
    case WM_LBUTTONDOWN: {
      BOOL had_edit = m_edit != nullptr;
      if (m_edit) {
        CString text;
        m_edit->GetWindowText(text);
        m_edit->SendMessage(WM_KEYDOWN, text.IsEmpty() ? VK_ESCAPE : VK_RETURN, 0);
        if (m_edit) EndEdit();
      }
      int before = m_list->GetCurSel();
      result = m_list->CListBox::WindowProc(message, wParam, lParam);
      if ((m_options & LBE_DRAGNDROP) && !m_edit) DragItem(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
      if (!had_edit && !m_edit && m_list->GetCurSel() != before) PostSelChange();
      return TRUE;
    }
    case WM_NCDESTROY:
      m_edit.reset();
      m_browseButton.reset();
      return FALSE;
    default:
      return FALSE;
  }
}

// --- Dragging -------------------------------------------------------------------------------------

namespace {

LRESULT DragWndProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProc(h, message, wParam, lParam);
}

const char* DragWindowClass() {
  WNDCLASS wc;
  if (!GetClassInfo(kDragClass, &wc)) {
    wc = WNDCLASS{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = DragWndProc;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kDragClass;
    RegisterClass(&wc);
  }
  return kDragClass;
}

// The state of one drag: the insertion line and the auto-scroll pace.
struct DragState {
  CListBox* list = nullptr;
  int source = -1;
  int target = -2;  // before this row; -1 the end; -2 none
  int line_y = -1;
  BOOL moving = FALSE;
  BOOL cancelled = FALSE;
  BOOL placeholder = FALSE;
  int outside = 0;
  DWORD interval = kScrollIntervalStart;
  DWORD last_step = 0;
  DWORD start_tick = 0;
  CPoint start;

  int Count() const { return list->GetCount() - (placeholder ? 1 : 0); }

  // Draws (or, drawn again, erases) the grey insertion line at client height `y`.
  void DrawLine(int y) {
    if (y < 0) return;
    CRect client;
    list->GetClientRect(&client);
    CClientDC dc(list);
    CPen pen(PS_SOLID, 1, RGB(0x80, 0x80, 0x80));
    CPen* old = dc.SelectObject(&pen);
    int mode = dc.SetROP2(R2_NOTXORPEN);
    dc.MoveTo(client.left + 2, y);
    dc.LineTo(client.right + 1, y);
    dc.SetROP2(mode);
    dc.SelectObject(old);
  }

  // The edge at which the target lies: the top of its row, or the bottom of the last row.
  int EdgeOf(int t) const {
    CRect r;
    if (t >= 0) {
      list->GetItemRect(t, &r);
      return r.top;
    }
    if (Count() == 0) return 0;
    list->GetItemRect(Count() - 1, &r);
    return r.bottom;
  }

  void SetTarget(int t) {
    int y = EdgeOf(t);
    if (t == target && y == line_y) return;
    DrawLine(line_y);
    target = t;
    line_y = y;
    DrawLine(line_y);
  }

  // The target under a client point: before the row in its upper half, after it in its lower.
  void Track(CPoint p) {
    if (!moving) {
      int dx = p.x - start.x, dy = p.y - start.y;
      int cx = GetSystemMetrics(SM_CXDOUBLECLK), cy = GetSystemMetrics(SM_CYDOUBLECLK);
      if (dx * dx + dy * dy <= cx * cx + cy * cy) return;
      moving = TRUE;
    }
    CRect client;
    list->GetClientRect(&client);
    if (GetTickCount() - start_tick >= kMinDragTime) {
      int now = (p.x < client.left ? kOutsideLeft : 0) | (p.x >= client.right ? kOutsideRight : 0) |
                (p.y < client.top ? kOutsideAbove : 0) | (p.y >= client.bottom ? kOutsideBelow : 0);
      if (now && !outside) {
        interval = kScrollIntervalStart;
        last_step = GetTickCount();
      }
      outside = now;
    }
    if (Count() == 0) {
      SetTarget(-1);
      return;
    }
    BOOL beyond = FALSE;
    int row = int(list->ItemFromPoint(p, beyond));
    if (row >= Count()) row = Count() - 1;
    CRect r;
    list->GetItemRect(row, &r);
    int t = p.y < (r.top + r.bottom) / 2 ? row : row + 1;
    SetTarget(t >= Count() ? -1 : t);
  }

  // One auto-scroll step when the interval has passed while the cursor is above or below the list.
  void AutoScroll() {
    if (!(outside & (kOutsideAbove | kOutsideBelow))) return;
    DWORD now = GetTickCount();
    if (now - last_step < interval) return;
    last_step = now;
    CRect client;
    list->GetClientRect(&client);
    int top = list->GetTopIndex();
    if (outside & kOutsideAbove) {
      if (top > 0) {
        DrawLine(line_y);
        line_y = -1;
        list->SetTopIndex(top - 1);
        list->UpdateWindow();
      }
      SetTarget(list->GetTopIndex());
    } else {
      // The last fully visible row.
      int last = list->GetTopIndex();
      CRect r;
      while (last + 1 < list->GetCount() && list->GetItemRect(last + 1, &r) != LB_ERR && r.bottom <= client.bottom) ++last;
      if (last + 1 < list->GetCount()) {
        DrawLine(line_y);
        line_y = -1;
        list->SetTopIndex(top + 1);
        list->UpdateWindow();
        last = std::min(last + 1, list->GetCount() - 1);
      }
      SetTarget(last >= Count() ? -1 : last);
    }
    interval = std::max(kScrollIntervalMin, interval - kScrollIntervalStep);
  }
};

}  // namespace

void SECListBoxEditor::DragItem(CPoint start) {
  int source = m_list->GetCurSel();
  if (source < 0 || IsPlaceholder(source)) return;
  HWND window = CreateWindowEx(0, DragWindowClass(), "", WS_POPUP, 0, 0, 0, 0, m_list->m_hWnd, nullptr, nullptr);
  if (!window) return;
  ::SetCapture(window);
  DragState drag;
  drag.list = m_list.get();
  drag.source = source;
  drag.placeholder = UsesPlaceholder() && IsPlaceholder(m_list->GetCount() - 1);
  drag.start = start;
  drag.start_tick = GetTickCount();
  ::SetTimer(window, kDragTimer, kScrollIntervalMin / 2, nullptr);

  MSG msg;
  BOOL taken = FALSE;
  for (;;) {
    // The program's idle work (command-UI updates among it) runs after each message, as in the
    // program's own loop.
    if (std::exchange(taken, FALSE)) win::run_idle();
    if (::GetCapture() != window) {
      drag.cancelled = TRUE;
      break;
    }
    if (!::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::WaitMessage();
      continue;
    }
    taken = TRUE;
    if (msg.message == WM_QUIT) {
      drag.cancelled = TRUE;
      ::PostQuitMessage(int(msg.wParam));
      break;
    }
    if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_CHAR ||
        msg.message == WM_SYSKEYDOWN || msg.message == WM_SYSKEYUP || msg.message == WM_SYSCHAR) {
      if (msg.message == WM_KEYDOWN && msg.wParam == WPARAM(VK_ESCAPE)) {
        drag.cancelled = TRUE;
        break;
      }
      continue;
    }
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
      CPoint p(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
      ::ClientToScreen(msg.hwnd, &p);
      m_list->ScreenToClient(&p);
      drag.Track(p);
      if (msg.message == WM_LBUTTONUP) break;
      continue;
    }
    if (msg.message == WM_TIMER && msg.hwnd == window) {
      drag.AutoScroll();
      continue;
    }
    // Through the program's message filter (its pre-translation), then translated and dispatched.
    win::process_message(msg);
  }
  drag.DrawLine(drag.line_y);
  ::KillTimer(window, kDragTimer);
  if (::GetCapture() == window) ::ReleaseCapture();
  ::DestroyWindow(window);

  BOOL long_enough = GetTickCount() - drag.start_tick > kMinDragTime;
  if (!drag.moving || !long_enough || drag.cancelled || drag.target == -2) return;
  int to = drag.target == -1 ? drag.Count() : drag.target;
  if (to == source || to == source + 1) return;
  CString text = ItemText(*m_list, source);
  int at = MoveItem(source, to);
  OnItemMoved(source, at, text);
}
