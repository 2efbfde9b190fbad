#include "cli/command_line/options.h"

#include <cstdlib>
#include <cstring>

const Option OPTIONS[] = {
    {"--json", nullptr, [](CliOptions& o, char*) { o.json = true; }, false, "JSON instead of text"},
    {"--all", nullptr, [](CliOptions& o, char*) { o.all = true; }, false,
     "also the devices that answered after the search's reads"},
    {"--force", nullptr, [](CliOptions& o, char*) { o.force = true; }, false,
     "even an address that another device or this PC already uses"},
    {"--move-drives", nullptr, [](CliOptions& o, char*) { o.moveDrives = true; }, false,
     "move the drive letters of the old address to the new one (Windows)"},
    {"--user", "NAME", [](CliOptions& o, char* v) { o.user = v; }, false,
     "log in as NAME instead of the default user"},
    {"--password", "PASS", [](CliOptions& o, char* v) { o.password = v; }, true, "the password (others can read it)"},
    {"--password-stdin", nullptr, [](CliOptions& o, char*) { o.passwordStdin = true; }, false,
     "read the password from the first line of standard input"},
    {"--interval", "SECONDS", [](CliOptions& o, char* v) { o.interval = WatchIntervalSeconds(v); }, false,
     "seconds between searches"},
    {"--share", nullptr, [](CliOptions& o, char*) { o.share = true; }, false,
     "the share root instead of the web page"},
    {"--public", nullptr, [](CliOptions& o, char*) { o.publicProfile = true; }, false,
     "allow the replies on the Public profile too"},
};
const int OPTION_COUNT = sizeof OPTIONS / sizeof OPTIONS[0];

const Option* FindOption(const char* name) {
  for (const Option& option : OPTIONS)
    if (std::strcmp(option.name, name) == 0) return &option;
  return nullptr;
}

int WatchIntervalSeconds(const char* text) {
  const std::size_t length = std::strlen(text);
  if (length == 0 || length > 6 || std::strspn(text, "0123456789") != length) return 0;
  const int seconds = std::atoi(text);
  return seconds >= WATCH_MIN_INTERVAL_S && seconds <= WATCH_MAX_INTERVAL_S ? seconds : 0;
}
