// Bounded copies into the engine's fixed text fields.
#pragma once

#include <cstddef>

// Copies at most size - 1 bytes of `src` (up to its terminator) into `dst` and
// terminates it; a longer text is cut to the field.
void CopyText(char* dst, std::size_t size, const char* src);
// As CopyText, but reads at most `srcLength` bytes of `src`, which need not be
// terminated (texts taken straight from a datagram).
void CopyTextN(char* dst, std::size_t size, const char* src, std::size_t srcLength);
