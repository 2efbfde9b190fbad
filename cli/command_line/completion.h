// Shell completion made from the command table: the commands, then the
// options of the command given, and its first operand where the table lists
// its few words ("allow|remove"). Devices are not completed: naming them would
// take a search (seconds of network traffic) at every Tab.
#pragma once

#include <string>

// The completion script for `shell` ("bash", "zsh" or "fish"); empty for
// another shell.
std::string CompletionScript(const std::string& shell);
