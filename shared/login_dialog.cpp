#include "shared/login_dialog.h"

#include <cstdio>
#include <cstring>

#include "platform/sysinfo.h"
#include "platform/windows_version.h"
#include "proto/exchanges.h"

std::int32_t LoginPurpose = LOGIN_FOR_SHARE;

namespace {

constexpr int MAX_LOGIN_CHARS = LOGIN_TEXT_SIZE - 1;
constexpr unsigned long LOGON_NAME_SIZE = 128;

// Windows 98 and ME have no per-user share credentials: the logon name is the one used.
bool LogonNameIsFixed() {
  char version[WINDOWS_VERSION_NAME_SIZE];
  GetWindowsVersionName(version, sizeof version);
  return std::strstr(version, "ME") || std::strstr(version, "98");
}

}  // namespace

CLoginDlg::CLoginDlg(CWnd* parent) : CDialog(IDD, parent) {}

void CLoginDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_USER_NAME, m_userNameEdit);
  DDX_Text(dx, IDC_USER_NAME, m_userName);
  DDV_MaxChars(dx, m_userName, MAX_LOGIN_CHARS);
  DDX_Text(dx, IDC_PASSWORD, m_password);
  DDV_MaxChars(dx, m_password, MAX_LOGIN_CHARS);
}

BOOL CLoginDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (LoginPurpose == LOGIN_FOR_DEVICE) {
    m_userName = DEFAULT_CREDENTIAL;
    UpdateData(FALSE);
    m_userNameEdit.EnableWindow(FALSE);
    return TRUE;
  }
  const bool fixed = LogonNameIsFixed();
  m_userName.clear();
  if (fixed) {
    char logonName[LOGON_NAME_SIZE] = "";
    unsigned long size = sizeof logonName;
    // on failure the locked field stays empty
    if (!platform::QueryLogonName(logonName, &size)) logonName[0] = '\0';
    logonName[sizeof logonName - 1] = '\0';
    m_userName = logonName;
  }
  UpdateData(FALSE);
  m_userNameEdit.EnableWindow(fixed ? FALSE : TRUE);
  return TRUE;
}

void CLoginDlg::OnOK() {
  UpdateData(TRUE);
  // a preset longer than the field is cut here; the exchange below still refuses it
  std::snprintf(LoginUserName, sizeof LoginUserName, "%.*s", MAX_LOGIN_CHARS, m_userName.c_str());
  std::snprintf(LoginPassword, sizeof LoginPassword, "%.*s", MAX_LOGIN_CHARS, m_password.c_str());
  CDialog::OnOK();
}
