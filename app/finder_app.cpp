#include "app/finder_app.h"

#include "app/finder_dlg.h"

BOOL CFinderApp::InitInstance() {
  CFinderDlg dialog;
  m_pMainWnd = &dialog;
  dialog.DoModal();  // however it ended, or failed to start, the program ends
  m_pMainWnd = nullptr;
  return FALSE;
}
