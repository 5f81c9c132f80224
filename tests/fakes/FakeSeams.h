// Scripted host and recording view for tests without a display. Answers are
// queued (Yes, then Cancel; "saved.bin", then cancel) and every call is kept.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/Digests.h"
#include "core/DocState.h"
#include "core/FindState.h"
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
  std::deque<int> Answers;                             // modal results, in order
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

  std::vector<TFileDialog> FileDialogsShown;  // as they were when shown
  bool ExecuteFileDialog(TFileDialog& dialog, bool) override {
    FileDialogTitles.push_back(dialog.Title);
    FileDialogsShown.push_back(dialog);
    if (FileAnswers.empty() || !FileAnswers.front()) {
      if (!FileAnswers.empty()) FileAnswers.pop_front();
      return false;
    }
    dialog.FileName = *FileAnswers.front();
    FileAnswers.pop_front();
    return true;
  }

  std::vector<TBeepReason> BeepReasons;  // one for each beep, in order
  void Beep(TBeepReason reason) override {
    ++Beeps;
    BeepReasons.push_back(reason);
  }

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

  // Placed message dialogs are kept with their place (and also in Messages,
  // answered from Answers like the others).
  struct TPlace {
    int Left, Top;
  };
  std::vector<TPlace> MessagePlaces;
  int MessageDialogAt(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext, int left,
                      int top) override {
    MessagePlaces.push_back({left, top});
    MessageTopRows.push_back(TopRow());
    return MessageDialog(text, type, buttons, helpContext, NoDefaultButton);
  }
  // Where dialogs cannot be placed (Wayland): the view's top row as each
  // placed question came up.
  bool Placeable = true;
  bool PlacesDialogs() override { return Placeable; }
  std::vector<int32_t> MessageTopRows;
  // The tick counter: each reading returns Tick and then adds TickStep.
  uint32_t Tick = 0;
  uint32_t TickStep = 0;
  int TickReadings = 0;
  std::deque<uint32_t> Ticks;  // when not empty, the readings to come
  uint32_t TickCount() override {
    ++TickReadings;
    if (!Ticks.empty()) {
      const uint32_t scripted = Ticks.front();
      Ticks.pop_front();
      return scripted;
    }
    const uint32_t now = Tick;
    Tick += TickStep;
    return now;
  }
  // The busy cursor: how deep it is now, and how often it began.
  int BusyDepth = 0;
  int BusyBegun = 0;
  void BeginBusy() override {
    ++BusyDepth;
    ++BusyBegun;
  }
  void EndBusy() override { --BusyDepth; }
  int32_t Screen[2] = {1200, 900};
  int32_t ScreenWidth() override { return Screen[0]; }
  int32_t ScreenHeight() override { return Screen[1]; }

  // The clipboard: formats by name with their bytes, numbered from 0xC000
  // like the window's. Size, when not negative, is what the format claims
  // to hold instead of its bytes' length (only for sizes too large for a
  // document, which are refused unread). ClipboardDialogInput plays the
  // user while the dialog shows (it may change the clipboard meanwhile);
  // the dialog answers ClipboardAnswer with ClipboardChoice.
  struct TFakeFormat {
    std::string Name;
    std::string Bytes;
    int64_t Size = -1;
  };
  std::vector<TFakeFormat> Clipboard;
  int ClipboardAnswer = mrOk;
  int ClipboardChoice = 0;
  std::function<void()> ClipboardDialogInput;
  std::vector<std::vector<std::string>> ClipboardDialogLines;
  int ClipboardReads = 0;
  int ClipboardFormatCount() override { return int(Clipboard.size()); }
  std::vector<TClipboardFormat> ClipboardFormats(bool withSizes) override {
    std::vector<TClipboardFormat> formats;
    for (size_t i = 0; i < Clipboard.size(); ++i)
      formats.push_back({uint32_t(0xC000 + i), withSizes ? SizeOf(Clipboard[i]) : 0, Clipboard[i].Name});
    return formats;
  }
  bool ReadClipboardFormat(int index, const std::string& name,
                           const std::function<void(const uint8_t*, size_t)>& use) override {
    if (index < 0 || size_t(index) >= Clipboard.size() || Clipboard[size_t(index)].Name != name) return false;
    ++ClipboardReads;
    const TFakeFormat& f = Clipboard[size_t(index)];
    use(reinterpret_cast<const uint8_t*>(f.Bytes.data()), size_t(SizeOf(f)));
    return true;
  }
  int ShowClipboardDialog(const std::vector<std::string>& lines, int& chosen) override {
    ClipboardDialogLines.push_back(lines);
    if (ClipboardDialogInput) ClipboardDialogInput();
    chosen = ClipboardChoice;
    return ClipboardAnswer;
  }
  static int64_t SizeOf(const TFakeFormat& f) { return f.Size >= 0 ? f.Size : int64_t(f.Bytes.size()); }

  // Copy bytes as: the dialog's answer (start, count, format; count 0 for
  // Cancel), and what went onto the clipboard; Paste bytes reads PasteFrom.
  int32_t CopyStart = 0, CopyCount = 0;
  int CopyFormatChosen = 1;
  std::string Copied;
  bool CopiedRaw = false;
  TPasteSource PasteFrom;
  int ShowCopyBytesDialog(int32_t& start, int32_t& count, int& format) override {
    if (CopyCount <= 0) return mrCancel;
    start = CopyStart;
    count = CopyCount;
    format = CopyFormatChosen;
    return mrOk;
  }
  void SetClipboardBytes(const std::string& data, bool raw) override {
    Copied = data;
    CopiedRaw = raw;
  }
  TPasteSource ReadPasteSource() override { return PasteFrom; }

  // Checksums: the range dialog's answer (count 0 for Cancel; kinds 0 keeps
  // what it proposed), what it proposed, and the jobs the window got.
  int32_t ChecksumStart = 0, ChecksumCount = 0;
  uint32_t ChecksumKindsChosen = 0, ChecksumKindsProposed = 0;
  int ChecksumAnswer = mrOk;
  std::vector<TChecksumJob> ChecksumJobs;
  int ShowChecksumRangeDialog(int32_t& start, int32_t& count, uint32_t& kinds) override {
    ChecksumKindsProposed = kinds;
    if (ChecksumCount <= 0) return mrCancel;
    start = ChecksumStart;
    count = ChecksumCount;
    if (ChecksumKindsChosen) kinds = ChecksumKindsChosen;
    return mrOk;
  }
  int ShowChecksums(const TChecksumJob& job) override {
    ChecksumJobs.push_back(job);
    return ChecksumAnswer;
  }

  // The Info/Statistic dialog: the lines of each showing.
  std::vector<std::vector<std::string>> InfoDialogLines;
  void ShowInfoStatisticDialog(const std::vector<std::string>& lines) override { InfoDialogLines.push_back(lines); }

  // Help: the files that exist, and every showing as (file name, context).
  std::vector<std::string> HelpFiles = {"QorinEditE.html", "QorinEditD.html"};
  std::vector<std::pair<std::string, int>> HelpShown;
  bool ShowHelp(const std::string& fileName, int context) override {
    for (const std::string& f : HelpFiles)
      if (f == fileName) {
        HelpShown.push_back({fileName, context});
        return true;
      }
    return false;
  }

  // Programs: the paths that may be run, the starts, and which still run.
  std::vector<std::string> Executables;
  std::vector<std::string> Started;
  std::vector<int64_t> Running;
  bool StartFails = false;
  bool IsExecutableFile(const std::string& path) override {
    for (const std::string& e : Executables)
      if (e == path) return true;
    return false;
  }
  int64_t StartProgram(const std::string& path) override {
    Started.push_back(path);
    if (StartFails) return 0;
    const int64_t id = 4000 + int64_t(Started.size());
    Running.push_back(id);
    return id;
  }
  bool ProgramRunning(int64_t id) override {
    for (int64_t r : Running)
      if (r == id) return true;
    return false;
  }

  // The Goto and Insert bytes dialogs: each script does to the dialog state
  // what the user would (types a value, clears the pattern) and returns the
  // modal result. Without a script the dialog is cancelled. The modes asked
  // for are kept (deleteMode, append).
  std::deque<std::function<int()>> GotoDialogs, InsertBytesDialogs;
  std::vector<bool> GotoDialogModes, InsertBytesDialogModes;

  int ShowGotoDialog(bool deleteMode) override { return Scripted(GotoDialogs, GotoDialogModes, deleteMode); }
  int ShowInsertBytesDialog(bool append) override {
    return Scripted(InsertBytesDialogs, InsertBytesDialogModes, append);
  }

 private:
  static int Scripted(std::deque<std::function<int()>>& scripts, std::vector<bool>& modes, bool mode) {
    modes.push_back(mode);
    if (scripts.empty()) return mrCancel;
    const std::function<int()> script = std::move(scripts.front());
    scripts.pop_front();
    return script();
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
  void SetStatusPanel(int panel, const std::string& text) override {
    if (OnStatusPanel) OnStatusPanel(panel, text);
    Panels[panel] = text;
  }
  // Called first: a test can fail a command part way, from inside it.
  std::function<void(int, const std::string&)> OnStatusPanel;
  // As the window does: the status bar follows the cursor.
  void CursorMoved() override;
  int CursorMoves = 0;
  int32_t DataBoxTop = 100;
  int32_t DataBoxScreenTop() override { return DataBoxTop; }
  // Long work: the texts it showed, and how often it ended. Like the window,
  // the end gives the third panel back its text.
  std::vector<std::string> Work;
  int WorkEnded = 0;
  bool Working = false;
  std::string PanelBeforeWork;
  std::vector<std::string> Notices;
  void ShowNotice(const std::string& text) override { Notices.push_back(text); }
  void ShowWork(const std::string& text) override {
    if (!Working) PanelBeforeWork = Panels[2];
    Working = true;
    Work.push_back(text);
    Panels[2] = text;
  }
  void EndWork() override {
    ++WorkEnded;
    Working = false;
    Panels[2] = PanelBeforeWork;
  }
  int WindowRepaints = 0;
  void RepaintWindow() override { ++WindowRepaints; }
};

// Installs a fresh state with both fakes and a laid-out grid.
class TSeamFixture {
 public:
  TSeamFixture();
  ~TSeamFixture();
  TFakeHost Host;
  TFakeView View;
};
