// The letters drives lists and remap moves: only the old address's own
// letters move, each letter names the device at its address, and the texts
// that come from the system never break the terminal or the JSON.
#include "cli/drive/network_drives.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Rows {
  ConnectionRow rows[DRIVE_LETTER_COUNT] = {};
  Rows& Connect(char letter, const char* server, const char* share) {
    ConnectionRow& row = rows[letter - 'A'];
    std::snprintf(row.driveText, sizeof row.driveText, "%c:", letter);
    std::snprintf(row.serverText, sizeof row.serverText, "%s", server);
    std::snprintf(row.shareText, sizeof row.shareText, "%s", share);
    return *this;
  }
};

DeviceRecord Device(const char* name, const char* ip) {
  DeviceRecord d{};
  std::snprintf(d.name, sizeof d.name, "%s", name);
  std::snprintf(d.ipText, sizeof d.ipText, "%s", ip);
  std::snprintf(d.dhcpFlag, sizeof d.dhcpFlag, "0");
  return d;
}

Rows Connected() {
  return Rows()
      .Connect('D', "10.0.0.5", "Public")
      .Connect('E', "10.0.0.50", "Media")   // the old address is a prefix of its address
      .Connect('F', "10.0.0.5", "Media")
      .Connect('G', "10.0.0.5", "")         // no share: not a connection
      .Connect('H', "nas", "Public");       // a name, never an address
}

std::vector<std::string> Letters(const std::vector<const ConnectionRow*>& rows) {
  std::vector<std::string> letters;
  for (const ConnectionRow* row : rows) letters.push_back(row->driveText);
  return letters;
}

TEST(NetworkDrives, AMoveTakesExactlyTheLettersOfTheOldAddress) {
  const Rows r = Connected();
  const std::vector<std::pair<const char*, std::vector<std::string>>> cases = {
      {"10.0.0.5", {"D:", "F:"}}, {"10.0.0.50", {"E:"}}, {"10.0.0.", {}}, {"nas", {"H:"}}};
  for (const auto& [address, letters] : cases) EXPECT_EQ(letters, Letters(RowsConnectedTo(r.rows, address))) << address;
}

TEST(NetworkDrives, EachLetterNamesTheDeviceAtItsAddressInTheTableAndJson) {
  const Rows r = Connected();
  const DeviceRecord other = Device("other", "10.0.0.50"), named = Device("nas", "10.0.0.7");
  const std::vector<NetworkDrive> drives = NetworkDrives(r.rows, {&named, &other});
  EXPECT_EQ((std::vector<std::string>{
                "D:  \\\\10.0.0.5\\Public  no device answers at 10.0.0.5",
                "E:  \\\\10.0.0.50\\Media  other (10.0.0.50)",
                "F:  \\\\10.0.0.5\\Media   no device answers at 10.0.0.5",
                "H:  \\\\nas\\Public       no device answers at nas",
            }),
            DriveTableLines(drives));
  const std::string json = DrivesJson(drives);
  EXPECT_EQ(0u, json.find("[\n  {\"letter\": \"D:\", \"address\": \"10.0.0.5\", \"share\": \"Public\", "
                          "\"device\": null},\n"))
      << json;
  EXPECT_NE(std::string::npos, json.find("\"letter\": \"E:\", \"address\": \"10.0.0.50\", \"share\": \"Media\", "
                                         "\"device\": {\"name\": \"other\", \"ip\": \"10.0.0.50\""))
      << json;
  EXPECT_EQ("[]", DrivesJson({}));
}

TEST(NetworkDrives, SystemTextsAreShownEscaped) {
  const Rows r = Rows().Connect('K', "10.0.0.5", "a\x01\"b\\");
  const std::vector<NetworkDrive> drives = NetworkDrives(r.rows, {});
  EXPECT_EQ("K:  \\\\10.0.0.5\\a\\x01\"b\\\\  no device answers at 10.0.0.5", DriveTableLines(drives)[0]);
  EXPECT_NE(std::string::npos, DrivesJson(drives).find("\"share\": \"a\\\\x01\\\"b\\\\\\\\\""))
      << DrivesJson(drives);
}

TEST(NetworkDrives, HintsGiveTheCommandsThatCompleteAMove) {
  EXPECT_EQ("\\\\10.0.0.9\\Public", RemoteShareName("10.0.0.9", "Public"));
  const struct {
    const char* share;
    const char* user;
    bool unmapFirst;
    const char* line;
  } cases[] = {
      {"Public", "alice", false, "lumaseek-cli map 10.0.0.9 Public E: --user alice --password-stdin"},
      {"My Files", "PC\\bob", true,
       "lumaseek-cli unmap E: && lumaseek-cli map 10.0.0.9 \"My Files\" E: --user \"PC\\\\bob\" --password-stdin"},
      {"AZ.az", "09", false, "lumaseek-cli map 10.0.0.9 AZ.az E: --user 09 --password-stdin"},  // the edges stay plain
      {"Public", nullptr, false, "lumaseek-cli map 10.0.0.9 Public E: --user NAME --password-stdin"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.line, MapLine("E:", "10.0.0.9", c.share, c.user, c.unmapFirst));
}

}  // namespace
