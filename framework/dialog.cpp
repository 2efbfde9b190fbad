#include "framework/dialog.h"

#include <cassert>
#include <cstdio>
#include <cstring>

#include "framework/app.h"
#include "framework/borrowed.h"
#include "framework/controls.h"
#include "framework/dialog_init.h"

HWND CDataExchange::PrepareCtrl(int id) {
  m_hLastControl = m_pDlgWnd->GetDlgItem(id);
  return m_hLastControl;
}

void CDataExchange::Fail() {
  if (m_hLastControl) Borrowed<CWnd>(m_hLastControl).SetFocus();
  m_failed = true;
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  if (control.m_hWnd) return;  // bound at the first exchange
  HWND hwnd = dx->PrepareCtrl(id);
  if (hwnd) control.SubclassWindow(hwnd);
}

void DDX_Text(CDataExchange* dx, int id, std::string& value) {
  if (dx->Failed()) return;
  HWND hwnd = dx->PrepareCtrl(id);
  if (!hwnd) return;
  Borrowed<CWnd> edit(hwnd);
  if (dx->m_bSaveAndValidate)
    edit.GetWindowText(value);
  else
    edit.SetWindowText(value.c_str());
}

void DDV_MaxChars(CDataExchange* dx, const std::string& value, int maxChars) {
  if (dx->Failed()) return;
  if (!dx->m_bSaveAndValidate) {
    if (dx->LastControl()) Borrowed<CEdit>(dx->LastControl()).LimitText(maxChars);
    return;
  }
  if (value.size() <= static_cast<std::size_t>(maxChars)) return;
  // the framework's message, with its placeholder %1
  static const char TOO_LONG_TEXT[] = "Please enter no more than %1 characters.";
  const char* placeholder = std::strstr(TOO_LONG_TEXT, "%1");
  char text[128];
  std::snprintf(text, sizeof(text), "%.*s%d%s", static_cast<int>(placeholder - TOO_LONG_TEXT), TOO_LONG_TEXT,
                maxChars, placeholder + 2);
  dx->m_pDlgWnd->MessageBox(text, AfxGetAppName(), MB_OK | MB_ICONEXCLAMATION);
  dx->Fail();
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_COMMAND(IDOK, OnOK)
  ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_pParentWnd(parent) {
  deliver = &CDialog::DeliverToDialog;
}

CDialog::~CDialog() {
  if (m_hWnd) window_system::DestroyDialog(m_hWnd);
}

bool CDialog::DeliverToDialog(WindowBinding* bound, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                              LRESULT* result) {
  if (message != WM_INITDIALOG) return DeliverToWnd(bound, hwnd, message, wParam, lParam, result);
  CDialog* dialog = static_cast<CDialog*>(bound);
  dialog->m_hWnd = hwnd;
  *result = dialog->HandleInitDialog();
  return true;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
  assert(m_hWnd == nullptr);
  m_templateId = templateId;
  m_pParentWnd = parent;
  return window_system::CreateModeless(templateId, parent ? parent->m_hWnd : nullptr, this) != nullptr;
}

INT_PTR CDialog::DoModal() {
  assert(m_hWnd == nullptr);
  CWnd* owner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
  HWND ownerHwnd = owner && owner != this ? owner->m_hWnd : nullptr;
  m_modal = true;
  m_ended = false;
  m_modalResult = -1;
  HWND hwnd = window_system::CreateModal(m_templateId, ownerHwnd, this);
  if (!hwnd) {
    m_modal = false;
    return -1;
  }
  m_modalResult = static_cast<int>(window_system::RunModal(hwnd, ownerHwnd, m_ended, m_modalResult));
  if (m_hWnd) window_system::DestroyDialog(m_hWnd);
  m_modal = false;
  return m_modalResult;
}

void CDialog::EndDialog(int result) {
  m_ended = true;
  m_modalResult = result;
  if (!m_modal && m_hWnd) window_system::EndModeless(m_hWnd, result);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  DoDataExchange(&dx);
  return dx.Failed() ? FALSE : TRUE;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::HandleInitDialog() {
  ForEachDialogInitString(FindDialogInitData(m_templateId), [this](int id, const std::string& text) {
    HWND combo = GetDlgItem(id);
    if (combo) Borrowed<CComboBox>(combo).AddString(text.c_str());
  });
  return OnInitDialog();
}

void ForEachDialogInitString(DialogInitData data,
                             const std::function<void(int, const std::string&)>& addString) {
  constexpr unsigned DIALOG_INIT_ADD_STRING = 0x0403;  // the 16-bit CB_ADDSTRING
  const unsigned char* p = data.bytes;
  std::size_t left = data.size;
  auto word = [](const unsigned char* at) { return static_cast<unsigned>(at[0] | (at[1] << 8)); };
  while (left >= 2) {
    unsigned id = word(p);
    if (id == 0 || left < 8) return;
    unsigned message = word(p + 2);
    std::size_t length = word(p + 4) | (static_cast<std::size_t>(word(p + 6)) << 16);
    p += 8;
    left -= 8;
    if (length > left) return;
    if (message == DIALOG_INIT_ADD_STRING) {
      const char* text = reinterpret_cast<const char*>(p);
      addString(static_cast<int>(id), std::string(text, strnlen(text, length)));
    }
    p += length;
    left -= length;
  }
}
