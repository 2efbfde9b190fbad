// The in-memory backend reads the program's own resource script, so that the
// dialogs under test have exactly the controls of lumaseek.exe's templates.
#pragma once

#ifndef _WIN32

#include <map>
#include <string>
#include <vector>

#include "framework/win_types.h"

struct ScriptControl {
  std::string text;
  int id = 0;
  std::string className;
  std::string style;  // the style expression as written
  int x = 0, y = 0, cx = 0, cy = 0;
};

struct ScriptDialog {
  UINT id = 0;
  std::string style;
  std::string caption;
  int cx = 0, cy = 0;
  std::vector<ScriptControl> controls;
  std::vector<unsigned char> initData;  // its resource of type 240, as bytes
};

// Whether a style expression names flag, e.g. "WS_VISIBLE" (not "NOT WS_VISIBLE").
bool StyleHas(const std::string& style, const char* flag);

// Identifier names and their values, as "#define NAME value" lines give them.
using ResourceNames = std::map<std::string, int>;

// The "#define NAME value" lines of a resource header such as res/resource.h.
ResourceNames ParseResourceHeader(const std::string& header);

// Parses the statements the program's script uses: DIALOGEX with STYLE,
// CAPTION and CONTROL lines, and type-240 data blocks of numbers and strings.
// Identifiers are numbers or names; a name that names lacks aborts, as the
// resource compiler would refuse the script.
std::vector<ScriptDialog> ParseResourceScript(const std::string& script, const ResourceNames& names);

// The template from res/lumaseek.rc, its names from res/resource.h; nullptr
// when it has none.
const ScriptDialog* FindScriptDialog(UINT id);

#endif
