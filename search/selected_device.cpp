#include "search/selected_device.h"

SelectedDeviceState SelectedDevice;

void ClearSelectedDeviceTexts() {
  SelectedDevice.deviceName.clear();
  SelectedDevice.shareHostText.clear();
  SelectedDevice.deviceIpText.clear();
  SelectedDevice.deviceNetmaskText.clear();
  SelectedDevice.deviceGatewayText.clear();
}

void ResetSelectedDevice() { SelectedDevice = SelectedDeviceState{}; }
