#include "shared/row_selection.h"

#include "framework/controls.h"

int SelectedRowFromTop(const CListCtrl& list) {
  for (int row = list.GetTopIndex(); row < list.GetItemCount(); ++row) {
    if (list.GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) return row;
  }
  return -1;
}
