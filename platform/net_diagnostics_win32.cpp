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

namespace platform {

namespace {

Ipv4 MaskOfPrefix(unsigned bits) {
  if (bits == 0 || bits > 32) return 0;
  return htonl(bits == 32 ? 0xFFFFFFFFu : ~(0xFFFFFFFFu >> bits));
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

void SocketErrorText(int code, char* out, int size) {
  // Wide, then UTF-8: the ANSI code page's bytes are not what the CLI writes.
  wchar_t text[256];
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                static_cast<DWORD>(code), 0, text, sizeof text / sizeof text[0], nullptr);
  // The system's texts end with a line break and often a full stop.
  while (length > 0 && std::wcschr(L"\r\n .\x3002", text[length - 1])) length--;
  const int bytes =
      length ? WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), out, size - 1, nullptr, nullptr) : 0;
  if (bytes == 0) {
    std::snprintf(out, static_cast<std::size_t>(size), "error %d", code);
    return;
  }
  out[bytes] = '\0';
}

// A holder that does not share the port makes Windows refuse with "access denied".
bool IsPortHeld(int code) { return code == WSAEADDRINUSE || code == WSAEACCES; }

}  // namespace platform
