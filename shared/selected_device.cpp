#include "shared/selected_device.h"

SelectedDeviceState SelectedDevice;

void ClearSelectedDeviceTexts() {
  SelectedDevice.deviceName.clear();
  SelectedDevice.shareHostText.clear();
  SelectedDevice.deviceIpText.clear();
  SelectedDevice.deviceNetmaskText.clear();
  SelectedDevice.deviceGatewayText.clear();
}

std::string SelectedDeviceSummary() {
  const SelectedDeviceState& d = SelectedDevice;
  if (d.deviceName.empty()) return {};
  return "Name : " + d.deviceName + "\nIP : " + d.deviceIpText + "  Netmask : " +
         d.deviceNetmaskText + "  Gateway : " + d.deviceGatewayText;
}

void ResetSelectedDevice() { SelectedDevice = SelectedDeviceState{}; }
