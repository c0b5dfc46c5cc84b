// The colour chooser. With CC_RGBINIT it starts from rgbResult, otherwise from black; the chosen
// colour comes back in rgbResult. The user's custom colours are the caller's array, kept as is.
#pragma once

#include "platform/framework/common_dialog.h"

constexpr DWORD CC_RGBINIT = 0x00000001;
constexpr DWORD CC_FULLOPEN = 0x00000002;
constexpr DWORD CC_PREVENTFULLOPEN = 0x00000004;
constexpr DWORD CC_SHOWHELP = 0x00000008;
constexpr DWORD CC_SOLIDCOLOR = 0x00000080;
constexpr DWORD CC_ANYCOLOR = 0x00000100;

struct CHOOSECOLOR {
  HWND hwndOwner = nullptr;
  COLORREF rgbResult = 0;
  COLORREF* lpCustColors = nullptr;  // 16 entries
  DWORD Flags = 0;
};

class CColorDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CColorDialog)

 public:
  explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);

  // IDOK with the chosen colour, IDCANCEL leaves rgbResult as it was.
  INT_PTR DoModal() override;
  COLORREF GetColor() const { return m_cc.rgbResult; }
  void SetCurrentColor(COLORREF clr) { m_cc.rgbResult = clr; }

  CHOOSECOLOR m_cc;
  // The custom colours the chooser starts with when the caller gives none.
  COLORREF m_custColors[16] = {};
};
