// Handing a URL to the desktop's default program on Linux (xdg-open); the
// Windows command line opens a device's page as the window program does.
#pragma once

namespace platform {

// Runs "xdg-open url" and waits for it. True when it ended with status 0;
// otherwise why not into `reason` (`size` bytes).
bool OpenWithDesktop(const char* url, char* reason, int size);

}  // namespace platform
