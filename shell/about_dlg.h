// The about box "O programie...": the program's name and version, a letter link and a web-page
// link, the machine's memory, free disk space and system, and a picture. Over the picture lies the
// credits control, which scrolls the credits once the user has clicked the three texts beside the
// picture in the right order (the middle one with Ctrl held) and then the picture; the next click
// stops it. The credits control is shown only while it runs.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "controls/base/gs_dialog.h"
#include "controls/hlink_ctrl.h"
#include "pictures/image/picture_dib.h"
#include "platform/base/system_info.h"
#include "platform/controls/standard_controls.h"

namespace credits {

// The kinds of credit lines, told by a line's last character.
enum class LineKind { kTitle, kGroup, kGroupTitle, kPicture, kText };
LineKind KindOf(const CString& line);
// The height in pixels a line of that kind takes.
int HeightOf(LineKind kind);
// The text split at every separator (empty pieces kept).
std::vector<CString> SplitLines(const CString& text, char separator);
// The credits as the program stores them (decoded from their stored form).
CString StoredCredits();

// The hidden sequence: the state after a click on one of the three texts; states 0 to 2 wait for
// the next text, 3 is the end (the credits may start) and -1 can never advance again.
int AdvanceSequence(int state, UINT id, bool ctrl);
constexpr int kSequenceDone = 3;

// The lines of system information, formatted with the program's strings.
CString MemoryLine(const MEMORYSTATUS& status);
// `ok` false gives "Unavailable".
CString DiskLine(bool ok, char drive, uint64_t free_bytes);
CString SystemLine(const OSVERSIONINFO& version);

// The about box keeps one look whatever the dialog font measures: a rectangle laid out in pixels
// of a font whose 40 dialog units are `width40` pixels wide and whose 80 are `height80` pixels
// high, placed in pixels of the usual 8-point font (60 and 130 pixels).
RECT ScaleToUsualFont(const RECT& rect, int width40, int height80);
// A font height scaled the same way.
int ScaleFontHeight(int height, int height80);

}  // namespace credits

class CCreditStatic : public CStatic {
 public:
  static constexpr UINT_PTR kTimerId = 150;
  static constexpr int kSpeeds = 3;

  CCreditStatic();
  ~CCreditStatic() override;

  void LoadLines(const CString& text, char separator);
  // A period of 0 keeps the stored one.
  void ChooseSpeed(int index, int period = 0);
  // 0 background, 1 title, 2 group, 3 group title, 4 text.
  void SetColourEntry(int index, COLORREF colour);
  BOOL LoadBackground(UINT nID);
  void Start();
  void Stop();
  BOOL IsRunning() const { return m_nTimer != 0; }
  // How far the credits have scrolled, in pixels.
  int GetTicks() const { return m_nTicks; }
  const std::vector<CString>& GetLines() const { return m_lines; }

 protected:
  // Draws the tiled background with the lines visible at the current scroll over it.
  void Render(CDC* pDC);
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()

  std::vector<CString> m_lines;
  size_t m_nCurrent = 0;
  BOOL m_bFirstPass = TRUE;
  COLORREF m_colours[5];
  int m_periods[kSpeeds] = {70, 40, 10};
  int m_nSpeed = 1;
  std::unique_ptr<CDIB> m_pBackground;
  UINT_PTR m_nTimer = 0;
  int m_nTicks = 0;
};

class CAboutDlg : public CGSDialog {
 public:
  explicit CAboutDlg(CWnd* pParent = nullptr);
  ~CAboutDlg() override;

  BOOL OnInitDialog() override;
  // The system lines from the platform's services.
  void FillSystemInformation();
  BOOL HasPalette() const { return m_pPalette != nullptr; }
  int GetSequenceState() const { return m_nSequence; }
  // A click on one of the three texts beside the picture, with or without Ctrl held.
  void OnSequenceClick(UINT id, bool ctrl) { m_nSequence = credits::AdvanceSequence(m_nSequence, id, ctrl); }
  BOOL AreCreditsRunning() const { return m_bCreditsRunning; }
  CCreditStatic& GetCredits() { return m_credits; }

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  // Places the box and its controls as the usual 8-point dialog font would, in a font scaled to
  // match.
  void FixLayout();
  // The picture in its area, in the picture's palette.
  void DrawPicture(CDC* pDC);
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnDestroy();
  afx_msg BOOL OnQueryNewPalette();
  afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
  DECLARE_MESSAGE_MAP()

  CCreditStatic m_credits;
  CHLinkCtrl m_mail;
  CHLinkCtrl m_web;
  CDIB m_picture;
  std::unique_ptr<CPicturePalette> m_pPalette;
  // The box's client rectangle and its controls' rectangles as laid out; the font they show in.
  std::vector<CRect> m_layout;
  CFont m_font;
  int m_nSequence = 0;
  BOOL m_bCreditsRunning = FALSE;
};
