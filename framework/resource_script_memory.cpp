#include "framework/resource_script.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string Trim(const std::string& text) {
  size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "";
  size_t last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

// Splits at commas outside string literals; literals keep their quotes.
std::vector<std::string> SplitFields(const std::string& line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    char c = line[i];
    if (c == '"') quoted = !quoted;
    if (c == '\\' && quoted && i + 1 < line.size()) {
      fields.back() += c;
      fields.back() += line[++i];
      continue;
    }
    if (c == ',' && !quoted) {
      fields.emplace_back();
      continue;
    }
    fields.back() += c;
  }
  for (auto& field : fields) field = Trim(field);
  if (fields.back().empty()) fields.pop_back();  // a trailing comma
  return fields;
}

bool IsLiteral(const std::string& field) { return field.size() >= 2 && field.front() == '"'; }

std::string Unquote(const std::string& field) {
  std::string text;
  for (size_t i = 1; i + 1 < field.size(); ++i) {
    char c = field[i];
    if (c == '\\' && i + 2 < field.size()) {
      char escaped = field[++i];
      text += escaped == '0' ? '\0' : escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
    } else if (c == '"' && i + 2 < field.size() && field[i + 1] == '"') {
      text += '"';
      ++i;
    } else {
      text += c;
    }
  }
  return text;
}

int Number(const std::string& field) { return static_cast<int>(std::strtol(field.c_str(), nullptr, 0)); }

std::string AfterKeyword(const std::string& line, const char* keyword) {
  return Trim(line.substr(std::string(keyword).size()));
}

bool StartsWith(const std::string& line, const char* keyword) {
  return line.compare(0, std::string(keyword).size(), keyword) == 0;
}

}  // namespace

bool StyleHas(const std::string& style, const char* flag) {
  std::istringstream words(style);
  std::string word, previous;
  while (words >> word) {
    if (word == flag && previous != "NOT") return true;
    previous = word;
  }
  return false;
}

std::vector<ScriptDialog> ParseResourceScript(const std::string& script) {
  std::vector<ScriptDialog> dialogs;
  std::istringstream lines(script);
  std::string line;
  ScriptDialog* dialog = nullptr;  // the template or data block being read
  bool inInitData = false;
  while (std::getline(lines, line)) {
    line = Trim(line);
    if (line.empty() || StartsWith(line, "//") || StartsWith(line, "#")) continue;
    std::istringstream words(line);
    std::string first, second;
    words >> first >> second;
    if (second == "DIALOGEX") {
      dialogs.emplace_back();
      dialog = &dialogs.back();
      dialog->id = static_cast<UINT>(Number(first));
      auto size = SplitFields(line.substr(line.find("DIALOGEX") + 8));
      if (size.size() == 4) {
        dialog->cx = Number(size[2]);
        dialog->cy = Number(size[3]);
      }
      inInitData = false;
    } else if (second == "240") {
      UINT id = static_cast<UINT>(Number(first));
      dialog = nullptr;
      for (auto& known : dialogs)
        if (known.id == id) dialog = &known;
      if (!dialog) {
        dialogs.emplace_back();
        dialog = &dialogs.back();
        dialog->id = id;
      }
      inInitData = true;
    } else if (!dialog) {
      continue;
    } else if (line == "END") {
      dialog = nullptr;
    } else if (StartsWith(line, "STYLE ")) {
      dialog->style = AfterKeyword(line, "STYLE ");
    } else if (StartsWith(line, "CAPTION ")) {
      dialog->caption = Unquote(AfterKeyword(line, "CAPTION "));
    } else if (StartsWith(line, "CONTROL ")) {
      auto fields = SplitFields(AfterKeyword(line, "CONTROL "));
      if (fields.size() < 8) continue;
      ScriptControl control;
      control.text = IsLiteral(fields[0]) ? Unquote(fields[0]) : "";
      control.id = Number(fields[1]);
      control.className = Unquote(fields[2]);
      control.style = fields[3];
      control.x = Number(fields[4]);
      control.y = Number(fields[5]);
      control.cx = Number(fields[6]);
      control.cy = Number(fields[7]);
      dialog->controls.push_back(control);
    } else if (inInitData && line != "BEGIN") {
      // numbers are 16-bit words, strings their bytes, as the resource compiler writes them
      for (const auto& field : SplitFields(line)) {
        if (IsLiteral(field)) {
          std::string text = Unquote(field);
          dialog->initData.insert(dialog->initData.end(), text.begin(), text.end());
        } else {
          unsigned word = static_cast<unsigned>(Number(field)) & 0xffff;
          dialog->initData.push_back(static_cast<unsigned char>(word & 0xff));
          dialog->initData.push_back(static_cast<unsigned char>(word >> 8));
        }
      }
    }
  }
  return dialogs;
}

const ScriptDialog* FindScriptDialog(UINT id) {
  static const std::vector<ScriptDialog> dialogs = [] {
    std::ifstream file(LUMASEEK_RESOURCE_SCRIPT);
    std::stringstream text;
    text << file.rdbuf();
    return ParseResourceScript(text.str());
  }();
  for (const auto& dialog : dialogs)
    if (dialog.id == id) return &dialog;
  return nullptr;
}
