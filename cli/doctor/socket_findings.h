// doctor's findings about the sockets themselves: start-up steps that failed,
// a port held, refused or shared by another program, requests that did not go out.
#pragma once

#include <vector>

#include "cli/doctor/finding_text.h"

void StartupFindings(const Survey& survey, std::vector<Finding>& out);
void SendFindings(const Survey& survey, std::vector<Finding>& out);
// Other programs on the port while this program's bind succeeded.
void PortSharerFindings(const Survey& survey, std::vector<Finding>& out);
