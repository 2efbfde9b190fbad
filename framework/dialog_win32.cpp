#include "framework/dialog_init.h"
#include "framework/dialog_proc_win32.h"
#include "framework/window_system.h"

// Results of these messages are the dialog procedure's return value; all
// others go to DWLP_MSGRESULT.
static bool ReturnsResultDirectly(UINT message) {
  return message == WM_INITDIALOG || message == WM_QUERYDRAGICON || message == WM_COMPAREITEM ||
         message == WM_VKEYTOITEM || message == WM_CHARTOITEM ||
         (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC);
}

INT_PTR CALLBACK SharedDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
  WindowBinding* bound = reinterpret_cast<WindowBinding*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  if (!bound) return FALSE;  // messages before WM_INITDIALOG
  if (message == WM_NCDESTROY) SetWindowLongPtrA(hwnd, DWLP_USER, 0);
  LRESULT result = 0;
  if (!bound->deliver(bound, hwnd, message, wParam, lParam, &result)) return FALSE;
  if (ReturnsResultDirectly(message)) return static_cast<INT_PTR>(result);
  SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
  return TRUE;
}

bool IsOurDialog(HWND hwnd) {
  constexpr ULONG_PTR DIALOG_CLASS_ATOM = 32770;
  return GetClassLongPtrA(hwnd, GCW_ATOM) == DIALOG_CLASS_ATOM &&
         reinterpret_cast<DLGPROC>(GetWindowLongPtrA(hwnd, DWLP_DLGPROC)) == SharedDialogProc;
}

// The dialog that holds hwnd, innermost first, or nullptr.
static HWND DialogHolding(HWND hwnd) {
  for (; hwnd; hwnd = GetParent(hwnd)) {
    if (IsOurDialog(hwnd)) return hwnd;
  }
  return nullptr;
}

namespace window_system {

HWND CreateModeless(UINT templateId, HWND parent, WindowBinding* bound) {
  return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), parent, SharedDialogProc,
                            reinterpret_cast<LPARAM>(bound));
}

HWND CreateModal(UINT templateId, HWND owner, WindowBinding* bound) {
  return CreateModeless(templateId, owner, bound);  // the modal loop is RunModal's
}

INT_PTR RunModal(HWND dialog, HWND owner, const bool& ended, const int& result) {
  bool ownerDisabled = owner && ::IsWindowEnabled(owner);
  if (ownerDisabled) ::EnableWindow(owner, FALSE);
  if (!ended) ::ShowWindow(dialog, SW_SHOW);

  // Each message goes to the innermost of our dialogs that holds its window,
  // so modeless pages inside this dialog get Tab, Enter and Escape too.
  bool loopEnded = false;
  MSG msg;
  while (!ended) {
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      loopEnded = true;
      break;
    }
    HWND holder = DialogHolding(msg.hwnd);
    if (holder && IsDialogMessageA(holder, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  // enable the owner first, so that it gets the activation back
  if (ownerDisabled) ::EnableWindow(owner, TRUE);
  return loopEnded ? IDCANCEL : result;
}

void EndModeless(HWND dialog, int result) { ::EndDialog(dialog, result); }  // hides it

void DestroyDialog(HWND dialog) { ::DestroyWindow(dialog); }

}  // namespace window_system

DialogInitData FindDialogInitData(UINT templateId) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(templateId),
                              MAKEINTRESOURCEA(DIALOG_INIT_RESOURCE_TYPE));
  if (!found) return {};
  HGLOBAL loaded = LoadResource(module, found);
  if (!loaded) return {};
  return {static_cast<const unsigned char*>(LockResource(loaded)), SizeofResource(module, found)};
}
