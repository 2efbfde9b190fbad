// What every device command sets up once: the discovery engine, started
// (and checked) at the first search over the command line's sockets (system error codes, an interrupt fence, a
// progress line, a witness of the replies), the search, DEVICE chosen among
// the devices that answered, and the device shown again after a change. Each
// step returns an exit status: EXIT_DONE, EXIT_INTERRUPTED once an interrupt
// ended its wait (said on stderr), or another after saying why.
#pragma once

#include <string>
#include <vector>

#include "cli/session/interrupt_fence.h"
#include "cli/session/progress_sockets.h"
#include "cli/session/reply_witness.h"
#include "cli/session/system_error_sockets.h"
#include "cli/text/exit_status.h"
#include "platform/interrupt.h"
#include "proto/device_lists.h"

// A command's session shows progress at a terminal, never beside JSON, and
// says what an interrupt cut short; watch's shows neither and just ends.
enum SessionKind { SESSION_COMMAND, SESSION_WATCH };

class Session {
 public:
  // Every interface at once, but with `asTheWindow` (doctor's) the window's
  // first eight, one after another, in the engine's own tables, and no
  // start-up check: doctor's own report says what went wrong.
  Session(SessionKind kind, bool json, bool asTheWindow = false);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Runs `exchange` (one of the engine's, returning nothing) under the
  // progress line of `what`.
  template <typename Exchange>
  int Wait(const char* what, Exchange exchange) {
    progress_.Begin(what, show_);
    exchange();
    const bool interrupted = platform::Interrupted();
    progress_.End(interrupted);
    return interrupted ? Interrupted(what) : EXIT_DONE;
  }

  // The search (see the constructor); the first one starts the engine and,
  // but for doctor's, when no reply could arrive through any of its
  // interfaces, says so and sends nothing (startup_check.h).
  int Search();
  // Reads what the search left queued on every interface (see late_replies.h).
  int ReadLate();
  // Every device that answers, as search --all lists them: a device that
  // answered late can be chosen, and no second device of a name goes unseen.
  int SearchAll();
  // SearchAll, then DEVICE (an address or a name) among the devices listed.
  int FindDevice(const char* device, const DeviceRecord*& found);
  // After a change that the device `confirmed` (or not): searches again and
  // shows the changed device wherever it answers, found by who it is, with
  // what went otherwise than asked (change_outcome.h). `asked`: the address
  // set-static asked for; set-dhcp: empty. `foundAt`: the address it answers
  // at, empty when it did not answer.
  int ShowAfterChange(const DeviceRecord& changed, int confirmed, const char* asked, std::string& foundAt);

  const ReplyWitness& Witness() const { return witness_; }

 private:
  int Interrupted(const char* what);

  SystemErrorSockets errors_;
  ProgressSockets progress_;
  InterruptFence fence_;
  ReplyWitness witness_;
  bool show_;
  bool tellInterrupts_;
  bool asTheWindow_;
  bool started_ = false;
  int startStatus_ = EXIT_DONE;  // what the start-up check found
};

// The devices of DeviceList, in its order.
std::vector<const DeviceRecord*> ListedDevices();
