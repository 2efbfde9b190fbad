#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "framework/app.h"

static CWinApp* g_app = nullptr;

CWinApp::CWinApp() { g_app = this; }
CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

HICON CWinApp::LoadIcon(UINT id) const {
  return ::LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
}

CWinApp* AfxGetApp() { return g_app; }
CWnd* AfxGetMainWnd() { return g_app ? g_app->m_pMainWnd : nullptr; }

const char* AfxGetAppName() {
  static char name[MAX_PATH];
  if (name[0]) return name;
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
  if (length == 0 || length >= sizeof(path)) {
    lstrcpynA(name, "lumaseek", sizeof(name));
    return name;
  }
  const char* base = path;
  for (const char* p = path; *p; ++p)
    if (*p == '\\' || *p == '/') base = p + 1;
  const char* dot = std::strrchr(base, '.');
  size_t baseLength = dot ? static_cast<size_t>(dot - base) : std::strlen(base);
  lstrcpynA(name, base, static_cast<int>(baseLength < sizeof(name) ? baseLength + 1 : sizeof(name)));
  return name;
}

int AfxWinMain() {
  INITCOMMONCONTROLSEX controls = {sizeof(controls),
                                   ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_INTERNET_CLASSES};
  InitCommonControlsEx(&controls);
  if (g_app) g_app->InitInstance();  // the dialog application runs no loop of its own
  return 0;
}
