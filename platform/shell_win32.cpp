#include "platform/shell.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace platform {

bool DesktopDirectory(char out[SHELL_PATH_SIZE]) {
  out[0] = '\0';
  LPITEMIDLIST items = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOPDIRECTORY, &items))) return false;
  BOOL ok = SHGetPathFromIDListA(items, out);
  CoTaskMemFree(items);
  return ok != FALSE;
}

void ModuleFileName(char out[SHELL_PATH_SIZE]) {
  DWORD n = GetModuleFileNameA(nullptr, out, SHELL_PATH_SIZE);
  out[n < SHELL_PATH_SIZE ? n : SHELL_PATH_SIZE - 1] = '\0';  // a cut path is not terminated on XP
}

void ComInitialize() { CoInitialize(nullptr); }

bool SaveShellLink(const char* target, const char* iconFile, int iconIndex,
                   const wchar_t* linkPath) {
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link))))
    return false;
  bool saved = false;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->SetPath(target)) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    link->SetIconLocation(iconFile, iconIndex);  // a missing icon still leaves a usable link
    saved = SUCCEEDED(file->Save(linkPath, TRUE));
    file->Release();
  }
  link->Release();
  return saved;
}

bool AnsiToWide(const char* text, wchar_t* out, int outChars) {
  return MultiByteToWideChar(CP_ACP, 0, text, -1, out, outChars) != 0;
}

}  // namespace platform
