#include "cli/command_line/completion.h"

#include <sstream>
#include <vector>

#include "cli/command_line/command_table.h"

namespace {

std::string Joined(const std::vector<std::string>& words, const char* separator) {
  std::string out;
  for (const std::string& w : words) out += (out.empty() ? "" : separator) + w;
  return out;
}

std::string FirstWords() {
  std::vector<std::string> words;
  for (const Command* c : UsageCommands()) words.push_back(c->name);
  return Joined(words, " ") + " --help --version";
}

std::string OptionWords(const Command& command) {
  std::vector<std::string> words;
  for (const Option* o : ShownOptions(command)) words.push_back(o->name);
  return Joined(words, " ");
}

// The words of the first operand where it is one of a few ("allow remove"); empty otherwise.
std::string FirstOperandWords(const Command& command) { return Joined(OperandWords(command, 0), " "); }

// The options a value follows, hidden ones too.
std::vector<std::string> ValuedOptions() {
  std::vector<std::string> names;
  for (int i = 0; i < OPTION_COUNT; i++)
    if (OPTIONS[i].valueName) names.push_back(OPTIONS[i].name);
  return names;
}

const char HEADER[] =
    "completion for lumaseek-cli: commands, then the options of the command, and\n"
    "# its first operand where that is one of a few words.\n"
    "# Devices are not completed: naming them would take a search (seconds of\n"
    "# network traffic) at every Tab. Made by 'lumaseek-cli completion";

std::string Bash() {
  std::ostringstream s;
  s << "# bash " << HEADER << " bash'.\n\n"
    << "_lumaseek_cli() {\n"
       "  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
       "  local command=${COMP_WORDS[1]} options words given\n"
       "  COMPREPLY=()\n"
       "  if ((COMP_CWORD == 1)); then\n"
    << "    options=\"" << FirstWords() << "\"\n"
    << "  else\n"
       "    case $prev in\n"
    << "      " << Joined(ValuedOptions(), " | ") << ") return ;;  # a value comes next\n"
    << "    esac\n"
       "    case $command in\n";
  for (const Command* c : UsageCommands()) {
    s << "      " << c->name << ") options=\"" << OptionWords(*c) << "\"";
    if (!FirstOperandWords(*c).empty()) s << " words=\"" << FirstOperandWords(*c) << "\"";
    s << " ;;\n";
  }
  s << "      *) return ;;\n"
       "    esac\n"
       "    if [[ $cur == -* ]]; then\n"
       "      options+=\" --help\"\n"
       "    else  # operands: addresses, names, shares, letters; words until one is given\n"
       "      for given in \"${COMP_WORDS[@]:2:COMP_CWORD-2}\"; do [[ \" $words \" == *\" $given \"* ]] && return; done\n"
       "      options=$words\n"
       "    fi\n"
       "  fi\n"
       "  COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
       "}\n"
       "complete -F _lumaseek_cli lumaseek-cli\n";
  return s.str();
}

std::string Zsh() {
  std::ostringstream s;
  s << "#compdef lumaseek-cli\n# zsh " << HEADER << " zsh'.\n\n"
    << "_lumaseek_cli() {\n"
       "  local -a offered choices\n"
       "  local given\n"
       "  if (( CURRENT == 2 )); then\n"
    << "    offered=(" << FirstWords() << ")\n"
    << "  else\n"
       "    case $words[CURRENT-1] in\n"
    << "      " << Joined(ValuedOptions(), "|") << ") return ;;  # a value comes next\n"
    << "    esac\n"
       "    case $words[2] in\n";
  for (const Command* c : UsageCommands()) {
    s << "      " << c->name << ") offered=(" << OptionWords(*c) << ")";
    if (!FirstOperandWords(*c).empty()) s << " choices=(" << FirstOperandWords(*c) << ")";
    s << " ;;\n";
  }
  s << "      *) return ;;\n"
       "    esac\n"
       "    if [[ $PREFIX == -* ]]; then\n"
       "      offered+=(--help)\n"
       "    else  # operands: addresses, names, shares, letters; words until one is given\n"
       "      for given in $words[3,CURRENT-1]; do (( $choices[(Ie)$given] )) && return; done\n"
       "      offered=($choices)\n"
       "    fi\n"
       "  fi\n"
       "  compadd -a offered\n"
       "}\n\n"
       "_lumaseek_cli \"$@\"\n";
  return s.str();
}

// A fish single-quoted string.
std::string FishQuoted(const char* text) {
  std::string out = "'";
  for (const char* p = text; *p; p++) out += (*p == '\'' || *p == '\\') ? std::string("\\") + *p : std::string(1, *p);
  return out + "'";
}

std::string Fish() {
  std::ostringstream s;
  s << "# fish " << HEADER << " fish'.\n\n"
    << "complete -c lumaseek-cli -f\n";
  std::vector<std::string> names;
  for (const Command* c : UsageCommands()) {
    s << "complete -c lumaseek-cli -n __fish_use_subcommand -a " << c->name << " -d " << FishQuoted(c->summary)
      << "\n";
    names.push_back(c->name);
  }
  s << "complete -c lumaseek-cli -n __fish_use_subcommand -l help -d 'the usage of every command'\n"
       "complete -c lumaseek-cli -n __fish_use_subcommand -l version -d 'the version'\n";
  for (const Command* c : UsageCommands()) {
    const std::string words = FirstOperandWords(*c);
    if (!words.empty()) {
      s << "complete -c lumaseek-cli -n '__fish_seen_subcommand_from " << c->name
        << "; and not __fish_seen_subcommand_from " << words << "' -a '" << words << "'\n";
    }
    for (const Option* o : ShownOptions(*c)) {
      s << "complete -c lumaseek-cli -n '__fish_seen_subcommand_from " << c->name << "' -l " << (o->name + 2)
        << (o->valueName ? " -x" : "") << " -d " << FishQuoted(o->help) << "\n";
    }
  }
  s << "complete -c lumaseek-cli -n '__fish_seen_subcommand_from " << Joined(names, " ")
    << "' -l help -d 'this command\\'s usage and options'\n";
  return s.str();
}

}  // namespace

std::string CompletionScript(const std::string& shell) {
  if (shell == "bash") return Bash();
  if (shell == "zsh") return Zsh();
  if (shell == "fish") return Fish();
  return "";
}
