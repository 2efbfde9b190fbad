#include "proto/engine_tally.h"

#include "proto/engine_messages.h"
#include "proto/interface_io.h"

InterfaceTally EngineTally[MAX_INTERFACES];

void NoteStartupStep(int interfaceIndex, StartupStep step, bool succeeded) {
  if (succeeded || interfaceIndex < 0 || interfaceIndex >= MAX_INTERFACES) return;
  NoteFailedStep(EngineTally[interfaceIndex], step);
}

void NoteFailedStep(InterfaceTally& tally, StartupStep step) {
  tally.failedSteps |= 1u << step;
  tally.stepError[step] = platform::Sockets().LastError();
}

void NoteSendStep(int interfaceIndex, SendStep step, bool succeeded) {
  if (interfaceIndex < 0 || interfaceIndex >= MAX_INTERFACES) return;
  InterfaceTally& t = EngineTally[interfaceIndex];
  t.sendAttempts[step]++;
  if (succeeded) return;
  t.sendFailures[step]++;
  t.sendError[step] = platform::Sockets().LastError();
}

ReceivedKind SearchDatagramKind(const std::uint8_t* datagram, int size, int matchCode1,
                                int matchCode2) {
  if (size < 1 || (datagram[0] != OP_SEARCH_REPLY && datagram[0] != OP_SEARCH_REPLY_EXT)) {
    return RECEIVED_OTHER_OPCODE;
  }
  if (SearchReplyWanted(datagram, size, matchCode1, matchCode2)) {
    return SearchReplyFits(datagram, size) ? RECEIVED_OWN_REPLY : RECEIVED_REFUSED_LAYOUT;
  }
  // Too short to name its requester, or own but refused by its match codes.
  if (size < REPLY_HEAD_SIZE || IsOwnReply(datagram, size)) return RECEIVED_REFUSED_LAYOUT;
  return RECEIVED_OTHER_REQUESTER;
}

void TallySearchPoll(int interfaceIndex, const std::uint8_t* datagram, int size, int matchCode1,
                     int matchCode2) {
  if (size == POLL_NOTHING) return;
  const ReceivedKind kind = size == POLL_FAILED
                                ? RECEIVED_FAILED_READ
                                : SearchDatagramKind(datagram, size, matchCode1, matchCode2);
  EngineTally[interfaceIndex].received[kind]++;
}
