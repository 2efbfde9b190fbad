// The in-memory backend reads the program's own resource script, so that the
// dialogs under test have exactly the controls of lumaseek.exe's templates.
#pragma once

#ifndef _WIN32

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

// Parses the statements the program's script uses: DIALOGEX with STYLE,
// CAPTION and CONTROL lines, and type-240 data blocks of numbers and strings.
std::vector<ScriptDialog> ParseResourceScript(const std::string& script);

// The template from res/lumaseek.rc, nullptr when it has none.
const ScriptDialog* FindScriptDialog(UINT id);

#endif
