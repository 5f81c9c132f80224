// A full repaint of a 40-row view in the middle of a 1 GiB document against
// the same view of a 1 KiB one, offscreen. Both documents show the same bytes,
// marks and cursor in their visible rows, so they paint the same pixels; they
// take turns in the global state, so every round measures both alike.
//
//   bench_gui_paint [--benchmark_filter=...]
#include <QApplication>
#include <QImage>
#include <cstdlib>

#include "BenchDocument.h"
#include "PairedTiming.h"
#include "core/Cursor.h"
#include "core/CursorState.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/GridState.h"
#include "mainform/MainForm.h"
#include "mainform/VeskBox.h"
#include "mainform/VeskMainPanel.h"

namespace {

constexpr int64_t Big = int64_t(1) << 30;
constexpr int64_t Small = 1024;
constexpr int32_t RowsShown = 40;
constexpr int Rounds = 200;

TQorinEditorMainForm* Form = nullptr;

TBenchDocument BigDoc, SmallDoc;

// The visible rows' bytes, with marks of several kinds: part of a row (drawn
// cell by cell), a whole row in one colour (one text with white margins) and
// single bytes.
void FillView(uint8_t* data, uint8_t* marks) {
  const int32_t n = RowsShown * 16;
  for (int32_t i = 0; i < n; ++i) data[i] = uint8_t(i * 7 + 3);
  for (int32_t i = 3 * 16 + 4; i < 3 * 16 + 7; ++i) marks[i] = 1;
  for (int32_t i = 10 * 16; i < 11 * 16; ++i) marks[i] = 2;
  marks[17 * 16] = 3;
  for (int32_t i = 30 * 16 + 8; i < 31 * 16; ++i) marks[i] = 4;
  marks[36 * 16 + 15] = 5;
}

// Builds a document in G and takes its buffers out again.
TBenchDocument Build(int64_t size) {
  ResizeDocData(size);
  FreshDocMarks(size);
  Doc.DocSize = int32_t(size);
  TBenchDocument d = TakeDocument();
  d.Top = (int32_t((size + 15) / 16) - RowsShown) / 2;
  FillView(d.Data + int64_t(d.Top) * 16, d.Marks + int64_t(d.Top) * 16);
  return d;
}

// Puts a document into G, lays the window out for it, scrolls to its middle
// and places the cursor in the 21st visible row, on the first digit of its
// seventh byte.
void Use(const TBenchDocument& d) {
  PutDocument(d);
  Form->RequestLayout();
  SetScrollPosition(d.Top);
  Cursor.CursorRow = d.Top + 20;
  Cursor.CursorCol = 12;
  Cursor.CursorBlinkOn = true;
}

void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::exit(2);
}

// The window's height decides how many rows show; grow or shrink it by the
// missing rows until 40 show.
void ShowFortyRows() {
  for (int tries = 0; tries < 8 && Grid.VisibleRows != RowsShown; ++tries) {
    Form->resize(Form->width(), Form->height() + (RowsShown - Grid.VisibleRows) * Grid.RowHeight);
    QApplication::processEvents();
    Form->RequestLayout();
  }
  if (Grid.VisibleRows != RowsShown) Fail("the window does not show 40 rows");
}

void SetUp() {
  BigDoc = Build(Big);
  SmallDoc = Build(Small);
  Use(BigDoc);
  ShowFortyRows();
  QApplication::processEvents();
}

void TearDown() {
  TakeDocument();
  FreeDocument(BigDoc);
  FreeDocument(SmallDoc);
}

QImage RenderDataBox() {
  TVeskBox* box = Form->DataBox();
  QImage image(box->size(), QImage::Format_ARGB32_Premultiplied);
  box->render(&image);
  return image;
}

// Both documents must paint the same data area, or the comparison is void.
void CheckSamePixels() {
  const QRect client = Form->DataBox()->ClientRect();
  Use(SmallDoc);
  const QImage small = RenderDataBox().copy(client);
  Use(BigDoc);
  const QImage big = RenderDataBox().copy(client);
  SummaryLines().push_back(std::string("data area ") + std::to_string(client.width()) + " x " +
                           std::to_string(client.height()) + " px, " + std::to_string(Grid.VisibleRows) +
                           " rows; both documents paint identical pixels: " + (small == big ? "yes" : "NO"));
}

template <class Render>
TSample TimedRender(const TBenchDocument& d, QImage& image, Render render) {
  Use(d);
  return TimeOf([&] { render(image); });
}

template <class Render>
void RunPaired(benchmark::State& state, QWidget* widget, Render render, const char* title) {
  QImage smallImage(widget->size(), QImage::Format_ARGB32_Premultiplied);
  QImage bigImage(widget->size(), QImage::Format_ARGB32_Premultiplied);
  TPairedTiming timing("1KiB", "1GiB", "us");
  for (auto _ : state)
    state.SetIterationTime(timing.Round([&] { return TimedRender(SmallDoc, smallImage, render); },
                                        [&] { return TimedRender(BigDoc, bigImage, render); }));
  timing.Report(state, title);
}

// The data area's cells and characters alone: what the grid paints for its
// rows. This is the figure that must not depend on the document's size.
void BM_RepaintDataArea(benchmark::State& state) {
  TVeskBox* box = Form->DataBox();
  RunPaired(
      state, box, [box](QImage& image) { box->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground); },
      "repaint of the data area, 40 rows");
}

// The same with its scroll bar. The thumb is as long as the visible share of
// the document: most of the track for 1 KiB, the minimum for 1 GiB, and a
// long thumb costs the style more to draw.
void BM_RepaintDataAreaAndScrollBar(benchmark::State& state) {
  TVeskBox* box = Form->DataBox();
  RunPaired(
      state, box, [box](QImage& image) { box->render(&image); }, "same, with its scroll bar");
}

// The whole grid: corner, header, offset column and the data area inside.
void BM_RepaintGrid(benchmark::State& state) {
  TVeskMainPanel* panel = Form->MainPanel();
  RunPaired(
      state, panel, [panel](QImage& image) { panel->render(&image); }, "whole grid with offsets and bar");
}

BENCHMARK(BM_RepaintDataArea)->Iterations(Rounds)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RepaintDataAreaAndScrollBar)->Iterations(Rounds)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RepaintGrid)->Iterations(Rounds)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace

// Every layout sets size hints the offscreen platform cannot pass on, and it
// says so each time; the benchmark lays out twice a round.
static QtMessageHandler StandardHandler = nullptr;

static void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.contains(QLatin1String("propagateSizeHints"))) return;
  if (StandardHandler)
    StandardHandler(type, context, message);
  else
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

int main(int argc, char** argv) {
  StandardHandler = qInstallMessageHandler(QuietHandler);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  {
    TQorinEditorMainForm form(1, argv);
    Form = &form;
    form.show();
    QApplication::processEvents();
    SetUp();
    CheckSamePixels();
    benchmark::RunSpecifiedBenchmarks();
    TearDown();
    Form = nullptr;
  }
  benchmark::Shutdown();
  PrintSummary();
  return 0;
}
