// Any bytes through the shown form of names and arguments. The shown form
// reads back to the same bytes, is valid UTF-8 (checked by a plain decoder:
// no overlong form, surrogate or code point past U+10FFFF) and holds no
// control character (C0, DEL, C1). Cut at a limit, it is a whole-character
// prefix of the full form within the limit, followed by "...", and no
// shorter than the limit less one character's shown form (at most 8 bytes).
//
// Input: the first byte is the limit, the rest the bytes.
#include <cstdint>
#include <string>

#include "cli/text/escapes.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

// Code points of valid UTF-8; false for anything else.
bool Decode(const std::string& s, std::u32string& out) {
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    const std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > s.size()) return false;
    char32_t cp = n == 1 ? c : c & (0xFF >> (n + 1));
    for (std::size_t k = 1; k < n; k++) {
      const unsigned char t = static_cast<unsigned char>(s[i + k]);
      if ((t >> 6) != 2) return false;
      cp = cp << 6 | (t & 0x3F);
    }
    const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < least[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    out.push_back(cp);
    i += n;
  }
  return true;
}

void CheckShown(const std::string& shown) {
  std::u32string points;
  FUZZ_CHECK(Decode(shown, points));
  for (char32_t cp : points) FUZZ_CHECK(cp >= 0x20 && cp != 0x7F && (cp < 0x80 || cp > 0x9F));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0 || size > 4096) return -1;
  const std::size_t limit = data[0];
  const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);

  const std::string shown = EscapeText(bytes);
  CheckShown(shown);
  FUZZ_CHECK(UnescapeText(shown) == bytes);

  const std::string cut = EscapeText(bytes, limit);
  if (shown.size() <= limit) {
    FUZZ_CHECK(cut == shown);
    return 0;
  }
  FUZZ_CHECK(cut.size() >= 3 && cut.compare(cut.size() - 3, 3, "...") == 0);
  const std::string head = cut.substr(0, cut.size() - 3);
  CheckShown(head);
  FUZZ_CHECK(head.size() <= limit && head.size() + 8 > limit);
  FUZZ_CHECK(shown.compare(0, head.size(), head) == 0);
  // A whole-character prefix: what it stands for is a prefix of the bytes and is shown as it.
  const std::string read = UnescapeText(head);
  FUZZ_CHECK(bytes.compare(0, read.size(), read) == 0);
  FUZZ_CHECK(EscapeText(read) == head);
  return 0;
}
