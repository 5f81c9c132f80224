// Printed pages as a reader sees them: pages rendered into images (boxes,
// hatching, colours, transparent text) and printed to PDF files (the page
// count, Stop, a printer that fails), and the progress window in both
// languages.
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <cstring>
#include <memory>

#include "commands/PrintCommands.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/Helpers.h"
#include "core/OptionsState.h"
#include "core/PrintLayout.h"
#include "dialogs/PrintCancelForm.h"
#include "fakes/FakeSeams.h"
#include "platform/QtHost.h"
#include "printing/PrintJob.h"
#include "printing/PrintPagePainter.h"

namespace {

void Document(int32_t size) {
  Doc.DocSize = size;
  ResizeDocData(size);
  FreshDocMarks(size);
  for (int32_t i = 0; i < size; ++i) Doc.DocData[i] = uint8_t('0' + i % 10);
  Doc.OpenDialog.FileName = "/tmp/listing.bin";
}

// The pages of a PDF file, counted by their page objects.
int PdfPages(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return -1;
  const QByteArray pdf = f.readAll();
  static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
  return int(QString::fromLatin1(pdf).count(page));
}

void PdfPrinter(QPrinter& printer, const QString& path) {
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  printer.setPageSize(QPageSize(QPageSize::A4));
}

bool Black(QRgb c) { return qRed(c) < 80 && qGreen(c) < 80 && qBlue(c) < 80; }
bool White(QRgb c) { return qRed(c) > 200 && qGreen(c) > 200 && qBlue(c) > 200; }

}  // namespace

class TestPrint : public QObject {
  Q_OBJECT

 private:
  TSeamFixture* FSeams = nullptr;
  QTemporaryDir FDir;

  // Page 1 rendered on a white page-sized image with the painter of the
  // job; the painter's plan of the first marked row comes with it.
  struct TRendered {
    QImage Image;
    TPrintMetrics Metrics;
    TPrintedRow Row;
  };
  TRendered Render(TPrintMarks marks, int32_t rowWithMarks) {
    TRendered r;
    r.Image = QImage(1600, 2200, QImage::Format_RGB32);
    r.Image.fill(Qt::white);
    QPainter painter(&r.Image);
    TPrintPagePainter page(painter, r.Image);
    page.PaintPage(1, QStringLiteral("08.12.2026 10:00:00"), QStringLiteral("/tmp/listing.bin"), marks);
    painter.end();
    r.Metrics = page.Metrics();
    r.Row = PrintPageRow(page.Format(), page.Metrics(), marks, 1, rowWithMarks);
    return r;
  }

  // The left margin of a value box: inside the outline, left of the first
  // digit, where only the box's own fill can be.
  static QRect LeftMargin(const TPrintBox& b, int w) { return QRect(b.X + 1, b.Y + 1, w / 2 - 2, b.H - 2); }

 private slots:
  void init() {
    FSeams = new TSeamFixture;
    Options.PrintMarksHatched = true, Options.PrintMarksUsingColors = false, Options.DoNotPrintMarks = false;
  }
  void cleanup() {
    delete FSeams;
    FSeams = nullptr;
  }

  void FontFillsThePage() {
    Document(3000);
    const TRendered r = Render(TPrintMarks::Hatched, 0);
    const TPrintMetrics& m = r.Metrics;
    QVERIFY(78 * m.W <= m.PageWidth);
    QVERIFY(73 * m.H <= m.PageHeight);
    // Each character advances exactly by the width of "0".
    QCOMPARE(m.TextWidth(PrintRowText(CurrentPrintFormat(), 0)), PrintRowChars(CurrentPrintFormat()) * m.W);
    // Ink on the header line, on the column header and on the last row;
    // none below it.
    const auto inkInLine = [&](int line) {
      for (int y = line * m.LineHeight; y < (line + 1) * m.LineHeight; ++y)
        for (int x = 0; x < r.Image.width(); ++x)
          if (!White(r.Image.pixel(x, y))) return true;
      return false;
    };
    QVERIFY(inkInLine(0));
    QVERIFY(!inkInLine(1));
    QVERIFY(inkInLine(3));
    QVERIFY(inkInLine(72));
    QVERIFY(!inkInLine(73) || 74 * m.LineHeight > r.Image.height());
  }

  void GreenMarkHatchedColouredOrNotAtAll() {
    Document(3000);
    Doc.DocMarks[2 * 16 + 5] = 2;  // green, row 2 column 5
    {
      const TRendered r = Render(TPrintMarks::Hatched, 2);
      QCOMPARE(int(r.Row.Boxes.size()), 2);
      const TPrintBox v = r.Row.Boxes[0].Box, c = r.Row.Boxes[1].Box;
      // Black outlines on all four edges of both boxes.
      for (const TPrintBox& b : {v, c}) {
        QVERIFY(Black(r.Image.pixel(b.X, b.Y + b.H / 2)));
        QVERIFY(Black(r.Image.pixel(b.X + b.W - 1, b.Y + b.H / 2)));
        QVERIFY(Black(r.Image.pixel(b.X + b.W / 2, b.Y)));
        QVERIFY(Black(r.Image.pixel(b.X + b.W / 2, b.Y + b.H - 1)));
      }
      // Vertical hatch lines: in the margin some columns are black from top
      // to bottom and some are white from top to bottom.
      const QRect margin = LeftMargin(v, r.Metrics.W);
      int blackColumns = 0, whiteColumns = 0;
      for (int x = margin.left(); x <= margin.right(); ++x) {
        int black = 0;
        for (int y = margin.top(); y <= margin.bottom(); ++y) black += Black(r.Image.pixel(x, y));
        blackColumns += black == margin.height();
        whiteColumns += black == 0;
      }
      QVERIFY(blackColumns >= 1);
      QVERIFY(whiteColumns >= 1);
      // The same byte unmarked in the next row has a clean margin.
      QVERIFY(White(r.Image.pixel(margin.center() + QPoint(0, r.Metrics.LineHeight))));
    }
    {
      const TRendered r = Render(TPrintMarks::Colors, 2);
      QCOMPARE(int(r.Row.Boxes.size()), 2);
      for (const TPrintedBox& box : r.Row.Boxes) {
        const TPrintBox& b = box.Box;
        // Green to the very edge (no outline), with the black digits or the
        // character drawn over it.
        QCOMPARE(r.Image.pixel(b.X, b.Y), qRgb(0, 255, 0));
        QCOMPARE(r.Image.pixel(b.X + b.W - 1, b.Y + b.H - 1), qRgb(0, 255, 0));
        int ink = 0;
        for (int x = b.X; x < b.X + b.W; ++x)
          for (int y = b.Y; y < b.Y + b.H; ++y) ink += Black(r.Image.pixel(x, y));
        QVERIFY(ink > 0);
      }
      QVERIFY(White(r.Image.pixel(r.Row.Boxes[0].Box.X - 1, r.Row.Boxes[0].Box.Y + 2)));
    }
    {
      const TRendered r = Render(TPrintMarks::None, 2);
      QVERIFY(r.Row.Boxes.empty());
      const TPrintBox v =
          PrintValueBox(CurrentPrintFormat(), r.Row.Text.X, r.Metrics.W, r.Metrics.H, r.Metrics.LineHeight, 2, 5);
      const QRect margin = LeftMargin(v, r.Metrics.W);
      for (int x = margin.left(); x <= margin.right(); ++x)
        for (int y = margin.top(); y <= margin.bottom(); ++y) QVERIFY(White(r.Image.pixel(x, y)));
    }
  }

  // Each of the six hatches draws its own pattern; a code that names no
  // colour gets an outline around a clean box.
  void SixHatchStyles() {
    Document(3000);
    for (int c = 0; c < 7; ++c) Doc.DocMarks[3 * 16 + c] = uint8_t(c + 1);
    const TRendered r = Render(TPrintMarks::Hatched, 3);
    QCOMPARE(int(r.Row.Boxes.size()), 14);
    QList<QImage> patterns;
    for (int c = 0; c < 7; ++c) {
      const TPrintBox v = r.Row.Boxes[size_t(2 * c)].Box;
      const QImage margin = r.Image.copy(LeftMargin(v, r.Metrics.W));
      int ink = 0;
      for (int x = 0; x < margin.width(); ++x)
        for (int y = 0; y < margin.height(); ++y) ink += Black(margin.pixel(x, y));
      if (c == 6) {
        QCOMPARE(ink, 0);
        QVERIFY(Black(r.Image.pixel(v.X, v.Y + v.H / 2)));
      } else {
        QVERIFY(ink > 0);
        for (const QImage& other : patterns) QVERIFY(other != margin);
        patterns.append(margin);
      }
    }
  }

  void PdfHasOnePagePer68Rows() {
    Document(3000);
    Doc.DocMarks[10] = 1;
    Doc.DocMarks[20] = 1;
    Doc.DocMarks[3 * 16 + 15] = 5;  // the last column, far from the row's start
    const QString path = qEnvironmentVariableIsSet("BQ_KEEP_PRINT_PDF") ? qEnvironmentVariable("BQ_KEEP_PRINT_PDF")
                                                                        : FDir.filePath("all.pdf");
    QPrinter printer(QPrinter::HighResolution);
    PdfPrinter(printer, path);
    QStringList progress;
    TPrintJobHooks hooks;
    hooks.PageStarted = [&](int32_t p) { progress << QString::number(p); };
    QCOMPARE(int(RunPrintJob(printer, {1, 3}, hooks)), int(TPrintJobResult::Done));
    QCOMPARE(PdfPages(path), 3);
    QCOMPARE(progress, QStringList({"1", "2", "3"}));

    PdfPrinter(printer, FDir.filePath("two.pdf"));
    QCOMPARE(int(RunPrintJob(printer, {2, 2}, hooks)), int(TPrintJobResult::Done));
    QCOMPARE(PdfPages(FDir.filePath("two.pdf")), 1);

    // to-page before from-page: nothing printed, not even an empty sheet.
    PdfPrinter(printer, FDir.filePath("none.pdf"));
    QCOMPARE(int(RunPrintJob(printer, {3, 2}, hooks)), int(TPrintJobResult::Done));
    QVERIFY(!QFile::exists(FDir.filePath("none.pdf")));
  }

  void StopEndsTheJobAfterThePageUnderWay() {
    Document(16 * 68 * 6);
    QPrinter printer(QPrinter::HighResolution);
    PdfPrinter(printer, FDir.filePath("stopped.pdf"));
    bool cancelled = false;
    int32_t current = 0, rows = 0;
    TPrintJobHooks hooks;
    hooks.PageStarted = [&](int32_t p) { current = p; };
    // Stop arrives while page 2 is printed, after its fifth row.
    hooks.RowPrinted = [&] { cancelled = cancelled || (current == 2 && ++rows == 5); };
    hooks.Cancelled = [&] { return cancelled; };
    QCOMPARE(int(RunPrintJob(printer, {1, 6}, hooks)), int(TPrintJobResult::Stopped));
    QCOMPARE(current, 2);
    QCOMPARE(PdfPages(FDir.filePath("stopped.pdf")), 2);
  }

  void UnwritableOutputFails() {
    Document(100);
    QPrinter printer(QPrinter::HighResolution);
    PdfPrinter(printer, FDir.filePath("no/such/folder/x.pdf"));
    QCOMPARE(int(RunPrintJob(printer, {1, 1}, {})), int(TPrintJobResult::Failed));
  }

  // A form is made when first needed and goes with whichever of host and
  // owner goes first: none stays behind, none is deleted twice.
  void FormsGoWithTheHostOrTheOwner() {
    QWidget owner;
    {
      TQtHost host(&owner);
      QVERIFY(owner.findChildren<TPrintCancelForm*>().isEmpty());
      QVERIFY(host.PrintCancelForm());
    }
    QVERIFY(owner.findChildren<TPrintCancelForm*>().isEmpty());
    auto first = std::make_unique<QWidget>();
    TQtHost host(first.get());
    QVERIFY(host.PrintCancelForm());
    first.reset();
  }

  // The whole way through the window's host: the progress window with its
  // captions, Stop pressed on page 2, a printer that fails.
  void HostPrintsWithTheProgressWindow() {
    // Stop (or Escape) only raises the flag; the window stays until the job
    // has ended the page under way.
    QWidget owner;
    TQtHost host(&owner);
    Document(16 * 68 * 4);
    TPrintCancelForm* form = host.PrintCancelForm();
    for (int32_t language : {9, 7}) {
      Options.Language = language;
      PdfPrinter(host.Printer(), FDir.filePath(QStringLiteral("host%1.pdf").arg(language)));
      QStringList seen;
      QString caption, title;
      QTimer watch;
      watch.setInterval(0);
      connect(&watch, &QTimer::timeout, [&] {
        if (!form->isVisible()) return;
        caption = form->windowTitle();
        title = host.Printer().docName();
        const QString text = form->ProgressLabel->text();
        if (!text.isEmpty() && (seen.isEmpty() || seen.last() != text)) seen << text;
        // Stop by the button in English, by Escape in German.
        if (text.endsWith(QLatin1String(": 2"))) {
          if (language == 7)
            QTest::keyClick(form, Qt::Key_Escape);
          else
            form->CancelButton->click();
        }
      });
      watch.start();
      TPrintDialogData all;
      all.MaxPage = 4;
      all.PageRange = false;
      QCOMPARE(host.PrintDocument(all), int(mrCancel));
      watch.stop();
      QVERIFY(!form->isVisible());
      QCOMPARE(caption, QString(language == 7 ? "Drucke..." : "Printing..."));
      const QString page = language == 7 ? "Seite: " : "Page: ";
      QCOMPARE(seen, QStringList({page + "1", page + "2"}));
      QCOMPARE(form->CancelButton->text(), QStringLiteral("Stop"));
      QCOMPARE(PdfPages(FDir.filePath(QStringLiteral("host%1.pdf").arg(language))), 2);
      QCOMPARE(title, QStringLiteral("Brisquentalovard /tmp/listing.bin"));
    }
    TPrintDialogData one;
    one.FromPage = one.ToPage = 1;
    PdfPrinter(host.Printer(), FDir.filePath("one.pdf"));
    QCOMPARE(host.PrintDocument(one), int(mrOk));
    QCOMPARE(PdfPages(FDir.filePath("one.pdf")), 1);
    PdfPrinter(host.Printer(), FDir.filePath("no/such/folder/y.pdf"));
    QCOMPARE(host.PrintDocument(one), int(mrAbort));
    QVERIFY(!form->isVisible());
  }
};

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
