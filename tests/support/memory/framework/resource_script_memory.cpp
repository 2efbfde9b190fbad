#include "framework/resource_script.h"

#include <cctype>
#include <cstdio>
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

// A number, or a name from names.
int Identifier(const std::string& field, const ResourceNames& names) {
  if (field.empty() || !(std::isalpha(static_cast<unsigned char>(field[0])) || field[0] == '_'))
    return Number(field);
  auto known = names.find(field);
  if (known == names.end()) {
    std::fprintf(stderr, "resource script: unknown identifier %s\n", field.c_str());
    std::abort();
  }
  return known->second;
}

std::string ReadFile(const char* path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

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

ResourceNames ParseResourceHeader(const std::string& header) {
  ResourceNames names;
  std::istringstream lines(header);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string directive, name, value;
    if (!(words >> directive >> name >> value) || directive != "#define") continue;
    if (value.size() > 2 && value.front() == '(' && value.back() == ')') value = value.substr(1, value.size() - 2);
    names[name] = Number(value);
  }
  return names;
}

std::vector<ScriptDialog> ParseResourceScript(const std::string& script, const ResourceNames& names) {
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
      dialog->id = static_cast<UINT>(Identifier(first, names));
      auto size = SplitFields(line.substr(line.find("DIALOGEX") + 8));
      if (size.size() == 4) {
        dialog->cx = Number(size[2]);
        dialog->cy = Number(size[3]);
      }
      inInitData = false;
    } else if (second == "240") {
      UINT id = static_cast<UINT>(Identifier(first, names));
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
      control.id = Identifier(fields[1], names);
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
          unsigned word = static_cast<unsigned>(Identifier(field, names)) & 0xffff;
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
    ResourceNames names = ParseResourceHeader(ReadFile(LUMASEEK_RESOURCE_HEADER));
    names["IDOK"] = IDOK;  // what windows.h gives the script
    names["IDCANCEL"] = IDCANCEL;
    return ParseResourceScript(ReadFile(LUMASEEK_RESOURCE_SCRIPT), names);
  }();
  for (const auto& dialog : dialogs)
    if (dialog.id == id) return &dialog;
  return nullptr;
}
