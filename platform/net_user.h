// The user name a network connection was made with, for the command line on
// Windows (its own file, so the window program's imports stay as they are).
#pragma once

namespace platform {

// WNetGetUserA: the user name of the connection `localName` ("E:") into
// userName; *length is the buffer's size in, and the size needed when the
// buffer is too small.
unsigned long NetGetUser(const char* localName, char* userName, unsigned long* length);

}  // namespace platform
