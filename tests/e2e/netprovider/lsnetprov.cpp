// lsnetprov: a network provider for Wine's mpr.dll, so that WNetAddConnection2A
// can connect a drive letter in an end-to-end test without an SMB server.
//
// Wine's mpr hands connections to the providers listed under
// HKLM\System\CurrentControlSet\Control\NetworkProvider\Order, but answers
// WNetGetConnection from the mount manager alone: a letter reads as connected
// when it is a DRIVE_REMOTE drive whose mount point is "unc/server/share". So
// a connection here is exactly such a drive, defined and removed through the
// mount manager; WNetGetConnectionA and GetDriveTypeA then report it as they
// would a real network drive.
//
// A connection without a letter is only checked (name, credentials), not kept:
// a cancel by remote name always succeeds. A persistent connection
// (CONNECT_UPDATE_PROFILE, which only NPAddConnection3 is told) is recorded as
// Windows records one, under HKCU\Network\<letter> (Wine's mpr records none);
// cancelling the letter removes that record.
//
// Its settings, beside Name and ProviderPath under
// HKLM\System\CurrentControlSet\Services\lsnetprov\NetworkProvider:
//   Password, UserName  when present, a connection needs these credentials
//   OpenFiles           letters ("D:F:") with files open: a cancel that does not
//                       force them is refused
//   LetterRefused       a remote name no letter may connect to, as where Windows
//                       remembers the letter elsewhere (a connection without a
//                       letter still succeeds)
//   LogPath             every call is appended to this file, one tab-separated line
// npapi.h declares NPAddConnection3 with TCHAR texts, which mpr passes wide
#define UNICODE
#include <windows.h>
#include <winioctl.h>
#include <winnetwk.h>
extern "C" {  // the header leaves its linkage to the includer
#include <npapi.h>
}

#include <cstdio>
#include <cstring>
#include <cwchar>

namespace {

constexpr wchar_t kSettingsKey[] = L"System\\CurrentControlSet\\Services\\lsnetprov\\NetworkProvider";
constexpr wchar_t kProfileKey[] = L"Network\\";
constexpr wchar_t kMountManager[] = L"\\\\.\\MountPointManager";
constexpr char kUncPrefix[] = "unc/";

// Wine's own mount manager requests (include/ddk/mountmgr.h).
constexpr DWORD kMountMgrType = 'm';
constexpr DWORD kDefineUnixDrive = CTL_CODE(kMountMgrType, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
constexpr DWORD kQueryUnixDrive = CTL_CODE(kMountMgrType, 33, METHOD_BUFFERED, FILE_READ_ACCESS);

struct UnixDrive {
  ULONG size;
  ULONG type;
  ULONG fsType;
  DWORD serial;
  ULONGLONG unixDev;
  WCHAR letter;
  USHORT mountPointOffset;
  USHORT deviceOffset;
  USHORT labelOffset;
};

constexpr int kTextSize = 512;

// A setting's text; empty when it is not set.
bool ReadSetting(const wchar_t* name, wchar_t (&value)[kTextSize]) {
  DWORD size = sizeof value;
  value[0] = L'\0';
  return RegGetValueW(HKEY_LOCAL_MACHINE, kSettingsKey, name, RRF_RT_REG_SZ, nullptr, value, &size) ==
         ERROR_SUCCESS;
}

void Log(const wchar_t* line) {
  wchar_t path[kTextSize];
  if (!ReadSetting(L"LogPath", path) || !path[0]) return;
  HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  char utf8[4 * kTextSize];
  int n = WideCharToMultiByte(CP_UTF8, 0, line, -1, utf8, sizeof utf8, nullptr, nullptr);
  DWORD written = 0;
  if (n > 1) WriteFile(file, utf8, static_cast<DWORD>(n - 1), &written, nullptr);
  CloseHandle(file);
}

const wchar_t* OrEmpty(const wchar_t* text) { return text ? text : L""; }

// "E:" (any case), the only local names this provider takes.
bool IsDriveName(const wchar_t* name) {
  return name && iswalpha(name[0]) && name[1] == L':' && name[2] == L'\0';
}

// The letter's mount point from the mount manager into mountPoint; false when
// the letter is not defined there.
bool QueryMountPoint(wchar_t letter, char (&mountPoint)[kTextSize]) {
  HANDLE mgr = CreateFileW(kMountManager, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
  if (mgr == INVALID_HANDLE_VALUE) return false;
  union {
    UnixDrive drive;
    char bytes[1024];
  } buffer = {};
  buffer.drive.letter = towlower(letter);
  DWORD returned = 0;
  bool found = DeviceIoControl(mgr, kQueryUnixDrive, &buffer, sizeof buffer.drive, &buffer, sizeof buffer,
                               &returned, nullptr) &&
               buffer.drive.mountPointOffset && buffer.drive.mountPointOffset < returned;
  if (found) {
    std::snprintf(mountPoint, sizeof mountPoint, "%.*s", static_cast<int>(returned - buffer.drive.mountPointOffset),
                  buffer.bytes + buffer.drive.mountPointOffset);
  }
  CloseHandle(mgr);
  return found;
}

// Wine serves \\server\share from $WINEPREFIX/dosdevices/unc/server/share, and
// reports a drive as remote only while that folder exists: make it, as the
// share's content, through Wine's \\?\unix path space.
bool MakeShareFolder(const char* mountPoint) {
  wchar_t prefix[kTextSize];
  DWORD n = GetEnvironmentVariableW(L"WINEPREFIX", prefix, kTextSize);
  if (n == 0 || n >= kTextSize) return false;
  wchar_t relative[kTextSize];
  if (!MultiByteToWideChar(CP_UTF8, 0, mountPoint, -1, relative, kTextSize)) return false;
  wchar_t path[3 * kTextSize];
  int length = std::swprintf(path, sizeof path / sizeof path[0], L"\\\\?\\unix%ls/dosdevices/%ls", prefix, relative);
  if (length < 0) return false;
  for (wchar_t* p = path; *p; ++p)
    if (*p == L'/') *p = L'\\';
  // every folder from the prefix down; those that exist already refuse quietly
  const int prefixEnd = 4 + 5 + static_cast<int>(n);
  for (int i = prefixEnd + 1; i <= length; ++i) {
    if (path[i] != L'\\' && path[i] != L'\0') continue;
    wchar_t kept = path[i];
    path[i] = L'\0';
    CreateDirectoryW(path, nullptr);
    path[i] = kept;
  }
  return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

// Defines the letter as a network drive with mountPoint, or removes it (nullptr).
bool DefineDrive(wchar_t letter, const char* mountPoint) {
  HANDLE mgr = CreateFileW(kMountManager, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
  if (mgr == INVALID_HANDLE_VALUE) return false;
  union {
    UnixDrive drive;
    char bytes[sizeof(UnixDrive) + kTextSize];
  } buffer = {};
  DWORD size = sizeof buffer.drive;
  buffer.drive.letter = towlower(letter);
  buffer.drive.type = DRIVE_NO_ROOT_DIR;
  if (mountPoint) {
    buffer.drive.type = DRIVE_REMOTE;
    buffer.drive.mountPointOffset = sizeof buffer.drive;
    size += std::snprintf(buffer.bytes + sizeof buffer.drive, kTextSize, "%s", mountPoint) + 1;
  }
  buffer.drive.size = size;
  DWORD returned = 0;
  bool done = DeviceIoControl(mgr, kDefineUnixDrive, &buffer, size, nullptr, 0, &returned, nullptr);
  CloseHandle(mgr);
  return done;
}

bool IsUncMountPoint(const char* mountPoint) {
  return std::strncmp(mountPoint, kUncPrefix, sizeof kUncPrefix - 1) == 0;
}

// "\\server\share" to the mount point "unc/server/share"; false for any other name.
bool UncMountPoint(const wchar_t* remote, char (&mountPoint)[kTextSize]) {
  if (!remote || remote[0] != L'\\' || remote[1] != L'\\') return false;
  const wchar_t* share = std::wcschr(remote + 2, L'\\');
  if (!share || share == remote + 2 || !share[1]) return false;
  char path[kTextSize];
  if (!WideCharToMultiByte(CP_UTF8, 0, remote + 2, -1, path, sizeof path, nullptr, nullptr)) return false;
  for (char* p = path; *p; ++p)
    if (*p == '\\') *p = '/';
  std::snprintf(mountPoint, sizeof mountPoint, "%s%s", kUncPrefix, path);
  return true;
}

bool IsDeviceless(const wchar_t* name) { return !name || !name[0]; }

bool HasOpenFiles(const wchar_t* name) {
  wchar_t letters[kTextSize];
  if (!ReadSetting(L"OpenFiles", letters)) return false;
  for (const wchar_t* p = letters; p[0] && p[1]; p += 2)
    if (towupper(p[0]) == towupper(name[0]) && p[1] == L':') return true;
  return false;
}

// HKCU\Network\<letter>: the letter's persistent connection, or none (remote null).
void RecordProfile(wchar_t letter, const wchar_t* remote, const wchar_t* userName) {
  wchar_t key[sizeof kProfileKey / sizeof kProfileKey[0] + 1];
  std::swprintf(key, sizeof key / sizeof key[0], L"%ls%lc", kProfileKey, towupper(letter));
  if (!remote) {
    RegDeleteKeyW(HKEY_CURRENT_USER, key);
    return;
  }
  HKEY profile;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &profile, nullptr) !=
      ERROR_SUCCESS)
    return;
  const wchar_t* values[2][2] = {{L"RemotePath", remote}, {L"UserName", OrEmpty(userName)}};
  for (const auto& value : values) {
    RegSetValueExW(profile, value[0], 0, REG_SZ, reinterpret_cast<const BYTE*>(value[1]),
                   static_cast<DWORD>((std::wcslen(value[1]) + 1) * sizeof(wchar_t)));
  }
  RegCloseKey(profile);
}

DWORD AddConnection(const NETRESOURCEW* resource, const wchar_t* password, const wchar_t* userName) {
  if (!resource || resource->dwType != RESOURCETYPE_DISK) return WN_BAD_DEV_TYPE;
  const bool deviceless = IsDeviceless(resource->lpLocalName);
  if (!deviceless && !IsDriveName(resource->lpLocalName)) return WN_BAD_LOCALNAME;
  char mountPoint[kTextSize];
  if (!UncMountPoint(resource->lpRemoteName, mountPoint)) return WN_BAD_NETNAME;

  wchar_t wanted[kTextSize];
  if (ReadSetting(L"Password", wanted) && std::wcscmp(wanted, OrEmpty(password)) != 0) return WN_BAD_PASSWORD;
  if (ReadSetting(L"UserName", wanted) && std::wcscmp(wanted, OrEmpty(userName)) != 0) return WN_BAD_USER;
  if (deviceless) return WN_SUCCESS;
  if (ReadSetting(L"LetterRefused", wanted) && _wcsicmp(wanted, resource->lpRemoteName) == 0)
    return WN_DEVICE_ALREADY_REMEMBERED;

  char existing[kTextSize];
  if (QueryMountPoint(resource->lpLocalName[0], existing)) return WN_ALREADY_CONNECTED;
  if (!MakeShareFolder(mountPoint)) return WN_NO_NETWORK;
  return DefineDrive(resource->lpLocalName[0], mountPoint) ? WN_SUCCESS : WN_NO_NETWORK;
}

DWORD CancelConnection(const wchar_t* name, BOOL force) {
  char mountPoint[kTextSize];
  if (name && name[0] == L'\\' && UncMountPoint(name, mountPoint)) return WN_SUCCESS;
  if (!IsDriveName(name) || !QueryMountPoint(name[0], mountPoint) || !IsUncMountPoint(mountPoint))
    return WN_NOT_CONNECTED;
  if (!force && HasOpenFiles(name)) return WN_OPEN_FILES;
  if (!DefineDrive(name[0], nullptr)) return WN_NO_NETWORK;
  RecordProfile(name[0], nullptr, nullptr);
  return WN_SUCCESS;
}

}  // namespace

extern "C" {

DWORD APIENTRY NPGetCaps(DWORD index) {
  switch (index) {
    case WNNC_SPEC_VERSION:
      return WNNC_SPEC_VERSION51;
    case WNNC_NET_TYPE:
      return WNNC_NET_SMB;
    case WNNC_CONNECTION:
      return WNNC_CON_ADDCONNECTION3 | WNNC_CON_CANCELCONNECTION | WNNC_CON_GETCONNECTIONS;
    default:
      return 0;
  }
}

DWORD APIENTRY NPAddConnection3(HWND, LPNETRESOURCEW resource, LPWSTR password, LPWSTR userName, DWORD flags) {
  DWORD result = AddConnection(resource, password, userName);
  if (result == WN_SUCCESS && (flags & CONNECT_UPDATE_PROFILE) && !IsDeviceless(resource->lpLocalName))
    RecordProfile(resource->lpLocalName[0], resource->lpRemoteName, userName);
  wchar_t line[4 * kTextSize];
  std::swprintf(line, sizeof line / sizeof line[0], L"add\t%ls\t%ls\t%ls\t%ls\t%lu\r\n",
                resource ? OrEmpty(resource->lpLocalName) : L"", resource ? OrEmpty(resource->lpRemoteName) : L"",
                OrEmpty(userName), OrEmpty(password), result);
  Log(line);
  return result;
}

DWORD APIENTRY NPCancelConnection(LPWSTR name, BOOL force) {
  DWORD result = CancelConnection(name, force);
  wchar_t line[2 * kTextSize];
  std::swprintf(line, sizeof line / sizeof line[0], L"cancel\t%ls\t%d\t%lu\r\n", OrEmpty(name), force ? 1 : 0,
                result);
  Log(line);
  return result;
}

DWORD APIENTRY NPGetConnection(LPWSTR localName, LPWSTR remoteName, LPDWORD bufferLength) {
  char mountPoint[kTextSize];
  if (!IsDriveName(localName) || !QueryMountPoint(localName[0], mountPoint) || !IsUncMountPoint(mountPoint))
    return WN_NOT_CONNECTED;
  wchar_t remote[kTextSize] = L"\\\\";
  if (!MultiByteToWideChar(CP_UTF8, 0, mountPoint + sizeof kUncPrefix - 1, -1, remote + 2, kTextSize - 2))
    return WN_NOT_CONNECTED;
  for (wchar_t* p = remote; *p; ++p)
    if (*p == L'/') *p = L'\\';
  DWORD needed = static_cast<DWORD>(std::wcslen(remote) + 1);
  if (!bufferLength || *bufferLength < needed) {
    if (bufferLength) *bufferLength = needed;
    return WN_MORE_DATA;
  }
  std::wmemcpy(remoteName, remote, needed);
  return WN_SUCCESS;
}

}  // extern "C"
