#include <cstdint>

#include "framework/app.h"

static CWinApp* g_app = nullptr;

CWinApp::CWinApp() { g_app = this; }
CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

// Icons stand for their resource ids.
HICON CWinApp::LoadIcon(UINT id) const { return reinterpret_cast<HICON>(static_cast<std::uintptr_t>(id)); }

CWinApp* AfxGetApp() { return g_app; }
CWnd* AfxGetMainWnd() { return g_app ? g_app->m_pMainWnd : nullptr; }
const char* AfxGetAppName() { return "lumaseek"; }
