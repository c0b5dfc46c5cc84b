#include "pictures/sheets/zoom_other_dlg.h"

#include "pictures/sheets/picture_zoom.h"
#include "platform/framework/data_exchange.h"
#include "resources/pictures_ids.h"

CZoomotherDlg::CZoomotherDlg(CWnd* pParent) : CDialog(resources::IDD_ZOOM_OTHER, pParent) {}

void CZoomotherDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, resources::IDC_ZOOM_PERCENT, zoom);
  DDV_MinMaxInt(pDX, zoom, picturezoom::kMinZoom, picturezoom::kMaxZoom);
}
