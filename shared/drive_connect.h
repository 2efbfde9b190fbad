// Connecting a drive letter to a share and disconnecting it, as the Drive
// Mapping page does: persistent connections, the attempts the Windows version
// calls for. The page and the command line both run these.
#pragma once

#include "proto/exchanges.h"
#include "shared/drive_tables.h"

// "\\" + address + "\" + share name and the terminator.
inline constexpr int REMOTE_SHARE_NAME_SIZE = 2 + ADDRESS_TEXT_SIZE + 1 + CELL_TEXT_SIZE;

// Called where the Windows version wants a share login: the page shows its
// Login dialog, which fills the texts it passed as userName and password.
using AskShareLogin = void (*)();

// Cancels the letter's earlier connection, whatever it was, then connects
// localName ("E:") to remoteName with userName and password, read at each
// attempt, so after `ask` too: on NT asks first, then up to six attempts;
// elsewhere six attempts, then on Vista and later one more in which the system
// asks, otherwise one more after asking. Returns the system's answer to the
// last attempt, platform::NET_OK when connected.
unsigned long ConnectShare(const char* localName, const char* remoteName, const char* userName,
                           const char* password, AskShareLogin ask);

// The page's first attempts alone, cancelling nothing: up to six, stopping at
// the first that succeeds, with `flags` (platform::NET_CONNECT_*). localName
// null: a connection without a letter. A null password is the system's own
// for userName (its saved one, or the logged-on user's). The system's answer
// to the last attempt.
unsigned long ConnectSilently(const char* localName, const char* remoteName, const char* userName,
                              const char* password, unsigned long flags);

// Cancels the letter's connection, forcing it closed; the system's answer.
unsigned long DisconnectDrive(const char* localName);
