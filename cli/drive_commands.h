// map and unmap: the Drive Mapping page's two commands from a console. On
// Linux both say how to mount or unmount the share instead (exit 2).
#pragma once

#include "cli/cli_commands.h"

// Maps \\ADDRESS\SHARE to LETTER (null: the first free letter the page
// offers) as a persistent connection, with the page's attempts; prints the letter.
int RunMap(const char* device, const char* share, const char* letter, const CliOptions& options);
// Disconnects LETTER as the page does.
int RunUnmap(const char* letter);
