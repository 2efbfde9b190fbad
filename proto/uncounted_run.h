// Times a run of consecutive uncounted polls (failed reads, datagrams of other
// opcodes). Each such poll is followed at once by the next, so an endless
// stream of them would hold a wait for as long as the stream lasts; a run that
// outlasts one counted poll's slot is taken as a counted poll instead. A
// normal drain of what queued during a pause takes microseconds a datagram and
// never comes near the slot, so it leaves every schedule as it is.
#pragma once

class UncountedRun {
 public:
  // `slotMs`: one counted poll's wait plus the pause that follows it.
  explicit UncountedRun(unsigned slotMs);
  // A counted poll ended: the next run starts now.
  void Restart();
  // True when the run has lasted longer than the slot.
  bool Outlasted();

 private:
  long long slotMicroseconds_;
  long long startMicroseconds_;
};
