// The Drive Mapping page's drive-letter box, built from the drive tables.
#pragma once

class CComboBox;

// Fills the box from ConnectionTable: every letter OffersNetworkDrive, connected
// ones with their remote name, and selects the first free one (none when all
// are connected).
void FillDriveCombo(CComboBox& combo);
