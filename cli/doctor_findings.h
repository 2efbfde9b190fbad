// doctor's findings: what the survey says about why a device is or is not
// found, in plain words, each with what to do about it.
#pragma once

#include <string>
#include <vector>

#include "cli/doctor_survey.h"

struct Finding {
  const char* code;    // stable key for scripts, e.g. "port_in_use"
  std::string text;    // what is wrong
  std::string advice;  // what to do
};

std::vector<Finding> FindProblems(const Survey& survey);
