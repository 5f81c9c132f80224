// The grid's pixels as a reader sees them: every character in its own cell
// on the screen and on paper, headers readable on a dark theme, and cells
// that tile without seams on scaled screens.
#include <QApplication>
#include <QPainter>
#include <QtTest>
#include <cmath>
#include <fstream>

#include "commands/FileCommands.h"
#include "controls/CellPainter.h"
#include "core/CellPaint.h"
#include "core/Cp1252.h"
#include "core/CursorState.h"
#include "core/DocState.h"
#include "core/EnvState.h"
#include "core/GridState.h"
#include "core/Helpers.h"
#include "core/OptionsState.h"
#include "core/PrintLayout.h"
#include "dialogs/MessageForm.h"
#include "fakes/FakeSeams.h"
#include "mainform/ToolbarGlyphs.h"
#include "mainform/VeskBox.h"
#include "mainform/VeskMainPanel.h"
#include "printing/PrintPagePainter.h"
#include "widgets/WindowTest.h"

namespace {

// Whether a cell's box holds ink: a pixel far from the colour of its
// top-left corner, which no glyph reaches.
bool Inked(const QImage& image, QRect box, int threshold) {
  const QColor back = image.pixelColor(box.topLeft());
  for (int y = box.top(); y <= box.bottom(); ++y)
    for (int x = box.left(); x <= box.right(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (std::abs(c.red() - back.red()) + std::abs(c.green() - back.green()) + std::abs(c.blue() - back.blue()) >
          threshold)
        return true;
    }
  return false;
}

// Each character of a grid line has ink in its own cell, and a space none:
// a character drawn with no width, or a line ended early, leaves the wrong
// cells empty or inked.
void CheckLine(const QImage& image, QRect area, int x, int y, int w, int h, const std::u16string& text,
               const char* where) {
  for (size_t j = 0; j < text.size(); ++j) {
    const bool blank = QChar(text[j]).category() == QChar::Separator_Space;
    const QRect cell = QRect(x + int(j) * w, y, w, h) & area;
    if (cell.width() < w) continue;  // the run's blanks at either end reach beyond the area
    const bool ink = blank ? Inked(image, cell.adjusted(1, 0, -1, 0), 200) : Inked(image, cell, 120);
    if (ink == blank)
      QFAIL(qPrintable(QString("%1: U+%2 at column %3 of \"%4\"")
                           .arg(where)
                           .arg(int(text[j]), 4, 16, QChar('0'))
                           .arg(j)
                           .arg(QString::fromStdU16String(text))));
  }
}

double Luminance(QColor c) {
  const auto lin = [](double v) {
    v /= 255;
    return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * lin(c.red()) + 0.7152 * lin(c.green()) + 0.0722 * lin(c.blue());
}

double Contrast(QColor a, QColor b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPalette DarkPalette() {
  QPalette p;
  p.setColor(QPalette::Window, QColor(53, 53, 53));
  p.setColor(QPalette::WindowText, QColor(230, 230, 230));
  p.setColor(QPalette::Base, QColor(35, 35, 35));
  p.setColor(QPalette::Text, QColor(230, 230, 230));
  p.setColor(QPalette::Button, QColor(53, 53, 53));
  p.setColor(QPalette::ButtonText, QColor(230, 230, 230));
  p.setColor(QPalette::Light, QColor(80, 80, 80));
  p.setColor(QPalette::Dark, QColor(25, 25, 25));
  p.setColor(QPalette::Shadow, QColor(10, 10, 10));
  return p;
}

}  // namespace

class TestGridPaint : public QObject {
  Q_OBJECT

  TQorinEditorMainForm* Form = nullptr;
  TFakeHost Host;
  std::string File;

  void LoadAllBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes += char(b);
    Load(bytes);
  }
  void Load(const std::string& bytes) {
    std::ofstream(File, std::ios::binary) << bytes;
    LoadFile(File);
    Cursor.CursorBlinkOn = false;
  }

 private slots:
  void init() {
    File = TestFileName("bq-grid-paint.bin");
    QVERIFY(OpenTestWindow(Form, Host));
  }
  void cleanup() {
    CloseTestWindow(Form, File);
    QApplication::setPalette(QPalette());
  }

  void everyCharacterInItsCell() {
    LoadAllBytes();
    QVERIFY(Grid.VisibleRows > 16);
    for (const bool noUnknown : {false, true}) {
      Options.NoUnknown = noUnknown;
      // As data: the k-th character's cell starts at k widths, whatever it is.
      std::u16string all;
      for (int b = 0; b < 256; ++b) all += Cp1252ToUnicode(DisplayChar(uint8_t(b), false));
      const auto placed = ScreenCharCells().Plan(3, Grid.CharWidth, QString::fromStdU16String(all));
      for (int k = 0; k < 256; ++k) QCOMPARE(placed[size_t(k)].X, 3 + k * Grid.CharWidth);
      // On the screen, with the cursor's row below the data: each row is
      // one text run.
      Cursor.CursorRow = 16;
      const QImage screen = Form->DataBox()->grab().toImage();
      for (int32_t r = 0; r < 16; ++r) {
        const TRowPaint row = DataBoxRow(r);
        QVERIFY(!row.PerCell);
        CheckLine(screen, Form->DataBox()->ClientRect(), row.TextX, row.Y, Grid.CharWidth, Grid.CharHeight, row.Text,
                  "screen");
      }
      // On paper: the same document's rows on a page of 150 dpi.
      QImage page(1240, 1754, QImage::Format_RGB32);
      page.setDotsPerMeterX(5906);
      page.setDotsPerMeterY(5906);
      page.fill(Qt::white);
      QPainter painter(&page);
      TPrintPagePainter printer(painter, page);
      printer.PaintPage(1, "1.1.2026", "all.bin", TPrintMarks::None);
      painter.end();
      const TPrintMetrics& m = printer.Metrics();
      for (int32_t i = 0; i < 16; ++i) {
        const TPrintedRow row = PrintPageRow(printer.Format(), m, TPrintMarks::None, 1, i);
        CheckLine(page, page.rect(), row.Text.X, row.Text.Y, m.W, m.H, row.Text.Text, "paper");
      }
    }
  }

  void headersReadableOnEveryTheme() {
    for (const bool dark : {false, true}) {
      if (dark) {
        CloseTestWindow(Form, File);
        QApplication::setPalette(DarkPalette());
        QVERIFY(OpenTestWindow(Form, Host));
      }
      LoadAllBytes();
      const QImage panel = Form->MainPanel()->grab().toImage();
      const QColor face = ToQColor(Env.ButtonFace);
      for (const TCellSpec& cell : MainPanelCells()) {
        if (cell.Text.find_first_not_of(u' ') == std::u16string::npos) continue;
        const QRect box = QRect(cell.X + TVeskMainPanel::Border, cell.Y + TVeskMainPanel::Border, cell.Width() - 1,
                                Grid.RowHeight - 1) &
                          panel.rect();
        double best = 1;
        for (int y = box.top(); y <= box.bottom(); ++y)
          for (int x = box.left(); x <= box.right(); ++x) best = std::max(best, Contrast(panel.pixelColor(x, y), face));
        QVERIFY2(best >= 4.5, qPrintable(QString("%1: %2 at %3,%4").arg(dark).arg(best).arg(box.x()).arg(box.y())));
      }
    }
  }

  void cellsTileOnScaledScreens() {
    // Characters with neither accents nor descenders: no ink near a line.
    Load(std::string(1000, 'A'));
    TVeskMainPanel* panel = Form->MainPanel();
    const QPoint box = Form->DataBox()->pos();
    // Every cell's right and bottom line, in panel coordinates.
    std::vector<QRect> lines;
    const auto addCell = [&](const TCellSpec& c, QPoint at) {
      const int right = c.X + c.Width() - 1, bottom = c.Y + Grid.RowHeight - 1;
      lines.push_back(QRect(at.x() + right, at.y() + c.Y, 1, Grid.RowHeight));
      lines.push_back(QRect(at.x() + c.X, at.y() + bottom, c.Width(), 1));
    };
    const QPoint border(TVeskMainPanel::Border, TVeskMainPanel::Border);
    for (const TCellSpec& c : MainPanelCells()) addCell(c, border);
    for (int32_t r = 0; r + 1 < Grid.VisibleRows; ++r) {
      for (int32_t k = 0; k < Grid.BytesPerRow; ++k) addCell(ValueCellSpec(r * Grid.BytesPerRow + k), box);
      addCell(CharRowSpec(r * Grid.BytesPerRow), box);
    }
    for (const qreal dpr : {2.0, 1.5}) {
      QImage image(panel->size() * dpr, QImage::Format_RGB32);
      image.setDevicePixelRatio(dpr);
      image.fill(Qt::black);  // whatever is left unpainted shows as black
      panel->render(&image);
      // Each line and the pixel beside it on either side, short of the
      // panel's black frame.
      const int left = int(std::ceil(dpr)), top = left;
      const int right = int(std::floor((panel->width() - 1) * dpr)),
                bottom = int(std::floor((panel->height() - 1) * dpr));
      for (const QRect& line : lines) {
        const QRect near = line.adjusted(-1, -1, 1, 1);
        const int x0 = std::max(left, int(std::floor(near.left() * dpr)));
        const int x1 = std::min(right, int(std::ceil((near.right() + 1) * dpr)));
        const int y0 = std::max(top, int(std::floor(near.top() * dpr)));
        const int y1 = std::min(bottom, int(std::ceil((near.bottom() + 1) * dpr)));
        for (int y = y0; y < y1; ++y)
          for (int x = x0; x < x1; ++x)
            if (image.pixel(x, y) == qRgb(0, 0, 0))
              QFAIL(qPrintable(QString("black at %1,%2 (x%3)").arg(x).arg(y).arg(dpr)));
      }
      // The message and toolbar pictures are drawn for the scale, never enlarged.
      QCOMPARE(MessageIcon(TMsgDlgType::Confirmation, 32, dpr).size(), QSize(32, 32) * dpr);
      const QPixmap open = ToolbarGlyph("OpenSB", dpr).Strip;
      QCOMPARE(open.deviceIndependentSize(), ToolbarGlyph("OpenSB").Strip.deviceIndependentSize());
      QCOMPARE(open.size(), (open.deviceIndependentSize() * dpr).toSize());
    }
  }
};

QTEST_MAIN(TestGridPaint)
#include "tst_grid_paint.moc"
