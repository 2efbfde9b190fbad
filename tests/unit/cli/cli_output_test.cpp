#include "cli/text/output.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "cli/text/exit_status.h"

namespace {

DeviceRecord Record(const char* name, const char* ip, const char* dhcp) {
  DeviceRecord d{};
  std::snprintf(d.name, sizeof d.name, "%s", name);
  std::snprintf(d.ipText, sizeof d.ipText, "%s", ip);
  std::snprintf(d.netmaskText, sizeof d.netmaskText, "255.255.255.0");
  std::snprintf(d.gatewayText, sizeof d.gatewayText, "10.0.0.1");
  std::snprintf(d.dhcpFlag, sizeof d.dhcpFlag, "%s", dhcp);
  d.interfaceIndex = 0;
  return d;
}

template <typename Print>
std::string Captured(Print print) {
  char* text = nullptr;
  std::size_t size = 0;
  std::FILE* out = open_memstream(&text, &size);
  print(out);
  std::fclose(out);
  std::string s(text, size);
  std::free(text);
  return s;
}

TEST(CliOutput, NamesFromTheNetworkCannotBreakJsonOrTheTerminal) {
  EXPECT_EQ(R"("a\"b\\c")", JsonString("a\"b\\c"));
  EXPECT_EQ(R"("\u001b[2J\u000a\\xE9")", JsonString("\x1b[2J\n\xe9"));
  EXPECT_EQ("\\x1B[2J\\x0Ax\\xFF", Printable("\x1b[2J\nx\xff"));
  // A device's name in JSON holds its shown form: UTF-8 as is, the rest as in the table.
  DeviceRecord d = Record("caf\xC3\xA9 \\ caf\xE9", "10.0.0.2", "0");
  EXPECT_EQ(0u, DeviceJson(d).find("{\"name\": \"caf\xC3\xA9 \\\\\\\\ caf\\\\xE9\", ")) << DeviceJson(d);
  EXPECT_EQ("caf\xC3\xA9 \\\\ caf\\xE9", Printable(d.name));
}

TEST(CliOutput, TableColumnsLineUpWhateverTheNameLength) {
  DeviceRecord a = Record("a", "10.0.0.2", "1"), b = Record("long-device-name", "10.0.0.100", "0"),
               c = Record("caf\xC3\xA9", "10.0.0.3", "0");
  const std::string table = Captured([&](std::FILE* out) { PrintDeviceTable(out, {&a, &b, &c}); });
  EXPECT_EQ(
      "Name              IP          Netmask        Gateway   DHCP\n"
      "a                 10.0.0.2    255.255.255.0  10.0.0.1  yes\n"
      "long-device-name  10.0.0.100  255.255.255.0  10.0.0.1  no\n"
      "caf\xC3\xA9              10.0.0.3    255.255.255.0  10.0.0.1  no\n",
      table);
}

TEST(CliOutput, JsonListsDevicesAndShares) {
  DeviceRecord a = Record("nas \"1\"", "10.0.0.2", "1");
  a.interfaceIndex = 7;  // no such interface: an empty text, never a read past the table
  const std::string json = Captured([&](std::FILE* out) { PrintDeviceJson(out, {&a}); });
  EXPECT_EQ(
      "[\n  {\"name\": \"nas \\\"1\\\"\", \"ip\": \"10.0.0.2\", \"netmask\": \"255.255.255.0\", "
      "\"gateway\": \"10.0.0.1\", \"dhcp\": true, \"interface\": \"\"}\n]\n",
      json);
  EXPECT_EQ("[]\n", Captured([](std::FILE* out) { PrintDeviceJson(out, {}); }));
  ShareRecord second{"b", nullptr}, first{"a", &second};
  EXPECT_EQ("[\"a\", \"b\"]\n", Captured([&](std::FILE* out) { PrintShares(out, &first, true); }));
  EXPECT_EQ("[]\n", Captured([](std::FILE* out) { PrintShares(out, nullptr, true); }));
  EXPECT_EQ("a\nb\n", Captured([&](std::FILE* out) { PrintShares(out, &first, false); }));
}

TEST(CliOutput, LostOutputTurnsSuccessIntoFailure) {
  std::FILE* written = std::tmpfile();
  EXPECT_EQ(EXIT_USAGE, FinishOutput(written, EXIT_USAGE));
  EXPECT_EQ(EXIT_DONE, FinishOutput(written, EXIT_DONE));
  std::fclose(written);
  // Flushed, yet an earlier write failed: a write to a stream opened for reading.
  std::FILE* lost = std::fopen("/dev/null", "r");
  std::fputc('x', lost);
  EXPECT_EQ(EXIT_FAILED, FinishOutput(lost, EXIT_DONE));
  EXPECT_EQ(EXIT_USAGE, FinishOutput(lost, EXIT_USAGE));
  std::fclose(lost);
}

}  // namespace
