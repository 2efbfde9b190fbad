#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>

#include "framework/dialog.h"
#include "framework/memory_backend.h"

namespace {

std::vector<ShownMessageBox> g_messageBoxes;
std::deque<std::function<void(CDialog&)>> g_modalScripts;
std::vector<memory_ui::ShownModal> g_modals;
std::vector<memory_ui::PostedMessage> g_posted;
std::vector<std::unique_ptr<MemoryDC>> g_dcs;

MemoryWindow* FindDescendant(MemoryWindow* window, int id) {
  for (auto& child : window->children) {
    if (child->id == id) return child.get();
    if (MemoryWindow* found = FindDescendant(child.get(), id)) return found;
  }
  return nullptr;
}

// The control, which must exist: a test naming a missing control is wrong.
MemoryWindow* Require(const CWnd& dialog, int id) {
  MemoryWindow* control = memory_ui::Control(dialog, id);
  if (!control) {
    std::fprintf(stderr, "memory_ui: no control %d\n", id);
    std::abort();
  }
  return control;
}

void SendCommand(MemoryWindow* control, UINT code) {
  memory_backend::Dispatch(control->parent, WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(control->id), code),
                           reinterpret_cast<LPARAM>(control));
}

LRESULT SendNotify(MemoryWindow* control, UINT code) {
  NMHDR header = {control, static_cast<UINT_PTR>(control->id), code};
  return memory_backend::Dispatch(control->parent, WM_NOTIFY, static_cast<WPARAM>(control->id),
                                  reinterpret_cast<LPARAM>(&header));
}

}  // namespace

namespace memory_backend {

void RecordMessageBox(const ShownMessageBox& shown) { g_messageBoxes.push_back(shown); }
void RecordModal(UINT templateId, INT_PTR result) { g_modals.push_back({templateId, result}); }
void RecordPost(const memory_ui::PostedMessage& posted) { g_posted.push_back(posted); }

std::function<void(CDialog&)> TakeModalScript() {
  if (g_modalScripts.empty()) return {};
  auto script = std::move(g_modalScripts.front());
  g_modalScripts.pop_front();
  return script;
}

}  // namespace memory_backend

namespace memory_ui {

void Reset() {
  memory_backend::ResetWindows();
  g_messageBoxes.clear();
  g_modalScripts.clear();
  g_modals.clear();
  g_posted.clear();
  g_dcs.clear();
}

MemoryWindow* Window(const CWnd& wnd) { return wnd.m_hWnd; }

MemoryWindow* Control(const CWnd& dialog, int id) {
  return dialog.m_hWnd ? FindDescendant(dialog.m_hWnd, id) : nullptr;
}

void Click(const CWnd& dialog, int id) {
  MemoryWindow* control = Require(dialog, id);
  if (!control->enabled) return;
  if (control->autoCheck) control->check = control->check ? BST_UNCHECKED : BST_CHECKED;
  SendCommand(control, BN_CLICKED);
}

void ClickList(const CWnd& dialog, int id) { SendNotify(Require(dialog, id), NM_CLICK); }

void ChooseComboItem(const CWnd& dialog, int id, int index) {
  MemoryWindow* combo = Require(dialog, id);
  combo->curSel = index >= 0 && static_cast<size_t>(index) < combo->items.size() ? index : -1;
  SendCommand(combo, CBN_SELCHANGE);
}

void SelectTab(const CWnd& dialog, int tabId, int index) {
  MemoryWindow* tab = Require(dialog, tabId);
  if (index == tab->curSel || index < 0 || static_cast<size_t>(index) >= tab->items.size()) return;
  if (SendNotify(tab, TCN_SELCHANGING)) return;  // the change was refused
  tab->curSel = index;
  SendNotify(tab, TCN_SELCHANGE);
}

void TypeText(const CWnd& dialog, int id, const std::string& text) {
  MemoryWindow* edit = Require(dialog, id);
  edit->text = edit->textLimit > 0 ? text.substr(0, static_cast<size_t>(edit->textLimit)) : text;
}

void SetAddressFields(const CWnd& dialog, int id, int f0, int f1, int f2, int f3) {
  Require(dialog, id)->fields = {f0, f1, f2, f3};
}

void SelectRow(const CWnd& dialog, int listId, int row) {
  MemoryWindow* list = Require(dialog, listId);
  for (size_t i = 0; i < list->rows.size(); ++i) {
    UINT& state = list->rows[i].state;
    state = static_cast<int>(i) == row ? (state | LVIS_SELECTED) : (state & ~LVIS_SELECTED);
  }
}

LRESULT Send(const CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return memory_backend::Dispatch(wnd.m_hWnd, message, wParam, lParam);
}

void Paint(const CWnd& wnd) { Send(wnd, WM_PAINT); }

const std::vector<ShownMessageBox>& MessageBoxes() { return g_messageBoxes; }

void ScriptModal(std::function<void(CDialog& dialog)> script) { g_modalScripts.push_back(std::move(script)); }

const std::vector<ShownModal>& Modals() { return g_modals; }

const std::vector<PostedMessage>& PostedMessages() { return g_posted; }

HDC CreateDC() {
  g_dcs.push_back(std::make_unique<MemoryDC>());
  return g_dcs.back().get();
}

}  // namespace memory_ui
