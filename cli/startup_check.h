// Whether a search can hear any device at all, said before anything is sent:
// with no interface to search on, or with port 13579 bound on none, every
// command would only report silence and blame the network.
#pragma once

#include <string>
#include <vector>

#include "cli/doctor_survey.h"

// Why no reply can arrive through these interfaces, or empty when one can.
std::string StartupProblem(const std::vector<InterfaceSurvey>& interfaces);

// After the engine's start-up: says the problem on stderr and returns
// EXIT_FAILED, or returns EXIT_DONE when there is none.
int SayStartupProblem();
