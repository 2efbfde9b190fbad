// How the drive commands say that the system refused a connection change.
#pragma once

#include <string>

// The system's reason for the refusal `code`, in the shown form.
std::string NetRefusalReason(unsigned long code);
// The message "cannot <what> (<the system's reason>)"; returns EXIT_FAILED.
int ReportNetRefusal(const std::string& what, unsigned long code);
