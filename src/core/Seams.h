// The two narrow interfaces through which the Qt-free program reaches the
// world. The host answers what the user or the system answers (dialogs, the
// beep); the view does what the screen must do afterwards (repaint, lay out,
// scroll). The main window implements both; tests use scripted fakes.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/DocState.h"
#include "core/GridState.h"

enum class TMsgDlgType { Warning = 0, Error = 1, Information = 2, Confirmation = 3, Custom = 4 };

// Buttons in the order the message dialog lays them out.
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbHelp };
using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons Btn(TMsgDlgBtn b) { return 1u << b; }
constexpr TMsgDlgButtons mbYesNoCancel = Btn(mbYes) | Btn(mbNo) | Btn(mbCancel);
constexpr TMsgDlgButtons mbYesNo = Btn(mbYes) | Btn(mbNo);
constexpr TMsgDlgButtons mbOKOnly = Btn(mbOK);
constexpr int NoDefaultButton = -1;

// The three modes of the Find dialog (core/FindState.h).
enum class TFindMode;
// The print dialog's page range (core/PrintLayout.h).
struct TPrintDialogData;
// What the checksum window computes and shows (core/Digests.h).
struct TChecksumJob;

// One format on the clipboard: its identifier, the size of its data in
// bytes, and its registered name (empty when it has none).
struct TClipboardFormat {
  uint32_t Id = 0;
  int64_t Size = 0;
  std::string Name;
};

// Why the program beeps. The beep alone is easily missed (many desktops
// keep it silent), so the window also shows the reason for a moment.
enum class TBeepReason {
  NotFound,         // Find, Find next / previous, Replace: no match
  EndOfDocument,    // Go to past the last byte: the cursor stops there
  NoFurtherMark,    // no mark (of that colour) in that direction
  NoIdenticalByte,  // no byte of the same value in that direction
  InvalidKey,       // a key the cell or field does not take
  DigitTooLarge,    // a decimal digit the place cannot hold
  ValueLimited,     // decimal digits above 255: the byte became 255
  NoRoom,           // a field has no room for another byte or digit
  NumberTooLarge,   // a number field would overflow
  InvalidValue,     // the data inspector: a value that does not parse or fit
  NothingToPaste,   // Paste bytes: an empty clipboard, or nothing in it to read
};

// What the clipboard offers for pasting bytes: raw bytes when it has them,
// else its text (UTF-8).
struct TPasteSource {
  bool HasRaw = false;
  std::vector<uint8_t> Raw;
  std::string Text;
};

// Modal results.
enum TModalResult {
  mrNone = 0,
  mrOk = 1,
  mrCancel = 2,
  mrAbort = 3,
  mrRetry = 4,
  mrIgnore = 5,
  mrYes = 6,
  mrNo = 7,
  mrAll = 8
};

class IHost {
 public:
  virtual ~IHost() = default;
  // Shows the localised message dialog modally and returns the modal result.
  // defaultButton is a TMsgDlgBtn, or NoDefaultButton for the usual default.
  virtual int MessageDialog(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext,
                            int defaultButton) = 0;
  // Shows an open (save false) or save dialog starting from dialog's initial
  // directory and file name. On confirmation sets dialog.FileName and returns true.
  virtual bool ExecuteFileDialog(TFileDialog& dialog, bool save) = 0;
  virtual void Beep(TBeepReason reason) = 0;
  // Shows the Find dialog modally in mode (the caller has set the mode flags
  // of FindState()) and returns its modal result: mrOk, FindAllResult or
  // mrCancel.
  virtual int ShowFindDialog(TFindMode /*mode*/) { return mrCancel; }
  // The Goto dialog over GotoDialog(), in Goto mode or (deleteMode) asking
  // for the count of Delete bytes; returns the modal result. Hosts without
  // dialogs answer Cancel.
  virtual int ShowGotoDialog(bool /*deleteMode*/) { return mrCancel; }
  // The Insert bytes dialog (or, with append, Append bytes) over
  // InsertBytesDialog(); returns the modal result.
  virtual int ShowInsertBytesDialog(bool /*append*/) { return mrCancel; }
  // Shows the help file of that name, looked for where the program keeps
  // its data, scrolled to the anchor named after context. False when no such
  // file is found.
  virtual bool ShowHelp(const std::string& /*fileName*/, int /*context*/) { return false; }
  // Whether path names a file this user may run.
  virtual bool IsExecutableFile(const std::string& /*path*/) { return false; }
  // Starts the program at path on its own, not waited for: its process id,
  // or 0 when it could not be started.
  virtual int64_t StartProgram(const std::string& /*path*/) { return 0; }
  // Whether the program started with that process id still runs.
  virtual bool ProgramRunning(int64_t /*processId*/) { return false; }

  // The clipboard, its formats in the order the system gives them. Sizes are
  // measured only when asked for (withSizes), since that reads every format.
  virtual int ClipboardFormatCount() { return 0; }
  virtual std::vector<TClipboardFormat> ClipboardFormats(bool /*withSizes*/) { return {}; }
  // Hands the data of the format at index to use, provided the format there
  // is still the one named name; false (and use not called) when it has gone.
  virtual bool ReadClipboardFormat(int /*index*/, const std::string& /*name*/,
                                   const std::function<void(const uint8_t*, size_t)>& /*use*/) {
    return false;
  }
  // The clipboard dialog over the listed lines: its modal result, and in
  // chosen the index of the line chosen.
  virtual int ShowClipboardDialog(const std::vector<std::string>& /*lines*/, int& /*chosen*/) { return mrCancel; }
  // Copy bytes as: the range picker with its list of formats; start, count
  // and format (a TCopyFormat) come back on mrOk.
  virtual int ShowCopyBytesDialog(int32_t& /*start*/, int32_t& /*count*/, int& /*format*/) { return mrCancel; }
  // Puts data on the clipboard: as raw bytes (application/octet-stream,
  // no text), or as UTF-8 text.
  virtual void SetClipboardBytes(const std::string& /*data*/, bool /*raw*/) {}
  virtual TPasteSource ReadPasteSource() { return {}; }
  // Checksums: the range picker with the algorithms to compute; start, count
  // and kinds (a TDigestKinds) come back on mrOk.
  virtual int ShowChecksumRangeDialog(int32_t& /*start*/, int32_t& /*count*/, uint32_t& /*kinds*/) {
    return mrCancel;
  }
  // Computes the job's digests while showing how far it has got, then shows
  // them until the user closes the window (mrOk); mrCancel when the user
  // stopped the work. The document cannot change meanwhile.
  virtual int ShowChecksums(const TChecksumJob& /*job*/) { return mrCancel; }
  // The Info/Statistic dialog over the lines of the report, modally.
  virtual void ShowInfoStatisticDialog(const std::vector<std::string>& /*lines*/) {}
  // The message dialog with its top left corner at (left, top) on the screen
  // instead of centred; hosts without placement show it as usual.
  virtual int MessageDialogAt(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext,
                              int /*left*/, int /*top*/) {
    return MessageDialog(text, type, buttons, helpContext, NoDefaultButton);
  }
  // Whether MessageDialogAt puts the dialog where it is asked to. Under
  // Wayland the compositor places every window itself.
  virtual bool PlacesDialogs() { return true; }
  // A millisecond tick counter; only differences between two readings count.
  virtual uint32_t TickCount() {
    using namespace std::chrono;
    return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
  }
  // The screen's size in pixels.
  virtual int32_t ScreenWidth() { return 1024; }
  virtual int32_t ScreenHeight() { return 768; }
  // Shows the print dialog preset from dialog; when the user confirms,
  // leaves the chosen range in dialog and returns true.
  virtual bool ExecutePrintDialog(TPrintDialogData& /*dialog*/) { return false; }
  // Prints the pages the dialog chose on the chosen printer, showing the
  // progress window: mrOk when done, mrCancel when stopped, mrAbort when the
  // printer failed.
  virtual int PrintDocument(const TPrintDialogData& /*dialog*/) { return mrCancel; }
  // The busy cursor over the program's windows from BeginBusy to the
  // matching EndBusy (the pairs nest). A message shown meanwhile gets the
  // ordinary cursor, since it waits for the user.
  virtual void BeginBusy() {}
  virtual void EndBusy() {}
};

// The enabled state, checkmark and caption of the menu items and toolbar
// buttons, by object name, as the central refresh computes them.
struct TMenuState {
  std::map<std::string, bool> Enabled;
  std::map<std::string, bool> Checked;
  std::map<std::string, std::string> Captions;
  std::map<std::string, bool> Visible;
};

class IView {
 public:
  virtual ~IView() = default;
  // Recompute the geometry and fit the window to the grid (the layout).
  virtual void RequestLayout() = 0;
  // Repaint the whole data area / the offset column and header, without erasing.
  virtual void InvalidateDataBox() = 0;
  virtual void InvalidateMainPanel() = 0;
  // Repaint a rectangle of the data area (a cell redraw).
  virtual void UpdateDataBoxRect(int32_t x, int32_t y, int32_t w, int32_t h) = 0;
  // Paint whatever is pending now.
  virtual void FlushPaint() = 0;
  // Shift the data area's pixels by dy (down when positive), repaint the
  // uncovered strip and the offset column at once.
  virtual void ScrollDataBox(int32_t dy) = 0;
  // Mirror Grid.VertBar into the visible scroll bar.
  virtual void ScrollBarChanged() = 0;
  virtual void SetCaption(const std::string& caption) = 0;
  virtual void RestartCursorTimer() = 0;
  virtual void ApplyMenuState(const TMenuState& state) = 0;
  // Status bar panels 0 (position), 1 (value), 2 (distance or progress).
  virtual void SetStatusPanel(int panel, const std::string& text) = 0;
  // The cursor has moved (or its byte has changed under it): whatever shows
  // the cursor's byte, the status bar first, follows.
  virtual void CursorMoved() {}
  // The screen y of the top of the data area's client rectangle.
  virtual int32_t DataBoxScreenTop() { return 0; }
  // A short notice in the third status panel, for a moment ("3 bytes
  // copied").
  virtual void ShowNotice(const std::string& /*text*/) {}
  // Shows or hides the data inspector (its menu item has been flipped).
  virtual void ShowInspector(bool /*shown*/) {}
  // Every caption, shortcut text and hint in the current language, then the
  // central refresh and a full repaint. Views without captions ignore it.
  virtual void SetLanguageCaptions() {}
  // The reason of the beep just given, shown for a moment in the status bar
  // in place of panel 2's text.
  virtual void ShowBeepReason(TBeepReason /*reason*/) {}
  // How far long work has got ("Loading 42%"), in the third status panel and
  // painted at once; EndWork gives the panel back what it showed before.
  virtual void ShowWork(const std::string& /*text*/) {}
  virtual void EndWork() {}
  // Paints the whole window now, uncovered parts included: after a dialog
  // closed over it and before long work that leaves no time to paint.
  virtual void RepaintWindow() {}
  // The document's file, to be watched for changes other programs make
  // (empty: none); each call starts the watch afresh.
  virtual void WatchFile(const std::string& /*name*/) {}
};

// A host that answers every dialog with Cancel and beeps nowhere, and a view
// that does nothing: the stand-ins until a window is installed, and a base
// for fakes that care about a few calls only.
class TNullHost : public IHost {
 public:
  int MessageDialog(const std::string&, TMsgDlgType, TMsgDlgButtons, int, int) override { return mrCancel; }
  bool ExecuteFileDialog(TFileDialog&, bool) override { return false; }
  void Beep(TBeepReason) override {}
};

class TNullView : public IView {
 public:
  void RequestLayout() override {}
  void InvalidateDataBox() override {}
  void InvalidateMainPanel() override {}
  void UpdateDataBoxRect(int32_t, int32_t, int32_t, int32_t) override {}
  void FlushPaint() override {}
  void ScrollDataBox(int32_t) override {}
  void ScrollBarChanged() override {}
  void SetCaption(const std::string&) override {}
  void RestartCursorTimer() override {}
  void ApplyMenuState(const TMenuState&) override {}
  void SetStatusPanel(int, const std::string&) override {}
};

// The current seams; the null ones stand in until something is installed.
IHost& Host();
IView& View();
void SetSeams(IHost* host, IView* view);

// The message dialogs of the program.
int ShowMessageDialog(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext);
int ShowDefaultMessageDialog(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext,
                             TMsgDlgBtn defaultButton);
// The beep, and its reason on the screen.
inline void Beep(TBeepReason reason) {
  Host().Beep(reason);
  View().ShowBeepReason(reason);
}
