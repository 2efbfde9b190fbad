// The shell, COM and process-start calls the program makes.
#pragma once

namespace platform {

inline constexpr int kMaxPath = 260;

// SHGetSpecialFolderLocation(CSIDL_DESKTOPDIRECTORY) + SHGetPathFromIDListA;
// false when the folder cannot be determined.
bool DesktopDirectory(char out[kMaxPath]);
// GetModuleFileNameA of the program itself, at most kMaxPath characters.
void ModuleFileName(char out[kMaxPath]);
// CoInitialize(NULL) for the calling thread.
void ComInitialize();
// Creates or overwrites the shell link `linkPath` (wide, at most kMaxPath) that
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
