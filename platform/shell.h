// The shell, COM and process-start calls the program makes.
#pragma once

namespace platform {

inline constexpr int SHELL_PATH_SIZE = 260;

// SHGetSpecialFolderLocation(CSIDL_DESKTOPDIRECTORY) + SHGetPathFromIDListA;
// false when the folder cannot be determined.
bool DesktopDirectory(char out[SHELL_PATH_SIZE]);
// GetModuleFileNameA of the program itself, at most SHELL_PATH_SIZE characters.
void ModuleFileName(char out[SHELL_PATH_SIZE]);
// CoInitialize(NULL) for the calling thread.
void ComInitialize();
// Creates or overwrites the shell link `linkPath` (wide, at most SHELL_PATH_SIZE) that
// points at `target` and shows icon `iconIndex` of `iconFile`. False at the
// first failing step (no COM, bad path, unwritable folder).
bool SaveShellLink(const char* target, const char* iconFile, int iconIndex,
                   const wchar_t* linkPath);
// MultiByteToWideChar(CP_ACP) with the terminator; false when it does not fit.
bool AnsiToWide(const char* text, wchar_t* out, int outChars);
// WinExec: values above 31 mean started, 2, 3 and 11 name a missing or bad file.
unsigned RunCommandLine(const char* commandLine, int showMode);
// ShellExecuteA with no owner window and no working directory; true when it started.
bool ShellOpen(const char* verb, const char* file, const char* parameters, int showMode);

}  // namespace platform
