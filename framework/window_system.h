// The window system beneath CWnd and CDialog: one function per operation on a
// window handle, and the binding through which a window's messages reach the
// object bound to it. On Windows each operation is one call or one message
// (wnd_win32.cpp, dialog_win32.cpp); the tests' in-memory backend keeps the
// windows as data. It knows nothing of the classes above it.
#pragma once

#include <string>

#include "framework/win_types.h"

// An object bound to a window, as the window system sees it: the function that
// takes its window's messages, true when it handled one (its result in *result).
// WM_INITDIALOG reaches a dialog once its controls exist; WM_NCDESTROY comes
// last, after the window system has let go of the binding.
struct WindowBinding {
  using Deliver = bool (*)(WindowBinding* bound, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                           LRESULT* result);
  Deliver deliver;
};

namespace window_system {

// The binding of a dialog of this framework or of a subclassed control,
// nullptr for any other window.
WindowBinding* BindingOf(HWND hwnd);
// Routes an existing control's messages, and those its parent reflects, to bound.
BOOL Subclass(HWND hwnd, WindowBinding* bound);
// Undoes Subclass, if the control is still bound to bound.
void Unbind(HWND hwnd, WindowBinding* bound);

void SetText(HWND hwnd, LPCSTR text);
void CopyText(HWND hwnd, std::string& text);
BOOL Enable(HWND hwnd, BOOL enable);
BOOL Display(HWND hwnd, int showCommand);
BOOL IsMinimized(HWND hwnd);
BOOL Place(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL ChangeStyle(HWND hwnd, DWORD remove, DWORD add);
void Focus(HWND hwnd);
HWND ParentOf(HWND hwnd);
HWND ChildOf(HWND hwnd, int id);
void ClientRect(HWND hwnd, RECT* rect);
LRESULT SendMessageTo(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessageTo(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
int ShowMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

// The dialog of templateId bound to bound, a child or pop-up of parent;
// WM_INITDIALOG has reached bound when it returns. nullptr when it could not
// be created.
HWND CreateModeless(UINT templateId, HWND parent, WindowBinding* bound);
// The same for a modal dialog, owned by owner.
HWND CreateModal(UINT templateId, HWND owner, WindowBinding* bound);
// Shows a modal dialog with its owner disabled and runs its messages until
// ended turns true: then result, or IDCANCEL when the message loop ended first.
INT_PTR RunModal(HWND dialog, HWND owner, const bool& ended, const int& result);
// Hides a modeless dialog that ended.
void EndModeless(HWND dialog, int result);
void DestroyDialog(HWND dialog);

}  // namespace window_system
