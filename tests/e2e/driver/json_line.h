#pragma once
#include <string>

// Builds one JSON object on one line; the harness reads one object per command.
class JsonLine {
public:
    JsonLine& Str(const char* key, const char* value);
    JsonLine& Int(const char* key, long long value);
    JsonLine& Bool(const char* key, bool value);
    JsonLine& Raw(const char* key, const std::string& json);  // value already JSON
    std::string Done() const { return "{" + body_ + "}"; }

private:
    void Key(const char* key);
    std::string body_;
};

// A JSON array whose elements are already JSON.
class JsonArray {
public:
    JsonArray& Add(const std::string& json);
    std::string Done() const { return "[" + body_ + "]"; }

private:
    std::string body_;
};

std::string JsonString(const char* s);
