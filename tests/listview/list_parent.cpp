#include "tests/listview/list_parent.h"

#include <cstdio>
#include <utility>

namespace lumo::test {

std::string describe(const NMLISTVIEW& n) {
  std::string out;
  if (n.uChanged & LVIF_STATE) out += " state " + std::to_string(n.uOldState) + ">" + std::to_string(n.uNewState);
  if (n.uChanged & LVIF_TEXT) out += " text";
  if (n.uChanged & LVIF_IMAGE) out += " image";
  if (n.uChanged & LVIF_PARAM) out += " param";
  if (n.uChanged & LVIF_INDENT) out += " indent";
  return out;
}

BOOL ListParent::Create() {
  return CreateEx(0, nullptr, "Lista", WS_POPUP | WS_VISIBLE, CRect(0, 0, 360, 240), nullptr, 0);
}

std::vector<std::string> ListParent::take() { return std::exchange(log, {}); }

BOOL ListParent::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  auto* item = reinterpret_cast<NMLISTVIEW*>(lParam);
  auto* info = reinterpret_cast<NMLVDISPINFO*>(lParam);
  std::string line;
  switch (header->code) {
    case LVN_ITEMCHANGING:
      line = "changing " + std::to_string(item->iItem) + describe(*item);
      *pResult = refuse_changing;
      break;
    case LVN_ITEMCHANGED:
      line = "changed " + std::to_string(item->iItem) + describe(*item);
      break;
    case LVN_BEGINLABELEDIT:
      line = "begin " + std::to_string(info->item.iItem) + " " + info->item.pszText;
      if (on_begin_edit) on_begin_edit(*info);
      *pResult = refuse_edit;
      break;
    case LVN_ENDLABELEDIT:
      line = "end " + std::to_string(info->item.iItem) + " " + (info->item.pszText ? info->item.pszText : "(null)");
      *pResult = accept_edit;
      break;
    case LVN_GETDISPINFO:
      ++display_questions;
      if (display) {
        display(*info);
      } else {
        if (info->item.mask & LVIF_TEXT) {
          std::snprintf(info->item.pszText, size_t(info->item.cchTextMax), "r%dc%d", info->item.iItem, info->item.iSubItem);
        }
        if (info->item.mask & LVIF_IMAGE) info->item.iImage = 7;
      }
      break;
    case LVN_ODSTATECHANGED: {
      auto* range = reinterpret_cast<NMLVODSTATECHANGE*>(lParam);
      line = "od " + std::to_string(range->iFrom) + "-" + std::to_string(range->iTo) + " " +
             std::to_string(range->uOldState) + ">" + std::to_string(range->uNewState);
      break;
    }
    case LVN_ODCACHEHINT: {
      auto* hint = reinterpret_cast<NMLVCACHEHINT*>(lParam);
      line = "hint " + std::to_string(hint->iFrom) + "-" + std::to_string(hint->iTo);
      break;
    }
    case LVN_ODFINDITEM:
      *pResult = find ? find(*reinterpret_cast<NMLVFINDITEM*>(lParam)) : -1;
      line = "find " + std::to_string(reinterpret_cast<NMLVFINDITEM*>(lParam)->iStart);
      break;
    case LVN_COLUMNCLICK:
      line = "column " + std::to_string(item->iSubItem);
      break;
    case LVN_BEGINDRAG:
      line = "drag " + std::to_string(item->iItem);
      break;
    case NM_CLICK:
    case NM_DBLCLK:
    case NM_RCLICK: {
      auto* click = reinterpret_cast<NMITEMACTIVATE*>(lParam);
      line = std::string(header->code == NM_CLICK ? "click " : header->code == NM_DBLCLK ? "dblclick " : "rclick ") +
             std::to_string(click->iItem) + "/" + std::to_string(click->iSubItem);
      break;
    }
    case HDN_ENDTRACK:
      line = "endtrack " + std::to_string(reinterpret_cast<NMHEADER*>(lParam)->iItem);
      break;
    case NM_RETURN:
      line = "return";
      break;
    case NM_SETFOCUS:
      line = "setfocus";
      break;
    case NM_KILLFOCUS:
      line = "killfocus";
      break;
    default:
      return FALSE;
  }
  if (logged.count(header->code)) log.push_back(line);
  if (then) then(header->code);
  return TRUE;
}

}  // namespace lumo::test
