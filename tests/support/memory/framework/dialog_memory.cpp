#include "framework/dialog.h"
#include "framework/dialog_init.h"
#include "framework/memory_backend.h"
#include "framework/resource_script.h"
#include "framework/window_system.h"

namespace window_system {

HWND CreateModeless(UINT templateId, HWND parent, WindowBinding* bound) {
  MemoryWindow* window = memory_backend::CreateDialogWindow(templateId, parent);
  if (!window) return nullptr;
  window->object = bound;
  LRESULT result = 0;
  bound->deliver(bound, window, WM_INITDIALOG, 0, 0, &result);
  return window;
}

HWND CreateModal(UINT templateId, HWND, WindowBinding* bound) {
  return CreateModeless(templateId, nullptr, bound);  // a top-level window: no owner in memory
}

INT_PTR RunModal(HWND dialog, HWND, const bool& ended, const int& result) {
  const UINT templateId = dialog->templateId;  // the script may destroy the window
  if (!ended) {
    dialog->visible = true;
    auto script = memory_backend::TakeModalScript();
    // the script plays the user: it drives the dialog through its object
    if (script) script(*static_cast<CDialog*>(dialog->object));
  }
  INT_PTR outcome = ended ? result : IDCANCEL;  // left open: the user closed it
  memory_backend::RecordModal(templateId, outcome);
  return outcome;
}

void EndModeless(HWND dialog, int) { dialog->visible = false; }

void DestroyDialog(HWND dialog) { memory_backend::DestroyWindow(dialog); }

}  // namespace window_system

DialogInitData FindDialogInitData(UINT templateId) {
  const ScriptDialog* script = FindScriptDialog(templateId);
  if (!script || script->initData.empty()) return {};
  return {script->initData.data(), script->initData.size()};
}
