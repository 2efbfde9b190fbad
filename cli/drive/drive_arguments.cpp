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

std::string MountHint(const char* device, const char* share) {
  if (!share)
    return MessageText("unmap is for Windows; on Linux, unmount the share's folder: umount FOLDER");
  int octets[4];
  const std::string address = ReadOctets(device, octets) ? Printable(device) : "ADDRESS";
  std::string hint = MessageText("map is for Windows; on Linux, mount the share with mount.cifs: mount -t cifs //" +
                                 address + "/" + Printable(share) + " FOLDER -o username=NAME");
  if (address == "ADDRESS") hint += " (ADDRESS: as 'lumaseek-cli search' lists " + Printable(device) + ")";
  return hint;
}
