// Bulk marking over a 256 MiB document: Compare with file (identical, and
// differing in every byte with the differences marked), loading a marks file
// that changes every mark, and Unmark all with every byte marked. Each is
// measured in the same run as the plain baseline: one read() of a 256 MiB
// file plus a memcmp of the same bytes against the document.
//
//   bench_core_bulk_marks [--benchmark_filter=...]
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "BenchDocument.h"
#include "PairedTiming.h"
#include "actions/Actions.h"
#include "commands/CompareCommands.h"
#include "commands/MarkCommands.h"
#include "commands/MarksFileCommands.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/Globals.h"
#include "core/Helpers.h"
#include "core/MarksCodec.h"

namespace {

constexpr int64_t Size = int64_t(256) << 20;

// Answers every file dialog with one name and every question with Yes.
class TBenchHost : public TNullHost {
 public:
  std::string Name;
  int MessageDialog(const std::string&, TMsgDlgType, TMsgDlgButtons b, int, int) override {
    return b & Btn(mbYes) ? mrYes : mrOk;
  }
  bool ExecuteFileDialog(TFileDialog& d, bool) override {
    d.FileName = Name;
    return true;
  }
};

TBenchHost Host;
TLayoutView View(40);
TBenchDocument Saved;
std::string Dir, Same, Different, MarksFile;
std::vector<uint8_t> Buffer;

void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::exit(2);
}

void WriteFile(const std::string& name, const uint8_t* data, size_t n) {
  std::ofstream out(name, std::ios::binary);
  out.write(reinterpret_cast<const char*>(data), std::streamsize(n));
  if (!out) Fail("cannot write the benchmark files");
}

void SetUp() {
  if (Saved.Data) return;
  ResetGlobals();
  SetSeams(&Host, &View);
  ResizeDocData(Size);
  FreshDocMarks(Size);
  Doc.DocSize = int32_t(Size);
  for (int64_t i = 0; i < Size; ++i) Doc.DocData[i] = uint8_t(i * 7 + (i >> 12));
  Saved = TakeDocument();
  char tmpl[] = "/tmp/bq-bench-XXXXXX";
  Dir = mkdtemp(tmpl);
  Same = Dir + "/same.bin";
  Different = Dir + "/different.bin";
  MarksFile = Dir + "/all.mrk";
  WriteFile(Same, Saved.Data, size_t(Size));
  std::vector<uint8_t> other(Saved.Data, Saved.Data + Size);
  for (auto& b : other) b ^= 0x5A;
  WriteFile(Different, other.data(), other.size());
  // Runs of 32 red bytes, then yellow for the last run: every mark changes.
  std::string marks = MarksSignature + std::string(size_t(Size / 32), char(31 * 8 + mcRed));
  WriteFile(MarksFile, reinterpret_cast<const uint8_t*>(marks.data()), marks.size());
  Buffer.resize(size_t(Size));
}

// The baseline: one read() of a document-sized file and a memcmp.
TSample ReadAndCompare(const std::string& name) {
  return TimeOf([&] {
    const int fd = ::open(name.c_str(), O_RDONLY);
    size_t got = 0;
    while (got < Buffer.size()) {
      const ssize_t r = ::read(fd, Buffer.data() + got, Buffer.size() - got);
      if (r <= 0) break;
      got += size_t(r);
    }
    ::close(fd);
    benchmark::DoNotOptimize(std::memcmp(Buffer.data(), Saved.Data, got));
  });
}

// Runs a command on the document with clean marks and history, and checks it.
template <class Prepare, class Command, class Verify>
TSample RunCommand(Prepare prepare, Command command, Verify verify) {
  PutDocument(Saved);
  ActionList().Forget();
  prepare();
  View.RequestLayout();
  const TSample t = TimeOf(command);
  if (!verify()) Fail("the command did not do its work");
  ActionList().Forget();
  std::memset(Doc.DocMarks, 0, size_t(Size));
  Saved = TakeDocument();
  return t;
}

enum TCase { CompareSame, CompareDifferent, LoadMarks, UnmarkAll };

void BM_Bulk(benchmark::State& state) {
  SetUp();
  const auto kind = TCase(state.range(0));
  const char* titles[] = {"Compare, identical file, 256 MiB", "Compare, every byte differs, marked, 256 MiB",
                          "Load a marks file changing every mark, 256 MiB", "Unmark all, every byte marked, 256 MiB"};
  TPairedTiming timing("read+memcmp", "command", "ms");
  const std::string& baselineFile = kind == CompareDifferent ? Different : Same;
  for (auto _ : state) {
    state.SetIterationTime(timing.Round(
        [&] { return ReadAndCompare(baselineFile); },
        [&] {
          switch (kind) {
            case CompareSame:
              Host.Name = Same;
              return RunCommand([] {}, CompareMenuItemClick, [] { return !ActionList().CanUndo(); });
            case CompareDifferent:
              Host.Name = Different;
              return RunCommand([] {}, CompareMenuItemClick,
                                [] { return Doc.DocMarks[0] == mcRed && Doc.DocMarks[Size - 1] == mcRed; });
            case LoadMarks:
              Host.Name = MarksFile;
              return RunCommand([] {}, MarkOpenMainMenuItemClick,
                                [] { return Doc.DocMarks[0] == mcRed && Doc.DocMarks[Size - 1] == mcRed; });
            case UnmarkAll:
              return RunCommand([] { std::memset(Doc.DocMarks, mcBlue, size_t(Size)); }, DoUnmarkAll,
                                [] { return Doc.DocMarks[Size - 1] == 0 && ActionList().CanUndo(); });
          }
          return TSample{};
        }));
  }
  state.SetLabel(titles[kind]);
  timing.Report(state, titles[kind]);
}

BENCHMARK(BM_Bulk)->DenseRange(0, 3)->Iterations(9)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (!RunPairedBenchmarks(argc, argv)) return 1;
  if (Saved.Data) {
    FreeDocument(Saved);
    std::remove(Same.c_str());
    std::remove(Different.c_str());
    std::remove(MarksFile.c_str());
    ::rmdir(Dir.c_str());
  }
  return 0;
}
