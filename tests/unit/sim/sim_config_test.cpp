#include "sim/sim_config.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

namespace {

std::string ConfigError(const std::string& json) {
  SimConfig config;
  std::string error;
  if (ParseConfigJson(json, config, error) && CheckConfig(config, error)) return "";
  return error;
}

TEST(SimConfig, JsonDeviceWithDefaults) {
  SimConfig config;
  std::string error;
  ASSERT_TRUE(ParseConfigJson(R"({"devices": [{"name": "nas1", "ip": "198.18.0.10",
      "shares": ["public", "media"], "reply": "long", "match2": 2, "drop": ["login", "static"]}],
      "dhcp_pool": ["198.18.0.200"]})", config, error)) << error;
  ASSERT_EQ(1u, config.devices.size());
  const DeviceConfig& d = config.devices[0];
  EXPECT_EQ("nas1", d.name);
  EXPECT_EQ(inet_addr("198.18.0.10"), d.ip);
  EXPECT_EQ(inet_addr("255.255.255.0"), d.netmask);
  EXPECT_EQ("kemsa", d.user);
  EXPECT_EQ("kemsa", d.password);
  EXPECT_TRUE(d.longReply);
  EXPECT_EQ(8, d.match1);
  EXPECT_EQ(2, d.match2);
  EXPECT_EQ((std::vector<std::string>{"public", "media"}), d.shares);
  EXPECT_EQ((1u << static_cast<int>(RequestKind::Login)) | (1u << static_cast<int>(RequestKind::Static)),
            d.faults.dropMask);
  EXPECT_EQ(1u, config.dhcpPool.size());
}

TEST(SimConfig, ErrorsNameTheBadKey) {
  EXPECT_EQ("devices[0].colour: unknown key", ConfigError(R"({"devices": [{"name": "a", "ip": "1.2.3.4", "colour": 1}]})"));
  EXPECT_NE(std::string::npos, ConfigError(R"({"devices": [{"name": "a", "ip": "1.2.3.400"}]})").find("devices[0].ip:"));
  EXPECT_NE(std::string::npos, ConfigError(R"({"devices": [{"ip": "1.2.3.4"}]})").find("devices[0].name"));
  EXPECT_NE(std::string::npos, ConfigError(R"({"devices": [{"name": "a", "ip": "1.2.3.4", "match1": 256}]})").find("match1"));
  EXPECT_NE(std::string::npos, ConfigError(R"({"devices": [{"name": "a", "ip": "1.2.3.4", "drop": ["reboot"]}]})").find("devices[0].drop"));
  EXPECT_NE(std::string::npos, ConfigError(R"({"devices": [{"name": "a", "ip": "1.2.3.4", "identity": "0011"}]})").find("identity"));
  for (const char* hex : {"6E6", "6E00", "6Exx"}) {
    EXPECT_NE(std::string::npos, ConfigError(std::string(R"({"devices": [{"name": "a", "ip": "1.2.3.4", "name_hex": ")") +
                                             hex + R"("}]})").find("devices[0].name_hex")) << hex;
  }
  EXPECT_EQ("speed: unknown key", ConfigError(R"({"devices": [], "speed": 3})"));
  EXPECT_EQ("configuration: not valid JSON", ConfigError("{"));
  EXPECT_EQ("devices: no device configured", ConfigError(R"({"devices": []})"));
  EXPECT_EQ("devices[1].ip: address already taken by devices[0]",
            ConfigError(R"({"devices": [{"name": "a", "ip": "1.2.3.4"}, {"name": "b", "ip": "1.2.3.4"}]})"));
}

TEST(SimConfig, DeviceFlagsUseTheSameKeys) {
  SimConfig config;
  std::string error;
  ASSERT_TRUE(ParseDeviceFlag("name=nas1,ip=198.18.0.10,shares=a:b::c,refuse_login=1,junk=3,drop=all,"
                              "identity=00:11:22:33:44:55,name_hex=6e61835C", config, error)) << error;
  ASSERT_TRUE(ParseDeviceFlag("name=nas2,ip=198.18.0.11,dhcp=yes", config, error)) << error;
  const DeviceConfig& d = config.devices[0];
  EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), d.shares);
  EXPECT_TRUE(d.faults.refuseLogin);
  EXPECT_EQ(3, d.faults.junk);
  EXPECT_EQ(0x1Fu, d.faults.dropMask);
  EXPECT_EQ(0x55, d.identity[5]);
  EXPECT_EQ("nas1", d.name);
  EXPECT_EQ("na\x83\x5C", d.reportedName);
  EXPECT_TRUE(config.devices[1].dhcp);
  // drop as a list, as in the file; a name only in hex, the hex naming it in the log
  ASSERT_TRUE(ParseDeviceFlag("name_hex=6e6173,ip=198.18.0.12,drop=login,shares,junk=1", config, error)) << error;
  EXPECT_EQ(0x6u, config.devices[2].faults.dropMask);
  EXPECT_EQ(1, config.devices[2].faults.junk);
  EXPECT_EQ("nas", config.devices[2].reportedName);
  EXPECT_EQ("6e6173", config.devices[2].name);
  config.devices.pop_back();
  // The index in the message is the device's place among all devices.
  EXPECT_FALSE(ParseDeviceFlag("name=x,ip=1.2.3.4,junk=many", config, error));
  EXPECT_EQ("devices[2].junk: expected a whole number, got 'many'", error);
  EXPECT_FALSE(ParseDeviceFlag("name=x,ip=1.2.3.4,speed=2", config, error));
  EXPECT_EQ("devices[2].speed: unknown key", error);
  EXPECT_FALSE(ParseDeviceFlag("name=x,ip", config, error));
  EXPECT_EQ("devices[2].ip: expected key=value", error);
}

}  // namespace
