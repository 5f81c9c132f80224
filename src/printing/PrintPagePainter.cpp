#include "printing/PrintPagePainter.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <algorithm>

#include "core/Helpers.h"

Qt::BrushStyle HatchPattern(int style) {
  static const Qt::BrushStyle patterns[7] = {Qt::NoBrush,      Qt::HorPattern,   Qt::VerPattern,      Qt::FDiagPattern,
                                             Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
  return style >= 1 && style <= 6 ? patterns[style] : Qt::NoBrush;
}

TPrintPagePainter::TPrintPagePainter(QPainter& painter, const QPaintDevice& device)
    : FPainter(painter), FDevice(device), FFormat(CurrentPrintFormat()) {
  FMetrics.PageWidth = device.width();
  FMetrics.PageHeight = device.height();
  FFontSize = PrintFontSize(FMetrics.PageWidth, FMetrics.PageHeight, PrintRowChars(FFormat), [this](int32_t size) {
    const QFontMetrics fm(FontOfSize(size), &FDevice);
    return std::make_pair(int32_t(fm.horizontalAdvance(QLatin1Char('0'))), int32_t(fm.height()));
  });
  FFont = FontOfSize(FFontSize);
  {
    // Every character advances by exactly the measured width of "0", so
    // that the boxes computed in whole device pixels stay under their
    // characters to the end of a row.
    const QFontMetrics fm(FFont, &FDevice);
    const QFontMetricsF fmf(FFont, &FDevice);
    const int w = fm.horizontalAdvance(QLatin1Char('0'));
    FFont.setLetterSpacing(QFont::AbsoluteSpacing, w - fmf.horizontalAdvance(QLatin1Char('0')));
  }
  const QFontMetrics fm(FFont, &FDevice);
  FMetrics.W = fm.horizontalAdvance(QLatin1Char('0'));
  FMetrics.H = fm.height();
  // A text line is as high as the font's line, whatever its letters.
  FMetrics.LineHeight = fm.height();
  FAscent = fm.ascent();
  FCells.emplace(FFont, &FDevice);
  // About three hatch lines cross a box, as on the screen.
  FScale = std::max(1, (FMetrics.H + 12) / 24);
  for (int style = 0; style <= 6; ++style) FHatchBrushes[style] = MakeHatchBrush(style);
  // Measured on the device's resolution; the metrics may outlive the painter.
  FMetrics.TextWidth = [fm](const std::u16string& text) {
    return int32_t(fm.horizontalAdvance(QString::fromStdU16String(text)));
  };
}

QFont TPrintPagePainter::FontOfSize(int size) const {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setPointSize(size);
  return font;
}

void TPrintPagePainter::PaintText(const TPrintedText& text) {
  if (text.Text.empty()) return;
  FPainter.drawText(QPoint(text.X, text.Y + FAscent), QString::fromStdU16String(text.Text));
}

void TPrintPagePainter::PaintGridText(const TPrintedText& text) {
  if (text.Text.empty()) return;
  const QString s = QString::fromStdU16String(text.Text);
  FCells->Draw(FPainter, text.X, text.Y + FAscent, FMetrics.W, s);
}

void TPrintPagePainter::PaintBox(const TPrintedBox& box, TPrintMarks marks) {
  const TPrintBox& b = box.Box;
  if (marks == TPrintMarks::Colors) {
    const TRgb c = MarkColor(box.Mark);
    FPainter.fillRect(QRect(b.X, b.Y, b.W, b.H), QColor(c.R, c.G, c.B));
    return;
  }
  FPainter.save();
  FPainter.setBrush(FHatchBrushes[PrintHatchStyle(box.Mark)]);
  FPainter.setPen(QPen(Qt::black, FScale, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  // The outline on the box's outermost pixels.
  const int in = FScale / 2;
  FPainter.drawRect(QRect(b.X + in, b.Y + in, b.W - 1 - 2 * in, b.H - 1 - 2 * in));
  FPainter.restore();
}

QBrush TPrintPagePainter::MakeHatchBrush(int style) const {
  const Qt::BrushStyle pattern = HatchPattern(style);
  if (FScale == 1 || pattern == Qt::NoBrush) return QBrush(Qt::black, pattern);
  // On a printer the 8-pixel pattern would be a grey tint; the same pattern
  // enlarged to the size of the print font keeps its lines apart. Engines
  // differ in whether they scale a pattern with a transform, so the
  // enlarged pattern is an image of its own: one per style and job, which
  // a PDF then holds once.
  QImage tile(8, 8, QImage::Format_ARGB32_Premultiplied);
  tile.fill(Qt::transparent);
  {
    QPainter p(&tile);
    p.fillRect(tile.rect(), QBrush(Qt::black, pattern));
  }
  return QBrush(tile.scaled(8 * FScale, 8 * FScale, Qt::IgnoreAspectRatio, Qt::FastTransformation));
}

void TPrintPagePainter::PaintPage(int32_t page, const QString& dateTime, const QString& fileName, TPrintMarks marks,
                                  const std::function<void()>& afterRow) {
  FPainter.setFont(FFont);
  FPainter.setPen(Qt::black);
  FPainter.setBackgroundMode(Qt::TransparentMode);
  for (const TPrintedText& t : PrintHeader(FMetrics, page, dateTime.toStdU16String(), fileName.toStdU16String()))
    PaintText(t);
  PaintGridText(PrintColumnHeaderLine(FFormat, FMetrics));
  for (int32_t i = 0; i < LinesPerPage; ++i) {
    const TPrintedRow row = PrintPageRow(FFormat, FMetrics, marks, page, i);
    if (row.Text.Text.empty()) break;
    for (const TPrintedBox& box : row.Boxes) PaintBox(box, marks);
    PaintGridText(row.Text);
    if (afterRow) afterRow();
  }
}
