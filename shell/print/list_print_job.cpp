#include "shell/print/list_print_job.h"

#include <algorithm>
#include <numeric>

#include "pictures/image/image_file.h"
#include "platform/controls/header_ctrl.h"
#include "platform/controls/list_ctrl.h"
#include "shell/lumo_app.h"
#include "shell/print/page_furniture.h"
#include "shell/print/print_texts.h"

namespace printjob {

std::vector<int> ListColumns(int left, int right, const std::vector<int>& widths, int dpi) {
  std::vector<int> x;
  if (widths.size() == 5) {
    x = {left, left + DeviceUnits(90, dpi), left + DeviceUnits(320, dpi), right - DeviceUnits(450, dpi),
         right - DeviceUnits(100, dpi), right};
    // A narrow page keeps the boundaries in order.
    for (size_t i = 1; i < x.size(); ++i) x[i] = std::max(x[i], x[i - 1]);
    return x;
  }
  const int64_t total = std::max<int64_t>(1, std::accumulate(widths.begin(), widths.end(), int64_t{0}));
  int64_t running = 0;
  x.push_back(left);
  for (int w : widths) {
    running += std::max(w, 0);
    x.push_back(left + int(running * (right - left) / total));
  }
  return x;
}

CRect PictureRect(CSize pixels, CSize dpi, const CRect& body) {
  if (pixels.cx <= 0 || pixels.cy <= 0) return CRect(body.left, body.top, body.left, body.top);
  const double natural_w = double(pixels.cx) * dpi.cx / 150.0, natural_h = double(pixels.cy) * dpi.cy / 150.0;
  const double scale = std::min({1.0, body.Width() / natural_w, body.Height() / natural_h});
  const int w = int(natural_w * scale), h = int(natural_h * scale);
  const int x = body.left + std::max(0, (body.Width() - w) / 2);
  const int y = body.top + std::max(0, (body.Height() - h) / 2);
  return CRect(x, y, x + w, y + h);
}

}  // namespace printjob

// --- Shared ---------------------------------------------------------------------------------------

CPageFramedJob::CPageFramedJob() { ReadSettings(); }

void CPageFramedJob::ReadSettings() {
  if (CLumoApp* app = LumoApp()) {
    const CUserData& s = app->GetUserData();
    marginLeft = s.m_nMarginLeft;
    marginTop = s.m_nMarginTop;
    marginRight = s.m_nMarginRight;
    marginBottom = s.m_nMarginBottom;
    notesHeight = s.m_nNotesWidth;
  }
}

void CPageFramedJob::BeginPrinting(CDC* pDC, CPrintInfo*) {
  printdraw::MakeFont(bodyFont, pDC, bodyFace, bodySize, FW_NORMAL);
  printdraw::MakeFont(headerFont, pDC, headerFace, headerSize, FW_BOLD);
  printdraw::MakeFont(footerFont, pDC, footerFace, footerSize, FW_NORMAL);
}

void CPageFramedJob::EndPrinting(CDC*, CPrintInfo*) {
  bodyFont.DeleteObject();
  headerFont.DeleteObject();
  footerFont.DeleteObject();
}

CRect CPageFramedJob::ComputeBody(CDC* dc, const CString& page_text) {
  ReadSettings();
  CRect body = printjob::BodyRectOf(dc, CRect(marginLeft, marginTop, marginRight, marginBottom));
  const int header = std::max(printdraw::HeaderRoom(dc, body, headerText, page_text, &headerFont), minHeaderHeight);
  footerHeight = printdraw::FooterRoom(dc, body, footerText, &footerFont);
  return printdraw::KeepFurnitureOnPaper(dc, body, header, footerHeight);
}

// --- List -----------------------------------------------------------------------------------------

BOOL CListCtrlPrintJob::DoPreparePrinting(CPrintInfo* pInfo, BOOL bDirect) {
  pInfo->SetMinPage(1);
  if (!list || !list->m_hWnd) return FALSE;
  rowCount = list->GetItemCount();
  CHeaderCtrl* header = list->GetHeaderCtrl();
  columnCount = header ? header->GetItemCount() : 0;
  if (rowCount <= 0 || columnCount <= 0) return FALSE;
  columnFormat.assign(size_t(columnCount), 0);
  columnWidth.assign(size_t(columnCount), 0);
  columnTitle.assign(size_t(columnCount), CString());
  for (int c = 0; c < columnCount; ++c) {
    char text[513] = {};
    HDITEM item;
    item.mask = HDI_WIDTH | HDI_FORMAT | HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = c == 0 ? 4 : c == 1 ? 128 : 512;
    if (!header->GetItem(c, &item)) continue;
    columnWidth[size_t(c)] = item.cxy;
    columnFormat[size_t(c)] = item.fmt;
    columnTitle[size_t(c)] = text;
  }
  return CPrinterJob::DoPreparePrinting(pInfo, bDirect);
}

CString CListCtrlPrintJob::PageText(int page, int pages) const {
  CString text;
  if (!pageFormat.IsEmpty()) text.Format(pageFormat, page, pages);
  return text;
}

void CListCtrlPrintJob::BeginPrinting(CDC* pDC, CPrintInfo* pInfo) {
  CPageFramedJob::BeginPrinting(pDC, pInfo);
  auto measure = [&](CFont& font, int& width, int& height) {
    CFont* old = pDC->SelectObject(&font);
    const CSize x = pDC->GetTextExtent(CString("X"));
    pDC->SelectObject(old);
    width = x.cx;
    height = x.cy;
  };
  measure(bodyFont, bodyCharWidth, bodyLineHeight);
  measure(headerFont, headerCharWidth, headerLineHeight);
  measure(footerFont, footerCharWidth, footerLineHeight);
  bodyLineHeight += 4;
  headerLineHeight += 4;
  // The pages are counted by laying every row out as printing will.
  int pages = 0;
  const CString widest = PageText(9999, 9999);
  for (int row = 0; row < rowCount; ++pages) {
    const CRect body = ComputeBody(pDC, widest);
    row = LayOutRows(pDC, body, row, false);
  }
  pInfo->SetMaxPage(UINT(std::max(pages, 1)));
  nextRow = 0;
}

int CListCtrlPrintJob::LayOutRows(CDC* dc, const CRect& body_in, int first, bool draw) {
  const int dpi = dc->GetDeviceCaps(LOGPIXELSY);
  auto u = [dpi](int dots) { return printjob::DeviceUnits(dots, dpi); };
  CRect body = body_in;
  columnX = printjob::ListColumns(body.left, body.right, columnWidth, dc->GetDeviceCaps(LOGPIXELSX));
  CFont* old = dc->SelectObject(&bodyFont);
  const int lh = bodyLineHeight;
  // The column titles.
  if (draw) {
    dc->MoveTo(body.left, body.top);
    dc->LineTo(body.right, body.top);
    dc->MoveTo(body.left, body.top + lh);
    dc->LineTo(body.right, body.top + lh);
    dc->MoveTo(body.left, body.top + lh - u(3));
    dc->LineTo(body.right, body.top + lh - u(3));
    for (int c = 0; c + 1 < columnCount; ++c) {
      const int fmt = columnFormat[size_t(c)] & HDF_JUSTIFYMASK;
      const UINT align = fmt == HDF_CENTER ? DT_CENTER : fmt == HDF_RIGHT ? DT_RIGHT : DT_LEFT;
      CRect cell(columnX[size_t(c)], body.top, columnX[size_t(c) + 1], body.top + lh);
      dc->DrawText(columnTitle[size_t(c)], &cell, align | DT_SINGLELINE | DT_VCENTER);
    }
  }
  body.top += lh;
  const int last = columnCount - 1;
  const int wrap_left = std::min<int>(int(body.right), (columnCount > 1 ? columnX[1] : columnX[0]) + u(50));
  auto last_height = [&](int row) {
    CRect box(wrap_left, 0, body.right, 0);
    const CString text = list->GetItemText(row, last);
    if (text.IsEmpty()) return 0;
    dc->DrawText(text, &box, DT_CALCRECT | DT_WORDBREAK | DT_LEFT);
    return int(box.Height());
  };
  int y = body.top;
  int row = first;
  while (row < rowCount) {
    const int top = y + u(16);
    const int below = top + lh - u(5);
    const int height = last_height(row);
    const int after = below + height + u(6);
    // A row that does not fit waits for the next page, unless the page has nothing yet.
    if (after > body.bottom && row > first) break;
    if (draw) {
      for (int c = 0; c < last; ++c) {
        const int fmt = list->GetHeaderCtrl() ? columnFormat[size_t(c)] & HDF_JUSTIFYMASK : HDF_LEFT;
        const UINT align = fmt == HDF_CENTER ? DT_CENTER : fmt == HDF_RIGHT ? DT_RIGHT : DT_LEFT;
        CRect cell(columnX[size_t(c)], top, columnX[size_t(c) + 1], top + lh);
        dc->DrawText(list->GetItemText(row, c), &cell, align | DT_SINGLELINE | DT_NOPREFIX);
      }
      CRect wrapped(wrap_left, below, body.right, below + height);
      dc->DrawText(list->GetItemText(row, last), &wrapped, DT_WORDBREAK | DT_LEFT | DT_NOPREFIX);
      dc->MoveTo(body.left, after);
      dc->LineTo(body.right, after);
    }
    y = after;
    ++row;
  }
  dc->SelectObject(old);
  return row;
}

void CListCtrlPrintJob::PrintPage(CDC* pDC, CPrintInfo* pInfo) {
  // Pages printed out of order (a range, backwards) start at the rows counting put on them.
  const CString widest = PageText(9999, 9999);
  int row = 0;
  for (UINT page = 1; page < pInfo->m_nCurPage && row < rowCount; ++page) {
    row = LayOutRows(pDC, ComputeBody(pDC, widest), row, false);
  }
  nextRow = row;
  pageRect = ComputeBody(pDC, widest);
  const int old_mode = pDC->SetBkMode(TRANSPARENT);
  printdraw::Header(pDC, pageRect, headerText, PageText(int(pInfo->m_nCurPage), int(pInfo->GetMaxPage())),
                    &headerFont, false);
  nextRow = LayOutRows(pDC, pageRect, nextRow, true);
  if (nextRow >= rowCount) pInfo->m_bContinuePrinting = FALSE;
  printdraw::Footer(pDC, pageRect, footerText, &footerFont);
  pDC->SetBkMode(old_mode);
}

BOOL PrintListRows(CListCtrl& list, const CString& heading) {
  CListCtrlPrintJob job;
  job.list = &list;
  job.headerText = heading;
  job.pageFormat.Empty();
  if (CLumoApp* app = LumoApp()) {
    const CUserData& settings = app->GetUserData();
    if (settings.m_bPageNumbers) job.pageFormat = "Strona %d / %d";
    job.footerText = printtext::WorkInfoFromSettings(settings, app->GetDocumentData().m_strTitle);
  }
  return job.Print();
}

// --- Picture --------------------------------------------------------------------------------------

BOOL CBMPPrintJob::DoPreparePrinting(CPrintInfo* pInfo, BOOL bDirect) {
  // One page: the progress counts one page, not the open-ended range of a job that cannot count.
  pInfo->SetMinPage(1);
  pInfo->SetMaxPage(1);
  return CPrinterJob::DoPreparePrinting(pInfo, bDirect);
}

void CBMPPrintJob::PrintPage(CDC* pDC, CPrintInfo*) {
  pageRect = ComputeBody(pDC, CString());
  const int old_mode = pDC->SetBkMode(TRANSPARENT);
  CFont* old_font = pDC->SelectObject(&bodyFont);
  if (image) {
    printdraw::Header(pDC, pageRect, headerText, CString(), &headerFont, false);
    printedRect = printjob::PictureRect(CSize(image->GetWidth(), image->GetHeight()),
                                        CSize(pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetDeviceCaps(LOGPIXELSY)),
                                        pageRect);
    CPalette* old_palette = image->GetPalette() ? pDC->SelectPalette(image->GetPalette(), TRUE) : nullptr;
    image->Stretch(pDC, printedRect.left, printedRect.top, printedRect.Width(), printedRect.Height());
    if (old_palette) pDC->SelectPalette(old_palette, TRUE);
  }
  printdraw::Footer(pDC, pageRect, footerText, &footerFont);
  pDC->SelectObject(old_font);
  pDC->SetBkMode(old_mode);
}
