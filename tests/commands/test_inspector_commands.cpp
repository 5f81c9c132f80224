// The data inspector's commands: what the rows show at the cursor, a typed
// value written as one undo step that gives every byte and mark back, and
// the values it refuses without touching the document.
#include <gtest/gtest.h>

#include "actions/Actions.h"
#include "actions/UndoTestSupport.h"
#include "commands/EditCommands.h"
#include "commands/InspectorCommands.h"
#include "core/Cursor.h"
#include "core/CursorState.h"
#include "core/GridState.h"
#include "core/Helpers.h"
#include "core/OptionsState.h"

namespace undo_test {
namespace {

using Bytes = std::vector<uint8_t>;

class InspectorCommands : public TUndoTest {
 protected:
  std::string Value(TInspectType type) { return InspectorRows()[size_t(type)].Value; }
};

TEST_F(InspectorCommands, RowsReadAtTheCursorInTheChosenOrder) {
  Load({0x12, 0x34, 0x56, 0x78, 0x9A});
  EXPECT_EQ(InspectorRows().size(), size_t(TInspectType::Count));
  EXPECT_EQ(Value(TInspectType::UInt32), "$78563412");
  SetInspectorBigEndian(true);
  EXPECT_EQ(Value(TInspectType::UInt32), "$12345678");
  Grid.Hex = false;
  EXPECT_EQ(Value(TInspectType::UInt32), "305419896");
  // At the last byte only the one-byte types have their bytes.
  CursorAt(4);
  EXPECT_EQ(Value(TInspectType::UInt8), "154");
  EXPECT_EQ(Value(TInspectType::UInt16), "\xE2\x80\x94");
  Load({});
  for (const TInspectorRow& row : InspectorRows()) EXPECT_EQ(row.Value, "\xE2\x80\x94") << row.Name;
}

TEST_F(InspectorCommands, AWrittenValueIsOneUndoStepThatGivesBytesAndMarksBack) {
  const Bytes bytes = {0x11, 0x22, 0x33, 0x44, 0x55}, marks = {0, 1, 2, 3, 4};
  Load(bytes, marks);
  CursorAt(1);
  EXPECT_TRUE(InspectorWrite(TInspectType::Int16, "-2"));
  EXPECT_EQ(Data(), (Bytes{0x11, 0xFE, 0xFF, 0x44, 0x55}));
  EXPECT_EQ(Marks(), marks);
  EXPECT_EQ(CursorOffset(), 1);
  EXPECT_EQ(ActionList().UndoName(), "(2 * Change value)");
  SetInspectorBigEndian(true);
  EXPECT_TRUE(InspectorWrite(TInspectType::UInt32, "$A1B2C3D4"));
  EXPECT_EQ(Data(), (Bytes{0x11, 0xA1, 0xB2, 0xC3, 0xD4}));
  EditUndoMainMenuItemClick();
  EditUndoMainMenuItemClick();
  EXPECT_EQ(Data(), bytes);
  EXPECT_EQ(Marks(), marks);
  EXPECT_EQ(CursorOffset(), 1);
  EXPECT_FALSE(ActionList().CanUndo());
}

TEST_F(InspectorCommands, RefusedValuesBeepAndChangeNothing) {
  const Bytes bytes = {1, 2, 3};
  const struct {
    int32_t At;
    TInspectType Type;
    const char* Text;
  } refused[] = {
      {0, TInspectType::Int16, "70000"},   // does not fit
      {0, TInspectType::UInt8, "-1"},      // no sign for an unsigned type
      {0, TInspectType::Float32, "1e39"},  // beyond float32
      {0, TInspectType::UInt32, "1"},      // would reach past the end
      {2, TInspectType::Int16, "0"},       // the same at the last byte
      {0, TInspectType::Utf8, "ab"},       // two characters
  };
  for (const auto& r : refused) {
    Load(bytes);
    CursorAt(r.At);
    Host.Beeps = 0;
    EXPECT_FALSE(InspectorWrite(r.Type, r.Text)) << r.Text;
    EXPECT_EQ(Host.Beeps, 1) << r.Text;
    EXPECT_EQ(Data(), bytes) << r.Text;
    EXPECT_FALSE(ActionList().CanUndo()) << r.Text;
  }
  Load({});
  EXPECT_FALSE(InspectorWrite(TInspectType::UInt8, "1"));
  EXPECT_TRUE(Data().empty());
}

TEST_F(InspectorCommands, TheMenuItemShowsAndHidesWithItsCheckmark) {
  Load({1});
  for (const bool open : {true, false}) {
    DataInspectorMenuItemClick();
    EXPECT_EQ(Options.InspectorOpen, open);
    EXPECT_EQ(View.Menus.Checked["DataInspectorMenuItem"], open);
  }
}

}  // namespace
}  // namespace undo_test
