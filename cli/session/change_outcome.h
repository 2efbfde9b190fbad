// What became of a device after set-dhcp or set-static, judged from the
// search that follows the change. The device is found by who it is (its name
// and identity bytes 0 to 5, as watch knows it), wherever it answers: a device
// that confirmed from another address than it took, or moved without a
// confirmation, is still shown where it is.
#pragma once

#include <string>
#include <vector>

#include "cli/session/reply_witness.h"
#include "proto/device_lists.h"

struct ChangeAsked {
  // As the engine's record held it after the exchange: at the address it
  // confirmed from, or, unconfirmed, at the address it had.
  DeviceRecord device;
  bool confirmed;
  std::string asked;  // set-static: the address asked for; set-dhcp: empty
};

struct ChangeOutcome {
  // The device where it answers, then every other device answering there.
  std::vector<DeviceRecord> shown;
  std::vector<std::string> notes;  // what went otherwise than asked, a line each
  int status;  // EXIT_DONE only when it confirmed and answers where it confirmed
};

// `answered`: every device the search after the change heard, each address
// and identity once.
ChangeOutcome JudgeChange(const ChangeAsked& change, const std::vector<DeviceRecord>& answered);

// Every device whose search replies the witness kept, each address and
// identity once over all interfaces, interface by interface.
std::vector<DeviceRecord> AnsweredDevices(const ReplyWitness& witness);
