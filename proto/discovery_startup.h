// The engine's start at the beginning of a run.
#pragma once

// Starts the socket library (exits the process with status 1 when it cannot),
// fills the interface table and ClientId, and opens the sockets, noting each
// step for diagnostics. Once per run.
void DiscoveryStartup();
