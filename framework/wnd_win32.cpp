#include <cassert>

#include "framework/dialog_proc_win32.h"
#include "framework/wnd.h"

// The control's object, for FromHandle: comctl32 exports no GetWindowSubclass by name.
static const char kControlObject[] = "lumaSeek.CWnd";

static void Unsubclass(HWND hwnd) {
  RemoveWindowSubclass(hwnd, ControlSubclassProc, 0);
  RemovePropA(hwnd, kControlObject);
}

CWnd::~CWnd() {
  if (m_hWnd && GetPropA(m_hWnd, kControlObject) == this) Unsubclass(m_hWnd);
}

CWnd* CWnd::FromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  if (IsOurDialog(hwnd)) return reinterpret_cast<CWnd*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  return static_cast<CWnd*>(GetPropA(hwnd, kControlObject));
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
  assert(m_hWnd == nullptr && IsWindow(hwnd));
  m_hWnd = hwnd;
  PreSubclassWindow();
  SetPropA(hwnd, kControlObject, this);
  return SetWindowSubclass(hwnd, ControlSubclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK ControlSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR, DWORD_PTR object) {
  CWnd* wnd = reinterpret_cast<CWnd*>(object);
  if (message == WM_NCDESTROY) {
    Unsubclass(hwnd);
    wnd->m_hWnd = nullptr;
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }
  LRESULT result = 0;
  if (wnd->OnWndMsg(message, wParam, lParam, &result)) return result;
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

void CWnd::SetWindowText(LPCSTR text) {
  assert(IsWindow(m_hWnd));
  ::SetWindowTextA(m_hWnd, text);
}

void CWnd::GetWindowText(std::string& text) const {
  assert(IsWindow(m_hWnd));
  int length = ::GetWindowTextLengthA(m_hWnd);
  text.assign(static_cast<size_t>(length) + 1, '\0');
  int copied = ::GetWindowTextA(m_hWnd, &text[0], length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
}

BOOL CWnd::EnableWindow(BOOL enable) {
  assert(IsWindow(m_hWnd));
  return ::EnableWindow(m_hWnd, enable);
}

BOOL CWnd::ShowWindow(int showCommand) {
  assert(IsWindow(m_hWnd));
  return ::ShowWindow(m_hWnd, showCommand);
}

BOOL CWnd::IsIconic() const {
  assert(IsWindow(m_hWnd));
  return ::IsIconic(m_hWnd);
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
  assert(IsWindow(m_hWnd));
  return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : nullptr, x, y, cx, cy, flags);
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add) {
  assert(IsWindow(m_hWnd));
  DWORD style = static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE));
  DWORD changed = (style & ~remove) | add;
  if (changed == style) return FALSE;
  ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(changed));
  return TRUE;
}

void CWnd::SetFocus() {
  assert(IsWindow(m_hWnd));
  ::SetFocus(m_hWnd);
}

CWnd* CWnd::GetParent() const {
  assert(IsWindow(m_hWnd));
  return FromHandle(::GetParent(m_hWnd));
}

HWND CWnd::GetDlgItem(int id) const {
  assert(IsWindow(m_hWnd));
  return ::GetDlgItem(m_hWnd, id);
}

void CWnd::GetClientRect(RECT* rect) const {
  assert(IsWindow(m_hWnd));
  ::GetClientRect(m_hWnd, rect);
}

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon) {
  assert(IsWindow(m_hWnd));
  return reinterpret_cast<HICON>(::SendMessageA(m_hWnd, WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL,
                                                reinterpret_cast<LPARAM>(icon)));
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  assert(IsWindow(m_hWnd));
  return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  assert(IsWindow(m_hWnd));
  return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

int CWnd::MessageBox(LPCSTR text, LPCSTR caption, UINT type) {
  assert(IsWindow(m_hWnd));
  return ::MessageBoxA(m_hWnd, text, caption, type);  // no caption: the system says "Error"
}
