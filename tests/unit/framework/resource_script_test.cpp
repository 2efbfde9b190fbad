// The in-memory dialogs come from res/lumaseek.rc: the reader must see each
// template as the resource compiler does.
#include <gtest/gtest.h>

#include "framework/resource_script.h"

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
      "END\n");
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

TEST(ResourceScriptTest, ProgramTemplatesHaveTheirCaptionsAndControls) {
  const ScriptDialog* main = FindScriptDialog(102);
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
  for (const auto& control : FindScriptDialog(133)->controls) ids.push_back(control.id);
  EXPECT_EQ(ids, (std::vector<int>{1, 2, -1, -1, 1020, 1021}));
  EXPECT_TRUE(StyleHas(FindScriptDialog(133)->controls[5].style, "ES_PASSWORD"));
}

}  // namespace
