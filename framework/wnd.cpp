#include "framework/wnd.h"

#include "framework/controls.h"

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

bool CTabCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message != WM_DRAWITEM) return CWnd::OnChildNotify(message, wParam, lParam, result);
  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
  *result = TRUE;
  return true;
}
