// Printing a 10,000-page range (a 10.4 MB document, 16 x 68 bytes a page)
// to a PDF file in one job, as the program does it: the page painter, the
// marks hatched, pending events let in after every row. Each page is timed
// on its own; the pages 9,001 to 10,000 are then set against the pages 1 to
// 1,000 of the same job, block by block of 100 pages, so that a cost that
// grows with the page number (or with the pages already written) would show
// as a ratio above 1.
//
//   bench_gui_print [--benchmark_filter=...]
#include <QApplication>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "PairedTiming.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/GridState.h"
#include "core/OptionsState.h"
#include "core/PrintLayout.h"
#include "printing/PrintJob.h"

namespace {

constexpr int32_t Pages = 10000;
constexpr int32_t Block = 100;      // pages per sample
constexpr int32_t Compared = 1000;  // pages at each end of the job

std::vector<TSample> PageTimes;  // index p - 1: the time of page p

void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::exit(2);
}

// Every byte value, and a mark of each colour every few dozen bytes, so
// that rows draw boxes as well as text.
void BuildDocument() {
  const int64_t size = int64_t(Pages) * LinesPerPage * 16;
  ResizeDocData(size);
  FreshDocMarks(size);
  Doc.DocSize = int32_t(size);
  Grid.Hex = true;
  for (int64_t i = 0; i < size; ++i) {
    Doc.DocData[i] = uint8_t(i * 131 + (i >> 8));
    Doc.DocMarks[i] = i % 37 == 0 ? uint8_t(1 + (i / 37) % 6) : 0;
  }
  Doc.OpenDialog.FileName = "/bench/ten-thousand-pages.bin";
  Options.PrintMarksHatched = true, Options.PrintMarksUsingColors = false, Options.DoNotPrintMarks = false;
}

void PrintAllPages() {
  QTemporaryDir dir;
  if (!dir.isValid()) Fail("no temporary directory");
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.filePath("pages.pdf"));
  printer.setPageSize(QPageSize(QPageSize::A4));
  PageTimes.assign(size_t(Pages), TSample{});
  int32_t current = 0;
  double wall0 = 0, cpu0 = 0;
  const auto now = [] {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
  };
  const auto close = [&] {
    if (current > 0) PageTimes[size_t(current - 1)] = {now() - wall0, ThreadCpuSeconds() - cpu0};
  };
  TPrintJobHooks hooks;
  hooks.PageStarted = [&](int32_t p) {
    close();
    current = p;
    wall0 = now();
    cpu0 = ThreadCpuSeconds();
  };
  hooks.RowPrinted = [] { QCoreApplication::processEvents(); };
  hooks.DateTime = [] { return QStringLiteral("08.12.2026 10:00:00"); };
  const TSample job = TimeOf([&] {
    if (RunPrintJob(printer, {1, Pages}, hooks) != TPrintJobResult::Done) Fail("the print job failed");
    // The last page ends with the document.
    close();
  });
  SummaryLines().push_back("10,000 pages to PDF in " + std::to_string(job.Wall) + " s (cpu " + std::to_string(job.Cpu) +
                           " s): " + std::to_string(int(Pages / job.Wall)) + " pages per second; PDF " +
                           std::to_string(QFileInfo(dir.filePath("pages.pdf")).size() / 1000000) + " MB");
}

TSample BlockTime(int32_t firstPage) {
  TSample s;
  for (int32_t p = firstPage; p < firstPage + Block; ++p) {
    s.Wall += PageTimes[size_t(p - 1)].Wall;
    s.Cpu += PageTimes[size_t(p - 1)].Cpu;
  }
  return s;
}

// Each tenth of the job: pages per second, and the CPU time of its
// quickest pages (the 10th percentile), which other work on the machine can
// only make longer, never shorter. Both flat when the cost per page does not
// grow.
void SummariseTenths() {
  std::string rate = "pages per second by tenth of the job:";
  std::string quick = "cpu ms per page by tenth, 10th percentile:";
  for (int32_t t = 0; t < 10; ++t) {
    double wall = 0;
    std::vector<double> cpu;
    for (int32_t p = t * Pages / 10; p < (t + 1) * Pages / 10; ++p) {
      wall += PageTimes[size_t(p)].Wall;
      cpu.push_back(PageTimes[size_t(p)].Cpu);
    }
    std::sort(cpu.begin(), cpu.end());
    char buf[32];
    std::snprintf(buf, sizeof buf, " %.2f", cpu[cpu.size() / 10] * 1e3);
    rate += " " + std::to_string(int((Pages / 10) / wall));
    quick += buf;
  }
  SummaryLines().push_back(rate);
  SummaryLines().push_back(quick);
}

void BM_LatePagesAgainstEarlyPages(benchmark::State& state) {
  TPairedTiming timing("pages1to1000", "pages9001to10000", "ms", Block);
  int32_t k = 0;
  for (auto _ : state) {
    const int32_t early = 1 + k * Block, late = Pages - Compared + 1 + k * Block;
    state.SetIterationTime(timing.Round([&] { return BlockTime(early); }, [&] { return BlockTime(late); }));
    ++k;
  }
  timing.Report(state, "time per page, last 1,000 pages of the job against its first 1,000");
}

BENCHMARK(BM_LatePagesAgainstEarlyPages)->Iterations(Compared / Block)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  BuildDocument();
  PrintAllPages();
  SummariseTenths();
  benchmark::RunSpecifiedBenchmarks();
  ResizeDocData(0);
  ResizeDocMarks(0);
  benchmark::Shutdown();
  PrintSummary();
  return 0;
}
