// The exit statuses of lumaseek-cli, one meaning each for every command.
#pragma once

inline constexpr int EXIT_DONE = 0;
inline constexpr int EXIT_FAILED = 1;  // not found, refused, no answer in time
inline constexpr int EXIT_USAGE = 2;   // bad usage or an invalid address
inline constexpr int EXIT_INTERRUPTED = 130;  // Ctrl-C and its kin
