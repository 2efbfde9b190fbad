// The PC's network drive letters as drives lists them and remap moves them:
// the device each names, the letters a move takes, and the lines that say
// what is left to do. Portable: it works on rows the caller has read.
#pragma once

#include <string>
#include <vector>

#include "proto/device_lists.h"
#include "shared/drive_tables.h"

// A connected letter and the listed device at the address its connection names.
struct NetworkDrive {
  const ConnectionRow* row;
  const DeviceRecord* device;  // null: no listed device answers at row->serverText
};

// The connected rows, A to Z, each with the listed device whose address is
// its server's text exactly.
std::vector<NetworkDrive> NetworkDrives(const ConnectionRow (&rows)[DRIVE_LETTER_COUNT],
                                        const std::vector<const DeviceRecord*>& listed);
// The connected rows whose server is `address` exactly, A to Z: the letters a
// move away from that address takes.
std::vector<const ConnectionRow*> RowsConnectedTo(const ConnectionRow (&rows)[DRIVE_LETTER_COUNT],
                                                  const char* address);

// A line per drive: "E:  \\10.0.0.5\Public  nas (10.0.0.5)", or "no device
// answers at 10.0.0.5" in the last column; the remote names in one column.
std::vector<std::string> DriveTableLines(const std::vector<NetworkDrive>& drives);
// [{"letter": "E:", "address": "10.0.0.5", "share": "Public", "device": null
// or the device as search --json lists it}...]; texts in the shown form.
std::string DrivesJson(const std::vector<NetworkDrive>& drives);

// "\\address\share", as the system takes it, and as messages show it (each
// part in the shown form of cli/text/output.h).
std::string RemoteShareName(const char* address, const char* share);
std::string ShownRemoteName(const char* address, const char* share);

// The command line that connects `letter` to `share` at `address` with a
// login of the user's choosing (user null: the connection had none), after
// unmapping the letter when `unmapFirst`.
std::string MapLine(const char* letter, const char* address, const char* share, const char* user, bool unmapFirst);
