#include "cli/login/secret_text.h"

#include <atomic>
#include <cstring>

#include "proto/text_copy.h"

void SecureClear(void* memory, std::size_t size) {
  volatile unsigned char* p = static_cast<volatile unsigned char*>(memory);
  for (std::size_t i = 0; i < size; i++) p[i] = 0;
  // Nor may the writes move past whatever frees or reuses the memory next.
  std::atomic_signal_fence(std::memory_order_seq_cst);
}

void SecretText::Take(const char* text) {
  CopyText(text_, sizeof text_, text);
  given_ = true;
}

bool SecretText::TooLong() const { return std::strlen(text_) > static_cast<std::size_t>(PASSWORD_MAX_BYTES); }

void SecretText::Clear() {
  SecureClear(text_, sizeof text_);
  given_ = false;
}
