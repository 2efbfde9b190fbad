// CWinApp: the one application object. On Windows the framework's entry point
// (AfxWinMain) initialises the common controls and calls InitInstance.
#pragma once

#include "framework/win_types.h"

class CWnd;

class CWinApp {
 public:
  CWinApp();
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  virtual BOOL InitInstance() { return FALSE; }
  // An icon of the program's resources at the system's standard icon size.
  HICON LoadIcon(UINT id) const;

  CWnd* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// The caption of the framework's own messages: the program's file name.
const char* AfxGetAppName();

#ifdef _WIN32
int AfxWinMain();
#endif
