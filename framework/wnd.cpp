#include "framework/wnd.h"

#include <cassert>

const MessageMap* CWnd::GetThisMessageMap() {
  static const MessageMapEntry entries[] = {{0, 0, 0, nullptr}};
  static const MessageMap map = {nullptr, entries};
  return &map;
}

static bool Matches(const MessageMapEntry& entry, UINT message, WPARAM wParam, LPARAM lParam) {
  if (entry.message != message) return false;
  switch (message) {
    case WM_COMMAND:
      return entry.code == HIWORD(wParam) && entry.id == LOWORD(wParam);
    case WM_NOTIFY: {
      const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
      return entry.code == header->code && entry.id == header->idFrom;
    }
    case WM_REFLECT_NOTIFY:
      return entry.code == reinterpret_cast<const NMHDR*>(lParam)->code;
    default:
      return true;
  }
}

static HWND SenderOf(UINT message, LPARAM lParam) {
  if (message == WM_NOTIFY) return reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
  return reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  *result = 0;
  if (message == WM_NOTIFY || message == WM_DRAWITEM) {
    CWnd* child = FromHandle(SenderOf(message, lParam));
    if (child && child != this && child->OnChildNotify(message, wParam, lParam, result))
      return true;
  }
  for (const MessageMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
    for (const MessageMapEntry* entry = map->entries; entry->message; ++entry) {
      if (!Matches(*entry, message, wParam, lParam)) continue;
      // handlers may send messages of their own
      bool outerDefault = m_defaultRequested;
      m_defaultRequested = false;
      *result = entry->thunk(this, wParam, lParam);
      bool handled = !m_defaultRequested;
      m_defaultRequested = outerDefault;
      return handled;
    }
  }
  return false;
}

bool CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message != WM_NOTIFY) return false;
  return OnWndMsg(WM_REFLECT_NOTIFY, wParam, lParam, result);
}

bool CWnd::DeliverToWnd(WindowBinding* bound, HWND, UINT message, WPARAM wParam, LPARAM lParam,
                        LRESULT* result) {
  CWnd* wnd = static_cast<CWnd*>(bound);
  if (message == WM_NCDESTROY) {
    wnd->m_hWnd = nullptr;
    return false;
  }
  return wnd->OnWndMsg(message, wParam, lParam, result);
}

CWnd::~CWnd() {
  if (m_hWnd) window_system::Unbind(m_hWnd, this);
}

CWnd* CWnd::FromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  return static_cast<CWnd*>(window_system::BindingOf(hwnd));
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
  assert(m_hWnd == nullptr);
  m_hWnd = hwnd;
  PreSubclassWindow();
  return window_system::Subclass(hwnd, this);
}

void CWnd::SetWindowText(LPCSTR text) { window_system::SetText(m_hWnd, text); }

void CWnd::GetWindowText(std::string& text) const { window_system::CopyText(m_hWnd, text); }

BOOL CWnd::EnableWindow(BOOL enable) { return window_system::Enable(m_hWnd, enable); }

BOOL CWnd::ShowWindow(int showCommand) { return window_system::Display(m_hWnd, showCommand); }

BOOL CWnd::IsIconic() const { return window_system::IsMinimized(m_hWnd); }

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
  return window_system::Place(m_hWnd, insertAfter ? insertAfter->m_hWnd : nullptr, x, y, cx, cy, flags);
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add) { return window_system::ChangeStyle(m_hWnd, remove, add); }

void CWnd::SetFocus() { window_system::Focus(m_hWnd); }

CWnd* CWnd::GetParent() const { return FromHandle(window_system::ParentOf(m_hWnd)); }

HWND CWnd::GetDlgItem(int id) const { return window_system::ChildOf(m_hWnd, id); }

void CWnd::GetClientRect(RECT* rect) const { window_system::ClientRect(m_hWnd, rect); }

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon) {
  return reinterpret_cast<HICON>(
      SendMessage(WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return window_system::SendMessageTo(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return window_system::PostMessageTo(m_hWnd, message, wParam, lParam);
}

int CWnd::MessageBox(LPCSTR text, LPCSTR caption, UINT type) {
  return window_system::ShowMessageBox(m_hWnd, text, caption, type);
}
