// The known word a mistyped one was likely meant to be, as git suggests
// "did you mean" for a command it does not know.
#pragma once

#include <string>
#include <vector>

// The candidate within a typing slip or two of `typed` (one edit for every
// three characters, at most two), the nearest first; empty when none is.
std::string NearMiss(const std::string& typed, const std::vector<std::string>& candidates);
