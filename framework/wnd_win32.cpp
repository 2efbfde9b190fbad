#include <cassert>

#include "framework/dialog_proc_win32.h"
#include "framework/window_system.h"

// The control's binding, for BindingOf: comctl32 exports no GetWindowSubclass by name.
static const char CONTROL_OBJECT_PROP[] = "lumaSeek.CWnd";

static void Unsubclass(HWND hwnd) {
  RemoveWindowSubclass(hwnd, ControlSubclassProc, 0);
  RemovePropA(hwnd, CONTROL_OBJECT_PROP);
}

LRESULT CALLBACK ControlSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR, DWORD_PTR object) {
  WindowBinding* bound = reinterpret_cast<WindowBinding*>(object);
  if (message == WM_NCDESTROY) Unsubclass(hwnd);
  LRESULT result = 0;
  if (bound->deliver(bound, hwnd, message, wParam, lParam, &result)) return result;
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

namespace window_system {

WindowBinding* BindingOf(HWND hwnd) {
  if (IsOurDialog(hwnd)) return reinterpret_cast<WindowBinding*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  return static_cast<WindowBinding*>(GetPropA(hwnd, CONTROL_OBJECT_PROP));
}

BOOL Subclass(HWND hwnd, WindowBinding* bound) {
  assert(IsWindow(hwnd));
  SetPropA(hwnd, CONTROL_OBJECT_PROP, bound);
  return SetWindowSubclass(hwnd, ControlSubclassProc, 0, reinterpret_cast<DWORD_PTR>(bound));
}

void Unbind(HWND hwnd, WindowBinding* bound) {
  if (GetPropA(hwnd, CONTROL_OBJECT_PROP) == bound) Unsubclass(hwnd);
}

void SetText(HWND hwnd, LPCSTR text) {
  assert(IsWindow(hwnd));
  ::SetWindowTextA(hwnd, text);
}

void CopyText(HWND hwnd, std::string& text) {
  assert(IsWindow(hwnd));
  int length = ::GetWindowTextLengthA(hwnd);
  text.assign(static_cast<size_t>(length) + 1, '\0');
  int copied = ::GetWindowTextA(hwnd, &text[0], length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
}

BOOL Enable(HWND hwnd, BOOL enable) {
  assert(IsWindow(hwnd));
  return ::EnableWindow(hwnd, enable);
}

BOOL Display(HWND hwnd, int showCommand) {
  assert(IsWindow(hwnd));
  return ::ShowWindow(hwnd, showCommand);
}

BOOL IsMinimized(HWND hwnd) {
  assert(IsWindow(hwnd));
  return ::IsIconic(hwnd);
}

BOOL Place(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  assert(IsWindow(hwnd));
  return ::SetWindowPos(hwnd, insertAfter, x, y, cx, cy, flags);
}

BOOL ChangeStyle(HWND hwnd, DWORD remove, DWORD add) {
  assert(IsWindow(hwnd));
  DWORD style = static_cast<DWORD>(::GetWindowLongA(hwnd, GWL_STYLE));
  DWORD changed = (style & ~remove) | add;
  if (changed == style) return FALSE;
  ::SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(changed));
  return TRUE;
}

void Focus(HWND hwnd) {
  assert(IsWindow(hwnd));
  ::SetFocus(hwnd);
}

HWND ParentOf(HWND hwnd) {
  assert(IsWindow(hwnd));
  return ::GetParent(hwnd);
}

HWND ChildOf(HWND hwnd, int id) {
  assert(IsWindow(hwnd));
  return ::GetDlgItem(hwnd, id);
}

void ClientRect(HWND hwnd, RECT* rect) {
  assert(IsWindow(hwnd));
  ::GetClientRect(hwnd, rect);
}

LRESULT SendMessageTo(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  assert(IsWindow(hwnd));
  return ::SendMessageA(hwnd, message, wParam, lParam);
}

BOOL PostMessageTo(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  assert(IsWindow(hwnd));
  return ::PostMessageA(hwnd, message, wParam, lParam);
}

int ShowMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  assert(IsWindow(owner));
  return ::MessageBoxA(owner, text, caption, type);  // no caption: the system says "Error"
}

}  // namespace window_system
