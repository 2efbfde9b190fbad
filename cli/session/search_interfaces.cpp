#include "cli/session/search_interfaces.h"

#include <cstdlib>

#include "cli/session/late_replies.h"
#include "proto/exchanges.h"
#include "proto/text_copy.h"

InterfaceTally CommandLineTally[SEARCH_MAX_ADDRESSES];

namespace {

void NoteCommandLineStep(int interfaceIndex, StartupStep step, bool succeeded) {
  if (succeeded || interfaceIndex < 0 || interfaceIndex >= SEARCH_MAX_ADDRESSES) return;
  NoteFailedStep(CommandLineTally[interfaceIndex], step);
}

}  // namespace

void StartCommandLineSearch() {
  if (!platform::Sockets().StartLibrary()) std::exit(1);
  MakeClientId();
  OpenSearchInterfaces(CommandLineInterfaces, NoteCommandLineStep);
}

void SearchCommandLineInterfaces() {
  SearchEveryInterface(CommandLineInterfaces, ClientId, SEARCH_MATCH_CODE1, SEARCH_MATCH_CODE2);
}

int ReadCommandLineLateReplies() {
  return ReadLateRepliesOn(CommandLineInterfaces.receiveSockets, CommandLineInterfaces.count, 0);
}

InterfaceLease::InterfaceLease(const char* deviceIp) {
  DeviceRecord* device = FindDevice(deviceIp);
  if (!device || device->interfaceIndex < 0 || device->interfaceIndex >= CommandLineInterfaces.count) return;
  device_ = device;
  index_ = device->interfaceIndex;
  LocalInterfaceTable = LocalInterfaces{};
  CopyText(LocalInterfaceTable.address[0], ADDRESS_TEXT_SIZE, CommandLineInterfaces.address[index_]);
  LocalInterfaceTable.count = 1;
  SendSockets[0] = CommandLineInterfaces.sendSockets[index_];
  ReceiveSockets[0] = CommandLineInterfaces.receiveSockets[index_];
  device->interfaceIndex = 0;
}

InterfaceLease::~InterfaceLease() {
  if (!device_) return;
  device_->interfaceIndex = index_;
  LocalInterfaceTable = LocalInterfaces{};
  SendSockets[0] = ReceiveSockets[0] = platform::NO_SOCKET;
}
