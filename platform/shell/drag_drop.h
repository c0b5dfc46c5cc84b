// Drag and drop inside the program and through the clipboard: a data source offers formats
// (clipboard.h numbers), DoDragDrop tracks the mouse in its own loop until the button is released
// or Esc pressed, and drop targets registered for windows hear the drag enter, move, leave and
// drop. The effect follows the keys as on the platform: Ctrl copies, Shift moves, both link;
// without keys a move when the source allows it.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <vector>

#include "platform/base/geometry.h"
#include "platform/base/global_memory.h"
#include "platform/gdi/core/gdi_types.h"
#include "platform/win/cwnd.h"

using DROPEFFECT = DWORD;
constexpr DROPEFFECT DROPEFFECT_NONE = 0;
constexpr DROPEFFECT DROPEFFECT_COPY = 1;
constexpr DROPEFFECT DROPEFFECT_MOVE = 2;
constexpr DROPEFFECT DROPEFFECT_LINK = 4;
constexpr DROPEFFECT DROPEFFECT_SCROLL = 0x80000000;

// What a drop source answers while the drag runs.
using SCODE = long;
constexpr SCODE S_OK = 0;
constexpr SCODE DRAGDROP_S_DROP = 0x00040100;
constexpr SCODE DRAGDROP_S_CANCEL = 0x00040101;
constexpr SCODE DRAGDROP_S_USEDEFAULTCURSORS = 0x00040102;

// A format's data in one of the platform's storage kinds: a global block, or a bitmap
// (TYMED_GDI, offered as a device-independent bitmap).
constexpr DWORD TYMED_NULL = 0;
constexpr DWORD TYMED_HGLOBAL = 1;
constexpr DWORD TYMED_GDI = 16;
struct STGMEDIUM {
  DWORD tymed = TYMED_NULL;
  HGLOBAL hGlobal = nullptr;
  HBITMAP hBitmap = nullptr;
};

// The data of a drag or of the clipboard as a target reads it.
class COleDataObject {
 public:
  COleDataObject() = default;
  explicit COleDataObject(const std::map<UINT, std::vector<uint8_t>>* formats) : formats_(formats) {}

  // Reads the clipboard's data instead.
  BOOL AttachClipboard();
  BOOL IsDataAvailable(UINT format) const;
  // The bytes of a format; empty when it is not offered.
  std::vector<uint8_t> GetData(UINT format) const;
  // The bytes of a format in a new global block the caller frees; null when it is not offered.
  HGLOBAL GetGlobalData(UINT format) const;

 private:
  const std::map<UINT, std::vector<uint8_t>>* formats_ = nullptr;
  bool clipboard_ = false;
};

// The side of a drag that started it: when it drops or ends, and the cursor of each effect.
class COleDropSource {
 public:
  virtual ~COleDropSource() = default;
  // Called before the drag loop; FALSE ends it before it starts. The drag starts at once (the
  // mouse has already left the start point when a source asks for a drag).
  virtual BOOL OnBeginDrag(CWnd* pWnd);
  // Esc cancels; the left button up drops; otherwise the drag goes on (S_OK).
  virtual SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState);
  // The cursor for the effect the target offers; DRAGDROP_S_USEDEFAULTCURSORS lets the drag
  // show the standard one (an arrow for an effect, the no-entry sign for none).
  virtual SCODE GiveFeedback(DROPEFFECT dropEffect);

  BOOL m_bDragStarted = FALSE;
};

class COleDataSource {
 public:
  virtual ~COleDataSource() = default;
  void CacheData(UINT format, std::span<const uint8_t> bytes);
  // Takes the block's bytes for the format; the block is the data source's from then on (it is
  // freed here). A bad handle offers nothing.
  void CacheGlobalData(UINT format, HGLOBAL hGlobal);
  // Takes the medium's data for the format and owns the medium from then on. A bitmap is offered
  // as CF_DIB (its packed bits), whatever format it is given for; a medium of another kind, or a
  // bitmap that cannot be read, offers nothing (and is still released).
  void CacheData(UINT format, STGMEDIUM* medium);
  void Empty() { formats_.clear(); }
  // Runs the drag; the effect the target carried out, DROPEFFECT_NONE when cancelled or refused.
  // Without a drop source the framework's default behaviour runs. The start rectangle is kept
  // for the callers that pass one; the drag starts at once.
  DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                        LPCRECT lpRectStartDrag = nullptr, COleDropSource* pDropSource = nullptr);
  // Puts every format on the clipboard.
  BOOL SetClipboard();
  // Renders whatever of the program's data on the clipboard is not rendered yet. Data sources
  // hand over every format when they are put there, so nothing is left to do.
  static void FlushClipboard() {}

  const std::map<UINT, std::vector<uint8_t>>& formats() const { return formats_; }

 private:
  std::map<UINT, std::vector<uint8_t>> formats_;
};

class COleDropTarget {
 public:
  virtual ~COleDropTarget();
  BOOL Register(CWnd* pWnd);
  void Revoke();

  // Points are in the window's client coordinates; `dwKeyState` holds MK_ bits.
  virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  virtual void OnDragLeave(CWnd* pWnd);
  virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);

  HWND m_hWnd = nullptr;
};

namespace shell {
// The effect the keys ask for among those allowed.
DROPEFFECT effect_for_keys(DWORD key_state, DROPEFFECT allowed);
}  // namespace shell
