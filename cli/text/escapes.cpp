#include "cli/text/escapes.h"

#include <cstdio>

namespace {

bool Continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// C0, DEL and C1: a terminal may act on any of them.
bool IsControl(const unsigned char* p, std::size_t length) {
  if (length == 1) return *p < 0x20 || *p == 0x7F;
  return length == 2 && p[0] == 0xC2 && p[1] < 0xA0;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::size_t Utf8CharLength(const char* text) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  if (p[0] < 0x80) return 1;
  // The second byte's range excludes overlong forms, surrogates and code points past U+10FFFF.
  unsigned char low = 0x80, high = 0xBF;
  std::size_t length;
  if (p[0] >= 0xC2 && p[0] <= 0xDF) {
    length = 2;
  } else if (p[0] >= 0xE0 && p[0] <= 0xEF) {
    length = 3;
    if (p[0] == 0xE0) low = 0xA0;
    if (p[0] == 0xED) high = 0x9F;
  } else if (p[0] >= 0xF0 && p[0] <= 0xF4) {
    length = 4;
    if (p[0] == 0xF0) low = 0x90;
    if (p[0] == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (p[1] < low || p[1] > high) return 0;
  for (std::size_t i = 2; i < length; i++)
    if (!Continuation(p[i])) return 0;
  return length;
}

namespace {

std::string Escape(const std::string& bytes, std::size_t limit, bool doubleBackslash) {
  std::string out;
  const char* p = bytes.c_str();
  const char* const end = p + bytes.size();
  while (p < end) {
    std::size_t length = Utf8CharLength(p);
    std::string unit;
    if (*p == '\\' && doubleBackslash) {
      unit = "\\\\";
    } else if (length == 0 || IsControl(reinterpret_cast<const unsigned char*>(p), length)) {
      if (length == 0) length = 1;
      for (std::size_t i = 0; i < length; i++) {
        char escaped[5];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(p[i]));
        unit += escaped;
      }
    } else {
      unit.assign(p, length);
    }
    if (out.size() + unit.size() > limit) return out + "...";
    out += unit;
    p += length;
  }
  return out;
}

}  // namespace

std::string EscapeText(const std::string& bytes, std::size_t limit) { return Escape(bytes, limit, true); }

std::string EscapeControls(const std::string& bytes) { return Escape(bytes, std::string::npos, false); }

std::string UnescapeText(const std::string& shown) {
  std::string out;
  for (std::size_t i = 0; i < shown.size(); i++) {
    if (shown[i] == '\\' && i + 1 < shown.size() && shown[i + 1] == '\\') {
      out += '\\';
      i++;
    } else if (shown[i] == '\\' && i + 3 < shown.size() && shown[i + 1] == 'x' && HexValue(shown[i + 2]) >= 0 &&
               HexValue(shown[i + 3]) >= 0) {
      out += static_cast<char>(HexValue(shown[i + 2]) * 16 + HexValue(shown[i + 3]));
      i += 3;
    } else {
      out += shown[i];
    }
  }
  return out;
}
