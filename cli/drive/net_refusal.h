// How map and unmap say that the system refused a connection change.
#pragma once

#include <string>

// The message "cannot <what> (<the system's reason>)"; returns EXIT_FAILED.
int ReportNetRefusal(const std::string& what, unsigned long code);
