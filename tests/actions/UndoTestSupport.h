// Fakes and a fixture shared by the history and editing tests: a host that
// counts beeps and keeps the messages, and a view that lays the grid out like
// the window does and logs what it was asked to do, in order.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/Seams.h"

namespace undo_test {

class THostLog : public IHost {
 public:
  int MessageDialog(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int, int) override;
  bool ExecuteFileDialog(TFileDialog&, bool) override { return false; }
  void Beep(TBeepReason) override { ++Beeps; }

  int Beeps = 0;
  std::vector<std::string> Messages;
  std::vector<TMsgDlgType> MessageTypes;
};

class TViewLog : public IView {
 public:
  // Like the window: a font whose "0" measures 8 x 15 pixels, RowsShown rows.
  void RequestLayout() override;
  void InvalidateDataBox() override { Events.push_back("invalidate"); }
  void InvalidateMainPanel() override {}
  void UpdateDataBoxRect(int32_t, int32_t, int32_t, int32_t) override { Events.push_back("cell"); }
  void FlushPaint() override { Events.push_back("flush"); }
  void ScrollDataBox(int32_t) override {}
  void ScrollBarChanged() override {}
  void SetCaption(const std::string&) override {}
  void RestartCursorTimer() override {}
  void ApplyMenuState(const TMenuState& state) override { Menus = state; }
  void SetStatusPanel(int, const std::string&) override {}

  int Count(const std::string& event) const;
  int32_t RowsShown = 8;
  std::vector<std::string> Events;
  TMenuState Menus;
};

// A fresh program state with both fakes installed and the grid laid out.
class TUndoTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Replaces the document (as loading does): these bytes, these marks (none
  // when empty), no history, cursor on byte 0.
  void Load(const std::vector<uint8_t>& bytes, const std::vector<uint8_t>& marks = {});
  std::vector<uint8_t> Data() const;
  std::vector<uint8_t> Marks() const;
  // Puts the cursor on a byte, on its first digit or its character.
  void CursorAt(int32_t offset, bool inChars = false);

  THostLog Host;
  TViewLog View;
};

}  // namespace undo_test
