#include "ipconfig/login_dialog.h"

CLoginDlg::CLoginDlg(CWnd* parent) : CDialog(IDD, parent) {}

void CLoginDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, 1020, m_userNameEdit);
  DDX_Text(dx, 1020, m_userName);
  DDV_MaxChars(dx, m_userName, 16);
  DDX_Text(dx, 1021, m_password);
  DDV_MaxChars(dx, m_password, 16);
}
