// The Search Device page's share command: the share root of the picked row.
#pragma once

class CListCtrl;

// Opens "\\<address>" in Explorer for the selected row from the topmost
// visible one on, or for row 0 when none is selected; nothing when the list
// has no row from the top on.
void OpenShareRoot(const CListCtrl& deviceList);
