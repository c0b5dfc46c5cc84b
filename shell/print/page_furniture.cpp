#include "shell/print/page_furniture.h"

#include <algorithm>
#include <cstdio>

#include "shell/print/print_texts.h"
#include "shell/print/printer_job.h"

namespace printdraw {

namespace {
int Units(CDC* dc, int dots300) { return printjob::DeviceUnits(dots300, dc->GetDeviceCaps(LOGPIXELSY)); }

int TextHeight(CDC* dc, const CString& text, int width, UINT align) {
  if (text.IsEmpty()) return 0;
  CRect box(0, 0, std::max(width, 1), 0);
  dc->DrawText(text, &box, DT_CALCRECT | DT_WORDBREAK | align);
  return box.Height();
}
}  // namespace

BOOL MakeFont(CFont& font, CDC* dc, const char* face, int points, int weight) {
  LOGFONT lf{};
  lf.lfHeight = ::MulDiv(points * 10, dc->GetDeviceCaps(LOGPIXELSX), 720);
  lf.lfWeight = weight;
  lf.lfCharSet = ANSI_CHARSET;
  lf.lfQuality = PROOF_QUALITY;
  lf.lfPitchAndFamily = FF_SWISS;
  std::snprintf(lf.lfFaceName, LF_FACESIZE, "%s", face);
  return font.CreateFontIndirect(&lf);
}

int Header(CDC* dc, const CRect& body, const CString& citation, const CString& page_text, CFont* font,
           bool measure) {
  CFont* old = dc->SelectObject(font);
  const int rule = body.top - Units(dc, 20), base = body.top - Units(dc, 30), gap = Units(dc, 10);
  if (!measure) {
    CPen pen(PS_SOLID, Units(dc, 3), RGB(0, 0, 0));
    CPen* old_pen = dc->SelectObject(&pen);
    dc->MoveTo(body.left, rule);
    dc->LineTo(body.right, rule);
    dc->SelectObject(old_pen);
  }
  int page_width = 0, page_height = 0;
  if (!page_text.IsEmpty()) {
    page_width = std::min<int>(dc->GetTextExtent(page_text).cx, body.Width());
    page_height = TextHeight(dc, page_text, page_width, DT_RIGHT);
    if (!measure) {
      CRect at(body.right - page_width, base - page_height, body.right, base);
      dc->DrawText(page_text, &at, DT_WORDBREAK | DT_RIGHT);
    }
  }
  const int width = body.Width() - page_width - (page_width ? gap : 0);
  const int citation_height = TextHeight(dc, citation, width, DT_LEFT);
  if (citation_height && !measure) {
    CRect at(body.left, base - citation_height, body.left + width, base);
    dc->DrawText(citation, &at, DT_WORDBREAK | DT_LEFT);
  }
  dc->SelectObject(old);
  const int height = std::max(page_height, citation_height);
  return height ? height + Units(dc, 20) : 0;
}

int HeaderRoom(CDC* dc, const CRect& body, const CString& citation, const CString& page_text, CFont* font) {
  return Header(dc, body, citation, page_text, font, true) + Units(dc, 30);
}

void Footer(CDC* dc, const CRect& body, const CString& text, CFont* font) {
  CFont* old = dc->SelectObject(font);
  const int rule = body.bottom + Units(dc, 20);
  dc->MoveTo(body.left, rule);
  dc->LineTo(body.right, rule);
  if (!text.IsEmpty()) {
    CRect at(body.left, body.bottom + Units(dc, 30), body.right, body.bottom + Units(dc, 30));
    at.bottom += TextHeight(dc, text, body.Width(), DT_LEFT);
    dc->DrawText(text, &at, DT_WORDBREAK | DT_LEFT);
  }
  dc->SelectObject(old);
}

int FooterRoom(CDC* dc, const CRect& body, const CString& text, CFont* font) {
  CFont* old = dc->SelectObject(font);
  const int height = TextHeight(dc, text, body.Width(), DT_LEFT);
  dc->SelectObject(old);
  return Units(dc, 30) + height;
}

int NotesLabel(CDC* dc, const CRect& body, CFont* font, bool measure) {
  CFont* old = dc->SelectObject(font);
  const CString label(printtext::kNotesLabel);
  const int top = body.bottom + Units(dc, 22);
  const int width = std::min<int>(dc->GetTextExtent(label).cx, body.Width());
  CRect box(body.left, top, body.left + width, top + TextHeight(dc, label, width, DT_LEFT));
  if (!measure) {
    static const WORD kChecker[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    CBitmap pattern;
    pattern.CreateBitmap(8, 8, 1, 1, kChecker);
    CBrush brush;
    brush.CreatePatternBrush(&pattern);
    CRect band(body.left, body.bottom + Units(dc, 20), box.right, body.bottom + Units(dc, 28));
    dc->FillRect(&band, &brush);
    dc->DrawText(label, &box, DT_WORDBREAK);
  }
  dc->SelectObject(old);
  return box.Height();
}

CRect KeepFurnitureOnPaper(CDC* dc, CRect body, int header_room, int footer_room) {
  // The context's origin is the printable part's top left corner.
  body.top = std::max<LONG>(body.top, header_room);
  body.bottom = std::min<LONG>(body.bottom, dc->GetDeviceCaps(VERTRES) - footer_room);
  if (body.bottom <= body.top) body.bottom = body.top + 1;
  return body;
}

}  // namespace printdraw
