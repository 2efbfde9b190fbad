#include <cassert>
#include <memory>

#include "framework/memory_backend.h"
#include "framework/resource_script.h"
#include "framework/wnd.h"

namespace {

std::vector<std::unique_ptr<MemoryWindow>> g_topLevel;
MemoryWindow* g_focus = nullptr;

void Unbind(MemoryWindow* window) {
  if (window == g_focus) g_focus = nullptr;
  if (window->object) window->object->m_hWnd = nullptr;
  for (auto& child : window->children) Unbind(child.get());
}

// Dialog units to pixels for an 8-point dialog font.
int PixelsX(int units) { return units * 6 / 4; }
int PixelsY(int units) { return units * 13 / 8; }

}  // namespace

namespace memory_backend {

MemoryWindow* CreateDialogWindow(UINT templateId, MemoryWindow* parent) {
  const ScriptDialog* script = FindScriptDialog(templateId);
  if (!script) return nullptr;
  auto window = std::make_unique<MemoryWindow>();
  window->className = "#32770";
  window->text = script->caption;
  window->visible = StyleHas(script->style, "WS_VISIBLE");
  window->enabled = !StyleHas(script->style, "WS_DISABLED");
  window->client = {0, 0, PixelsX(script->cx), PixelsY(script->cy)};
  window->parent = parent;
  for (const auto& control : script->controls) {
    auto child = std::make_unique<MemoryWindow>();
    child->id = control.id;
    child->className = control.className;
    child->text = control.text;
    child->visible = StyleHas(control.style, "WS_VISIBLE");
    child->enabled = !StyleHas(control.style, "WS_DISABLED");
    if (StyleHas(control.style, "CBS_SORT")) child->style |= CBS_SORT;
    child->autoCheck = StyleHas(control.style, "BS_AUTOCHECKBOX");
    child->x = PixelsX(control.x);
    child->y = PixelsY(control.y);
    child->client = {0, 0, PixelsX(control.cx), PixelsY(control.cy)};
    child->parent = window.get();
    window->children.push_back(std::move(child));
  }
  auto& owner = parent ? parent->children : g_topLevel;
  owner.push_back(std::move(window));
  return owner.back().get();
}

void DestroyWindow(MemoryWindow* window) {
  Unbind(window);
  auto& owner = window->parent ? window->parent->children : g_topLevel;
  for (auto it = owner.begin(); it != owner.end(); ++it) {
    if (it->get() == window) {
      owner.erase(it);
      return;
    }
  }
}

LRESULT Dispatch(MemoryWindow* window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (window->object && window->object->OnWndMsg(message, wParam, lParam, &result)) return result;
  // the default processing that the program relies on
  bool dialog = window->className == "#32770";
  if (message == WM_PAINT) {
    ++window->paints;
  } else if (message == WM_CLOSE && dialog) {
    return Dispatch(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  } else if (message == WM_SETICON) {
    HICON& slot = wParam == ICON_BIG ? window->bigIcon : window->smallIcon;
    HICON previous = slot;
    slot = reinterpret_cast<HICON>(lParam);
    return reinterpret_cast<LRESULT>(previous);
  }
  return 0;
}

void SetFocus(MemoryWindow* window) { g_focus = window; }

void ResetWindows() {
  for (auto& window : g_topLevel) Unbind(window.get());
  g_topLevel.clear();
  g_focus = nullptr;
}

}  // namespace memory_backend

HWND memory_ui::Focus() { return g_focus; }

CWnd::~CWnd() {
  if (m_hWnd && m_hWnd->object == this) m_hWnd->object = nullptr;
}

CWnd* CWnd::FromHandle(HWND hwnd) { return hwnd ? hwnd->object : nullptr; }

BOOL CWnd::SubclassWindow(HWND hwnd) {
  assert(m_hWnd == nullptr && hwnd && hwnd->object == nullptr);
  m_hWnd = hwnd;
  PreSubclassWindow();
  hwnd->object = this;
  return TRUE;
}

void CWnd::SetWindowText(LPCSTR text) {
  assert(m_hWnd);
  m_hWnd->text = text ? text : "";
}

void CWnd::GetWindowText(std::string& text) const {
  assert(m_hWnd);
  text = m_hWnd->text;
}

BOOL CWnd::EnableWindow(BOOL enable) {
  assert(m_hWnd);
  BOOL wasDisabled = !m_hWnd->enabled;
  m_hWnd->enabled = enable != FALSE;
  return wasDisabled;
}

BOOL CWnd::ShowWindow(int showCommand) {
  assert(m_hWnd);
  BOOL wasVisible = m_hWnd->visible;
  m_hWnd->visible = showCommand != SW_HIDE;
  return wasVisible;
}

BOOL CWnd::IsIconic() const {
  assert(m_hWnd);
  return (m_hWnd->style & WS_MINIMIZE) != 0;
}

BOOL CWnd::SetWindowPos(const CWnd*, int x, int y, int cx, int cy, UINT flags) {
  assert(m_hWnd);
  m_hWnd->x = x;
  m_hWnd->y = y;
  if (!(flags & SWP_NOSIZE)) m_hWnd->client = {0, 0, cx, cy};
  return TRUE;
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add) {
  assert(m_hWnd);
  DWORD changed = (m_hWnd->style & ~remove) | add;
  if (changed == m_hWnd->style) return FALSE;
  m_hWnd->style = changed;
  return TRUE;
}

void CWnd::SetFocus() {
  assert(m_hWnd);
  memory_backend::SetFocus(m_hWnd);
}

CWnd* CWnd::GetParent() const {
  assert(m_hWnd);
  return FromHandle(m_hWnd->parent);
}

HWND CWnd::GetDlgItem(int id) const {
  assert(m_hWnd);
  for (auto& child : m_hWnd->children)
    if (child->id == id) return child.get();
  return nullptr;
}

void CWnd::GetClientRect(RECT* rect) const {
  assert(m_hWnd);
  *rect = m_hWnd->client;
}

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon) {
  return reinterpret_cast<HICON>(
      SendMessage(WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  assert(m_hWnd);
  return memory_backend::Dispatch(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  assert(m_hWnd);
  memory_backend::RecordPost({m_hWnd, message, wParam, lParam});
  return TRUE;
}

int CWnd::MessageBox(LPCSTR text, LPCSTR caption, UINT type) {
  assert(m_hWnd);
  memory_backend::RecordMessageBox({m_hWnd, text ? text : "", caption ? caption : "Error", type});
  return IDOK;
}
