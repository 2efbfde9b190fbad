// The program's messages on stderr: one line each, after the program's name,
// as lumaseek-cli: <message>. Errors, warnings and notes alike.
#pragma once

#include <string>
#include <vector>

// Writes the program's name, a colon, a space and the printf-formatted message
// with its line end.
#if defined(__GNUC__)
__attribute__((format(gnu_printf, 1, 2)))
#endif
void PrintMessage(const char* format, ...);

// The message as PrintMessage writes it, without its line end, for a check
// that hands its refusal to the caller.
std::string MessageText(const std::string& message);

// A usage error: the message and where the usage is; returns EXIT_USAGE.
int UsageError(const std::string& problem);

// "a, b, c and 97 more", or with `separator` between the names: a message
// names the first few of its subjects and counts the rest.
std::string FirstFew(const std::vector<std::string>& names, const char* separator = ", ");
