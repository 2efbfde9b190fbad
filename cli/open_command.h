// open: a device's web page, or its share root, as the Search Device page's
// "Configure" and "OK" open them; on Linux through xdg-open.
#pragma once

#include "cli/cli_commands.h"

int RunOpen(const char* device, const CliOptions& options);
