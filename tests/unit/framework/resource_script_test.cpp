// The in-memory dialogs come from res/lumaseek.rc: the reader must see each
// template as the resource compiler does.
#include <gtest/gtest.h>

#include "framework/resource_script.h"
#include "res/resource.h"

namespace {

TEST(ResourceScriptTest, ReadsTemplatesControlsAndInitialData) {
  auto dialogs = ParseResourceScript(
      "// a comment\n"
      "#include <windows.h>\n"
      "7 DIALOGEX 0, 0, 100, 50\n"
      "STYLE WS_CHILD | DS_SETFONT\n"
      "CAPTION \"Say \"\"hi\"\"  \"\n"
      "BEGIN\n"
      "    CONTROL \"A, b\", 12, \"Button\", WS_CHILD | NOT WS_VISIBLE | BS_AUTOCHECKBOX, 1, 2, 3, 4\n"
      "    CONTROL 135, -1, \"Static\", WS_CHILD | WS_VISIBLE | SS_BITMAP, 5, 6, 7, 8\n"
      "END\n"
      "7 240\n"
      "BEGIN\n"
      "    12, 0x0403, 3, 0, \"ab\\0\",\n"
      "    0\n"
      "END\n",
      {});
  ASSERT_EQ(dialogs.size(), 1u);
  const ScriptDialog& dialog = dialogs[0];
  EXPECT_EQ(dialog.id, 7u);
  EXPECT_EQ(dialog.caption, "Say \"hi\"  ");
  EXPECT_EQ(dialog.cx, 100);
  ASSERT_EQ(dialog.controls.size(), 2u);
  EXPECT_EQ(dialog.controls[0].text, "A, b");
  EXPECT_EQ(dialog.controls[0].id, 12);
  EXPECT_FALSE(StyleHas(dialog.controls[0].style, "WS_VISIBLE"));
  EXPECT_TRUE(StyleHas(dialog.controls[0].style, "BS_AUTOCHECKBOX"));
  EXPECT_EQ(dialog.controls[1].id, -1);
  EXPECT_EQ(dialog.controls[1].text, "");
  EXPECT_EQ(dialog.controls[1].cy, 8);
  EXPECT_EQ(dialog.initData, (std::vector<unsigned char>{12, 0, 3, 4, 3, 0, 0, 0, 'a', 'b', 0, 0, 0}));
}

TEST(ResourceScriptTest, NamesResolveThroughTheHeader) {
  ResourceNames names = ParseResourceHeader(
      "#pragma once\n"
      "#define IDD_FORM 7 // a comment\n"
      "#define IDC_BOX 0x0c\n"
      "#ifndef IDC_STATIC\n"
      "#define IDC_STATIC (-1)\n"
      "#endif\n");
  EXPECT_EQ(names, (ResourceNames{{"IDC_BOX", 12}, {"IDC_STATIC", -1}, {"IDD_FORM", 7}}));
  auto dialogs = ParseResourceScript(
      "IDD_FORM DIALOGEX 0, 0, 100, 50\n"
      "BEGIN\n"
      "    CONTROL \"\", IDC_BOX, \"ComboBox\", WS_CHILD, 1, 2, 3, 4\n"
      "    CONTROL \"Box :\", IDC_STATIC, \"Static\", WS_CHILD, 1, 2, 3, 4\n"
      "END\n"
      "IDD_FORM 240\n"
      "BEGIN\n"
      "    IDC_BOX, 0x0403, 2, 0, \"a\\0\",\n"
      "    0\n"
      "END\n",
      names);
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].id, 7u);
  ASSERT_EQ(dialogs[0].controls.size(), 2u);
  EXPECT_EQ(dialogs[0].controls[0].id, 12);
  EXPECT_EQ(dialogs[0].controls[1].id, -1);
  EXPECT_EQ(dialogs[0].initData, (std::vector<unsigned char>{12, 0, 3, 4, 2, 0, 0, 0, 'a', 0, 0, 0}));
  // a name the header lacks is a broken build, not a dialog with id 0
  EXPECT_DEATH(ParseResourceScript("IDD_GONE DIALOGEX 0, 0, 1, 1\n", names), "unknown identifier IDD_GONE");
}

TEST(ResourceScriptTest, ProgramTemplatesHaveTheirCaptionsAndControls) {
  const ScriptDialog* main = FindScriptDialog(IDD_FINDER);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(main->caption, "lumaSeek (v1.0)   ");
  EXPECT_TRUE(StyleHas(main->style, "WS_VISIBLE"));
  EXPECT_FALSE(StyleHas(main->style, "WS_MINIMIZEBOX"));
  for (UINT page : {129u, 130u, 131u}) {
    const ScriptDialog* dialog = FindScriptDialog(page);
    ASSERT_NE(dialog, nullptr) << page;
    EXPECT_EQ(dialog->style, "DS_SETFONT | WS_CHILD") << page;
    EXPECT_EQ(dialog->cx, 276) << page;
  }
  std::vector<int> ids;
  for (const auto& control : FindScriptDialog(IDD_LOGIN)->controls) ids.push_back(control.id);
  EXPECT_EQ(ids, (std::vector<int>{IDOK, IDCANCEL, IDC_STATIC, IDC_STATIC, IDC_USER_NAME, IDC_PASSWORD}));
  EXPECT_TRUE(StyleHas(FindScriptDialog(IDD_LOGIN)->controls[5].style, "ES_PASSWORD"));
}

}  // namespace
