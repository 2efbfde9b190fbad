// The shown form of text that may hold any bytes (device names, shares,
// arguments): valid UTF-8 as it is, a backslash doubled, every control
// character (C0, DEL, C1) and every byte that is not part of valid UTF-8 as
// \xNN (two hex digits). The shown form is valid UTF-8, cannot move the
// cursor, and reads back to the same bytes.
#pragma once

#include <cstddef>
#include <string>

// Length of the valid UTF-8 character at p (1 to 4), or 0 when the byte at p
// does not start one (a stray continuation, an overlong form, a surrogate).
std::size_t Utf8CharLength(const char* p);

// The shown form; with a limit, at most `limit` bytes of it, cut between two
// characters or escapes and followed by "...".
std::string EscapeText(const std::string& bytes, std::size_t limit = std::string::npos);

// A path, share or message as the system writes it: the shown form, but a
// backslash as it is (it does not read back, and need not).
std::string EscapeControls(const std::string& bytes);

// The bytes a shown form stands for: \\ and \xNN decoded, any other
// backslash kept as it is.
std::string UnescapeText(const std::string& shown);
