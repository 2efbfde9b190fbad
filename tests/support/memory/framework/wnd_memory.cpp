#include <cassert>
#include <memory>

#include "framework/memory_backend.h"
#include "framework/resource_script.h"
#include "framework/window_system.h"

namespace {

std::vector<std::unique_ptr<MemoryWindow>> g_topLevel;
MemoryWindow* g_focus = nullptr;

// The window goes: its object hears WM_NCDESTROY, as on Windows.
void Unbind(MemoryWindow* window) {
  if (window == g_focus) g_focus = nullptr;
  LRESULT ignored = 0;
  if (window->object) window->object->deliver(window->object, window, WM_NCDESTROY, 0, 0, &ignored);
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
  window->templateId = templateId;
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
  if (window->object && window->object->deliver(window->object, window, message, wParam, lParam, &result))
    return result;
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

namespace window_system {

WindowBinding* BindingOf(HWND hwnd) { return hwnd->object; }

BOOL Subclass(HWND hwnd, WindowBinding* bound) {
  assert(hwnd && hwnd->object == nullptr);
  hwnd->object = bound;
  return TRUE;
}

void Unbind(HWND hwnd, WindowBinding* bound) {
  if (hwnd->object == bound) hwnd->object = nullptr;
}

void SetText(HWND hwnd, LPCSTR text) {
  assert(hwnd);
  hwnd->text = text ? text : "";
}

void CopyText(HWND hwnd, std::string& text) {
  assert(hwnd);
  text = hwnd->text;
}

BOOL Enable(HWND hwnd, BOOL enable) {
  assert(hwnd);
  BOOL wasDisabled = !hwnd->enabled;
  hwnd->enabled = enable != FALSE;
  return wasDisabled;
}

BOOL Display(HWND hwnd, int showCommand) {
  assert(hwnd);
  BOOL wasVisible = hwnd->visible;
  hwnd->visible = showCommand != SW_HIDE;
  return wasVisible;
}

BOOL IsMinimized(HWND hwnd) {
  assert(hwnd);
  return (hwnd->style & WS_MINIMIZE) != 0;
}

BOOL Place(HWND hwnd, HWND, int x, int y, int cx, int cy, UINT flags) {
  assert(hwnd);
  hwnd->x = x;
  hwnd->y = y;
  if (!(flags & SWP_NOSIZE)) hwnd->client = {0, 0, cx, cy};
  return TRUE;
}

BOOL ChangeStyle(HWND hwnd, DWORD remove, DWORD add) {
  assert(hwnd);
  DWORD changed = (hwnd->style & ~remove) | add;
  if (changed == hwnd->style) return FALSE;
  hwnd->style = changed;
  return TRUE;
}

void Focus(HWND hwnd) {
  assert(hwnd);
  memory_backend::SetFocus(hwnd);
}

HWND ParentOf(HWND hwnd) {
  assert(hwnd);
  return hwnd->parent;
}

HWND ChildOf(HWND hwnd, int id) {
  assert(hwnd);
  for (auto& child : hwnd->children)
    if (child->id == id) return child.get();
  return nullptr;
}

void ClientRect(HWND hwnd, RECT* rect) {
  assert(hwnd);
  *rect = hwnd->client;
}

LRESULT SendMessageTo(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  assert(hwnd);
  return memory_backend::Dispatch(hwnd, message, wParam, lParam);
}

BOOL PostMessageTo(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  assert(hwnd);
  memory_backend::RecordPost({hwnd, message, wParam, lParam});
  return TRUE;
}

int ShowMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  assert(owner);
  memory_backend::RecordMessageBox({owner, text ? text : "", caption ? caption : "Error", type});
  return IDOK;
}

}  // namespace window_system
