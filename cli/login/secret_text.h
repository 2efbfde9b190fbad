// A password held by the command line: a fixed buffer that is wiped when the
// password is no longer needed, with the wipe the optimiser keeps even though
// nothing reads the memory afterwards.
#pragma once

#include <cstddef>

#include "cli/command_line/options.h"

// Overwrites `size` bytes with zeros through volatile writes, which the
// compiler may not drop as dead stores.
void SecureClear(void* memory, std::size_t size);

class SecretText {
 public:
  // One byte more than a password may have, and the terminator: room to see
  // that a line was too long without reading the rest of it.
  static constexpr int BUFFER_SIZE = PASSWORD_MAX_BYTES + 2;

  SecretText() = default;
  ~SecretText() { Clear(); }
  SecretText(const SecretText&) = delete;
  SecretText& operator=(const SecretText&) = delete;

  // Copies `text` (cut to the buffer) and marks the password given.
  void Take(const char* text);
  // The buffer to read a line into; Given() once MarkGiven() is called.
  char* Buffer() { return text_; }
  void MarkGiven() { given_ = true; }

  bool Given() const { return given_; }
  bool TooLong() const;
  const char* Text() const { return text_; }
  void Clear();

 private:
  char text_[BUFFER_SIZE] = {};
  bool given_ = false;
};
