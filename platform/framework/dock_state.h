// The docking layout of a frame as data: one record per control bar (CControlBarInfo) and the
// set of them (CDockState), captured from a frame (CFrameWnd::GetDockState), applied to one
// (CFrameWnd::SetDockState), kept in the profile or in an archive.
//
// A bar's record: its control id, visible, floating and horizontal flags, whether it is a dock
// bar, its position (a docked bar: its place in its dock bar's client area; a floating dock bar:
// its frame's screen point), its last floating width, and, when it can be dragged, where it was
// last docked (dock bar id and rectangle in that dock bar's client coordinates) and floated
// (style and screen point, -1, -1 until it has floated). A dock bar's record also lists its bars
// row by row: a bar's control id, 0 ending a row, the id plus 0x10000 for a placeholder (a bar
// that floated from there).
//
// Profile form (name P; bars numbered 0, 1, ... without gaps):
//   "P-Summary": "Bars" (the number of bar sections), "ScreenCX", "ScreenCY" (the screen size
//     when saved).
//   "P-Bar<i>", cleared before it is written: "BarID"; "Visible" only when 0; "Horz" and
//     "Floating" only when floating; "XPos" and "YPos" unless -1; "MRUWidth" unless 32767; for a
//     bar that can be dragged "Docking" (1), "MRUDockID", "MRUDockLeftPos", "MRUDockTopPos",
//     "MRUDockRightPos", "MRUDockBottomPos", "MRUFloatStyle", "MRUFloatXPos", "MRUFloatYPos";
//     with more than one id in its list "Bars" (how many) and "Bar#<j>" for each.
//   Missing keys read as: 0, visible, horizontal, not floating, position -1, -1, width 32767, not
//   docking. An empty dock bar of the frame (visible, not floating, no position, at most one id)
//   writes no section and is not counted.
//
// Archive form (numbers little-endian; a point is two LONGs, a rectangle four, a size two):
//   DWORD version (2 written; 1 and 2 read); version 2: size screen;
//   WORD count; per record: DWORD id, DWORD visible, DWORD floating, DWORD horizontal, point
//   position; version 2: DWORD MRU width, DWORD docking, and when docking DWORD MRU dock id,
//   rectangle MRU dock place, DWORD MRU float style, point MRU float point;
//   then WORD id count and the ids (DWORD each).
// A derived record stores its own values between the position part and the id list
// (SerializeHead, then its values, then SerializeBarIds).
//
// Reading is bounded: at most kMaxBars records and kMaxBars ids per record, from the profile or
// an archive; an archive that ends early, names another version or holds more than that throws
// CArchiveException. Positions are scaled when the screen size differs from the saved one, and
// floating positions are brought onto the screen, so no floating frame comes back out of reach.
#pragma once

#include <memory>

#include "platform/base/archive.h"
#include "platform/base/collections.h"
#include "platform/base/geometry.h"
#include "platform/base/object.h"
#include "platform/base/win_types.h"

class CControlBar;
class CDockState;

class CControlBarInfo {
 public:
  CControlBarInfo() = default;
  virtual ~CControlBarInfo() = default;
  CControlBarInfo(const CControlBarInfo&) = delete;
  CControlBarInfo& operator=(const CControlBarInfo&) = delete;

  // Writes the record as bar section `nIndex` of `lpszProfileName`; FALSE (and nothing written)
  // for an empty dock bar of the frame.
  virtual BOOL SaveState(LPCTSTR lpszProfileName, int nIndex);
  // Reads bar section `nIndex`; positions are scaled by `pDockState` when given.
  virtual BOOL LoadState(LPCTSTR lpszProfileName, int nIndex, CDockState* pDockState);
  virtual void Serialize(CArchive& ar, CDockState* pDockState);

  // Whether the record is the empty dock bar of a frame, which is not stored.
  bool IsEmptyDockBar() const;

  UINT m_nBarID = 0;
  BOOL m_bVisible = TRUE;
  BOOL m_bFloating = FALSE;
  BOOL m_bHorz = TRUE;
  BOOL m_bDockBar = FALSE;
  CPoint m_pointPos{-1, -1};
  int m_nMRUWidth = 32767;
  BOOL m_bDocking = FALSE;
  UINT m_uMRUDockID = 0;
  CRect m_rectMRUDockPos{0, 0, 0, 0};
  DWORD m_dwMRUFloatStyle = 0;
  CPoint m_ptMRUFloatPos{-1, -1};
  // A dock bar's entries: control ids, 0 row ends, placeholders with kPlaceHolderFlag.
  CDWordArray m_arrBarID;
  // The bar the record belongs to (captured from it, or found for it when applied); not stored.
  CControlBar* m_pBar = nullptr;

  static constexpr DWORD kPlaceHolderFlag = 0x10000;

 protected:
  // The archive form in two parts: everything up to the MRU values, and the id list.
  void SerializeHead(CArchive& ar, CDockState* pDockState);
  void SerializeBarIds(CArchive& ar);
};

class CDockState : public CObject {
  DECLARE_SERIAL(CDockState)

 public:
  static constexpr int kMaxBars = 4096;

  CDockState() = default;
  ~CDockState() override;
  CDockState(const CDockState&) = delete;
  CDockState& operator=(const CDockState&) = delete;

  void Serialize(CArchive& ar) override;
  // Reads the profile form; a profile without it leaves the state empty.
  virtual void LoadState(LPCTSTR lpszProfileName);
  // Writes the profile form (sections of a longer earlier state are removed).
  virtual void SaveState(LPCTSTR lpszProfileName);
  // Deletes every record.
  void Clear();
  // A new empty record of the kind this state keeps.
  virtual std::unique_ptr<CControlBarInfo> NewBarInfo();
  DWORD GetVersion() const { return m_dwVersion; }

  // The screen size the positions belong to; setting one that differs from the current screen
  // turns scaling on.
  CSize GetScreenSize() const;
  void SetScreenSize(const CSize& size);
  // A screen point of the saved screen on the current one: scaled, and kept on the screen
  // (-1, -1, "none", stays).
  void ScalePoint(CPoint& point) const;
  // A rectangle's place scaled like a point, its size kept.
  void ScaleRectPos(CRect& rect) const;

  // The records, owned by the state.
  CArray<CControlBarInfo*> m_arrBarInfo;
  DWORD m_dwVersion = 2;
  BOOL m_bScaling = FALSE;
  // The saved screen and the area a point is kept in (the current screens).
  CRect m_rectDevice{0, 0, 0, 0};
  CRect m_rectClip{0, 0, 0, 0};
};
