// A Search Device page on the in-memory controls, with the socket double for
// the engine and the in-memory registry, shell and drive connections, all
// brought back to their start values around each test.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "framework/memory_ui.h"
#include "platform/netconn_memory.h"
#include "platform/registry_memory.h"
#include "platform/shell_memory.h"
#include "proto/exchanges.h"
#include "res/resource.h"
#include "search/desktop_shortcuts.h"
#include "search/search_page.h"
#include "shared/drive_tables.h"
#include "shared/selected_device.h"
#include "tests/support/virtual_sockets.h"

namespace search_test {

inline constexpr std::uint8_t kClientId[CLIENT_ID_SIZE] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66};
inline constexpr long long kMs = 1000;

class SearchPageTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetAll(); }
  void TearDown() override {
    page.reset();
    ResetAll();
  }
  static void ResetAll() {
    memory_ui::Reset();
    platform::memory_registry::Reset();
    platform::memory_shell::Reset();
    platform::memory_netconn::Reset();
    ResetDiscoveryState();
    ResetDriveTables();
    ResetSelectedDevice();
  }

  // Creates the page as the main dialog does. The engine starts with no
  // interface, so the first search finds nothing; Online then gives it one.
  void CreatePage() {
    page = std::make_unique<CSearchPage>();
    ASSERT_TRUE(page->Create(CSearchPage::IDD));
  }
  void Online() {
    LocalInterfaceTable.count = 1;
    std::snprintf(LocalInterfaceTable.address[0], ADDRESS_TEXT_SIZE, "10.0.0.100");
    SendSockets[0] = 10;
    ReceiveSockets[0] = 11;
    std::memcpy(ClientId, kClientId, CLIENT_ID_SIZE);
  }
  // A device that answers the next search.
  void Answer(const char* ip, const std::string& name, char dhcpMode = '0',
              const char* netmask = "255.255.255.0", const char* gateway = "10.0.0.1") {
    net.Deliver(11, testing_support::ShortSearchReply(kClientId, ip, name, netmask, gateway, dhcpMode),
                net.NowMicroseconds());
  }
  // The device's share reply to the next share query, after its drain polls.
  void AnswerShares(const char* ip, const std::string& text) {
    net.Deliver(11, testing_support::ShareListReply(kClientId, ip, text),
                net.NowMicroseconds() + 200 * kMs);
  }
  void Search() { memory_ui::Click(*page, IDC_SEARCH_DEVICE); }
  void ClickRow(int row) {
    memory_ui::SelectRow(*page, IDC_DEVICE_LIST, row);
    memory_ui::ClickList(*page, IDC_DEVICE_LIST);
  }
  MemoryWindow* List() { return memory_ui::Control(*page, IDC_DEVICE_LIST); }
  MemoryWindow* Check() { return memory_ui::Control(*page, IDC_CREATE_SHORTCUT); }
  std::string Cell(int row, int column) { return List()->rows.at(row).cells.at(column); }
  static const std::string* StoredSetting() {
    return platform::memory_registry::Value(platform::Hive::CurrentUser, ShortcutSettingKey, "");
  }

  testing_support::VirtualSockets net;
  std::unique_ptr<CSearchPage> page;
};

}  // namespace search_test
