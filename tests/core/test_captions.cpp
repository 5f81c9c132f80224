// Shortcut texts beyond the menus' own keys: Alt, no key at all, and any
// language other than German. (Every menu item's text is checked on the
// window itself.)
#include <gtest/gtest.h>

#include "core/Captions.h"
#include "core/Globals.h"
#include "core/OptionsState.h"

namespace {

TEST(Captions, ShortcutTextsPutTheModifiersFirstWithTheirLocalNames) {
  struct {
    TShortcut Key;
    const char* English;
    const char* German;
  } cases[] = {
      {{true, false, true, "Backspace"}, "Shift+Alt+Backspace", "Umsch+Alt+Backspace"},
      {{true, true, true, "PgUp"}, "Shift+Ctrl+Alt+PgUp", "Umsch+Strg+Alt+PgUp"},
      {{false, false, true, "Right"}, "Alt+Right", "Alt+Rechts"},
      {{true, true, false, ""}, "", ""},
  };
  for (const auto& c : cases) {
    Options.Language = 9;
    EXPECT_EQ(ShortcutText(c.Key), c.English);
    Options.Language = 7;
    EXPECT_EQ(ShortcutText(c.Key), c.German);
  }
  for (int32_t language : {0, 1031, -7, 6, 8}) {
    Options.Language = language;
    EXPECT_EQ(ShortcutText({true, false, false, "Del"}), "Shift+Del") << language;
    EXPECT_EQ(ToolbarHint("SaveSB"), "Save") << language;
  }
  Options.Language = 7;
  EXPECT_EQ(ToolbarHint("NoSuchButton"), "");
  ResetGlobals();
}

}  // namespace
