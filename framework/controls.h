// Control wrappers: each holds only its window and offers the few operations
// the pages use. On Windows each method is one message to the control.
#pragma once

#include <string>

#include "framework/wnd.h"

class CTabCtrl : public CWnd {
 public:
  // Appends or inserts a tab with a title and item data.
  LONG InsertItem(int item, LPCSTR text, LPARAM data);
  BOOL GetItem(int item, TCITEMA* tcItem) const;
  int GetItemCount() const;
  int GetCurSel() const;

  // Draws one tab of an owner-drawn tab control; WM_DRAWITEM reflected back.
  virtual void DrawItem(LPDRAWITEMSTRUCT) {}
  bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

class CListCtrl : public CWnd {
 public:
  DWORD SetExtendedStyle(DWORD exStyle);
  int InsertColumn(int column, LPCSTR heading, int format, int width, int subItem);
  BOOL DeleteAllItems();
  // Inserts a row with a text and item data (LVIF_TEXT | LVIF_PARAM).
  int InsertItem(int item, LPCSTR text, LPARAM data);
  BOOL SetItemText(int item, int subItem, LPCSTR text);
  std::string GetItemText(int item, int subItem) const;
  int GetItemCount() const;
  int GetTopIndex() const;
  UINT GetItemState(int item, UINT mask) const;
  BOOL RedrawItems(int first, int last);
};

class CComboBox : public CWnd {
 public:
  int AddString(LPCSTR text);
  void ResetContent();
  int GetCurSel() const;
  int SetCurSel(int select);
  // Text of item index; CB_ERR (and an empty text) for no such item.
  int GetLBText(int index, std::string& text) const;
};

class CIPAddressCtrl : public CWnd {
 public:
  // address holds the first octet in its most significant byte.
  void SetAddress(DWORD address);
  void ClearAddress();
  BOOL IsBlank() const;
  // The four octets, a blank field as 0; returns how many fields are not blank.
  int GetAddress(BYTE& field0, BYTE& field1, BYTE& field2, BYTE& field3) const;
  // Puts the keyboard focus into field 0 to 3 (IPM_SETFOCUS).
  void SetFieldFocus(WORD field);
};

class CEdit : public CWnd {
 public:
  void LimitText(int maxChars);
};

class CButton : public CWnd {
 public:
  int GetCheck() const;
  void SetCheck(int check);
};

class CStatic : public CWnd {};
