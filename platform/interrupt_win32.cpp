#include <windows.h>

#include "platform/interrupt.h"

namespace platform {
namespace {

constexpr DWORD CLOSE_GRACE_MS = 2000;  // the system allows 5 s

volatile LONG interrupted = 0;

// Runs on a thread of its own that the system starts; the main thread sees
// the flag at its next poll.
BOOL WINAPI OnControl(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
      InterlockedExchange(&interrupted, 1);
      return TRUE;
    case CTRL_CLOSE_EVENT:
      InterlockedExchange(&interrupted, 1);
      // The system ends the process once this returns: the main thread's
      // next poll gets the time to exit with its own status.
      Sleep(CLOSE_GRACE_MS);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void CatchInterrupts() { SetConsoleCtrlHandler(OnControl, TRUE); }

bool Interrupted() { return InterlockedCompareExchange(&interrupted, 0, 0) != 0; }

}  // namespace platform
