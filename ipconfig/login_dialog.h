// The Login dialog: a user name and a password of at most 16 characters each.
#pragma once

#include <string>

#include "framework/controls.h"
#include "framework/dialog.h"

class CLoginDlg : public CDialog {
 public:
  enum { IDD = 133 };

  explicit CLoginDlg(CWnd* parent = nullptr);

 protected:
  void DoDataExchange(CDataExchange* dx) override;

  CEdit m_userNameEdit;    // 1020
  std::string m_userName;  // exchanged with 1020
  std::string m_password;  // exchanged with 1021
};
