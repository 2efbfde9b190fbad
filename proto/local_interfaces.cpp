#include "proto/local_interfaces.h"

#include <cstdlib>
#include <ctime>

#include "proto/text_copy.h"

LocalInterfaces LocalInterfaceTable;
platform::SocketHandle SendSockets[MAX_INTERFACES];
platform::SocketHandle ReceiveSockets[MAX_INTERFACES];
std::uint8_t ClientId[CLIENT_ID_SIZE];

void BuildLocalInterfaceTable() {
  platform::Ipv4 addresses[MAX_INTERFACES];
  int found = platform::Sockets().HostAddresses(addresses, MAX_INTERFACES);
  if (found < 0) found = 0;
  if (found > MAX_INTERFACES) found = MAX_INTERFACES;

  LocalInterfaceTable = LocalInterfaces{};
  for (int i = 0; i < found; i++) {
    char text[ADDRESS_TEXT_SIZE];
    platform::InetNtoa(addresses[i], text);
    CopyText(LocalInterfaceTable.address[i], ADDRESS_TEXT_SIZE, text);
    LocalInterfaceTable.count++;
  }
  MakeClientId();
}

void MakeClientId() {
  // Two copies started in the same second share an identifier; the protocol
  // only needs it to differ between PCs' runs most of the time.
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  for (int i = 0; i < 6; i++) ClientId[i] = static_cast<std::uint8_t>(std::rand() & 0xFF);
  for (int i = 6; i < CLIENT_ID_SIZE; i++) ClientId[i] = 0;
}
