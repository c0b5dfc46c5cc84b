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
#include "platform/win/cwnd.h"

using DROPEFFECT = DWORD;
constexpr DROPEFFECT DROPEFFECT_NONE = 0;
constexpr DROPEFFECT DROPEFFECT_COPY = 1;
constexpr DROPEFFECT DROPEFFECT_MOVE = 2;
constexpr DROPEFFECT DROPEFFECT_LINK = 4;

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

 private:
  const std::map<UINT, std::vector<uint8_t>>* formats_ = nullptr;
  bool clipboard_ = false;
};

class COleDataSource {
 public:
  void CacheData(UINT format, std::span<const uint8_t> bytes);
  void Empty() { formats_.clear(); }
  // Runs the drag; the effect the target carried out, DROPEFFECT_NONE when cancelled or refused.
  DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
  // Puts every format on the clipboard.
  BOOL SetClipboard();

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
