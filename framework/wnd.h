// CWnd: a window handle with the operations the dialogs use, and the message
// map dispatch. Each operation hands its handle to the window system below
// (window_system.h); the window system hands messages back through the
// binding, never by name.
#pragma once

#include <string>

#include "framework/message_map.h"
#include "framework/win_types.h"
#include "framework/window_system.h"

class CWnd : public WindowBinding {
 public:
  CWnd() : WindowBinding{&CWnd::DeliverToWnd} {}
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND m_hWnd = nullptr;

  // The dialog or subclassed control bound to hwnd, nullptr for any other window.
  static CWnd* FromHandle(HWND hwnd);

  // Binds the object to an existing control: PreSubclassWindow runs, then the
  // control's messages and reflected notifications go through this object.
  BOOL SubclassWindow(HWND hwnd);
  virtual void PreSubclassWindow() {}

  void SetWindowText(LPCSTR text);
  void GetWindowText(std::string& text) const;
  BOOL EnableWindow(BOOL enable = TRUE);
  BOOL ShowWindow(int showCommand);
  BOOL IsIconic() const;
  BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
  BOOL ModifyStyle(DWORD remove, DWORD add);
  void SetFocus();
  CWnd* GetParent() const;
  HWND GetDlgItem(int id) const;
  void GetClientRect(RECT* rect) const;
  HICON SetIcon(HICON icon, BOOL bigIcon);
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  // A message box owned by this window.
  int MessageBox(LPCSTR text, LPCSTR caption = nullptr, UINT type = MB_OK);

  // Routes a message through the message maps, after offering WM_NOTIFY and
  // WM_DRAWITEM to the control that sent them. False when nothing took it, or
  // the handler asked for the default processing.
  bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  // A notification the parent hands back to this control; true when taken.
  virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  // Called by a handler: let the system process the current message as usual.
  void Default() { m_defaultRequested = true; }

 protected:
  virtual const MessageMap* GetMessageMap() const { return GetThisMessageMap(); }
  static const MessageMap* GetThisMessageMap();
  // The binding's delivery: the message maps, and the handle forgotten at WM_NCDESTROY.
  static bool DeliverToWnd(WindowBinding* bound, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                           LRESULT* result);

 private:
  bool m_defaultRequested = false;
};
