#include "shared/drive_box.h"

#include <string>

#include "framework/controls.h"
#include "shared/drive_tables.h"

void FillDriveCombo(CComboBox& combo) {
  combo.ResetContent();
  int added = 0;
  int firstFree = 0;
  for (int i = 0; i < DRIVE_LETTER_COUNT; ++i) {
    if (!OffersNetworkDrive(i)) continue;
    const ConnectionRow& row = ConnectionTable[i];
    ++added;
    std::string entry = row.driveText;
    if (HasConnection(row)) {
      entry = entry + " \\\\" + row.serverText + "\\" + row.shareText;
    } else if (firstFree == 0) {
      firstFree = added;
    }
    combo.AddString(entry.c_str());
  }
  combo.SetCurSel(firstFree - 1);
}
