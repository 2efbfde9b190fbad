// doctor's findings: what the survey says about why a device is or is not
// found, in plain words, each with what to do about it.
#pragma once

#include <string>
#include <vector>

#include "cli/doctor/finding_text.h"

std::vector<Finding> FindProblems(const Survey& survey);
