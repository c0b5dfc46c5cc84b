// The list and picture print jobs: the rows of a report list as a table under a header with the
// page number, and the picture of a picture sheet at 150 dots per inch, shrunk to fit, centred.
#pragma once

#include <string>
#include <vector>

#include "shell/print/printer_job.h"

class CListCtrl;
class CImageFile;

namespace printjob {

// The column boundaries (columns + 1 values) of a printed list between `left` and `right`: the
// five act-row columns at fixed places (0, 90, 320, right - 450, right - 100 in 300-dpi dots),
// other lists by their column widths scaled to the body's width.
std::vector<int> ListColumns(int left, int right, const std::vector<int>& widths, int dpi);

// Where a picture of `pixels` goes in `body` on a printer of `dpi` (x, y): its natural size at 150
// dots per inch, shrunk (never enlarged) to fit, centred.
CRect PictureRect(CSize pixels, CSize dpi, const CRect& body);

}  // namespace printjob

// What the act, list and picture jobs share: margins, texts, fonts and the footer.
class CPageFramedJob : public CPrinterJob {
 public:
  CPageFramedJob();

  void BeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
  void EndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

  int marginLeft = 20, marginTop = 18, marginRight = 15, marginBottom = 18, notesHeight = 70;
  CRect pageRect;
  CString headerText;
  CString footerText;
  CString headerFace = "Arial CE", footerFace = "Times New Roman CE", bodyFace = "Arial CE";
  int headerSize = 12, footerSize = 8, bodySize = 10;
  CFont bodyFont, headerFont, footerFont;
  int minHeaderHeight = 0;
  int footerHeight = 0;

 protected:
  void ReadSettings();
  // The page's body between the margins, with room for the header (`page_text` on its right) and
  // the footer on the paper.
  CRect ComputeBody(CDC* dc, const CString& page_text);
};

class CListCtrlPrintJob : public CPageFramedJob {
 public:
  BOOL DoPreparePrinting(CPrintInfo* pInfo, BOOL bDirect) override;
  void BeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
  void PrintPage(CDC* pDC, CPrintInfo* pInfo) override;

  // Lays out the rows from `first` on one page of `body` (drawing them when `draw`); returns the
  // first row left for the next page. Counting the pages and printing them both go through here.
  int LayOutRows(CDC* dc, const CRect& body, int first, bool draw);

  CListCtrl* list = nullptr;
  CString pageFormat = "Strona %d / %d";
  int columnCount = 0;
  int rowCount = 0;
  std::vector<int> columnX;
  std::vector<int> columnFormat;
  std::vector<CString> columnTitle;
  std::vector<int> columnWidth;
  int bodyCharWidth = 0, bodyLineHeight = 0, headerCharWidth = 0, headerLineHeight = 0;
  int footerCharWidth = 0, footerLineHeight = 0;
  int nextRow = 0;

 private:
  CString PageText(int page, int pages) const;
};

// Prints the rows of a navigator list under `heading`, with the page numbers and the work
// information the print settings ask for; false when nothing was printed.
BOOL PrintListRows(CListCtrl& list, const CString& heading);

class CBMPPrintJob : public CPageFramedJob {
 public:
  BOOL DoPreparePrinting(CPrintInfo* pInfo, BOOL bDirect) override;
  void PrintPage(CDC* pDC, CPrintInfo* pInfo) override;

  // The picture printed (the picture sheet's image).
  CImageFile* image = nullptr;
  // Where the last page put the picture (device units).
  CRect printedRect;
};
