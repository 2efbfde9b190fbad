// Times one exchange of the discovery engine over the real sockets, for
// scripts/bench: wall and CPU seconds of the exchange alone.
//
//   lumaseek-exchange-timer search|login|shares|dhcp|static [DEVICE_IP]
//
// prints "<exchange> <wall s> <cpu s> <result> <devices listed> <interfaces>".
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstring>

#include "proto/exchanges.h"
#include "proto/local_interfaces.h"

namespace {

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

int Run(const char* exchange) {
  if (std::strcmp(exchange, "search") == 0) {
    SearchDevices(8, 1);
    return DeviceList.count;
  }
  if (std::strcmp(exchange, "login") == 0) return VerifyDeviceLogin();
  if (std::strcmp(exchange, "shares") == 0) return QueryShares();
  if (std::strcmp(exchange, "dhcp") == 0) return SetDeviceDhcp();
  if (std::strcmp(exchange, "static") == 0) return SetDeviceStaticIp();
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || (std::strcmp(argv[1], "search") != 0 && argc < 3)) {
    std::fprintf(stderr, "usage: lumaseek-exchange-timer search|login|shares|dhcp|static [DEVICE_IP]\n");
    return 2;
  }
  DiscoveryStartup();
  if (argc >= 3) {
    SearchDevices(8, 1);  // the per-device exchanges need the device listed
    std::snprintf(SelectedDeviceIp, sizeof SelectedDeviceIp, "%s", argv[2]);
    std::snprintf(LoginUserName, sizeof LoginUserName, "kemsa");
    std::snprintf(LoginPassword, sizeof LoginPassword, "kemsa");
    std::snprintf(NewIpText, sizeof NewIpText, "%s", argv[2]);
    std::snprintf(NewNetmaskText, sizeof NewNetmaskText, "255.255.252.0");
    std::snprintf(NewGatewayText, sizeof NewGatewayText, "0.0.0.0");
  }
  const double cpu0 = CpuSeconds();
  const auto wall0 = std::chrono::steady_clock::now();
  const int result = Run(argv[1]);
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
  std::printf("%s %.4f %.4f %d %d %d\n", argv[1], wall, CpuSeconds() - cpu0, result, DeviceList.count,
              LocalInterfaceTable.count);
  return result < 0 ? 2 : 0;
}
