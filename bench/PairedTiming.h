// Two sides of a comparison measured in alternation within one benchmark:
// each round runs the plain baseline and the program's own code once, the
// order swapping from round to round, so that whatever else the machine does
// meanwhile (compilers, page-cache writeback) falls on both sides alike.
//
// Each side is timed twice: by the wall clock, and by the CPU time of this
// thread (system calls and page faults included). On a machine shared with
// other work the CPU time is far steadier, since waiting for a core is not
// counted; the wall clock also catches sleeping in the kernel.
#pragma once

#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

struct TSample {
  double Wall = 0;  // seconds
  double Cpu = 0;
};

inline double ThreadCpuSeconds() {
  timespec ts;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

template <class F>
TSample TimeOf(F&& f) {
  const double cpu0 = ThreadCpuSeconds();
  const auto t0 = std::chrono::steady_clock::now();
  f();
  const auto t1 = std::chrono::steady_clock::now();
  return {std::chrono::duration<double>(t1 - t0).count(), ThreadCpuSeconds() - cpu0};
}

// One line per paired benchmark, printed after all of them have run.
inline std::vector<std::string>& SummaryLines() {
  static std::vector<std::string> lines;
  return lines;
}

inline void PrintSummary() {
  if (SummaryLines().empty()) return;
  std::printf("\nSummary (same run; ratio = program's code / baseline):\n");
  for (const std::string& line : SummaryLines()) std::printf("  %s\n", line.c_str());
  std::fflush(stdout);
}

// The body of every benchmark program's main: runs what the command line
// selects, then prints the summary of the paired ratios. False when the
// command line holds something the library does not know.
inline bool RunPairedBenchmarks(int& argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return false;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  PrintSummary();
  return true;
}

class TPairedTiming {
 public:
  // unit: "ms", "us" or "ns"; perOp divides each measured time, for sides
  // that time a batch of operations.
  TPairedTiming(std::string baseName, std::string subjectName, std::string unit, double perOp = 1)
      : FBaseName(std::move(baseName)),
        FSubjectName(std::move(subjectName)),
        FUnit(std::move(unit)),
        FScale((FUnit == "ms"   ? 1e3
                : FUnit == "us" ? 1e6
                                : 1e9) /
               perOp) {}

  // Runs both sides once, the baseline first in odd rounds; returns the wall
  // time of the round for the benchmark's manual timing.
  template <class Base, class Subject>
  double Round(Base&& base, Subject&& subject) {
    TSample b, s;
    const bool baseFirst = FBase.size() % 2 == 0;
    if (baseFirst) {
      b = base();
      s = subject();
    } else {
      s = subject();
      b = base();
    }
    FBase.push_back(b);
    FSubject.push_back(s);
    // BQ_BENCH_ROUNDS=1 shows every round, for telling noise from a trend.
    static const bool verbose = std::getenv("BQ_BENCH_ROUNDS") != nullptr;
    if (verbose)
      std::fprintf(stderr, "  round %3zu: %s %.3f (cpu %.3f), %s %.3f (cpu %.3f) %s%s\n", FBase.size(),
                   FBaseName.c_str(), b.Wall * FScale, b.Cpu * FScale, FSubjectName.c_str(), s.Wall * FScale,
                   s.Cpu * FScale, FUnit.c_str(), baseFirst ? "" : "  [program's code first]");
    return b.Wall + s.Wall;
  }

  // Counters: the median of each side, the median of the per-round ratios,
  // and the ratio of the fastest rounds (the least disturbed ones), by wall
  // clock and by CPU time.
  void Report(benchmark::State& state, const std::string& title) const {
    if (FBase.empty()) return;
    const TStats wall = Stats(&TSample::Wall), cpu = Stats(&TSample::Cpu);
    state.counters[FBaseName + "_" + FUnit] = wall.Base;
    state.counters[FSubjectName + "_" + FUnit] = wall.Subject;
    state.counters["ratio"] = wall.Ratio;
    state.counters["ratio_min"] = wall.RatioMin;
    state.counters[FBaseName + "_cpu_" + FUnit] = cpu.Base;
    state.counters[FSubjectName + "_cpu_" + FUnit] = cpu.Subject;
    state.counters["cpu_ratio"] = cpu.Ratio;
    state.counters["cpu_ratio_min"] = cpu.RatioMin;
    char line[768];
    std::snprintf(line, sizeof line,
                  "%s (%zu rounds, medians):\n"
                  "      wall: %s %.3f %s, %s %.3f %s; ratio %.3f (median of rounds), %.3f (fastest rounds)\n"
                  "      cpu:  %s %.3f %s, %s %.3f %s; ratio %.3f (median of rounds), %.3f (fastest rounds)",
                  title.c_str(), FBase.size(), FSubjectName.c_str(), wall.Subject, FUnit.c_str(), FBaseName.c_str(),
                  wall.Base, FUnit.c_str(), wall.Ratio, wall.RatioMin, FSubjectName.c_str(), cpu.Subject, FUnit.c_str(),
                  FBaseName.c_str(), cpu.Base, FUnit.c_str(), cpu.Ratio, cpu.RatioMin);
    SummaryLines().push_back(line);
  }

 private:
  struct TStats {
    double Base, Subject, Ratio, RatioMin;
  };

  TStats Stats(double TSample::*field) const {
    std::vector<double> b, s, ratios;
    for (size_t i = 0; i < FBase.size(); ++i) {
      b.push_back(FBase[i].*field);
      s.push_back(FSubject[i].*field);
      ratios.push_back(s.back() / b.back());
    }
    return {Median(b) * FScale, Median(s) * FScale, Median(ratios),
            *std::min_element(s.begin(), s.end()) / *std::min_element(b.begin(), b.end())};
  }

  static double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
  }

  std::string FBaseName, FSubjectName, FUnit;
  double FScale;
  std::vector<TSample> FBase, FSubject;
};
