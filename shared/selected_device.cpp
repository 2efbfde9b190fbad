#include "shared/selected_device.h"

#include "platform/sockets.h"

SelectedDeviceState SelectedDevice;

void ClearSelectedDeviceTexts() {
  SelectedDevice.deviceName.clear();
  SelectedDevice.shareHostText.clear();
  SelectedDevice.deviceIpText.clear();
  SelectedDevice.deviceNetmaskText.clear();
  SelectedDevice.deviceGatewayText.clear();
}

void ClearSelectedDeviceAddresses() {
  SelectedDevice.ipAddress = 0;
  SelectedDevice.netmaskAddress = 0;
  SelectedDevice.gatewayAddress = 0;
  SelectedDevice.dhcpEnabled = 0;
}

void FillSelectedDevice(const DeviceRecord& record) {
  SelectedDevice.ipAddress = platform::InetAddr(record.ipText);
  SelectedDevice.netmaskAddress = platform::InetAddr(record.netmaskText);
  SelectedDevice.gatewayAddress = platform::InetAddr(record.gatewayText);
  SelectedDevice.deviceIpText = record.ipText;
  SelectedDevice.deviceNetmaskText = record.netmaskText;
  SelectedDevice.deviceGatewayText = record.gatewayText;
  SelectedDevice.dhcpEnabled = IsDhcpClient(record) ? 1 : 0;
}

std::string SelectedDeviceSummary() {
  const SelectedDeviceState& d = SelectedDevice;
  if (d.deviceName.empty()) return {};
  return "Name : " + d.deviceName + "\nIP : " + d.deviceIpText + "  Netmask : " +
         d.deviceNetmaskText + "  Gateway : " + d.deviceGatewayText;
}

void ResetSelectedDevice() { SelectedDevice = SelectedDeviceState{}; }
