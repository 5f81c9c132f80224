#include "controls/CharCells.h"

#include <QGlyphRun>
#include <QPaintDevice>

namespace {

// A character that is meant to take no room or to join its neighbour.
bool Zero(QChar c) {
  switch (c.category()) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_NotAssigned:
    case QChar::Mark_NonSpacing:
    case QChar::Mark_Enclosing: return true;
    default: return false;
  }
}

}  // namespace

TCharCells::TCharCells(const QFont& font, const QPaintDevice* device) : FFont(font), FRaw(QRawFont::fromFont(font)) {
  if (device && font.pointSizeF() > 0) FRaw.setPixelSize(font.pointSizeF() * device->logicalDpiY() / 72.0);
}

quint32 TCharCells::GlyphOf(char16_t c) const {
  const QChar ch(c);
  const QList<quint32> glyphs = FRaw.glyphIndexesForString(QString(ch));
  return glyphs.isEmpty() ? 0 : glyphs.front();
}

bool TCharCells::Inked(quint32 glyph) const { return !FRaw.boundingRect(glyph).isEmpty(); }

TCharCells::TChoice TCharCells::Choose(char16_t c) const {
  const auto known = FChoices.constFind(c);
  if (known != FChoices.constEnd()) return *known;
  TChoice choice;
  const QChar ch(c);
  const quint32 own = GlyphOf(c);
  if (ch.category() == QChar::Separator_Space) {
    choice.Glyph = own;
    choice.Blank = true;
  } else if (own != 0 && Inked(own) && !ch.isMark()) {
    choice.Glyph = own;
  } else if (own == 0 && !Zero(ch)) {
    // A real character this font lacks: another font may have it.
    choice.Fallback = true;
  } else {
    // No ink of its own: the Control Pictures sign of a control code, a
    // plain hyphen for the soft one, else a box.
    std::vector<char16_t> standIns;
    if (c < 0x20) standIns.push_back(char16_t(0x2400 + c));
    if (c == 0x7F) standIns.push_back(u'\u2421');
    if (c == 0xAD) standIns.push_back(u'-');
    standIns.push_back(u'\u25A1');
    choice.Fallback = true;
    for (char16_t s : standIns) {
      const quint32 g = GlyphOf(s);
      if (g != 0 && Inked(g)) {
        choice.Glyph = g;
        choice.Fallback = false;
        break;
      }
    }
  }
  FChoices.insert(c, choice);
  return choice;
}

std::vector<TCharCells::TPlaced> TCharCells::Plan(int x, int width, QStringView text) const {
  std::vector<TPlaced> placed(size_t(text.size()));
  for (qsizetype k = 0; k < text.size(); ++k) {
    const char16_t c = text[k].unicode();
    const TChoice choice = Choose(c);
    TPlaced& p = placed[size_t(k)];
    p.X = x + int(k) * width;
    p.Glyph = choice.Glyph;
    p.Blank = choice.Blank;
    if (choice.Fallback) p.Fallback = QString(QChar(Zero(QChar(c)) ? u'\u25A1' : c));
  }
  return placed;
}

void TCharCells::Draw(QPainter& painter, int x, int baseline, int width, QStringView text) const {
  QList<quint32> glyphs;
  QList<QPointF> positions;
  glyphs.reserve(text.size());
  positions.reserve(text.size());
  for (const TPlaced& p : Plan(x, width, text)) {
    if (p.Blank) continue;
    if (!p.Fallback.isEmpty()) {
      painter.save();
      painter.setFont(FFont);
      painter.drawText(QPoint(p.X, baseline), p.Fallback);
      painter.restore();
      continue;
    }
    glyphs.push_back(p.Glyph);
    positions.push_back(QPointF(p.X, 0));
  }
  if (glyphs.isEmpty()) return;
  QGlyphRun run;
  run.setRawFont(FRaw);
  run.setGlyphIndexes(glyphs);
  run.setPositions(positions);
  painter.drawGlyphRun(QPointF(0, baseline), run);
}
