#include "mainform/ToolbarGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace {

// One outline colour and a small palette for every picture, so the set looks
// like one family.
const QColor Ink(40, 40, 48);
const QColor Paper(252, 252, 248);
const QColor Folder(238, 190, 64);
const QColor FolderDark(196, 142, 28);
const QColor Disk(56, 104, 180);
const QColor Glass(200, 228, 248);
const QColor Metal(150, 150, 158);
const QColor Red(214, 56, 48);
const QColor Green(52, 150, 72);

using TDraw = std::function<void(QPainter&)>;

QPixmap Draw(int w, int h, const TDraw& draw) {
  QPixmap pm(w, h);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(0.5, 0.5);  // one-pixel lines on pixel centres
  draw(p);
  return pm;
}

// The disabled look of the pictures that have one of their own: grey and
// pale, outline kept a little darker.
QPixmap Greyed(const QPixmap& up) {
  QImage img = up.toImage().convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QRgb c = img.pixel(x, y);
      const int g = 128 + qGray(c) / 2;
      img.setPixel(x, y, qRgba(g, g, g, qAlpha(c)));
    }
  return QPixmap::fromImage(img);
}

QPixmap Strip(const QPixmap& a, const QPixmap& b) {
  QPixmap s(a.width() + b.width(), a.height());
  s.fill(Qt::transparent);
  QPainter p(&s);
  p.drawPixmap(0, 0, a);
  p.drawPixmap(a.width(), 0, b);
  return s;
}

void Magnifier(QPainter& p, qreal x, qreal y, qreal r) {
  p.setPen(QPen(Ink, 2.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(x + r * 0.7, y + r * 0.7), QPointF(x + r * 1.75, y + r * 1.75));
  p.setPen(QPen(Ink, 1.3));
  p.setBrush(Glass);
  p.drawEllipse(QPointF(x, y), r, r);
}

void Arrow(QPainter& p, qreal x, qreal y, bool right) {
  const qreal d = right ? 1 : -1;
  QPainterPath path;
  path.moveTo(x - 3.5 * d, y - 1.5);
  path.lineTo(x, y - 1.5);
  path.lineTo(x, y - 4);
  path.lineTo(x + 4 * d, y);
  path.lineTo(x, y + 4);
  path.lineTo(x, y + 1.5);
  path.lineTo(x - 3.5 * d, y + 1.5);
  path.closeSubpath();
  p.setPen(QPen(Ink, 1));
  p.setBrush(Green);
  p.drawPath(path);
}

void Floppy(QPainter& p) {
  p.setPen(QPen(Ink, 1));
  p.setBrush(Disk);
  QPainterPath body;
  body.moveTo(2, 1);
  body.lineTo(14, 1);
  body.lineTo(17, 4);
  body.lineTo(17, 16);
  body.lineTo(2, 16);
  body.closeSubpath();
  p.drawPath(body);
  p.setBrush(Paper);
  p.drawRect(QRectF(5, 1, 8, 5));
  p.setBrush(Metal);
  p.drawRect(QRectF(5, 10, 9, 6));
  p.setBrush(Ink);
  p.drawRect(QRectF(10, 2, 2, 3));
}

void Pencil(QPainter& p, qreal x, qreal y) {
  p.save();
  p.translate(x, y);
  p.rotate(45);
  p.setPen(QPen(Ink, 1));
  p.setBrush(QColor(246, 200, 80));
  p.drawRect(QRectF(-1.8, -7, 3.6, 8));
  QPainterPath tip;
  tip.moveTo(-1.8, 1);
  tip.lineTo(1.8, 1);
  tip.lineTo(0, 4);
  tip.closeSubpath();
  p.setBrush(Paper);
  p.drawPath(tip);
  p.restore();
}

void Label(QPainter& p, int w, int h, const QString& text) {
  QFont f;
  f.setPixelSize(9);
  f.setBold(true);
  f.setStyleHint(QFont::SansSerif);
  p.setFont(f);
  p.setPen(QPen(Ink, 1));
  p.setBrush(Paper);
  p.drawRoundedRect(QRectF(0, 2, w - 1, h - 5), 2, 2);
  p.drawText(QRectF(-0.5, 1.5, w, h - 4), Qt::AlignCenter, text);
}

QPixmap OpenGlyph() {
  return Draw(20, 18, [](QPainter& p) {
    p.setPen(QPen(Ink, 1));
    p.setBrush(FolderDark);
    QPainterPath back;
    back.moveTo(1, 15);
    back.lineTo(1, 3);
    back.lineTo(6, 3);
    back.lineTo(8, 5);
    back.lineTo(15, 5);
    back.lineTo(15, 15);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(Paper);
    p.drawRect(QRectF(4, 6.5, 9, 6));
    p.setBrush(Folder);
    QPainterPath front;
    front.moveTo(1, 15);
    front.lineTo(4, 8);
    front.lineTo(18, 8);
    front.lineTo(15, 15);
    front.closeSubpath();
    p.drawPath(front);
  });
}

QPixmap SaveGlyph() { return Draw(20, 18, [](QPainter& p) { Floppy(p); }); }

QPixmap SaveAsGlyph() {
  return Draw(20, 18, [](QPainter& p) {
    Floppy(p);
    Pencil(p, 15.5, 11.5);
  });
}

QPixmap PrintGlyph() {
  return Draw(20, 18, [](QPainter& p) {
    p.setPen(QPen(Ink, 1));
    p.setBrush(Paper);
    p.drawRect(QRectF(5, 1, 9, 6));
    p.setBrush(Metal);
    p.drawRoundedRect(QRectF(1, 6, 17, 7), 1.5, 1.5);
    p.setBrush(Paper);
    p.drawRect(QRectF(5, 10, 9, 6));
    p.setPen(QPen(Metal, 1));
    p.drawLine(QPointF(7, 12.5), QPointF(12, 12.5));
    p.drawLine(QPointF(7, 14.5), QPointF(11, 14.5));
    p.setPen(Qt::NoPen);
    p.setBrush(Green);
    p.drawEllipse(QPointF(15.5, 8.5), 1, 1);
  });
}

QPixmap InfoGlyph() {
  return Draw(20, 18, [](QPainter& p) {
    p.setPen(QPen(Ink, 1));
    const QColor bars[] = {Disk, Red, Green, Folder};
    const qreal heights[] = {7, 12, 4, 9};
    for (int i = 0; i < 4; ++i) {
      p.setBrush(bars[i]);
      p.drawRect(QRectF(2 + i * 4, 16 - heights[i], 3, heights[i]));
    }
    p.drawLine(QPointF(0, 16), QPointF(18, 16));
  });
}

QPixmap FindGlyph() { return Draw(20, 18, [](QPainter& p) { Magnifier(p, 7.5, 7, 5); }); }

QPixmap FindPreviousGlyph() {
  return Draw(20, 18, [](QPainter& p) {
    Magnifier(p, 11, 6.5, 4.5);
    Arrow(p, 4.5, 12.5, false);
  });
}

QPixmap FindNextGlyph() {
  return Draw(20, 18, [](QPainter& p) {
    Magnifier(p, 6.5, 6.5, 4.5);
    Arrow(p, 14.5, 12.5, true);
  });
}

QPixmap ReplaceGlyph() {
  return Draw(20, 18, [](QPainter& p) {
    QFont f;
    f.setPixelSize(9);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QPen(Ink, 1));
    p.setBrush(Paper);
    p.drawRect(QRectF(0, 0, 8, 9));
    p.drawText(QRectF(0, 0, 8, 9), Qt::AlignCenter, "A");
    p.setBrush(Glass);
    p.drawRect(QRectF(10, 8, 8, 9));
    p.drawText(QRectF(10, 8, 8, 9), Qt::AlignCenter, "B");
    p.setPen(QPen(Red, 1.5));
    p.setBrush(Qt::NoBrush);
    QPainterPath bend;
    bend.moveTo(4, 10.5);
    bend.quadTo(4, 14, 8, 14);
    p.drawPath(bend);
    p.setBrush(Red);
    p.setPen(Qt::NoPen);
    QPainterPath head;
    head.moveTo(9.5, 14);
    head.lineTo(6.5, 11.5);
    head.lineTo(6.5, 16.5);
    head.closeSubpath();
    p.drawPath(head);
  });
}

QPixmap FindAndMarkGlyph() {
  return Draw(20, 18, [](QPainter& p) {
    p.setPen(QPen(Ink, 1));
    p.setBrush(Red);
    p.drawRect(QRectF(9, 10, 9, 6));
    Magnifier(p, 6.5, 6.5, 4.5);
  });
}

QPixmap CalcGlyph() {
  return Draw(18, 18, [](QPainter& p) {
    p.setPen(QPen(Ink, 1));
    p.setBrush(Metal);
    p.drawRoundedRect(QRectF(2, 0, 13, 17), 1.5, 1.5);
    p.setBrush(QColor(196, 226, 180));
    p.drawRect(QRectF(4, 2, 9, 4));
    p.setPen(Qt::NoPen);
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) {
        p.setBrush(r == 2 && c == 2 ? Red : Paper);
        p.drawRect(QRectF(4 + c * 3.2, 8 + r * 3, 2.4, 2));
      }
  });
}

QPixmap TableGlyph() {
  return Draw(18, 18, [](QPainter& p) {
    p.setPen(QPen(Ink, 1));
    p.setBrush(Paper);
    p.drawRect(QRectF(0, 0, 16, 16));
    p.setBrush(Glass);
    p.drawRect(QRectF(0, 0, 16, 4));
    p.drawRect(QRectF(0, 0, 5, 16));
    p.setPen(QPen(Metal, 1));
    for (qreal y : {8.0, 12.0}) p.drawLine(QPointF(1, y), QPointF(15, y));
    p.drawLine(QPointF(10.5, 5), QPointF(10.5, 15));
    QFont f;
    f.setPixelSize(7);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Ink);
    p.drawText(QRectF(5, 4, 6, 5), Qt::AlignCenter, "A");
    p.drawText(QRectF(10.5, 4, 6, 5), Qt::AlignCenter, "B");
  });
}

QPixmap TextGlyph(const QString& text) {
  return Draw(19, 18, [text](QPainter& p) { Label(p, 19, 18, text); });
}

}  // namespace

TGlyph ToolbarGlyph(const QString& name) {
  if (name == "OpenSB") return {Strip(OpenGlyph(), Greyed(OpenGlyph())), 2};
  if (name == "SaveSB") return {Strip(SaveGlyph(), Greyed(SaveGlyph())), 2};
  if (name == "SaveAsSB") return {Strip(SaveAsGlyph(), Greyed(SaveAsGlyph())), 2};
  if (name == "PrintSB") return {PrintGlyph(), 1};
  if (name == "InfoSB") return {InfoGlyph(), 1};
  if (name == "FindSB") return {FindGlyph(), 1};
  if (name == "FindPreviousSB") return {FindPreviousGlyph(), 1};
  if (name == "FindNextSB") return {FindNextGlyph(), 1};
  if (name == "ReplaceSB") return {ReplaceGlyph(), 1};
  if (name == "FindAndMarkSB") return {FindAndMarkGlyph(), 1};
  if (name == "CalcSB") return {CalcGlyph(), 1};
  if (name == "TabSB") return {TableGlyph(), 1};
  if (name == "HexSpeedButton") return {TextGlyph("Hex"), 1};
  if (name == "DecSpeedButton") return {TextGlyph("Dec"), 1};
  if (name == "DezSpeedButton") return {TextGlyph("Dez"), 1};
  return {};
}
