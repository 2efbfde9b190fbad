#include <cassert>

#include "framework/app.h"
#include "framework/dialog.h"
#include "framework/dialog_init.h"
#include "framework/memory_backend.h"
#include "framework/resource_script.h"

CDialog::~CDialog() {
  if (m_hWnd) memory_backend::DestroyWindow(m_hWnd);
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
  assert(m_hWnd == nullptr);
  m_templateId = templateId;
  m_pParentWnd = parent;
  MemoryWindow* window = memory_backend::CreateDialogWindow(templateId, parent ? parent->m_hWnd : nullptr);
  if (!window) return FALSE;
  window->object = this;
  m_hWnd = window;
  HandleInitDialog();
  return TRUE;
}

INT_PTR CDialog::DoModal() {
  assert(m_hWnd == nullptr);
  MemoryWindow* window = memory_backend::CreateDialogWindow(m_templateId, nullptr);
  if (!window) return -1;
  window->object = this;
  m_hWnd = window;
  m_modal = true;
  m_ended = false;
  m_modalResult = -1;
  HandleInitDialog();
  if (!m_ended) {
    window->visible = true;
    auto script = memory_backend::TakeModalScript();
    if (script) script(*this);
  }
  INT_PTR result = m_ended ? m_modalResult : IDCANCEL;  // left open: the user closed it
  memory_backend::RecordModal(m_templateId, result);
  if (m_hWnd) memory_backend::DestroyWindow(m_hWnd);
  m_modal = false;
  return result;
}

void CDialog::EndDialog(int result) {
  m_ended = true;
  m_modalResult = result;
  if (!m_modal && m_hWnd) m_hWnd->visible = false;  // a modeless dialog is hidden
}

DialogInitData FindDialogInitData(UINT templateId) {
  const ScriptDialog* script = FindScriptDialog(templateId);
  if (!script || script->initData.empty()) return {};
  return {script->initData.data(), script->initData.size()};
}
