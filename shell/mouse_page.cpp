#include "shell/mouse_page.h"

#include <algorithm>
#include <cstring>

#include "platform/base/cp1250.h"
#include "platform/framework/app.h"
#include "platform/framework/data_exchange.h"
#include "platform/win/window_dc.h"
#include "platform/res/icon_loading.h"
#include "platform/res/resource_store.h"
#include "platform/win/system_metrics.h"
#include "resources/app_ids.h"
#include "resources/resource_ids.h"

namespace {

using namespace resources;

constexpr int kActInformation = 32793;
// The list position of each context: the list sorts its names, so "Arkusz z rysunkiem" comes first.
constexpr int kPicturePosition = 0;
constexpr int kTextPosition = 1;

struct Entry {
  int id;
  const char* name;
  const char* description;
};

constexpr Entry kPictureCommands[] = {
    {32938, "Całe okno", "Skaluje rysunek w takim stopniu aby zmieścił się cały w obszarze okna"},
    {32939, "Szerokość okna", "Skaluje rysunek w takim stopniu aby jego szerokość odpowiadała szerokości okna"},
    {32940, "Powiększenie 50%", "Pomniejsza rysunek do 50% całkowitego rozmiaru"},
    {32906, "Powiększenie 66%", "pomniejsza rysunek do 66% całkowitego rozmiaru"},
    {32941, "Powiększenie 100%", "Wyświetla rysunek w jego naturalnej wielkości"},
    {32942, "Powiększenie 150%", "Powiększa rysunek do 150% całkowitego rozmiaru"},
    {32943, "Powiększenie 200%", "Powiększa rysunek do 200% całkowitego rozmiaru"},
    {57643, "Powrót do tekstu", "Zamyka rysunek i powraca do tekstu"},
    {32901, "Tryb przesuwania",
     "Włącza/wyłącza tryb w którym można uchwycić rysunek rzy pomocy myszy i rzesunąć go razem z nią w dowolnym "
     "kierunku"},
    {32902, "Tryb powiększania",
     "Włącza/wyłącza tryb w którym można powiększać lub pomniejszać rysunek przy pomocy pojedynczego klikniecia nad "
     "rysunkiem"},
    {32957, "Tryb z linijkami",
     "Włącza/wyłącza tryb w którym widoczne są dodatkowe linijki oraz możliwość dokładnego określenia położenia "
     "kursora nad rysunkiem"},
};

CString Cp(const char* utf8) { return CString(base::cp1250::from_utf8(utf8)); }

}  // namespace

IMPLEMENT_DYNCREATE(CMousePage, CGSPropertyPage)

BEGIN_MESSAGE_MAP(CMousePage, CGSPropertyPage)
END_MESSAGE_MAP()

CMousePage::CMousePage() : CGSPropertyPage(IDD_MOUSE_PAGE) {}
CMousePage::~CMousePage() = default;

CMouseCommandList CMousePage::TextSheetCommands() {
  // The act information window, named by its own prompt so that the list shows what it does.
  CMouseCommandList list;
  list.push_back(std::make_unique<CMouseCommandId>(kActInformation, Cp("Informacja o akcie"), PromptOf(kActInformation)));
  return list;
}

CMouseCommandList CMousePage::PictureSheetCommands() {
  CMouseCommandList list;
  for (const Entry& e : kPictureCommands) {
    list.push_back(std::make_unique<CMouseCommandId>(e.id, Cp(e.name), Cp(e.description)));
  }
  return list;
}

CString CMousePage::PromptOf(int command) {
  const std::string* text = res::find_string(UINT(command));
  if (!text) return CString();
  return CString(text->substr(0, text->find('\n')));
}

void CMousePage::DoDataExchange(CDataExchange* pDX) {
  CGSPropertyPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_MOUSE_CONTEXTS, m_contexts);
  DDX_Control(pDX, IDC_MOUSE_COMMANDS, m_commands);
  DDX_Control(pDX, IDC_MOUSE_DESCRIPTION, m_description);
  DDX_Text(pDX, IDC_MOUSE_DESCRIPTION, m_strDescription);
}

BOOL CMousePage::OnInitDialog() {
  CGSPropertyPage::OnInitDialog();
  CGSMouseManager* manager = CGSMouseManager::GetMouseManager();
  CStringList names;
  if (manager) manager->GetContextNames(names);

  const int cx = ::GetSystemMetrics(SM_CXSMICON), cy = ::GetSystemMetrics(SM_CYSMICON);
  m_images.Create(cx, cy, ILC_COLOR | ILC_MASK, int(names.GetCount()), 1);
  m_contexts.SetImageList(&m_images, LVSIL_SMALL);
  CRect client;
  m_contexts.GetClientRect(&client);
  m_contexts.InsertColumn(0, "", LVCFMT_LEFT, client.Width() - 1);

  CClientDC dc(&m_contexts);
  CFont* font = m_contexts.GetFont();
  if (!font) font = GetFont();
  CFont* old = font ? dc.SelectObject(font) : nullptr;
  int widest = 0;
  for (POSITION pos = names.GetHeadPosition(); pos;) {
    const CString& name = names.GetNext(pos);
    const int id = manager->FindContext(name);
    const int template_id = manager->GetContextTemplate(id);
    int image = -1;
    if (template_id != 0) {
      if (HICON icon = ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(template_id))) {
        image = m_images.Add(icon);
        ::DestroyIcon(icon);
      }
    }
    // Before the first item whose text compares greater, byte by byte.
    int place = m_contexts.GetItemCount();
    for (int i = 0; i < m_contexts.GetItemCount(); ++i) {
      if (std::strcmp(m_contexts.GetItemText(i, 0), name) > 0) {
        place = i;
        break;
      }
    }
    m_contexts.InsertItem(LVIF_TEXT | LVIF_PARAM | (image >= 0 ? LVIF_IMAGE : 0), place, name, 0, 0, image, LPARAM(id));
    widest = std::max(widest, int(dc.GetTextExtent(name).cx));
  }
  if (old) dc.SelectObject(old);
  m_contexts.SetColumnWidth(0, widest + (m_images.GetImageCount() > 0 ? cx : 0) + 10);
  if (m_contexts.GetItemCount() > 0) {
    m_contexts.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_contexts.EnsureVisible(0, FALSE);
  }
  return TRUE;
}

void CMousePage::EnableCommands(BOOL bEnable) {
  m_commands.EnableWindow(bEnable);
  m_description.EnableWindow(bEnable);
  if (!bEnable) {
    m_commands.SetCurSel(-1);
    m_strDescription.Empty();
    m_description.SetWindowText("");
  }
}

void CMousePage::OnDefaultChosen() {
  CheckRadioButton(IDC_MOUSE_DEFAULT, IDC_MOUSE_CHOSEN, IDC_MOUSE_DEFAULT);
  EnableCommands(FALSE);
  if (m_nContext >= 0) {
    if (CGSMouseManager* manager = CGSMouseManager::GetMouseManager()) manager->SetActionCommand(UINT(m_nContext), 0);
  }
}

void CMousePage::OnUserChosen() {
  CheckRadioButton(IDC_MOUSE_DEFAULT, IDC_MOUSE_CHOSEN, IDC_MOUSE_CHOSEN);
  EnableCommands(TRUE);
  if (m_nContext < 0) {
    ::MessageBeep(UINT(-1));
    return;
  }
  // No command until one is picked.
  if (CGSMouseManager* manager = CGSMouseManager::GetMouseManager()) manager->SetActionCommand(UINT(m_nContext), 0);
}

void CMousePage::OnCommandPicked() {
  if (m_nContext < 0) {
    ::MessageBeep(UINT(-1));
    return;
  }
  const int sel = m_commands.GetCurSel();
  if (sel < 0) return;
  const int command = int(m_commands.GetItemData(sel));
  if (CGSMouseManager* manager = CGSMouseManager::GetMouseManager()) manager->SetActionCommand(UINT(m_nContext), command);
  m_strDescription = PromptOf(command);
  m_description.SetWindowText(m_strDescription);
}

void CMousePage::OnContextChanged() {
  const int position = m_contexts.GetNextItem(-1, LVNI_SELECTED);
  if (position < 0) return;
  m_commands.ResetContent();
  const CMouseCommandList* list = position == kPicturePosition ? m_pPictureCommands
                                  : position == kTextPosition  ? m_pTextCommands
                                                               : nullptr;
  if (list) {
    for (const auto& entry : *list) {
      const int row = m_commands.AddString(entry->m_strName);
      m_commands.SetItemData(row, UINT_PTR(entry->m_nId));
    }
  }
  GetDlgItem(IDC_MOUSE_CHOSEN)->EnableWindow(TRUE);
  m_nContext = int(m_contexts.GetItemData(position));
  CGSMouseManager* manager = CGSMouseManager::GetMouseManager();
  const int command = manager ? manager->GetActionCommand(UINT(m_nContext)) : 0;
  if (command != 0) {
    CheckDlgButton(IDC_MOUSE_CHOSEN, BST_CHECKED);
    CheckDlgButton(IDC_MOUSE_DEFAULT, BST_UNCHECKED);
    EnableCommands(TRUE);
    m_strDescription = PromptOf(command);
    m_description.SetWindowText(m_strDescription);
    m_commands.SetCurSel(-1);
    for (int i = 0; i < m_commands.GetCount(); ++i) {
      if (int(m_commands.GetItemData(i)) == command) {
        m_commands.SetCurSel(i);
        m_commands.SetTopIndex(i);
      }
    }
  } else {
    // Either choice stays open: the user-chosen one is how an assignment is made.
    CheckDlgButton(IDC_MOUSE_DEFAULT, BST_CHECKED);
    CheckDlgButton(IDC_MOUSE_CHOSEN, BST_UNCHECKED);
    EnableCommands(FALSE);
  }
}

BOOL CMousePage::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT id = LOWORD(wParam);
  const UINT code = HIWORD(wParam);
  if (id == IDC_MOUSE_DEFAULT && code == BN_CLICKED) {
    OnDefaultChosen();
    return TRUE;
  }
  if (id == IDC_MOUSE_CHOSEN && code == BN_CLICKED) {
    OnUserChosen();
    return TRUE;
  }
  if (id == IDC_MOUSE_COMMANDS && code == LBN_SELCHANGE) {
    OnCommandPicked();
    return TRUE;
  }
  return CGSPropertyPage::OnCommand(wParam, lParam);
}

BOOL CMousePage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header && header->idFrom == IDC_MOUSE_CONTEXTS && header->code == LVN_ITEMCHANGED) {
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
    if ((change->uChanged & LVIF_STATE) != 0 && (change->uNewState & LVIS_SELECTED) != 0) OnContextChanged();
    return TRUE;
  }
  return CGSPropertyPage::OnNotify(wParam, lParam, pResult);
}
