// The Login dialog: a user name and a password of at most 16 characters each,
// handed to the exchanges through LoginUserName and LoginPassword.
#pragma once

#include <cstdint>
#include <string>

#include "framework/controls.h"
#include "framework/dialog.h"
#include "res/resource.h"

// Who shows the dialog next: LOGIN_FOR_DEVICE (the IP Settings page's device
// login, user name fixed to the default credential) or LOGIN_FOR_SHARE (the
// Drive Mapping page's share connection). Only OnInitDialog reads it.
enum { LOGIN_FOR_SHARE = 0, LOGIN_FOR_DEVICE = 1 };
extern std::int32_t LoginPurpose;

class CLoginDlg : public CDialog {
 public:
  enum { IDD = IDD_LOGIN };

  explicit CLoginDlg(CWnd* parent = nullptr);

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

  CEdit m_userNameEdit;    // IDC_USER_NAME
  std::string m_userName;  // exchanged with IDC_USER_NAME
  std::string m_password;  // exchanged with IDC_PASSWORD
};
