// The toolbar pictures come from the SVG drawings compiled into the program.
#include <QFile>
#include <QImage>
#include <QSvgRenderer>
#include <QtTest>

#include "mainform/ToolbarGlyphs.h"

class TestToolbarGlyphs : public QObject {
  Q_OBJECT

  struct TCase {
    const char* Button;
    const char* Resource;
    int Width;
    int Count;
  };
  static constexpr TCase Cases[] = {
      {"OpenSB", ":/glyphs/open.svg", 20, 2},
      {"SaveSB", ":/glyphs/save.svg", 20, 2},
      {"SaveAsSB", ":/glyphs/saveas.svg", 20, 2},
      {"PrintSB", ":/glyphs/print.svg", 20, 1},
      {"InfoSB", ":/glyphs/info.svg", 20, 1},
      {"FindSB", ":/glyphs/find.svg", 20, 1},
      {"FindPreviousSB", ":/glyphs/findprevious.svg", 20, 1},
      {"FindNextSB", ":/glyphs/findnext.svg", 20, 1},
      {"ReplaceSB", ":/glyphs/replace.svg", 20, 1},
      {"FindAndMarkSB", ":/glyphs/findandmark.svg", 20, 1},
      {"CalcSB", ":/glyphs/calc.svg", 18, 1},
      {"TabSB", ":/glyphs/table.svg", 18, 1},
      {"HexSpeedButton", ":/glyphs/hex.svg", 19, 1},
      {"DecSpeedButton", ":/glyphs/dec.svg", 19, 1},
      {"DezSpeedButton", ":/glyphs/dez.svg", 19, 1},
  };

  static int Opaque(const QImage& img) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) n += qAlpha(img.pixel(x, y)) > 0;
    return n;
  }

 private slots:
  void everyButtonIsDrawnFromItsResource() {
    ToolbarGlyph("OpenSB");  // registers the resources
    for (const TCase& c : Cases) {
      const QString button = c.Button;
      QCOMPARE(ToolbarGlyphResource(button), QString(c.Resource));
      QVERIFY2(QFile(c.Resource).exists(), c.Resource);
      QSvgRenderer svg{QString(c.Resource)};
      QVERIFY2(svg.isValid(), c.Resource);
      QCOMPARE(svg.defaultSize(), QSize(c.Width, 18));

      const TGlyph g = ToolbarGlyph(button);
      QVERIFY2(!g.Strip.isNull(), c.Button);
      QCOMPARE(g.Count, c.Count);
      QCOMPARE(g.Strip.size(), QSize(c.Width * c.Count, 18));
      // A real drawing, not an empty or filled square.
      const QImage up = g.Strip.toImage().copy(0, 0, c.Width, 18);
      const int opaque = Opaque(up);
      QVERIFY2(opaque > 40 && opaque < c.Width * 18, c.Button);
    }
  }

  void disabledLookIsAGreyCopyOfTheSameShape() {
    for (const TCase& c : Cases) {
      if (c.Count != 2) continue;
      const QImage strip = ToolbarGlyph(c.Button).Strip.toImage().convertToFormat(QImage::Format_ARGB32);
      bool coloured = false;
      for (int y = 0; y < 18; ++y)
        for (int x = 0; x < c.Width; ++x) {
          const QRgb up = strip.pixel(x, y), off = strip.pixel(x + c.Width, y);
          QCOMPARE(qAlpha(off), qAlpha(up));
          if (qAlpha(off) == 255) QVERIFY(qRed(off) == qGreen(off) && qGreen(off) == qBlue(off));
          coloured |= qAlpha(up) == 255 && qRed(up) != qBlue(up);
        }
      QVERIFY2(coloured, c.Button);
    }
  }

  void unknownNameHasNoGlyph() {
    QVERIFY(ToolbarGlyph("NoSuchSB").Strip.isNull());
    QVERIFY(ToolbarGlyphResource("NoSuchSB").isEmpty());
  }
};

QTEST_MAIN(TestToolbarGlyphs)
#include "tst_toolbar_glyphs.moc"
