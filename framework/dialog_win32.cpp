#include <cassert>

#include "framework/app.h"
#include "framework/dialog.h"
#include "framework/dialog_init.h"
#include "framework/dialog_proc_win32.h"

// Results of these messages are the dialog procedure's return value; all
// others go to DWLP_MSGRESULT.
static bool ReturnsResultDirectly(UINT message) {
  return message == WM_INITDIALOG || message == WM_QUERYDRAGICON || message == WM_COMPAREITEM ||
         message == WM_VKEYTOITEM || message == WM_CHARTOITEM ||
         (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC);
}

INT_PTR CALLBACK SharedDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    CDialog* dialog = reinterpret_cast<CDialog*>(lParam);
    SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
    dialog->m_hWnd = hwnd;
    return dialog->HandleInitDialog();
  }
  CDialog* dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  if (!dialog) return FALSE;  // messages before WM_INITDIALOG
  if (message == WM_NCDESTROY) {
    dialog->m_hWnd = nullptr;
    SetWindowLongPtrA(hwnd, DWLP_USER, 0);
    return FALSE;
  }
  LRESULT result = 0;
  if (!dialog->OnWndMsg(message, wParam, lParam, &result)) return FALSE;
  if (ReturnsResultDirectly(message)) return static_cast<INT_PTR>(result);
  SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
  return TRUE;
}

bool IsOurDialog(HWND hwnd) {
  constexpr ULONG_PTR kDialogClassAtom = 32770;
  return GetClassLongPtrA(hwnd, GCW_ATOM) == kDialogClassAtom &&
         reinterpret_cast<DLGPROC>(GetWindowLongPtrA(hwnd, DWLP_DLGPROC)) == SharedDialogProc;
}

CDialog::~CDialog() {
  if (m_hWnd) DestroyWindow(m_hWnd);
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
  assert(m_hWnd == nullptr);
  m_templateId = templateId;
  m_pParentWnd = parent;
  HWND created = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId),
                                    parent ? parent->m_hWnd : nullptr, SharedDialogProc,
                                    reinterpret_cast<LPARAM>(this));
  return created != nullptr;
}

// The dialog that holds hwnd, innermost first, or nullptr.
static HWND DialogHolding(HWND hwnd) {
  for (; hwnd; hwnd = GetParent(hwnd)) {
    if (IsOurDialog(hwnd)) return hwnd;
  }
  return nullptr;
}

INT_PTR CDialog::DoModal() {
  assert(m_hWnd == nullptr);
  CWnd* owner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
  HWND ownerHwnd = owner && owner != this ? owner->m_hWnd : nullptr;
  m_modal = true;
  m_ended = false;
  m_modalResult = -1;
  HWND hwnd = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_templateId), ownerHwnd,
                                 SharedDialogProc, reinterpret_cast<LPARAM>(this));
  if (!hwnd) {
    m_modal = false;
    return -1;
  }
  bool ownerDisabled = ownerHwnd && ::IsWindowEnabled(ownerHwnd);
  if (ownerDisabled) ::EnableWindow(ownerHwnd, FALSE);
  if (!m_ended) ::ShowWindow(hwnd, SW_SHOW);

  // Each message goes to the innermost of our dialogs that holds its window,
  // so modeless pages inside this dialog get Tab, Enter and Escape too.
  MSG msg;
  while (!m_ended) {
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      m_modalResult = IDCANCEL;
      break;
    }
    HWND dialog = DialogHolding(msg.hwnd);
    if (dialog && IsDialogMessageA(dialog, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  // enable the owner first, so that it gets the activation back
  if (ownerDisabled) ::EnableWindow(ownerHwnd, TRUE);
  if (m_hWnd) DestroyWindow(m_hWnd);
  m_modal = false;
  return m_modalResult;
}

void CDialog::EndDialog(int result) {
  m_ended = true;
  m_modalResult = result;
  if (!m_modal && m_hWnd) ::EndDialog(m_hWnd, result);  // hides a modeless dialog
}

DialogInitData FindDialogInitData(UINT templateId) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(templateId),
                              MAKEINTRESOURCEA(kDialogInitResourceType));
  if (!found) return {};
  HGLOBAL loaded = LoadResource(module, found);
  if (!loaded) return {};
  return {static_cast<const unsigned char*>(LockResource(loaded)), SizeofResource(module, found)};
}
