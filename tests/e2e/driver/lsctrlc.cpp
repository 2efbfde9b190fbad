// lsctrlc PROGRAM [ARGS...]: runs PROGRAM on a console of its own, its output
// to this process's, sends the console Ctrl-C once a line arrives on standard
// input, and exits with PROGRAM's exit status.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// Not SetConsoleCtrlHandler(nullptr, TRUE): PROGRAM would inherit that and
// ignore the Ctrl-C too.
BOOL WINAPI Ignore(DWORD) { return TRUE; }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: lsctrlc PROGRAM [ARGS...]\n", stderr);
    return 2;
  }
  std::string command;
  for (int i = 1; i < argc; i++) command += std::string(i > 1 ? " " : "") + "\"" + argv[i] + "\"";
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE), err = GetStdHandle(STD_ERROR_HANDLE);
  // Wine refuses Ctrl-C on the console it gives a program started from a
  // shell without a terminal; it sends it on one the program made itself.
  FreeConsole();
  AllocConsole();
  SetConsoleCtrlHandler(Ignore, TRUE);

  STARTUPINFOA start{};
  start.cb = sizeof start;
  start.dwFlags = STARTF_USESTDHANDLES;
  start.hStdInput = CreateFileA("NUL", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  start.hStdOutput = out;
  start.hStdError = err;
  SetHandleInformation(start.hStdInput, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
  SetHandleInformation(out, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
  SetHandleInformation(err, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start, &process)) {
    std::fprintf(stderr, "lsctrlc: cannot start %s (error %lu)\n", argv[1], GetLastError());
    return 2;
  }
  char line[16];
  if (std::fgets(line, sizeof line, stdin)) {
    if (!GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0))
      std::fprintf(stderr, "lsctrlc: no Ctrl-C sent (error %lu)\n", GetLastError());
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 0;
  GetExitCodeProcess(process.hProcess, &status);
  return static_cast<int>(status);
}
