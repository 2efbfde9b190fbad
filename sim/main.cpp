// lumaseek-sim: simulated storage devices answering the discovery protocol.
#include <arpa/inet.h>
#include <poll.h>
#include <signal.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

#include "proto/local_interfaces.h"
#include "sim/sim_config.h"
#include "sim/sim_device.h"
#include "sim/sim_faults.h"
#include "sim/sim_log.h"
#include "sim/sim_network.h"

namespace {

using Clock = std::chrono::steady_clock;

volatile sig_atomic_t stopRequested = 0;

void OnStopSignal(int) { stopRequested = 1; }

const char USAGE_TEXT[] =
    "usage: lumaseek-sim [--config FILE] [--device KEY=VALUE,...]... [--dhcp-pool IP,...]\n"
    "                    [--interface NAME] [--log FILE|-]\n"
    "       lumaseek-sim --help\n"
    "Plays the devices of FILE (JSON) and of each --device, and logs every datagram.\n"
    "Device keys: name ip netmask gateway dhcp identity shares user password reply match1 match2\n"
    "             multicast delay_ms drop duplicate refuse_login never_confirm\n"
    "             confirm_wrong_address junk foreign flood spoof\n";

int BadUsage(const std::string& message) {
  std::fprintf(stderr, "lumaseek-sim: %s\n", message.c_str());
  return 2;
}

bool ReadFile(const std::string& path, std::string& text) {
  std::ifstream in(path);
  if (!in) return false;
  std::ostringstream all;
  all << in.rdbuf();
  text = all.str();
  return true;
}

struct Outgoing {
  Reply reply;
  std::uint32_t to;
  int interfaceIndex;
  std::string device;
};

class Simulator {
 public:
  Simulator(const SimConfig& config, DatagramLog& log, SimSocket& socket)
      : pool_(config.dhcpPool), log_(log), socket_(socket), interface_(config.interfaceName) {
    for (const DeviceConfig& d : config.devices) devices_.emplace_back(d);
  }

  void Run() {
    while (!stopRequested) {
      pollfd p{socket_.fd(), POLLIN, 0};
      int timeout = -1;
      if (!pending_.empty()) {
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(pending_.begin()->first - Clock::now());
        timeout = wait.count() > 0 ? static_cast<int>(wait.count()) : 0;
      }
      if (poll(&p, 1, timeout) < 0 && errno != EINTR) break;
      if (p.revents & POLLIN) ReceiveOne();
      SendDue();
    }
  }

  // Removes the addresses it added for moved devices: they belong to this run only.
  void RemoveMovedAddresses() {
    std::string error;
    if (!RemoveAddresses(interface_, moved_, error)) log_.Note(error);
    moved_.clear();
  }

 private:
  void ReceiveOne() {
    Datagram data;
    sockaddr_in from{};
    std::uint32_t to = 0;
    int interfaceIndex = 0;
    if (!socket_.Receive(data, from, to, interfaceIndex)) return;
    log_.Record("RX", from.sin_addr.s_addr, ntohs(from.sin_port), to, DISCOVERY_PORT, data, "-");
    Request request;
    if (!ParseRequest(data.data(), data.size(), request)) {
      log_.Note("not a request");
      return;
    }
    for (Device& device : devices_) {
      if (!device.IsAddressed(request)) continue;
      if (IsDropped(device.config().faults, request.kind)) {
        log_.Note("device " + device.config().name + " drops the request");
        continue;
      }
      Answer answer = device.Respond(request, pool_);
      if (!answer.note.empty()) log_.Note(answer.note);
      if (answer.moved) MoveTo(device);
      const std::vector<Reply> replies =
          ApplyFaults(device.config().faults, request, answer.replies, device.address(), junkSeed_);
      const Clock::time_point due = Clock::now() + std::chrono::milliseconds(device.config().faults.delayMs);
      for (const Reply& reply : replies) {
        pending_.emplace(due, Outgoing{reply, from.sin_addr.s_addr, interfaceIndex, device.config().name});
      }
    }
  }

  void MoveTo(const Device& device) {
    std::string error;
    if (!AddMissingAddresses(interface_, {{device.address(), device.config().netmask}}, error, &moved_))
      log_.Note(error);
  }

  void SendDue() {
    const Clock::time_point now = Clock::now();
    while (!pending_.empty() && pending_.begin()->first <= now) {
      const Outgoing& o = pending_.begin()->second;
      const std::uint32_t to = o.reply.toGroup ? group_ : o.to;
      if (socket_.Send(o.reply.data, o.reply.source, to, o.interfaceIndex)) {
        log_.Record("TX", o.reply.source, DISCOVERY_PORT, to, DISCOVERY_PORT, o.reply.data, o.device);
      } else {
        log_.Note("device " + o.device + " could not send to " + AddressText(to) + ": " + std::strerror(errno));
      }
      pending_.erase(pending_.begin());
    }
  }

  std::vector<Device> devices_;
  AddressPool pool_;
  DatagramLog& log_;
  SimSocket& socket_;
  std::string interface_;
  std::multimap<Clock::time_point, Outgoing> pending_;  // equal times keep their order
  std::vector<std::pair<std::uint32_t, std::uint32_t>> moved_;  // addresses added for moved devices
  std::uint32_t junkSeed_ = 1;
  const std::uint32_t group_ = inet_addr(DISCOVERY_GROUP);
};

}  // namespace

int main(int argc, char** argv) {
  SimConfig config;
  std::string error;
  std::string logPath;
  for (int i = 1; i < argc; i++) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(USAGE_TEXT, stdout);
      return 0;
    }
    const bool known = arg == "--config" || arg == "--device" || arg == "--dhcp-pool" || arg == "--interface" ||
                       arg == "--log";
    if (!known) return BadUsage("unknown argument '" + arg + "'\n" + USAGE_TEXT);
    if (i + 1 >= argc) return BadUsage(arg + " needs a value");
    const std::string value = argv[++i];
    if (arg == "--config") {
      std::string text;
      if (!ReadFile(value, text)) return BadUsage("cannot read " + value);
      if (!ParseConfigJson(text, config, error)) return BadUsage(value + ": " + error);
    } else if (arg == "--device") {
      if (!ParseDeviceFlag(value, config, error)) return BadUsage("--device: " + error);
    } else if (arg == "--dhcp-pool") {
      if (!ParseAddressList(value, config.dhcpPool, error)) return BadUsage("--dhcp-pool: " + error);
    } else if (arg == "--interface") {
      config.interfaceName = value;
    } else {
      logPath = value;
    }
  }
  if (!logPath.empty()) config.logPath = logPath;
  if (!CheckConfig(config, error)) return BadUsage(error);

  struct sigaction stop {};
  stop.sa_handler = OnStopSignal;  // no SA_RESTART: poll() must return
  sigaction(SIGINT, &stop, nullptr);
  sigaction(SIGTERM, &stop, nullptr);

  DatagramLog log;
  if (!log.Open(config.logPath)) return BadUsage("cannot write the log " + config.logPath);
  if (config.interfaceName.empty()) config.interfaceName = DefaultInterface();
  std::vector<std::pair<std::uint32_t, std::uint32_t>> addresses;
  for (const DeviceConfig& d : config.devices) addresses.emplace_back(d.ip, d.netmask);
  SimSocket socket;
  if (!AddMissingAddresses(config.interfaceName, addresses, error) || !socket.Open(error)) {
    std::fprintf(stderr, "lumaseek-sim: %s\n", error.c_str());
    return 1;
  }
  Simulator simulator(config, log, socket);
  std::printf("ready\n");
  std::fflush(stdout);
  simulator.Run();
  simulator.RemoveMovedAddresses();
  log.Note("stopped");
  return 0;
}
