// The largest document there can be, driven through the commands with a
// scripted host: load a file of 2^31 - 1 bytes, edit its last byte, find a
// sequence placed at its end, mark the last byte, undo and redo, save, load
// the saved file, compare it with the original through Compare with file,
// and save and load the marks that made. Each step is checked and timed, with the peak memory it reached.
//
//   stress_2gib ORIGINAL SAVED
//
// ORIGINAL must hold 2^31 - 1 bytes ending in Needle followed by one byte 0
// (stress_2gib.sh makes it). Exit status 0 when every step did what it must.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "commands/CompareCommands.h"
#include "commands/EditCommands.h"
#include "commands/FileCommands.h"
#include "commands/FindCommands.h"
#include "commands/MarkCommands.h"
#include "commands/MarksFileCommands.h"
#include "core/Cursor.h"
#include "core/DocState.h"
#include "core/FindState.h"
#include "core/GridState.h"
#include "core/Helpers.h"
#include "core/OptionsState.h"
#include "fakes/FakeSeams.h"

namespace {

constexpr int32_t N = INT32_MAX;
const std::string Needle = "the needle at the very end";
constexpr double MiB = 1024.0 * 1024.0;

int64_t StatusValue(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(key, 0) == 0) return std::stoll(line.substr(std::strlen(key))) * 1024;
  return -1;
}

int Failures = 0;
// The highest of the steps' peaks: each step resets the counter, so the
// process's own maximum (what /usr/bin/time reports) misses earlier steps.
int64_t OverallPeak = 0;

void Check(bool ok, const char* what) {
  if (!ok) {
    std::printf("  FAILED: %s\n", what);
    ++Failures;
  }
}

// Runs one step, with the peak resident set reset before it.
template <class F>
void Step(const char* name, F&& f) {
  std::ofstream("/proc/self/clear_refs") << "5";
  const auto t0 = std::chrono::steady_clock::now();
  f();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  OverallPeak = std::max(OverallPeak, StatusValue("VmHWM:"));
  std::printf("%-44s %8.3f s   peak %8.1f MiB   now %8.1f MiB\n", name, seconds, double(StatusValue("VmHWM:")) / MiB,
              double(StatusValue("VmRSS:")) / MiB);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: stress_2gib ORIGINAL SAVED\n");
    return 2;
  }
  const std::string original = argv[1], saved = argv[2];
  TSeamFixture seams;
  Options.OverwriteWarning = false;
  Options.CreateBackUp = false;
  Grid.Hex = true;
  seams.View.RequestLayout();
  const int32_t last = N - 1;
  const int32_t needleAt = N - 1 - int32_t(Needle.size());

  Step("load 2,147,483,647 bytes", [&] { LoadFile(original); });
  Check(Doc.DocSize == N, "the whole file is loaded");
  Check(seams.Host.Messages.empty(), "no message while loading");
  if (Doc.DocSize != N) return 1;
  Check(Doc.DocData[last] == 0, "the last byte is 0");

  Step("edit the last byte (type 4 on its first digit)", [&] {
    GotoOffset(last, false, false);
    FormKeyPress('4');
  });
  Check(Doc.DocData[last] == 0x40, "the last byte is 0x40");
  Check(Doc.DataChangeCount == 1, "one change");

  Step("find the sequence at the end from the start", [&] {
    FindState().FindData.SetBuf(std::vector<uint8_t>(Needle.begin(), Needle.end()));
    FindState().BeginCursorRB = false;
    FindState().DirectionUpRB = false;
    seams.Host.FindAnswers = {mrOk};
    FindMainMenuItemClick();
  });
  Check(CursorOffset() == needleAt, "the cursor is on the match");
  Check(FindFrom(needleAt + 1, false) == -1, "no match after it");

  Step("mark the last byte red", [&] {
    GotoOffset(last, false, false);
    DoMarkRed();
  });
  Check(Doc.DocMarks[last] == 1, "the last byte is red");

  Step("undo twice (mark, edit)", [&] {
    EditUndoMainMenuItemClick();
    EditUndoMainMenuItemClick();
  });
  Check(Doc.DocMarks[last] == 0 && Doc.DocData[last] == 0, "both undone");
  Check(Doc.DataChangeCount == 0, "unchanged again");

  Step("redo twice", [&] {
    EditRedoMainMenuItemClick();
    EditRedoMainMenuItemClick();
  });
  Check(Doc.DocMarks[last] == 1 && Doc.DocData[last] == 0x40, "both redone");

  bool written = false;
  Step("save to a new file (synced)", [&] { written = SaveFile(saved, false); });
  Check(written, "saved");
  Check(seams.Host.Messages.empty(), "no message while saving");

  Step("load the saved file", [&] { LoadFile(saved); });
  Check(Doc.DocSize == N && Doc.DocData[last] == 0x40, "the saved bytes come back");
  Check(Doc.DocMarks[last] == 0, "loading cleared the marks");

  Step("compare with the original and mark the difference", [&] {
    seams.Host.FileAnswers = {original};
    seams.Host.Answers = {mrYes};
    CompareMenuItemClick();
  });
  Check(seams.Host.Messages.size() == 1, "one question");
  if (!seams.Host.Messages.empty()) std::printf("  the question: %s\n", seams.Host.Messages[0].Text.c_str());
  Check(Doc.DocMarks[last] != 0, "the last byte is marked as different");
  Check(Doc.DocMarks[needleAt] == 0 && Doc.DocMarks[0] == 0, "nothing else is marked");

  // The marks file's run sums sit right at the 32-bit limit here.
  const std::string marksFile = saved + ".mrk";
  const uint8_t lastMark = Doc.DocMarks[last];
  Step("save the marks (the last byte marked)", [&] {
    seams.Host.Messages.clear();
    seams.Host.FileAnswers = {marksFile};
    MarkSaveAsMainMenuItemClick();
  });
  Check(seams.Host.Messages.empty(), "no message while saving the marks");
  Step("undo the compare's marks", [&] { EditUndoMainMenuItemClick(); });
  Check(Doc.DocMarks[last] == 0, "the marks are gone");
  Step("load the marks", [&] {
    seams.Host.FileAnswers = {marksFile};
    MarkOpenMainMenuItemClick();
  });
  Check(seams.Host.Messages.empty(), "no message while loading the marks");
  Check(Doc.DocMarks[last] == lastMark && Doc.DocMarks[last - 1] == 0 && Doc.DocMarks[0] == 0, "the marks come back");

  std::printf("peak memory over all steps: %.1f MiB (%.3f x the document)\n", double(OverallPeak) / MiB,
              double(OverallPeak) / double(N));
  std::printf("%s\n", Failures ? "STRESS RUN FAILED" : "every step did what it must");
  return Failures ? 1 : 0;
}
