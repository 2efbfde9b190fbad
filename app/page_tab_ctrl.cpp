#include "app/page_tab_ctrl.h"

#include "framework/dc.h"

BEGIN_MESSAGE_MAP(CPageTabCtrl, CTabCtrl)
  ON_NOTIFY_REFLECT(TCN_SELCHANGE, OnSelChange)
  ON_NOTIFY_REFLECT(TCN_SELCHANGING, OnSelChanging)
END_MESSAGE_MAP()

CPageTabCtrl::CPageTabCtrl() : m_nPrevSel(0), m_ptPageOrigin{4, 28} {}

void CPageTabCtrl::PreSubclassWindow() {
  CTabCtrl::PreSubclassWindow();
  ModifyStyle(0, TCS_OWNERDRAWFIXED);
}

void CPageTabCtrl::AddPage(CWnd* page, LPCSTR title) {
  int count = GetItemCount();
  InsertItem(count, title, reinterpret_cast<LPARAM>(page));
  if (!page || !page->m_hWnd) return;  // a page whose creation failed has an empty tab
  page->SetWindowPos(nullptr, m_ptPageOrigin.x, m_ptPageOrigin.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  page->ShowWindow(count == 0 ? SW_SHOW : SW_HIDE);
}

CWnd* CPageTabCtrl::PageAt(int item) const {
  TCITEMA tcItem = {};
  tcItem.mask = TCIF_PARAM;
  if (!GetItem(item, &tcItem)) return nullptr;
  CWnd* page = reinterpret_cast<CWnd*>(tcItem.lParam);
  return page && page->m_hWnd ? page : nullptr;
}

void CPageTabCtrl::OnSelChanging(NMHDR*, LRESULT* result) {
  m_nPrevSel = GetCurSel();
  *result = 0;
}

void CPageTabCtrl::OnSelChange(NMHDR*, LRESULT* result) {
  int selected = GetCurSel();
  // hide the old page before showing the new one: never two at once
  if (CWnd* previous = PageAt(m_nPrevSel)) previous->ShowWindow(SW_HIDE);
  if (CWnd* current = PageAt(selected)) current->ShowWindow(SW_SHOW);
  *result = 0;
}

void CPageTabCtrl::DrawItem(LPDRAWITEMSTRUCT drawItem) {
  RECT rect = drawItem->rcItem;
  rect.top += GetSystemMetrics(SM_CYEDGE);
  int item = static_cast<int>(drawItem->itemID);
  if (item < 0) return;

  char text[64];
  TCITEMA tcItem = {};
  tcItem.mask = TCIF_TEXT;
  tcItem.pszText = text;
  tcItem.cchTextMax = 63;  // at most 62 characters come back
  if (!GetItem(item, &tcItem)) return;

  CDC* dc = CDC::FromHandle(drawItem->hDC);
  if (!dc) return;
  int saved = dc->SaveDC();
  dc->SetBkMode(TRANSPARENT);
  dc->FillSolidRect(&rect, GetSysColor(COLOR_BTNFACE));
  // the selected tab looks like the others: the control draws its raised frame
  dc->SetTextColor(GetSysColor(COLOR_BTNTEXT));
  rect.top -= GetSystemMetrics(SM_CYEDGE);
  dc->DrawText(text, &rect, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  dc->RestoreDC(saved);
}
