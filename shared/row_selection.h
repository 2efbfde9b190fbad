// Which row of a list the commands act on.
#pragma once

class CListCtrl;

// The first selected row from the topmost visible one down, or -1. Rows
// scrolled above the top are not looked at, so a selection there counts as none.
int SelectedRowFromTop(const CListCtrl& list);
