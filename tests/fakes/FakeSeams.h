// Scripted host and recording view for tests without a display. Answers are
// queued (Yes, then Cancel; "saved.bin", then cancel) and every call is kept.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/FindState.h"
#include "core/Globals.h"
#include "core/PrintLayout.h"
#include "core/Seams.h"

struct TShownMessage {
  std::string Text;
  TMsgDlgType Type;
  TMsgDlgButtons Buttons;
  int DefaultButton;
};

class TFakeHost : public IHost {
 public:
  std::deque<int> Answers;                           // modal results, in order
  std::deque<std::optional<std::string>> FileAnswers;  // a name, or nullopt for cancel
  std::vector<TShownMessage> Messages;
  std::vector<std::string> FileDialogTitles;
  int Beeps = 0;

  int MessageDialog(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int,
                    int defaultButton) override {
    Messages.push_back({text, type, buttons, defaultButton});
    if (Answers.empty()) return buttons & Btn(mbOK) ? mrOk : mrCancel;
    const int answer = Answers.front();
    Answers.pop_front();
    return answer;
  }

  bool ExecuteFileDialog(TFileDialog& dialog, bool) override {
    FileDialogTitles.push_back(dialog.Title);
    if (FileAnswers.empty() || !FileAnswers.front()) {
      if (!FileAnswers.empty()) FileAnswers.pop_front();
      return false;
    }
    dialog.FileName = *FileAnswers.front();
    FileAnswers.pop_front();
    return true;
  }

  void Beep() override { ++Beeps; }

  // The Find dialog: each showing records its mode, lets the test play the
  // user (FindDialogInput edits the dialog state), and answers the next of
  // FindAnswers (Cancel when none is left). Like the dialog, a showing
  // clears Accepted and OK or All set it.
  std::deque<int> FindAnswers;
  std::vector<TFindMode> FindDialogModes;
  std::function<void(TFindState&)> FindDialogInput;
  int ShowFindDialog(TFindMode mode) override {
    FindDialogModes.push_back(mode);
    TFindState& s = FindState();
    s.Accepted = false;
    if (FindDialogInput) FindDialogInput(s);
    int answer = mrCancel;
    if (!FindAnswers.empty()) {
      answer = FindAnswers.front();
      FindAnswers.pop_front();
    }
    s.Accepted = answer == mrOk || answer == FindAllResult;
    return answer;
  }

  // The print dialog: each showing records the preset, PrintDialogInput
  // plays the user and says whether OK was pressed (no input: cancel).
  // Each job records its pages and answers the next of PrintResults (mrOk
  // when none is left).
  std::vector<TPrintDialogData> PrintDialogs;
  std::function<bool(TPrintDialogData&)> PrintDialogInput;
  std::vector<TPrintDialogData> PrintJobs;
  std::deque<int> PrintResults;
  bool ExecutePrintDialog(TPrintDialogData& dialog) override {
    PrintDialogs.push_back(dialog);
    return PrintDialogInput && PrintDialogInput(dialog);
  }
  int PrintDocument(const TPrintDialogData& dialog) override {
    PrintJobs.push_back(dialog);
    if (PrintResults.empty()) return mrOk;
    const int result = PrintResults.front();
    PrintResults.pop_front();
    return result;
  }
};

struct TRect {
  int32_t X, Y, W, H;
};

class TFakeView : public IView {
 public:
  int Layouts = 0;
  int DataBoxInvalidations = 0;
  int PanelInvalidations = 0;
  int MenuRefreshes = 0;
  std::vector<TRect> CellRects;
  std::vector<int32_t> Scrolls;
  std::string Caption;
  std::string Panels[3];
  TMenuState Menus;
  // Like the window: a layout recomputes the geometry for a font whose "0"
  // is 8 x 15 pixels and shows this many rows.
  int32_t RowsShown = 20;

  void RequestLayout() override;
  void InvalidateDataBox() override { ++DataBoxInvalidations; }
  void InvalidateMainPanel() override { ++PanelInvalidations; }
  void UpdateDataBoxRect(int32_t x, int32_t y, int32_t w, int32_t h) override { CellRects.push_back({x, y, w, h}); }
  void FlushPaint() override {}
  void ScrollDataBox(int32_t dy) override { Scrolls.push_back(dy); }
  void ScrollBarChanged() override {}
  void SetCaption(const std::string& caption) override { Caption = caption; }
  void RestartCursorTimer() override {}
  void ApplyMenuState(const TMenuState& state) override {
    Menus = state;
    ++MenuRefreshes;
  }
  void SetStatusPanel(int panel, const std::string& text) override { Panels[panel] = text; }
};

// Installs a fresh state with both fakes and a laid-out grid.
class TSeamFixture {
 public:
  TSeamFixture();
  ~TSeamFixture();
  TFakeHost Host;
  TFakeView View;
};
