#include <windows.h>

#include "platform/interrupt.h"

namespace platform {
namespace {

volatile LONG interrupted = 0;

// Runs on a thread of its own that the system starts; the main thread sees
// the flag at its next poll.
BOOL WINAPI OnControl(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
      InterlockedExchange(&interrupted, 1);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void CatchInterrupts() { SetConsoleCtrlHandler(OnControl, TRUE); }

bool Interrupted() { return InterlockedCompareExchange(&interrupted, 0, 0) != 0; }

}  // namespace platform
