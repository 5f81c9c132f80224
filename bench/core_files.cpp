// Loading and saving a 1 GiB document against the plain system calls (a save
// against write() and fsync(), since a save is synced to the disk), and the
// peak memory of a loaded document, measured in a fresh child process.
//
//   bench_core_files [--benchmark_filter=...]
//
// The test file lives in a private directory under $TMPDIR (default /tmp)
// and is removed at exit. Nothing is dropped from the page cache: the file
// is read once before the first round, so both sides read it from memory.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "PairedTiming.h"
#include "commands/FileCommands.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/Globals.h"
#include "core/OptionsState.h"

namespace {

constexpr int64_t N = int64_t(1) << 30;
constexpr double MiB = 1024.0 * 1024.0;

// Paths kept in plain arrays so that the signal handler can remove them.
char Dir[256];
char Source[300], Saved[300], Plain[300], SavedOver[300], PlainOver[300];

void RemoveFiles() {
  for (const char* p : {Source, Saved, Plain, SavedOver, PlainOver})
    if (p[0]) ::unlink(p);
  if (Dir[0]) ::rmdir(Dir);
}

void OnSignal(int sig) {
  RemoveFiles();
  ::signal(sig, SIG_DFL);
  ::raise(sig);
}

bool WriteAllTo(int fd, const uint8_t* data, int64_t size) {
  int64_t done = 0;
  while (done < size) {
    const ssize_t n = ::write(fd, data + done, size_t(std::min<int64_t>(size - done, 1 << 30)));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += n;
  }
  return true;
}

bool ReadAllFrom(int fd, uint8_t* data, int64_t size) {
  int64_t done = 0;
  while (done < size) {
    const ssize_t n = ::read(fd, data + done, size_t(std::min<int64_t>(size - done, 1 << 30)));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += n;
  }
  return true;
}

void Fail(const std::string& what) {
  std::perror(what.c_str());
  RemoveFiles();
  std::exit(2);
}

// 1 GiB of random bytes, written in 8 MiB blocks.
void CreateSource() {
  const char* tmp = std::getenv("TMPDIR");
  std::snprintf(Dir, sizeof Dir, "%s/bq-bench-XXXXXX", tmp && *tmp ? tmp : "/tmp");
  if (!::mkdtemp(Dir)) Fail("mkdtemp");
  std::snprintf(Source, sizeof Source, "%s/source.bin", Dir);
  std::snprintf(Saved, sizeof Saved, "%s/saved.bin", Dir);
  std::snprintf(Plain, sizeof Plain, "%s/plain.bin", Dir);
  std::snprintf(SavedOver, sizeof SavedOver, "%s/saved-over.bin", Dir);
  std::snprintf(PlainOver, sizeof PlainOver, "%s/plain-over.bin", Dir);
  ::signal(SIGINT, OnSignal);
  ::signal(SIGTERM, OnSignal);

  std::vector<uint8_t> block(8 << 20);
  std::mt19937_64 random(42);
  for (size_t i = 0; i < block.size(); i += 8) {
    const uint64_t v = random();
    std::memcpy(&block[i], &v, 8);
  }
  const int fd = ::open(Source, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) Fail(Source);
  for (int64_t done = 0; done < N; done += int64_t(block.size()))
    if (!WriteAllTo(fd, block.data(), int64_t(block.size()))) Fail("writing the test file");
  ::close(fd);
}

void EmptyDocument() {
  ResizeDocData(0);
  ResizeDocMarks(0);
  Doc.DocSize = 0;
  Doc.DataChangeCount = 0;
}

void LoadSource() {
  LoadFile(Source);
  if (Doc.DocSize != N) Fail("LoadFile");
}

// The baseline of loading: a fresh buffer of the file's size, filled by read().
TSample PlainRead() {
  uint8_t* buffer = nullptr;
  const TSample t = TimeOf([&] {
    buffer = static_cast<uint8_t*>(std::malloc(size_t(N)));
    const int fd = ::open(Source, O_RDONLY | O_CLOEXEC);
    if (!buffer || fd < 0 || !ReadAllFrom(fd, buffer, N)) Fail("plain read");
    ::close(fd);
  });
  benchmark::DoNotOptimize(buffer[N - 1]);
  std::free(buffer);
  return t;
}

// Both sides start from nothing: the previous document is freed outside the
// timing, as the baseline's buffer is.
TSample EditorLoad() {
  EmptyDocument();
  return TimeOf(LoadSource);
}

void BM_LoadFile(benchmark::State& state) {
  ResetGlobals();
  // Bring the file into the page cache before the first round.
  PlainRead();
  TPairedTiming timing("read", "LoadFile", "ms");
  for (auto _ : state) state.SetIterationTime(timing.Round(PlainRead, EditorLoad));
  timing.Report(state, "load 1 GiB: LoadFile vs open()+read() into a fresh buffer");
  ResetGlobals();
}

// The baseline of saving: write() of the document to a new file beside the
// target and fsync(), as a save that must survive a power failure needs.
// The files of the previous round are removed outside the timing.
TSample PlainWrite(const char* path, bool existing) {
  if (!existing) ::unlink(path);
  return TimeOf([&] {
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_CLOEXEC | (existing ? O_TRUNC : O_EXCL), 0666);
    if (fd < 0 || !WriteAllTo(fd, Doc.DocData, Doc.DocSize) || ::fsync(fd) != 0 || ::close(fd) != 0)
      Fail("plain write");
  });
}

TSample EditorSave(const char* path, bool existing) {
  if (!existing) ::unlink(path);
  return TimeOf([&] {
    if (!SaveFile(path, false)) Fail("SaveFile");
  });
}

void PrepareSave() {
  ResetGlobals();
  Options.OverwriteWarning = false;
  Options.CreateBackUp = false;
  LoadSource();
}

void BM_SaveFile(benchmark::State& state) {
  PrepareSave();
  TPairedTiming timing("write", "SaveFile", "ms");
  for (auto _ : state)
    state.SetIterationTime(
        timing.Round([] { return PlainWrite(Plain, false); }, [] { return EditorSave(Saved, false); }));
  timing.Report(state, "save 1 GiB to a new file: SaveFile vs open()+write()+fsync()");
  ::unlink(Plain);
  ::unlink(Saved);
  ResetGlobals();
}

// Saving over an existing file of the same size: the baseline truncates it,
// writes and syncs; SaveFile writes a temporary file, syncs it, renames it
// over the old one and syncs the directory. Both release the old file's
// pages inside the timing, and both wait for the disk.
void BM_SaveFileOverExisting(benchmark::State& state) {
  PrepareSave();
  PlainWrite(PlainOver, false);
  EditorSave(SavedOver, false);
  TPairedTiming timing("write", "SaveFile", "ms");
  for (auto _ : state)
    state.SetIterationTime(
        timing.Round([] { return PlainWrite(PlainOver, true); }, [] { return EditorSave(SavedOver, true); }));
  timing.Report(state, "save 1 GiB over an existing file: SaveFile vs O_TRUNC+write()+fsync()");
  ::unlink(PlainOver);
  ::unlink(SavedOver);
  ResetGlobals();
}

// The peak resident set size of this process, in bytes.
int64_t PeakRss() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::stoll(line.substr(6)) * 1024;
  return -1;
}

struct TPeaks {
  int64_t Start = -1, Loaded = -1, Marked = -1;
};

// In the child: the peak starts from what the fork left, is reset to the
// current resident set, then follows the load and the marking of every byte.
TPeaks MeasureInChild() {
  TPeaks p;
  std::ofstream("/proc/self/clear_refs") << "5";
  p.Start = PeakRss();
  LoadFile(Source);
  if (Doc.DocSize != N) return p;
  p.Loaded = PeakRss();
  for (int64_t i = 0; i < Doc.DocSize; ++i) Doc.DocMarks[i] = 1;
  benchmark::ClobberMemory();
  p.Marked = PeakRss();
  return p;
}

TPeaks MeasureInFreshProcess() {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) Fail("pipe");
  const pid_t pid = ::fork();
  if (pid < 0) Fail("fork");
  if (pid == 0) {
    ::close(pipeFds[0]);
    const TPeaks p = MeasureInChild();
    const bool ok = ::write(pipeFds[1], &p, sizeof p) == ssize_t(sizeof p);
    ::_exit(ok ? 0 : 1);
  }
  ::close(pipeFds[1]);
  TPeaks p;
  const bool got = ::read(pipeFds[0], &p, sizeof p) == ssize_t(sizeof p);
  ::close(pipeFds[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (!got) Fail("memory child");
  return p;
}

void BM_PeakMemory(benchmark::State& state) {
  // The parent holds no document when it forks.
  ResetGlobals();
  TPeaks p;
  for (auto _ : state) p = MeasureInFreshProcess();
  if (p.Loaded < 0 || p.Marked < 0) {
    state.SkipWithError("loading in the child failed");
    return;
  }
  const double limitLoaded = 1.05 * double(N) + 64 * MiB;
  const double limitMarked = 2.05 * double(N) + 64 * MiB;
  state.counters["start_MiB"] = double(p.Start) / MiB;
  state.counters["loaded_MiB"] = double(p.Loaded) / MiB;
  state.counters["loaded_xN"] = double(p.Loaded) / double(N);
  state.counters["marked_MiB"] = double(p.Marked) / MiB;
  state.counters["marked_xN"] = double(p.Marked) / double(N);
  char line[512];
  std::snprintf(line, sizeof line,
                "peak memory (VmHWM of a fresh child), N = 1 GiB; %.1f MiB at the start:\n"
                "      loaded:             %.1f MiB = %.4f x N (limit 1.05 x N + 64 MiB = %.1f MiB: %s)\n"
                "      every byte marked:  %.1f MiB = %.4f x N (limit 2.05 x N + 64 MiB = %.1f MiB: %s)",
                double(p.Start) / MiB, double(p.Loaded) / MiB, double(p.Loaded) / double(N), limitLoaded / MiB,
                double(p.Loaded) <= limitLoaded ? "met" : "MISSED", double(p.Marked) / MiB,
                double(p.Marked) / double(N), limitMarked / MiB, double(p.Marked) <= limitMarked ? "met" : "MISSED");
  SummaryLines().push_back(line);
}

BENCHMARK(BM_PeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFile)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveFile)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveFileOverExisting)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  CreateSource();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  RemoveFiles();
  PrintSummary();
  return 0;
}
