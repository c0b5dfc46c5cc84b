// Builds a pop-up menu from fuzzed item texts (one per line; the first byte of a line picks the
// item's kind and state), converts it to bitmap items, measures and draws every item, answers a
// mnemonic for every byte, shows the same texts as a menu bar's buttons and asks each for its
// mnemonic; nothing may fail, and the answers must name real items.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/framework/app.h"
#include "platform/framework/menu.h"
#include "platform/win/window_dc.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "toolkit/frame/sec_mdi_frame.h"
#include "toolkit/widgets/bmp_menu_plugin.h"
#include "toolkit/widgets/menu_bar.h"

// Qt's keyword macros would rename members of the headers above: the Qt header comes last.
#include "fuzz/gui_fuzz.h"

namespace {

std::vector<std::string> lines(std::string_view data) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start <= data.size() && out.size() < 40) {
    size_t end = data.find('\n', start);
    if (end == std::string_view::npos) end = data.size();
    out.emplace_back(data.substr(start, end - start));
    start = end + 1;
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CWinApp* app = fuzz_gui::Application("fuzz_toolkit_menu_texts");
  static const bool registered = (resources::register_program_resources(), true);
  (void)registered;

  const std::vector<std::string> texts = lines(std::string_view(reinterpret_cast<const char*>(data), size));
  HMENU popup = ::CreatePopupMenu();
  HMENU bar = ::CreateMenu();
  UINT id = 0x7000;
  for (const std::string& line : texts) {
    const uint8_t kind = line.empty() ? 0 : uint8_t(line[0]);
    const std::string text = line.empty() ? line : line.substr(1);
    UINT flags = MF_STRING;
    if (kind & 1) flags |= MF_CHECKED;
    if (kind & 2) flags |= MF_GRAYED;
    if ((kind & 0x0C) == 0x0C) flags = MF_SEPARATOR;
    // Some items use commands that have toolbar images, some system commands.
    const UINT command = (kind & 0x30) == 0x10 ? resources::ID_EDIT_COPY : (kind & 0x30) == 0x20 ? 0xF060 : id++;
    ::AppendMenu(popup, flags, command, text.c_str());
    HMENU sub = ::CreatePopupMenu();
    ::AppendMenu(sub, MF_STRING, id++, text.c_str());
    ::AppendMenu(bar, MF_POPUP, UINT_PTR(sub), text.c_str());
  }

  auto* frame = std::make_unique<SECMDIFrameWnd>().release();  // ends itself with its window
  frame->EnableBitmapMenus(TRUE, TRUE);
  if (!frame->Create(nullptr, "Okno")) return 0;
  app->m_pMainWnd = frame;
  frame->EnableDocking(CBRS_ALIGN_ANY);
  {
    auto* plugIn = dynamic_cast<SECBmpMenuPlugIn*>(frame->GetMenuPlugIn());
    if (!plugIn) __builtin_trap();
    frame->SendMessage(WM_INITMENUPOPUP, WPARAM(popup), 0);
    const int count = ::GetMenuItemCount(popup);
    CWindowDC screen(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateBitmap(400, 40, 1, 32, nullptr);
    CBitmap* old = dc.SelectObject(&bitmap);
    for (int i = 0; i < count; ++i) {
      MENUITEMINFO mii;
      mii.fMask = MIIM_TYPE;
      ::GetMenuItemInfo(popup, UINT(i), TRUE, &mii);
      if (!(mii.fType & MFT_OWNERDRAW)) continue;
      const SIZE measured = measure_menu_item(frame->m_hWnd, popup, i);
      if (measured.cx < 0 || measured.cy < 0) __builtin_trap();
      draw_menu_item(frame->m_hWnd, popup, i, dc.GetSafeHdc(), RECT{0, 0, 400, 40}, i % 2 ? ODS_SELECTED : 0);
    }
    dc.SelectObject(old);
    for (int ch = 1; ch < 256; ++ch) {
      const LRESULT answer = frame->SendMessage(WM_MENUCHAR, MAKEWPARAM(ch, MF_POPUP), LPARAM(popup));
      if (answer && int(LOWORD(answer)) >= count) __builtin_trap();
    }
    frame->SendMessage(WM_SETTINGCHANGE, 0, 0);
    frame->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
  }
  {
    auto* menuBar = new SECMDIMenuBar;
    menuBar->m_bAutoDelete = TRUE;
    if (menuBar->CreateMenuBar(frame, nullptr)) {
      menuBar->SetMenu(0x6FFF, bar);
      menuBar->SwitchMenu(0x6FFF);
      for (int ch = 0; ch < 256; ++ch) {
        const int found = menuBar->FindMnemonic(char(ch));
        if (found >= menuBar->GetBtnCount()) __builtin_trap();
      }
      frame->RecalcLayout();
    }
  }
  fuzz_gui::Pump();
  frame->DestroyWindow();
  app->m_pMainWnd = nullptr;
  fuzz_gui::Pump();
  ::DestroyMenu(popup);
  ::DestroyMenu(bar);
  return 0;
}
