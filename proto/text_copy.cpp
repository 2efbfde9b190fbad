#include "proto/text_copy.h"

#include <cstring>

void CopyTextN(char* dst, std::size_t size, const char* src, std::size_t srcLength) {
  if (size == 0) return;
  std::size_t n = 0;
  while (n < srcLength && n + 1 < size && src[n] != '\0') n++;
  std::memcpy(dst, src, n);
  dst[n] = '\0';
}

void CopyText(char* dst, std::size_t size, const char* src) {
  CopyTextN(dst, size, src, size);
}
