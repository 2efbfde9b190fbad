// GetAdaptersAddresses' prefix length came with Vista; an older system's
// shorter records are told apart by their Length field.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#include <winsock2.h>
#include <ws2tcpip.h>
#include <iphlpapi.h>

#include <cstdio>
#include <cwchar>
#include <vector>

#include "platform/net_diagnostics.h"
#include "platform/system_text.h"

namespace platform {

namespace {

Ipv4 MaskOfPrefix(unsigned bits) {
  if (bits == 0 || bits > 32) return 0;
  return htonl(bits == 32 ? 0xFFFFFFFFu : ~(0xFFFFFFFFu >> bits));
}

// The file name of process `pid`'s program, in UTF-8; empty when the system
// does not give it (another user's process without the right to ask).
void ProgramName(DWORD pid, char* out, int size) {
  out[0] = '\0';
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!process) return;
  wchar_t path[MAX_PATH];
  DWORD length = MAX_PATH;
  if (QueryFullProcessImageNameW(process, 0, path, &length)) {
    const wchar_t* name = std::wcsrchr(path, L'\\');
    // A name longer than `size` bytes fails to convert and stays empty.
    if (!WideCharToMultiByte(CP_UTF8, 0, name ? name + 1 : path, -1, out, size, nullptr, nullptr)) out[0] = '\0';
  }
  CloseHandle(process);
}

}  // namespace

int ListSystemInterfaces(SystemInterface* out, int max) {
  const ULONG flags = GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST | GAA_FLAG_SKIP_DNS_SERVER;
  ULONG size = 16 * 1024;
  std::vector<unsigned char> buffer;
  ULONG result = ERROR_BUFFER_OVERFLOW;
  for (int attempt = 0; attempt < 3 && result == ERROR_BUFFER_OVERFLOW; attempt++) {
    buffer.resize(size);
    result = GetAdaptersAddresses(AF_INET, flags, nullptr,
                                  reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()), &size);
  }
  if (result != NO_ERROR) return 0;
  int n = 0;
  for (const IP_ADAPTER_ADDRESSES* a = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data());
       a && n < max; a = a->Next) {
    for (const IP_ADAPTER_UNICAST_ADDRESS* u = a->FirstUnicastAddress; u && n < max; u = u->Next) {
      const sockaddr* sa = u->Address.lpSockaddr;
      if (!sa || sa->sa_family != AF_INET) continue;
      SystemInterface& s = out[n++];
      s.address = reinterpret_cast<const sockaddr_in*>(sa)->sin_addr.s_addr;
      s.netmask = u->Length >= sizeof(IP_ADAPTER_UNICAST_ADDRESS_LH) ? MaskOfPrefix(u->OnLinkPrefixLength) : 0;
      s.name[0] = '\0';
      if (a->FriendlyName) {
        WideCharToMultiByte(CP_UTF8, 0, a->FriendlyName, -1, s.name, sizeof s.name, nullptr, nullptr);
        s.name[sizeof s.name - 1] = '\0';
      }
      s.up = a->OperStatus == IfOperStatusUp;
    }
  }
  return n;
}

int LastSocketError() { return WSAGetLastError(); }

void SocketErrorText(int code, char* out, int size) { SystemErrorText(static_cast<unsigned long>(code), out, size); }

bool IsPortHeld(int code) { return code == WSAEADDRINUSE; }

// Also what a holder that does not share the port causes; the port's sockets tell the two apart.
bool IsBindDenied(int code) { return code == WSAEACCES; }

// Windows fails the read with WSAEMSGSIZE and drops the datagram's rest.
bool LongDatagramFailsRead() { return true; }

int ListPortSharers(std::uint16_t port, PortSharer* out, int max) {
  std::vector<unsigned char> buffer;
  DWORD size = 16 * 1024;
  DWORD result = ERROR_INSUFFICIENT_BUFFER;
  for (int attempt = 0; attempt < 3 && result == ERROR_INSUFFICIENT_BUFFER; attempt++) {
    buffer.resize(size);
    result = GetExtendedUdpTable(buffer.data(), &size, FALSE, AF_INET, UDP_TABLE_OWNER_PID, 0);
  }
  if (result != NO_ERROR) return 0;
  const MIB_UDPTABLE_OWNER_PID* table = reinterpret_cast<const MIB_UDPTABLE_OWNER_PID*>(buffer.data());
  const DWORD self = GetCurrentProcessId();
  int n = 0;
  for (DWORD r = 0; r < table->dwNumEntries && n < max; r++) {
    const MIB_UDPROW_OWNER_PID& row = table->table[r];
    if (ntohs(static_cast<u_short>(row.dwLocalPort)) != port || row.dwOwningPid == self) continue;
    bool known = false;
    for (int k = 0; k < n; k++) known = known || out[k].pid == row.dwOwningPid;
    if (known) continue;
    out[n].pid = row.dwOwningPid;
    ProgramName(row.dwOwningPid, out[n].program, sizeof out[n].program);
    n++;
  }
  return n;
}

}  // namespace platform
