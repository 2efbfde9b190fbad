#include "search/web_commands.h"

#include <string>

#include "framework/controls.h"
#include "shared/open_commands.h"
#include "shared/row_selection.h"

void OpenShareRoot(const CListCtrl& deviceList) {
  if (deviceList.GetTopIndex() >= deviceList.GetItemCount()) return;
  int row = SelectedRowFromTop(deviceList);
  std::string address = deviceList.GetItemText(row < 0 ? 0 : row, 1);
  OpenShareFolder(address.c_str());
}
