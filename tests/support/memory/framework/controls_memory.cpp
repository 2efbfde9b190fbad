#include <cassert>
#include <strings.h>

#include <algorithm>
#include <cstring>

#include "framework/controls.h"
#include "framework/memory_backend.h"
#include "framework/memory_ui.h"

LONG CTabCtrl::InsertItem(int item, LPCSTR text, LPARAM data) {
  assert(m_hWnd && item >= 0);
  auto& items = m_hWnd->items;
  size_t at = static_cast<size_t>(item) < items.size() ? static_cast<size_t>(item) : items.size();
  items.insert(items.begin() + static_cast<long>(at), text ? text : "");
  m_hWnd->itemData.insert(m_hWnd->itemData.begin() + static_cast<long>(at), data);
  if (m_hWnd->curSel < 0) m_hWnd->curSel = 0;  // the first tab is selected
  return static_cast<LONG>(at);
}

BOOL CTabCtrl::GetItem(int item, TCITEMA* tcItem) const {
  assert(m_hWnd);
  if (item < 0 || static_cast<size_t>(item) >= m_hWnd->items.size()) return FALSE;
  if (tcItem->mask & TCIF_PARAM) tcItem->lParam = m_hWnd->itemData[static_cast<size_t>(item)];
  if ((tcItem->mask & TCIF_TEXT) && tcItem->pszText && tcItem->cchTextMax > 0) {
    // as the control: at most cchTextMax - 1 characters and the terminator
    const std::string& text = m_hWnd->items[static_cast<size_t>(item)];
    size_t length = std::min(text.size(), static_cast<size_t>(tcItem->cchTextMax - 1));
    std::memcpy(tcItem->pszText, text.data(), length);
    tcItem->pszText[length] = '\0';
  }
  return TRUE;
}

int CTabCtrl::GetItemCount() const {
  assert(m_hWnd);
  return static_cast<int>(m_hWnd->items.size());
}

int CTabCtrl::GetCurSel() const {
  assert(m_hWnd);
  return m_hWnd->curSel;
}

DWORD CListCtrl::SetExtendedStyle(DWORD exStyle) {
  assert(m_hWnd);
  DWORD previous = m_hWnd->extendedStyle;
  m_hWnd->extendedStyle = exStyle;
  return previous;
}

int CListCtrl::InsertColumn(int column, LPCSTR heading, int format, int width, int subItem) {
  assert(m_hWnd && column >= 0);
  auto& columns = m_hWnd->columns;
  size_t at = std::min(static_cast<size_t>(column), columns.size());
  columns.insert(columns.begin() + static_cast<long>(at), {heading ? heading : "", format, width, subItem});
  return static_cast<int>(at);
}

BOOL CListCtrl::DeleteAllItems() {
  assert(m_hWnd);
  m_hWnd->rows.clear();
  m_hWnd->topIndex = 0;
  return TRUE;
}

int CListCtrl::InsertItem(int item, LPCSTR text, LPARAM data) {
  assert(m_hWnd);
  if (item < 0) return -1;
  auto& rows = m_hWnd->rows;
  size_t at = std::min(static_cast<size_t>(item), rows.size());
  MemoryListRow row;
  row.cells.push_back(text ? text : "");
  row.data = data;
  rows.insert(rows.begin() + static_cast<long>(at), row);
  return static_cast<int>(at);
}

BOOL CListCtrl::SetItemText(int item, int subItem, LPCSTR text) {
  assert(m_hWnd);
  if (item < 0 || static_cast<size_t>(item) >= m_hWnd->rows.size() || subItem < 0) return FALSE;
  auto& cells = m_hWnd->rows[static_cast<size_t>(item)].cells;
  if (cells.size() <= static_cast<size_t>(subItem)) cells.resize(static_cast<size_t>(subItem) + 1);
  cells[static_cast<size_t>(subItem)] = text ? text : "";
  return TRUE;
}

std::string CListCtrl::GetItemText(int item, int subItem) const {
  assert(m_hWnd);
  if (item < 0 || static_cast<size_t>(item) >= m_hWnd->rows.size() || subItem < 0) return "";
  const auto& cells = m_hWnd->rows[static_cast<size_t>(item)].cells;
  return static_cast<size_t>(subItem) < cells.size() ? cells[static_cast<size_t>(subItem)] : "";
}

int CListCtrl::GetItemCount() const {
  assert(m_hWnd);
  return static_cast<int>(m_hWnd->rows.size());
}

int CListCtrl::GetTopIndex() const {
  assert(m_hWnd);
  return m_hWnd->topIndex;
}

UINT CListCtrl::GetItemState(int item, UINT mask) const {
  assert(m_hWnd);
  if (item < 0 || static_cast<size_t>(item) >= m_hWnd->rows.size()) return 0;
  return m_hWnd->rows[static_cast<size_t>(item)].state & mask;
}

BOOL CListCtrl::RedrawItems(int, int) {
  assert(m_hWnd);
  ++m_hWnd->redraws;
  return TRUE;
}

int CComboBox::AddString(LPCSTR text) {
  assert(m_hWnd);
  auto& items = m_hWnd->items;
  std::string added = text ? text : "";
  size_t at = items.size();
  if (m_hWnd->style & CBS_SORT) {
    // the combo box sorts ignoring letter case
    at = 0;
    while (at < items.size() && strcasecmp(items[at].c_str(), added.c_str()) <= 0) ++at;
  }
  items.insert(items.begin() + static_cast<long>(at), added);
  if (m_hWnd->curSel >= static_cast<int>(at)) ++m_hWnd->curSel;
  return static_cast<int>(at);
}

void CComboBox::ResetContent() {
  assert(m_hWnd);
  m_hWnd->items.clear();
  m_hWnd->curSel = -1;
}

int CComboBox::GetCurSel() const {
  assert(m_hWnd);
  return m_hWnd->curSel;
}

int CComboBox::SetCurSel(int select) {
  assert(m_hWnd);
  if (select < 0 || static_cast<size_t>(select) >= m_hWnd->items.size()) {
    m_hWnd->curSel = -1;
    return CB_ERR;
  }
  m_hWnd->curSel = select;
  return select;
}

int CComboBox::GetLBText(int index, std::string& text) const {
  assert(m_hWnd);
  text.clear();
  if (index < 0 || static_cast<size_t>(index) >= m_hWnd->items.size()) return CB_ERR;
  text = m_hWnd->items[static_cast<size_t>(index)];
  return static_cast<int>(text.size());
}

void CIPAddressCtrl::SetAddress(DWORD address) {
  assert(m_hWnd);
  for (int i = 0; i < 4; ++i) m_hWnd->fields[static_cast<size_t>(i)] = static_cast<int>((address >> (24 - 8 * i)) & 0xff);
}

void CIPAddressCtrl::ClearAddress() {
  assert(m_hWnd);
  m_hWnd->fields = {-1, -1, -1, -1};
}

BOOL CIPAddressCtrl::IsBlank() const {
  assert(m_hWnd);
  for (int field : m_hWnd->fields)
    if (field >= 0) return FALSE;
  return TRUE;
}

int CIPAddressCtrl::GetAddress(BYTE& field0, BYTE& field1, BYTE& field2, BYTE& field3) const {
  assert(m_hWnd);
  BYTE* out[4] = {&field0, &field1, &field2, &field3};
  int filled = 0;
  for (size_t i = 0; i < 4; ++i) {
    int field = m_hWnd->fields[i];
    *out[i] = static_cast<BYTE>(field < 0 ? 0 : field);
    if (field >= 0) ++filled;
  }
  return filled;
}

void CIPAddressCtrl::SetFieldFocus(WORD field) {
  assert(m_hWnd);
  m_hWnd->focusedField = field;
  memory_backend::SetFocus(m_hWnd);
}

void CEdit::LimitText(int maxChars) {
  assert(m_hWnd);
  m_hWnd->textLimit = maxChars;
}

int CButton::GetCheck() const {
  assert(m_hWnd);
  return m_hWnd->check;
}

void CButton::SetCheck(int check) {
  assert(m_hWnd);
  m_hWnd->check = check;
}
