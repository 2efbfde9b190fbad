// CDialog: modal (DoModal) and modeless (Create) dialogs from the program's
// templates, with data exchange between controls and members.
#pragma once

#include <string>

#include "framework/wnd.h"

class CDataExchange {
 public:
  CDataExchange(CWnd* dialog, BOOL saveAndValidate)
      : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

  BOOL m_bSaveAndValidate;  // TRUE: controls to members, FALSE: members to controls
  CWnd* m_pDlgWnd;

  // The control id, remembered for a later DDV check and for Fail.
  HWND PrepareCtrl(int id);
  HWND LastControl() const { return m_hLastControl; }
  // A check failed: the focus goes to the last control, further exchange stops.
  void Fail();
  bool Failed() const { return m_failed; }

 private:
  HWND m_hLastControl = nullptr;
  bool m_failed = false;
};

void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_Text(CDataExchange* dx, int id, std::string& value);
// Loading limits the last control's input to maxChars; saving a longer text
// shows "Please enter no more than %1 characters." and fails the exchange.
void DDV_MaxChars(CDataExchange* dx, const std::string& value, int maxChars);

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);
  ~CDialog() override;

  // Runs the dialog with its own message loop, offering each message to the
  // dialogs it contains; returns the EndDialog result, -1 when it could not
  // be created.
  INT_PTR DoModal();
  // Creates the dialog modeless, as a child or pop-up of parent.
  BOOL Create(UINT templateId, CWnd* parent = nullptr);
  void EndDialog(int result);
  BOOL UpdateData(BOOL saveAndValidate = TRUE);

  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();

  // The framework's start of a dialog: its template's initial data, then OnInitDialog.
  BOOL HandleInitDialog();

 protected:
  virtual void DoDataExchange(CDataExchange*) {}
  // The binding's delivery for dialogs: WM_INITDIALOG starts the dialog, the
  // rest goes as for any window.
  static bool DeliverToDialog(WindowBinding* bound, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                              LRESULT* result);

  UINT m_templateId;
  CWnd* m_pParentWnd;
  bool m_modal = false;
  bool m_ended = false;
  int m_modalResult = -1;

  DECLARE_MESSAGE_MAP()
};
