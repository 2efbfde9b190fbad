#include "drivemap/drive_map_page.h"

CDriveMapPage::CDriveMapPage(CWnd* parent) : CDialog(IDD, parent) {}

void CDriveMapPage::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, 1029, m_infoText);
  DDX_Control(dx, 1004, m_driveCombo);
  DDX_Control(dx, 1013, m_shareList);
}
