// What the engine saw, for diagnostics: how each interface's start-up steps
// went and what its receive socket got during searches. Filled beside the
// engine's work from results it has anyway, so nothing here changes what the
// engine sends, how long it waits or what it decides.
#pragma once

#include <cstdint>

#include "proto/local_interfaces.h"

enum StartupStep {
  STEP_SEND_OPEN,
  STEP_SEND_LOOP,
  STEP_RECEIVE_OPEN,
  STEP_REUSE_ADDRESS,
  STEP_BIND,
  STEP_JOIN_GROUP,
  STEP_RECEIVE_LOOP,
  STARTUP_STEP_COUNT
};

// The two calls of each send out of an interface.
enum SendStep {
  SEND_MULTICAST_INTERFACE,  // steering the group datagram out of the interface
  SEND_DATAGRAM,
  SEND_STEP_COUNT
};

// A datagram that a search read, by what it was.
enum ReceivedKind {
  RECEIVED_OWN_REPLY,        // a search reply to this run
  RECEIVED_OTHER_REQUESTER,  // a search reply to another requester
  RECEIVED_REFUSED_LAYOUT,   // an own search reply refused by its length or match codes
  RECEIVED_OTHER_OPCODE,
  RECEIVED_FAILED_READ,
  RECEIVED_KIND_COUNT
};

struct InterfaceTally {
  std::uint32_t failedSteps;                   // bit n set: StartupStep n failed
  std::int32_t stepError[STARTUP_STEP_COUNT];  // the system's error code of a failed step, 0 if none given
  std::uint32_t received[RECEIVED_KIND_COUNT];  // since start-up, over all searches
  // Since start-up, over all exchanges: how often each send step ran and
  // failed, and the system's error code of its last failure (0 if none given).
  std::uint32_t sendAttempts[SEND_STEP_COUNT];
  std::uint32_t sendFailures[SEND_STEP_COUNT];
  std::int32_t sendError[SEND_STEP_COUNT];
};

extern InterfaceTally EngineTally[MAX_INTERFACES];

// Records a start-up step of interface `interfaceIndex`; asks the socket
// service for its error code when the step failed.
void NoteStartupStep(int interfaceIndex, StartupStep step, bool succeeded);
// Records in `tally` that `step` failed, with the socket service's error code.
void NoteFailedStep(InterfaceTally& tally, StartupStep step);
// Records one run of a send step of interface `interfaceIndex`; asks the
// socket service for its error code when it failed.
void NoteSendStep(int interfaceIndex, SendStep step, bool succeeded);
// What a datagram of `size` bytes (0 or more) read by a search with these match codes is.
ReceivedKind SearchDatagramKind(const std::uint8_t* datagram, int size, int matchCode1,
                                int matchCode2);
// Counts one poll of a search by what it read; a poll that found nothing counts nothing.
void TallySearchPoll(int interfaceIndex, const std::uint8_t* datagram, int size, int matchCode1,
                     int matchCode2);
