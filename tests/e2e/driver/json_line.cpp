#include "tests/e2e/driver/json_line.h"

#include <cstdio>

std::string JsonString(const char* s) {
    std::string out = "\"";
    for (const unsigned char* p = (const unsigned char*)s; *p; ++p) {
        switch (*p) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (*p < 0x20 || *p >= 0x7f) {
                // the program's texts are single-byte; keep them byte-exact
                char esc[8];
                snprintf(esc, sizeof(esc), "\\u%04x", *p);
                out += esc;
            } else {
                out += (char)*p;
            }
        }
    }
    return out + "\"";
}

void JsonLine::Key(const char* key) {
    if (!body_.empty()) body_ += ",";
    body_ += JsonString(key) + ":";
}

JsonLine& JsonLine::Str(const char* key, const char* value) {
    Key(key);
    body_ += JsonString(value);
    return *this;
}

JsonLine& JsonLine::Int(const char* key, long long value) {
    Key(key);
    body_ += std::to_string(value);
    return *this;
}

JsonLine& JsonLine::Bool(const char* key, bool value) {
    Key(key);
    body_ += value ? "true" : "false";
    return *this;
}

JsonLine& JsonLine::Raw(const char* key, const std::string& json) {
    Key(key);
    body_ += json;
    return *this;
}

JsonArray& JsonArray::Add(const std::string& json) {
    if (!body_.empty()) body_ += ",";
    body_ += json;
    return *this;
}
