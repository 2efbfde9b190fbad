// The console as the command-line client uses it: whether a stream is a
// terminal, reading a password without echo, and writing its UTF-8 text.
#pragma once

#include <cstddef>
#include <cstdio>

namespace platform {

// Opens each of standard input, output and error that is closed on the null
// device, so that no file or socket the program opens later takes its place
// (and output meant for it reaches a socket). Call first of all.
void OpenClosedStandardStreams();

// A terminal: a tty (POSIX) or a console handle (Windows); the NUL device,
// a pipe or a file is none.
bool StdinIsTerminal();
bool StderrIsTerminal();

// Reads one line with echo off at a terminal into `out` (the line end
// dropped, the text cut to size - 1 characters; on Windows in the ANSI code
// page, as the command line's arguments are); from a pipe or file the last
// line needs no line end. False, with nothing taken, at end of input: the
// input's end or an interrupt before any text, or a line that holds Ctrl-D or
// Ctrl-Z (Ctrl-Z then Enter is how Windows ends input), which never become
// part of a password.
bool ReadLineHidden(char* out, int size);
// The rule of both sides for a line as read: drops its line end; false, the
// line emptied, when none was read or it holds Ctrl-D or Ctrl-Z.
bool FinishTypedLine(char* line, bool lineRead);

// Writes UTF-8 text to stdout or stderr: to a Windows console as UTF-16,
// whatever its code page; to anything else as the UTF-8 bytes themselves.
void WriteText(std::FILE* stream, const char* text, std::size_t size);
// printf into WriteText.
#if defined(__GNUC__)
__attribute__((format(gnu_printf, 2, 3)))
#endif
void Print(std::FILE* stream, const char* format, ...);

}  // namespace platform
