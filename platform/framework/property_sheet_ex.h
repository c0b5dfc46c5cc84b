// The extended sheet and page: wizards in the later style, whose inner pages sit under a white
// header band with the page's header title (bold) and subtitle and the sheet's header bitmap at
// its right, while outer pages (PSP_HIDEHEADER: welcome and completion) take the whole area
// beside the sheet's watermark bitmap.
#pragma once

#include "platform/framework/property_sheet.h"

constexpr DWORD PSH_WATERMARK = 0x00008000;
constexpr DWORD PSH_HEADER = 0x00080000;
constexpr DWORD PSH_WIZARD97 = 0x01000000;

constexpr DWORD PSP_HIDEHEADER = 0x00000800;
constexpr DWORD PSP_USEHEADERTITLE = 0x00001000;
constexpr DWORD PSP_USEHEADERSUBTITLE = 0x00002000;

// The page's header, as far as the sheet reads it.
struct PROPSHEETPAGE {
  DWORD dwSize = sizeof(PROPSHEETPAGE);
  DWORD dwFlags = 0;
};

class CPropertyPageEx : public CPropertyPage {
  DECLARE_DYNAMIC(CPropertyPageEx)

 public:
  // The header texts are string resources; given, they set PSP_USEHEADERTITLE and
  // PSP_USEHEADERSUBTITLE.
  explicit CPropertyPageEx(UINT nIDTemplate, UINT nIDCaption = 0, UINT nIDHeaderTitle = 0,
                           UINT nIDHeaderSubTitle = 0);

  PROPSHEETPAGE m_psp;
  CString m_strHeaderTitle;
  CString m_strHeaderSubTitle;
};

class CPropertySheetEx : public CPropertySheet {
  DECLARE_DYNAMIC(CPropertySheetEx)

 public:
  // A watermark or header bitmap given sets PSH_WATERMARK or PSH_HEADER; the sheet draws them but
  // does not own them. The palette is accepted for the callers' sake (devices are true colour).
  explicit CPropertySheetEx(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0,
                            HBITMAP hbmWatermark = nullptr, HPALETTE hpalWatermark = nullptr,
                            HBITMAP hbmHeader = nullptr);
  explicit CPropertySheetEx(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0,
                            HBITMAP hbmWatermark = nullptr, HPALETTE hpalWatermark = nullptr,
                            HBITMAP hbmHeader = nullptr);

  HBITMAP m_hbmWatermark = nullptr;
  HBITMAP m_hbmHeader = nullptr;

  // The header band's height in wizards of the later style (0 otherwise).
  static constexpr int kHeaderHeight = 58;

 protected:
  int GetWizardHeaderHeight() const override;
  CRect GetWizardPageRect(CPropertyPage* pPage) const override;
  afx_msg void OnPaint();

  DECLARE_MESSAGE_MAP()

 private:
  void init_bitmaps(HBITMAP watermark, HBITMAP header);
  bool later_style() const { return IsWizard() && (m_psh.dwFlags & PSH_WIZARD97); }
  // Whether the page shows the header band.
  static bool has_header(CPropertyPage* page);
};
