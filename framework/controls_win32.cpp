#include <cassert>

#include "framework/controls.h"

LONG CTabCtrl::InsertItem(int item, LPCSTR text, LPARAM data) {
  assert(IsWindow(m_hWnd));
  TCITEMA tcItem = {};
  tcItem.mask = TCIF_TEXT | TCIF_PARAM;
  tcItem.pszText = const_cast<LPSTR>(text);
  tcItem.lParam = data;
  return static_cast<LONG>(::SendMessageA(m_hWnd, TCM_INSERTITEMA, static_cast<WPARAM>(item),
                                          reinterpret_cast<LPARAM>(&tcItem)));
}

BOOL CTabCtrl::GetItem(int item, TCITEMA* tcItem) const {
  assert(IsWindow(m_hWnd));
  return static_cast<BOOL>(::SendMessageA(m_hWnd, TCM_GETITEMA, static_cast<WPARAM>(item),
                                          reinterpret_cast<LPARAM>(tcItem)));
}

int CTabCtrl::GetItemCount() const {
  assert(IsWindow(m_hWnd));
  return static_cast<int>(::SendMessageA(m_hWnd, TCM_GETITEMCOUNT, 0, 0));
}

int CTabCtrl::GetCurSel() const {
  assert(IsWindow(m_hWnd));
  return static_cast<int>(::SendMessageA(m_hWnd, TCM_GETCURSEL, 0, 0));
}

DWORD CListCtrl::SetExtendedStyle(DWORD exStyle) {
  assert(IsWindow(m_hWnd));
  return static_cast<DWORD>(::SendMessageA(m_hWnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(exStyle)));
}

int CListCtrl::InsertColumn(int column, LPCSTR heading, int format, int width, int subItem) {
  assert(IsWindow(m_hWnd));
  LVCOLUMNA lvColumn = {};
  lvColumn.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
  lvColumn.fmt = format;
  lvColumn.cx = width;
  lvColumn.pszText = const_cast<LPSTR>(heading);
  lvColumn.iSubItem = subItem;
  return static_cast<int>(::SendMessageA(m_hWnd, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column),
                                         reinterpret_cast<LPARAM>(&lvColumn)));
}

BOOL CListCtrl::DeleteAllItems() {
  assert(IsWindow(m_hWnd));
  return static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_DELETEALLITEMS, 0, 0));
}

int CListCtrl::InsertItem(int item, LPCSTR text, LPARAM data) {
  assert(IsWindow(m_hWnd));
  LVITEMA lvItem = {};
  lvItem.mask = LVIF_TEXT | LVIF_PARAM;
  lvItem.iItem = item;
  lvItem.pszText = const_cast<LPSTR>(text);
  lvItem.lParam = data;
  return static_cast<int>(::SendMessageA(m_hWnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&lvItem)));
}

BOOL CListCtrl::SetItemText(int item, int subItem, LPCSTR text) {
  assert(IsWindow(m_hWnd));
  LVITEMA lvItem = {};
  lvItem.iSubItem = subItem;
  lvItem.pszText = const_cast<LPSTR>(text);
  return static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_SETITEMTEXTA, static_cast<WPARAM>(item),
                                          reinterpret_cast<LPARAM>(&lvItem)));
}

std::string CListCtrl::GetItemText(int item, int subItem) const {
  assert(IsWindow(m_hWnd));
  // grow until the text fits, as the list view cannot tell its length
  std::string text;
  for (int size = 256;; size *= 2) {
    text.assign(static_cast<size_t>(size), '\0');
    LVITEMA lvItem = {};
    lvItem.iSubItem = subItem;
    lvItem.pszText = &text[0];
    lvItem.cchTextMax = size;
    int length = static_cast<int>(::SendMessageA(m_hWnd, LVM_GETITEMTEXTA, static_cast<WPARAM>(item),
                                                 reinterpret_cast<LPARAM>(&lvItem)));
    if (length < size - 1) {
      text.resize(static_cast<size_t>(length));
      return text;
    }
  }
}

int CListCtrl::GetItemCount() const {
  assert(IsWindow(m_hWnd));
  return static_cast<int>(::SendMessageA(m_hWnd, LVM_GETITEMCOUNT, 0, 0));
}

int CListCtrl::GetTopIndex() const {
  assert(IsWindow(m_hWnd));
  return static_cast<int>(::SendMessageA(m_hWnd, LVM_GETTOPINDEX, 0, 0));
}

UINT CListCtrl::GetItemState(int item, UINT mask) const {
  assert(IsWindow(m_hWnd));
  return static_cast<UINT>(::SendMessageA(m_hWnd, LVM_GETITEMSTATE, static_cast<WPARAM>(item), static_cast<LPARAM>(mask)));
}

BOOL CListCtrl::RedrawItems(int first, int last) {
  assert(IsWindow(m_hWnd));
  return static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_REDRAWITEMS, static_cast<WPARAM>(first), static_cast<LPARAM>(last)));
}

int CComboBox::AddString(LPCSTR text) {
  assert(IsWindow(m_hWnd));
  return static_cast<int>(::SendMessageA(m_hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}

void CComboBox::ResetContent() {
  assert(IsWindow(m_hWnd));
  ::SendMessageA(m_hWnd, CB_RESETCONTENT, 0, 0);
}

int CComboBox::GetCurSel() const {
  assert(IsWindow(m_hWnd));
  return static_cast<int>(::SendMessageA(m_hWnd, CB_GETCURSEL, 0, 0));
}

int CComboBox::SetCurSel(int select) {
  assert(IsWindow(m_hWnd));
  return static_cast<int>(::SendMessageA(m_hWnd, CB_SETCURSEL, static_cast<WPARAM>(select), 0));
}

int CComboBox::GetLBText(int index, std::string& text) const {
  assert(IsWindow(m_hWnd));
  text.clear();
  int length = static_cast<int>(::SendMessageA(m_hWnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0));
  if (length == CB_ERR) return CB_ERR;
  text.assign(static_cast<size_t>(length) + 1, '\0');
  int copied = static_cast<int>(::SendMessageA(m_hWnd, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                               reinterpret_cast<LPARAM>(&text[0])));
  text.resize(static_cast<size_t>(copied == CB_ERR ? 0 : copied));
  return copied;
}

void CIPAddressCtrl::SetAddress(DWORD address) {
  assert(IsWindow(m_hWnd));
  ::SendMessageA(m_hWnd, IPM_SETADDRESS, 0, static_cast<LPARAM>(address));
}

void CIPAddressCtrl::ClearAddress() {
  assert(IsWindow(m_hWnd));
  ::SendMessageA(m_hWnd, IPM_CLEARADDRESS, 0, 0);
}

BOOL CIPAddressCtrl::IsBlank() const {
  assert(IsWindow(m_hWnd));
  return static_cast<BOOL>(::SendMessageA(m_hWnd, IPM_ISBLANK, 0, 0));
}

int CIPAddressCtrl::GetAddress(BYTE& field0, BYTE& field1, BYTE& field2, BYTE& field3) const {
  assert(IsWindow(m_hWnd));
  DWORD address = 0;
  int filled = static_cast<int>(::SendMessageA(m_hWnd, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address)));
  field0 = static_cast<BYTE>(FIRST_IPADDRESS(address));
  field1 = static_cast<BYTE>(SECOND_IPADDRESS(address));
  field2 = static_cast<BYTE>(THIRD_IPADDRESS(address));
  field3 = static_cast<BYTE>(FOURTH_IPADDRESS(address));
  return filled;
}

void CIPAddressCtrl::SetFieldFocus(WORD field) {
  assert(IsWindow(m_hWnd));
  ::SendMessageA(m_hWnd, IPM_SETFOCUS, field, 0);
}

void CEdit::LimitText(int maxChars) {
  assert(IsWindow(m_hWnd));
  ::SendMessageA(m_hWnd, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
}

int CButton::GetCheck() const {
  assert(IsWindow(m_hWnd));
  return static_cast<int>(::SendMessageA(m_hWnd, BM_GETCHECK, 0, 0));
}

void CButton::SetCheck(int check) {
  assert(IsWindow(m_hWnd));
  ::SendMessageA(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(check), 0);
}
