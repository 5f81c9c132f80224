// Shortcut texts with the localised key names, toolbar hints and the file
// dialogs' titles in both languages.
#include <gtest/gtest.h>

#include "core/Captions.h"
#include "core/Globals.h"

namespace {

class Captions : public ::testing::Test {
 protected:
  void TearDown() override { ResetGlobals(); }
};

TEST_F(Captions, ShortcutTextsPutTheModifiersFirstWithTheirLocalNames) {
  struct {
    TShortcut Key;
    const char* English;
    const char* German;
  } cases[] = {
      {{false, true, false, "Z"}, "Ctrl+Z", "Strg+Z"},
      {{true, true, false, "Z"}, "Shift+Ctrl+Z", "Umsch+Strg+Z"},
      {{true, false, false, "Del"}, "Shift+Del", "Umsch+Entf"},
      {{false, false, false, "Del"}, "Del", "Entf"},
      {{false, false, false, "Ins"}, "Ins", "Einfg"},
      {{true, false, false, "Ins"}, "Shift+Ins", "Umsch+Einfg"},
      {{false, true, false, "Ins"}, "Ctrl+Ins", "Strg+Einfg"},
      {{true, true, false, "Ins"}, "Shift+Ctrl+Ins", "Umsch+Strg+Einfg"},
      {{false, true, false, "Left"}, "Ctrl+Left", "Strg+Links"},
      {{true, true, false, "Right"}, "Shift+Ctrl+Right", "Umsch+Strg+Rechts"},
      {{true, false, false, "F3"}, "Shift+F3", "Umsch+F3"},
      {{false, false, false, "F1"}, "F1", "F1"},
      {{true, false, true, "Backspace"}, "Shift+Alt+Backspace", "Umsch+Alt+Backspace"},
      {{true, true, true, "PgUp"}, "Shift+Ctrl+Alt+PgUp", "Umsch+Strg+Alt+PgUp"},
      {{true, true, false, ""}, "", ""},
  };
  for (const auto& c : cases) {
    G.Language = 9;
    EXPECT_EQ(ShortcutText(c.Key), c.English);
    G.Language = 7;
    EXPECT_EQ(ShortcutText(c.Key), c.German);
  }
}

TEST_F(Captions, OnlySevenIsGerman) {
  const TShortcut key{false, true, false, "Del"};
  for (int32_t language : {0, 9, 1031, -7, 6, 8}) {
    G.Language = language;
    EXPECT_EQ(ShortcutText(key), "Ctrl+Del") << language;
    EXPECT_EQ(ToolbarHint("SaveSB"), "Save") << language;
  }
}

TEST_F(Captions, ToolbarHintsInBothLanguages) {
  G.Language = 9;
  EXPECT_EQ(ToolbarHint("FindAndMarkSB"), "Find and mark...");
  EXPECT_EQ(ToolbarHint("HexSpeedButton"), "View hexadezimal");
  EXPECT_EQ(ToolbarHint("NoSuchButton"), "");
  G.Language = 7;
  EXPECT_EQ(ToolbarHint("OpenSB"), "Datei öffnen...");
  EXPECT_EQ(ToolbarHint("DezSpeedButton"), "Dezimal anzeigen");
  EXPECT_EQ(ToolbarHint("TabSB"), "Zeichentabelle");
  // Every button has both texts.
  for (int i = 0; i < ToolbarHintCount; ++i) {
    EXPECT_STRNE(ToolbarHints[i].English, "");
    EXPECT_STRNE(ToolbarHints[i].German, "");
  }
}

TEST_F(Captions, FileDialogTitles) {
  G.Language = 7;
  SetFileDialogTitles();
  EXPECT_EQ(G.OpenDialog.Title, "Öffnen");
  EXPECT_EQ(G.SaveDialog.Title, "Speichern unter");
  EXPECT_EQ(G.MarksOpenDialog.Title, "Markierungen öffnen");
  EXPECT_EQ(G.MarksSaveDialog.Title, "Markierungen speichern unter");
  G.Language = 9;
  SetFileDialogTitles();
  EXPECT_EQ(G.OpenDialog.Title, "Open");
  EXPECT_EQ(G.SaveDialog.Title, "Save as");
  EXPECT_EQ(G.MarksOpenDialog.Title, "Open marks");
  EXPECT_EQ(G.MarksSaveDialog.Title, "Save marks as");
}

}  // namespace
