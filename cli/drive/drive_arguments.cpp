#include "cli/drive/drive_arguments.h"

#include <cstring>

#include "cli/address/address_input.h"
#include "cli/text/messages.h"
#include "cli/text/output.h"
#include "shared/drive_tables.h"

bool TakeDriveLetter(const char* text, char (&localName)[DRIVE_NAME_SIZE]) {
  if (ReadDriveLetter(text, localName)) return true;
  PrintMessage("a drive letter is E or E:, not %s", Printable(text).c_str());
  return false;
}

bool ReadDriveLetter(const char* text, char (&localName)[DRIVE_NAME_SIZE]) {
  char letter = text[0];
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  if (letter < 'A' || letter > 'Z') return false;
  if (text[1] != '\0' && !(text[1] == ':' && text[2] == '\0')) return false;
  localName[0] = letter;
  localName[1] = ':';
  localName[2] = '\0';
  return true;
}

std::string CheckShareName(const char* share) {
  if (!share[0]) return MessageText("the share name is empty");
  if (std::strpbrk(share, "\\/")) return MessageText("a share name has no \\ or /");
  if (std::strlen(share) >= CELL_TEXT_SIZE)
    return MessageText("a share name has at most " + std::to_string(CELL_TEXT_SIZE - 1) + " bytes");
  return "";
}

namespace {

// DEVICE when it is a dotted address, else "ADDRESS", which `Explained` explains.
std::string AddressOf(const char* device) {
  int octets[4];
  return device && ReadOctets(device, octets) ? Printable(device) : "ADDRESS";
}

std::string Explained(const std::string& address, const char* device) {
  if (address != "ADDRESS" || !device) return "";
  return " (ADDRESS: as 'lumaseek-cli search' lists " + Printable(device) + ")";
}

// One word for a POSIX shell: as it is when it holds no character the shell
// reads specially, else in single quotes (a quote inside as '\'').
std::string ShellWord(const std::string& text) {
  if (!text.empty() && text.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_./:@%+=,-") ==
                           std::string::npos)
    return text;
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

std::string MountHint(const char* address, const char* share) {
  const std::string unc = "//" + std::string(address ? address : "ADDRESS") + "/" + share;
  std::string hint = MessageText("map is for Windows; on Linux, mount the share with mount.cifs: mount -t cifs " +
                                 SystemText(ShellWord(unc).c_str()) + " FOLDER -o username=NAME");
  if (!address) hint += " (ADDRESS: the device's, once a search finds it)";
  return hint;
}

std::string RemountHint(const char* command, const char* device) {
  const std::string address = AddressOf(device);
  return MessageText(std::string(command) +
                     " is for Windows; on Linux, 'findmnt -t cifs' lists the mounted shares; to move one to the "
                     "device's new address, unmount it and mount it from there: umount FOLDER, then mount -t cifs //" +
                     address + "/SHARE FOLDER -o username=NAME" + Explained(address, device));
}

std::string StrandedDrivesHint(const std::vector<std::string>& letters, const char* oldAddress,
                               const char* newAddress) {
  if (letters.empty()) return "";
  std::string named;
  for (const std::string& letter : letters) named += (named.empty() ? "" : ", ") + letter;
  return named + (letters.size() == 1 ? " still points at " : " still point at ") + oldAddress + ": move " +
         (letters.size() == 1 ? "it" : "them") + " with: lumaseek-cli remap " + oldAddress + " " + newAddress;
}

std::string UnmountHint() {
  return MessageText("unmap is for Windows; on Linux, unmount the share's folder: umount FOLDER");
}
