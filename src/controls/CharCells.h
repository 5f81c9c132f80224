// Draws a run of characters one to a cell: the k-th character starts at
// x + k * width, whatever the characters are. Text shaping would let a soft
// hyphen take no room, a line feed or tab end the line, or a combining mark
// sit on its neighbour; here each character is a glyph placed on its own.
// A character the font draws without ink (a control code, a soft hyphen
// whose glyph is empty) gets a visible stand-in: its Control Pictures sign
// where the font has one, else a box.
#pragma once

#include <QFont>
#include <QHash>
#include <QPainter>
#include <QRawFont>
#include <QString>
#include <vector>

class TCharCells {
 public:
  // The font as it is drawn on device (nullptr: the screen).
  TCharCells(const QFont& font, const QPaintDevice* device);

  // Where each character goes and what is drawn there.
  struct TPlaced {
    int X = 0;
    quint32 Glyph = 0;   // in the font; meaningful when Fallback is empty
    QString Fallback;    // a character the font lacks, drawn by Qt's font fallback
    bool Blank = false;  // a space: nothing to see, and rightly so
  };
  std::vector<TPlaced> Plan(int x, int width, QStringView text) const;

  // Draws text with its baseline at y; the painter's pen gives the colour.
  void Draw(QPainter& painter, int x, int baseline, int width, QStringView text) const;

  // Whether glyph leaves ink.
  bool Inked(quint32 glyph) const;

 private:
  struct TChoice {
    quint32 Glyph = 0;
    bool Fallback = false;
    bool Blank = false;
  };
  TChoice Choose(char16_t c) const;
  quint32 GlyphOf(char16_t c) const;

  QFont FFont;
  QRawFont FRaw;
  mutable QHash<char16_t, TChoice> FChoices;
};
