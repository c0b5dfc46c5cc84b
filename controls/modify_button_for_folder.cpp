#include "controls/modify_button_for_folder.h"

#include "controls/get_folder_control.h"
#include "platform/base/cp1250.h"
#include "platform/win/message_queue.h"

IMPLEMENT_DYNAMIC(CModifyButtonForFolder, CButton)

BEGIN_MESSAGE_MAP(CModifyButtonForFolder, CButton)
  ON_CONTROL_REFLECT(BN_CLICKED, &CModifyButtonForFolder::OnClicked)
END_MESSAGE_MAP()

CModifyButtonForFolder::CModifyButtonForFolder(CGetFolderControl& field) : m_field(field) {}

CModifyButtonForFolder::~CModifyButtonForFolder() = default;

BOOL CModifyButtonForFolder::CreateBeside() {
  CWnd* parent = m_field.GetParent();
  if (!parent) return FALSE;
  CRect field;
  m_field.GetWindowRect(&field);
  parent->ScreenToClient(&field);
  const int width = field.Height() * 8 / 10;
  const CRect place(field.right, field.top, field.right + width, field.bottom);
  if (!Create("...", WS_CHILD | WS_VISIBLE | WS_GROUP, place, parent, kButtonId)) return FALSE;
  SetFont(parent->GetFont(), FALSE);
  m_tip.Create(this);
  m_tip.AddTool(this, base::cp1250::from_utf8("Zmień").c_str());
  m_tip.Activate(TRUE);
  return TRUE;
}

LRESULT CModifyButtonForFolder::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_tip.GetToolCount() > 0) {
    MSG relayed;
    relayed.hwnd = m_hWnd;
    relayed.message = message;
    relayed.wParam = wParam;
    relayed.lParam = lParam;
    const DWORD pos = GetMessagePos();
    relayed.pt = POINT{GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
    m_tip.RelayEvent(&relayed);
  }
  return CButton::WindowProc(message, wParam, lParam);
}

void CModifyButtonForFolder::OnClicked() { m_field.Browse(); }
