// The Login dialog: its user name field per caller and Windows version, and
// what reaches LoginUserName and LoginPassword after OK, Cancel or a refused OK.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "framework/memory_ui.h"
#include "platform/sysinfo_memory.h"
#include "proto/exchanges.h"
#include "res/resource.h"
#include "shared/login_dialog.h"

namespace {

namespace sysinfo = platform::memory_sysinfo;

class LoginDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { Reset(); }
  void TearDown() override { Reset(); }
  static void Reset() {
    memory_ui::Reset();
    sysinfo::Reset();
    ResetDiscoveryState();
    LoginPurpose = LOGIN_FOR_SHARE;
  }

  // The user name field as the dialog showed it, before the script acts.
  struct Field {
    std::string text;
    bool enabled;
    int limit;
  };
  // Runs the dialog: records its fields, types the password, then presses `button`.
  INT_PTR Run(const std::string& password, int button, Field* userName = nullptr, Field* pass = nullptr) {
    CLoginDlg dialog;
    memory_ui::ScriptModal([&](CDialog& shown) {
      const MemoryWindow* u = memory_ui::Control(shown, IDC_USER_NAME);
      const MemoryWindow* p = memory_ui::Control(shown, IDC_PASSWORD);
      if (userName) *userName = {u->text, u->enabled, u->textLimit};
      if (pass) *pass = {p->text, p->enabled, p->textLimit};
      memory_ui::TypeText(shown, IDC_PASSWORD, password);
      memory_ui::Click(shown, button);
    });
    return dialog.DoModal();
  }
};

TEST_F(LoginDialogTest, DeviceLoginLocksTheDefaultUserNameAndTakesThePassword) {
  sysinfo::SetVersion(1, 4, 10, 1998);  // the caller wins over the Windows 98 rule
  LoginPurpose = LOGIN_FOR_DEVICE;
  Field user{}, pass{};
  EXPECT_EQ(Run("s3cret", IDOK, &user, &pass), IDOK);
  EXPECT_EQ(user.text, "kemsa");
  EXPECT_FALSE(user.enabled);
  EXPECT_EQ(pass.text, "");
  EXPECT_TRUE(pass.enabled);
  EXPECT_EQ(user.limit, 16);
  EXPECT_EQ(pass.limit, 16);
  EXPECT_STREQ(LoginUserName, "kemsa");
  EXPECT_STREQ(LoginPassword, "s3cret");
  EXPECT_EQ(sysinfo::LogonNameQueries(), 0);
  EXPECT_EQ(memory_ui::Focus(), nullptr);  // no check failed, so nothing moved the focus
}

struct VersionCase {
  unsigned long platformId, major, minor, build;
  const char* name;
  bool locked;
};

class LoginFieldByVersion : public LoginDialogTest, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(LoginFieldByVersion, ShareLoginShowsTheLogonNameOnlyOn98AndME) {
  const VersionCase& v = GetParam();
  sysinfo::SetVersion(v.platformId, v.major, v.minor, v.build);
  sysinfo::SetLogonName("alice");
  Field user{};
  EXPECT_EQ(Run("pw", IDOK, &user), IDOK);
  EXPECT_EQ(user.text, v.locked ? "alice" : "");
  EXPECT_EQ(user.enabled, !v.locked);
  EXPECT_EQ(sysinfo::LogonNameQueries(), v.locked ? 1 : 0);
  EXPECT_STREQ(LoginUserName, v.locked ? "alice" : "");
  EXPECT_STREQ(LoginPassword, "pw");
}

INSTANTIATE_TEST_SUITE_P(
    Versions, LoginFieldByVersion,
    ::testing::Values(VersionCase{1, 4, 10, 1998, "Win98", true}, VersionCase{1, 4, 10, 2222, "Win98SE", true},
                      VersionCase{1, 4, 90, 3000, "WinME", true}, VersionCase{1, 4, 0, 950, "Win95", false},
                      VersionCase{2, 4, 0, 1381, "NT4", false}, VersionCase{2, 5, 0, 2195, "Win2000", false},
                      VersionCase{2, 5, 1, 2600, "XP", false}, VersionCase{2, 6, 1, 7601, "Vista", false}),
    [](const ::testing::TestParamInfo<VersionCase>& info) { return std::string(info.param.name); });

TEST_F(LoginDialogTest, FailedQueriesLeaveAnEditableOrAnEmptyLockedField) {
  sysinfo::FailVersionQuery(true);  // "unknown Windows version"
  Field user{};
  Run("", IDOK, &user);
  EXPECT_TRUE(user.enabled);
  EXPECT_STREQ(LoginPassword, "");  // an empty password is accepted

  sysinfo::FailVersionQuery(false);
  sysinfo::SetVersion(1, 4, 90, 3000);
  sysinfo::FailLogonName(true);
  EXPECT_EQ(Run("", IDOK, &user), IDOK);
  EXPECT_EQ(user.text, "");
  EXPECT_FALSE(user.enabled);
}

TEST_F(LoginDialogTest, CancelStoresNothingThatWasTyped) {
  std::snprintf(LoginUserName, sizeof LoginUserName, "%s", DEFAULT_CREDENTIAL);
  std::snprintf(LoginPassword, sizeof LoginPassword, "%s", DEFAULT_CREDENTIAL);
  LoginPurpose = LOGIN_FOR_DEVICE;
  EXPECT_EQ(Run("typed", IDCANCEL), IDCANCEL);
  LoginPurpose = LOGIN_FOR_SHARE;
  CLoginDlg closedByUser;  // no script: the dialog is closed without OK
  EXPECT_EQ(closedByUser.DoModal(), IDCANCEL);
  EXPECT_STREQ(LoginUserName, "kemsa");
  EXPECT_STREQ(LoginPassword, "kemsa");
}

TEST_F(LoginDialogTest, OverlongLogonNameIsCutOnCopyAndOnlyCancelCloses) {
  sysinfo::SetVersion(1, 4, 90, 3000);
  const std::string longName = "abcdefghijklmnopqrstuvwxyz";
  sysinfo::SetLogonName(longName);
  std::memset(LoginUserName, 'X', sizeof LoginUserName);  // no terminator of its own
  bool stillOpen = false;
  CLoginDlg dialog;
  memory_ui::ScriptModal([&](CDialog& shown) {
    EXPECT_EQ(memory_ui::Control(shown, IDC_USER_NAME)->text, longName);
    memory_ui::TypeText(shown, IDC_PASSWORD, "pw");
    memory_ui::Click(shown, IDOK);
    stillOpen = memory_ui::Window(shown)->visible;
    memory_ui::Click(shown, IDCANCEL);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_TRUE(stillOpen);
  const auto& boxes = memory_ui::MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);  // once for each exchange of OK
  for (const auto& box : boxes) EXPECT_EQ(box.text, "Please enter no more than 16 characters.");
  EXPECT_EQ(std::string(LoginUserName), longName.substr(0, 16));
}

}  // namespace
