// The main dialog's tab control: one page window per tab, the page of the
// selected tab shown and the others hidden, and the tabs drawn by the owner.
#pragma once

#include "framework/controls.h"

class CPageTabCtrl : public CTabCtrl {
 public:
  CPageTabCtrl();
  ~CPageTabCtrl() override = default;

  // Appends a tab for page, a created child window of this control; the first
  // page is shown, every later one hidden.
  void AddPage(CWnd* page, LPCSTR title);

 protected:
  void PreSubclassWindow() override;
  void DrawItem(LPDRAWITEMSTRUCT drawItem) override;
  void OnSelChanging(NMHDR* header, LRESULT* result);
  void OnSelChange(NMHDR* header, LRESULT* result);

  int m_nPrevSel;
  POINT m_ptPageOrigin;

  DECLARE_MESSAGE_MAP()

 private:
  CWnd* PageAt(int item) const;
};
