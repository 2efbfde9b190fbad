// Data exchange and its length check, modal dialogs run from a script, and a
// template's initial combo box strings.
#include <gtest/gtest.h>

#include <cstring>

#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/dialog_init.h"
#include "framework/memory_ui.h"
#include "res/resource.h"

namespace {

// Template IDD_LOGIN with two 16-character texts, as a login form exchanges them.
class TwoTexts : public CDialog {
 public:
  TwoTexts() : CDialog(IDD_LOGIN) {}
  std::string first, second;
  CEdit firstEdit;
  int initCalls = 0;

 protected:
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Control(dx, IDC_USER_NAME, firstEdit);
    DDX_Text(dx, IDC_USER_NAME, first);
    DDV_MaxChars(dx, first, 16);
    DDX_Text(dx, IDC_PASSWORD, second);
    DDV_MaxChars(dx, second, 16);
  }
  BOOL OnInitDialog() override {
    ++initCalls;
    return CDialog::OnInitDialog();
  }
};

class DataExchangeTest : public ::testing::Test {
 protected:
  void SetUp() override { memory_ui::Reset(); }
  void TearDown() override { memory_ui::Reset(); }
};

TEST_F(DataExchangeTest, LoadingFillsControlsAndLimitsTyping) {
  TwoTexts dialog;
  dialog.first = "kemsa";
  dialog.Create(IDD_LOGIN);
  EXPECT_EQ(memory_ui::Control(dialog, IDC_USER_NAME)->text, "kemsa");
  EXPECT_EQ(memory_ui::Control(dialog, IDC_PASSWORD)->textLimit, 16);
  memory_ui::TypeText(dialog, IDC_PASSWORD, "abcdefghijklmnopq");
  EXPECT_EQ(memory_ui::Control(dialog, IDC_PASSWORD)->text, "abcdefghijklmnop");
  EXPECT_TRUE(dialog.UpdateData(TRUE));
  EXPECT_EQ(dialog.second, "abcdefghijklmnop");
  EXPECT_TRUE(memory_ui::MessageBoxes().empty());
}

TEST_F(DataExchangeTest, LongerTextFailsWithTheFrameworkMessage) {
  TwoTexts dialog;
  dialog.first = std::string(17, 'u');  // a preset can exceed what typing allows
  dialog.Create(IDD_LOGIN);
  dialog.second = "unchanged";
  EXPECT_FALSE(dialog.UpdateData(TRUE));
  ASSERT_EQ(memory_ui::MessageBoxes().size(), 1u);
  EXPECT_EQ(memory_ui::MessageBoxes()[0].text, "Please enter no more than 16 characters.");
  EXPECT_EQ(memory_ui::MessageBoxes()[0].type, MB_OK | MB_ICONEXCLAMATION);
  EXPECT_EQ(memory_ui::MessageBoxes()[0].owner, dialog.m_hWnd);
  EXPECT_EQ(memory_ui::Focus(), memory_ui::Control(dialog, IDC_USER_NAME));
  EXPECT_EQ(dialog.second, "unchanged");  // the exchange stops at the failure
}

TEST_F(DataExchangeTest, ModalDialogRunsItsScriptAndEndsWithWhatItPressed) {
  TwoTexts dialog;
  memory_ui::ScriptModal([](CDialog& shown) {
    memory_ui::TypeText(shown, IDC_USER_NAME, "admin");
    memory_ui::TypeText(shown, IDC_PASSWORD, "secret");
    memory_ui::Click(shown, IDOK);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.initCalls, 1);
  EXPECT_EQ(dialog.first, "admin");
  EXPECT_EQ(dialog.second, "secret");
  EXPECT_EQ(dialog.m_hWnd, nullptr);  // the window is gone after DoModal
  ASSERT_EQ(memory_ui::Modals().size(), 1u);
  EXPECT_EQ(memory_ui::Modals()[0].templateId, 133u);
  EXPECT_EQ(memory_ui::Modals()[0].result, IDOK);
}

TEST_F(DataExchangeTest, FailedOkKeepsTheDialogOpenUntilCancel) {
  TwoTexts dialog;
  dialog.first = std::string(20, 'u');
  bool openAfterOk = false;
  memory_ui::ScriptModal([&](CDialog& shown) {
    memory_ui::Click(shown, IDOK);
    openAfterOk = memory_ui::Modals().empty() && shown.m_hWnd != nullptr;
    memory_ui::Click(shown, IDCANCEL);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_TRUE(openAfterOk);
  EXPECT_EQ(memory_ui::MessageBoxes().size(), 1u);
  EXPECT_EQ(dialog.first, std::string(20, 'u'));
}

TEST_F(DataExchangeTest, UnscriptedModalIsCancelledAndMissingTemplateFails) {
  TwoTexts dialog;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.initCalls, 1);
  CDialog missing(999);
  EXPECT_EQ(missing.DoModal(), -1);
  EXPECT_FALSE(missing.Create(999));
}

TEST_F(DataExchangeTest, TemplateInitialDataFillsTheComboBox) {
  CDialog page(IDD_IP_SETTINGS);
  page.Create(IDD_IP_SETTINGS);
  EXPECT_EQ(memory_ui::Control(page, IDC_DHCP_COMBO)->items, (std::vector<std::string>{"Disabled", "Enabled"}));
  EXPECT_EQ(memory_ui::Control(page, IDC_DHCP_COMBO)->curSel, -1);
}

std::vector<std::pair<int, std::string>> Strings(const std::vector<unsigned char>& bytes) {
  std::vector<std::pair<int, std::string>> found;
  ForEachDialogInitString({bytes.data(), bytes.size()},
                          [&](int id, const std::string& text) { found.emplace_back(id, text); });
  return found;
}

TEST_F(DataExchangeTest, InitialDataParsingStaysInsideItsBytes) {
  // IDC_DHCP_COMBO (0x03fa), 0x0403 (add string), length, text
  std::vector<unsigned char> entry = {0xfa, 0x03, 0x03, 0x04, 3, 0, 0, 0, 'O', 'n', 0};
  std::vector<unsigned char> data = entry;
  data.insert(data.end(), {0x10, 0x00, 0x01, 0x04, 1, 0, 0, 0, 'x'});  // not a combo string: skipped
  data.insert(data.end(), entry.begin(), entry.end());
  data.insert(data.end(), {0, 0});
  EXPECT_EQ(Strings(data), (std::vector<std::pair<int, std::string>>{{IDC_DHCP_COMBO, "On"}, {IDC_DHCP_COMBO, "On"}}));

  std::vector<unsigned char> overlong = {0xfa, 0x03, 0x03, 0x04, 0xff, 0xff, 0, 0, 'O', 'n', 0};
  EXPECT_TRUE(Strings(overlong).empty());
  std::vector<unsigned char> unterminated = {0xfa, 0x03, 0x03, 0x04, 2, 0, 0, 0, 'O', 'n'};
  EXPECT_EQ(Strings(unterminated), (std::vector<std::pair<int, std::string>>{{IDC_DHCP_COMBO, "On"}}));
  std::vector<unsigned char> cutHeader = {0xfa, 0x03, 0x03};
  EXPECT_TRUE(Strings(cutHeader).empty());
}

}  // namespace
