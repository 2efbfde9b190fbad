// A password held by the command line: a fixed buffer that is wiped when the
// password is no longer needed, with the wipe the optimiser keeps even though
// nothing reads the memory afterwards.
#pragma once

#include <cstddef>

#include "proto/exchanges.h"

// The longest password a device takes, in bytes (a character outside ASCII
// takes 2 to 4 of them in UTF-8).
inline constexpr int PASSWORD_MAX_BYTES = LOGIN_TEXT_SIZE - 1;
// The longest user name a device takes, in bytes.
inline constexpr int USER_NAME_MAX_BYTES = LOGIN_TEXT_SIZE - 1;

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
