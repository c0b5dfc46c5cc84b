#include "platform/shell/drag_drop.h"

#include <cstring>

#include "platform/gdi/core/bitmap_api.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/object_api.h"
#include "platform/shell/clipboard.h"
#include "platform/win/control_state.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_api.h"

namespace {

// The drop target registered for a window.
struct DropTargetLink : win::ControlState {
  COleDropTarget* target = nullptr;
};

// The registered target under a screen point: the window there or its nearest parent with one.
COleDropTarget* target_at(POINT screen, HWND& window) {
  for (HWND h = WindowFromPoint(screen); h; h = GetParent(h)) {
    if (const DropTargetLink* link = win::find_control_state<DropTargetLink>(h)) {
      window = h;
      return link->target;
    }
    if (!(GetWindowLongPtr(h, GWL_STYLE) & WS_CHILD)) break;
  }
  window = nullptr;
  return nullptr;
}

DWORD key_state() {
  DWORD keys = 0;
  if (GetKeyState(VK_CONTROL) & 0x8000) keys |= MK_CONTROL;
  if (GetKeyState(VK_SHIFT) & 0x8000) keys |= MK_SHIFT;
  if (GetKeyState(VK_LBUTTON) & 0x8000) keys |= MK_LBUTTON;
  return keys;
}

CPoint client_point(HWND h, POINT screen) {
  POINT p = screen;
  ScreenToClient(h, &p);
  return CPoint(p);
}

}  // namespace

namespace shell {
DROPEFFECT effect_for_keys(DWORD keys, DROPEFFECT allowed) {
  DROPEFFECT wanted;
  if ((keys & MK_CONTROL) && (keys & MK_SHIFT)) {
    wanted = DROPEFFECT_LINK;
  } else if (keys & MK_CONTROL) {
    wanted = DROPEFFECT_COPY;
  } else if (keys & MK_SHIFT) {
    wanted = DROPEFFECT_MOVE;
  } else {
    // No keys: a move where allowed, else a copy, else a link.
    for (DROPEFFECT e : {DROPEFFECT_MOVE, DROPEFFECT_COPY, DROPEFFECT_LINK}) {
      if (allowed & e) return e;
    }
    return DROPEFFECT_NONE;
  }
  return allowed & wanted;
}
}  // namespace shell

// --- Data objects -----------------------------------------------------------------------------------

BOOL COleDataObject::AttachClipboard() {
  formats_ = nullptr;
  clipboard_ = true;
  return TRUE;
}

BOOL COleDataObject::IsDataAvailable(UINT format) const {
  if (clipboard_) return IsClipboardFormatAvailable(format);
  return formats_ && formats_->count(format) != 0;
}

std::vector<uint8_t> COleDataObject::GetData(UINT format) const {
  if (clipboard_) return GetClipboardData(format);
  if (!formats_) return {};
  auto it = formats_->find(format);
  return it == formats_->end() ? std::vector<uint8_t>() : it->second;
}

HGLOBAL COleDataObject::GetGlobalData(UINT format) const {
  if (!IsDataAvailable(format)) return nullptr;
  std::vector<uint8_t> bytes = GetData(format);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, bytes.size());
  if (void* p = block ? GlobalLock(block) : nullptr) {
    std::memcpy(p, bytes.data(), bytes.size());
    GlobalUnlock(block);
  }
  return block;
}

void COleDataSource::CacheData(UINT format, std::span<const uint8_t> bytes) {
  formats_[format].assign(bytes.begin(), bytes.end());
}

namespace {

// A bitmap's pixels as a packed DIB of 24 bits per pixel; empty when it cannot be read.
std::vector<uint8_t> packed_dib(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || !GetObject(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return {};
  BITMAPINFO header{};
  header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  header.bmiHeader.biWidth = info.bmWidth;
  header.bmiHeader.biHeight = info.bmHeight;
  header.bmiHeader.biPlanes = 1;
  header.bmiHeader.biBitCount = 24;
  size_t stride = (size_t(info.bmWidth) * 3 + 3) / 4 * 4;
  std::vector<uint8_t> packed(sizeof(BITMAPINFOHEADER) + stride * size_t(info.bmHeight));
  HDC memory = CreateCompatibleDC(nullptr);
  int rows = GetDIBits(memory, bitmap, 0, UINT(info.bmHeight), packed.data() + sizeof(BITMAPINFOHEADER), &header,
                       DIB_RGB_COLORS);
  DeleteDC(memory);
  if (rows != info.bmHeight) return {};
  std::memcpy(packed.data(), &header.bmiHeader, sizeof(BITMAPINFOHEADER));
  return packed;
}

}  // namespace

void COleDataSource::CacheData(UINT format, STGMEDIUM* medium) {
  if (!medium) return;
  if (medium->tymed == TYMED_HGLOBAL) {
    CacheGlobalData(format, medium->hGlobal);
  } else if (medium->tymed == TYMED_GDI) {
    std::vector<uint8_t> dib = packed_dib(medium->hBitmap);
    if (!dib.empty()) formats_[CF_DIB] = std::move(dib);
    if (medium->hBitmap) DeleteObject(medium->hBitmap);
  }
  *medium = STGMEDIUM{};
}

void COleDataSource::CacheGlobalData(UINT format, HGLOBAL hGlobal) {
  size_t size = GlobalSize(hGlobal);
  const auto* p = static_cast<const uint8_t*>(GlobalLock(hGlobal));
  std::vector<uint8_t> bytes(p, p + (p ? size : 0));
  if (p) GlobalUnlock(hGlobal);
  // Only a block that exists is taken (and freed); an unknown handle offers nothing.
  if (GlobalFree(hGlobal) == nullptr) formats_[format] = std::move(bytes);
}

BOOL COleDataSource::SetClipboard() {
  if (!OpenClipboard(nullptr)) return FALSE;
  EmptyClipboard();
  for (const auto& [format, bytes] : formats_) SetClipboardData(format, bytes);
  return CloseClipboard();
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD allowed, LPCRECT, COleDropSource* pDropSource) {
  // The drag holds the mouse: the window that has it, or the one the current message is for.
  HWND source = GetCapture();
  if (!source) {
    const MSG* current = GetCurrentMessage();
    source = current ? current->hwnd : nullptr;
  }
  if (!source || !IsWindow(source)) return DROPEFFECT_NONE;
  COleDropSource framework_source;
  COleDropSource& drop_source = pDropSource ? *pDropSource : framework_source;
  if (!drop_source.OnBeginDrag(CWnd::FromHandle(source))) return DROPEFFECT_NONE;
  SetCapture(source);
  COleDataObject data(&formats_);
  COleDropTarget* over = nullptr;
  HWND over_window = nullptr;
  DROPEFFECT effect = DROPEFFECT_NONE, result = DROPEFFECT_NONE;
  auto leave = [&] {
    if (over && IsWindow(over_window)) over->OnDragLeave(CWnd::FromHandle(over_window));
    over = nullptr;
    over_window = nullptr;
  };
  auto show_feedback = [&] {
    if (drop_source.GiveFeedback(effect) == DRAGDROP_S_USEDEFAULTCURSORS) {
      bool drops = effect & (DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
      SetCursor(LoadCursor(nullptr, drops ? IDC_ARROW : IDC_NO));
    }
  };
  MSG msg;
  for (;;) {
    if (GetCapture() != source) {
      leave();
      break;  // the capture was taken away: the drag ends
    }
    BOOL got = GetMessage(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(int(msg.wParam));
      leave();
      break;
    }
    bool escape = msg.message == WM_KEYDOWN && msg.wParam == WPARAM(VK_ESCAPE);
    DWORD keys = key_state();
    if (msg.message == WM_LBUTTONUP) keys &= ~MK_LBUTTON;
    if (msg.message == WM_LBUTTONDOWN) keys |= MK_LBUTTON;
    bool mouse = msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP;
    if (mouse) {
      HWND window = nullptr;
      COleDropTarget* target = target_at(msg.pt, window);
      if (target != over || window != over_window) {
        leave();
        over = target;
        over_window = window;
        effect = DROPEFFECT_NONE;
        if (over) effect = over->OnDragEnter(CWnd::FromHandle(window), &data, keys, client_point(window, msg.pt)) & allowed;
      } else if (over) {
        effect = over->OnDragOver(CWnd::FromHandle(window), &data, keys, client_point(window, msg.pt)) & allowed;
      }
      show_feedback();
    }
    SCODE next = drop_source.QueryContinueDrag(escape, keys);
    if (next == DRAGDROP_S_CANCEL) {
      leave();
      break;
    }
    if (next == DRAGDROP_S_DROP) {
      if (over && effect != DROPEFFECT_NONE) {
        DROPEFFECT chosen = shell::effect_for_keys(keys & ~MK_LBUTTON, effect);
        POINT at = msg.pt;
        if (!mouse) GetCursorPos(&at);
        if (chosen != DROPEFFECT_NONE &&
            over->OnDrop(CWnd::FromHandle(over_window), &data, chosen, client_point(over_window, at))) {
          result = chosen;
        }
      } else {
        leave();
      }
      break;
    }
    if (mouse || msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) continue;  // keys only change the effect
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  if (GetCapture() == source) ReleaseCapture();
  drop_source.m_bDragStarted = FALSE;
  return result;
}

// --- Drop sources -----------------------------------------------------------------------------------

BOOL COleDropSource::OnBeginDrag(CWnd*) {
  m_bDragStarted = TRUE;
  return TRUE;
}

SCODE COleDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) {
  if (bEscapePressed) return DRAGDROP_S_CANCEL;
  return (dwKeyState & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
}

SCODE COleDropSource::GiveFeedback(DROPEFFECT) { return DRAGDROP_S_USEDEFAULTCURSORS; }

// --- Drop targets -----------------------------------------------------------------------------------

COleDropTarget::~COleDropTarget() { Revoke(); }

BOOL COleDropTarget::Register(CWnd* pWnd) {
  if (!pWnd || !pWnd->m_hWnd || win::find_control_state<DropTargetLink>(pWnd->m_hWnd)) return FALSE;
  m_hWnd = pWnd->m_hWnd;
  win::control_state<DropTargetLink>(m_hWnd).target = this;
  return TRUE;
}

void COleDropTarget::Revoke() {
  if (m_hWnd) {
    const DropTargetLink* link = win::find_control_state<DropTargetLink>(m_hWnd);
    if (link && link->target == this) win::drop_control_state<DropTargetLink>(m_hWnd);
  }
  m_hWnd = nullptr;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  return OnDragOver(pWnd, pDataObject, dwKeyState, point);
}
DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
void COleDropTarget::OnDragLeave(CWnd*) {}
BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint) { return FALSE; }
