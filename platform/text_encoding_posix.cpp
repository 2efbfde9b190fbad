#include "platform/text_encoding.h"

namespace platform {

std::string AnsiToUtf8(const char* text) { return text; }

}  // namespace platform
