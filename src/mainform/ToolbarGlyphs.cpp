#include "mainform/ToolbarGlyphs.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

// The resources live in this static library; registering them here keeps
// the linker from dropping them and works for every program linking it.
static void RegisterGlyphResources() {
  static const bool done = [] {
    Q_INIT_RESOURCE(glyphs);
    return true;
  }();
  (void)done;
}

namespace {

struct TGlyphFile {
  const char* Button;
  const char* File;
  bool OwnDisabledLook;  // a greyed copy follows the picture in the strip
};

const TGlyphFile GlyphFiles[] = {
    {"OpenSB", "open.svg", true},
    {"SaveSB", "save.svg", true},
    {"SaveAsSB", "saveas.svg", true},
    {"PrintSB", "print.svg", false},
    {"InfoSB", "info.svg", false},
    {"FindSB", "find.svg", false},
    {"FindPreviousSB", "findprevious.svg", false},
    {"FindNextSB", "findnext.svg", false},
    {"ReplaceSB", "replace.svg", false},
    {"FindAndMarkSB", "findandmark.svg", false},
    {"CalcSB", "calc.svg", false},
    {"TabSB", "table.svg", false},
    {"HexSpeedButton", "hex.svg", false},
    {"DecSpeedButton", "dec.svg", false},
    {"DezSpeedButton", "dez.svg", false},
};

const TGlyphFile* Find(const QString& name) {
  for (const TGlyphFile& g : GlyphFiles)
    if (name == QLatin1String(g.Button)) return &g;
  return nullptr;
}

// The picture at the size the drawing declares, so each glyph keeps the
// width the toolbar layout was made for; on a scaled screen with as many
// more pixels, so it stays sharp.
QPixmap Render(const QString& resource, qreal dpr) {
  QSvgRenderer svg(resource);
  if (!svg.isValid()) return {};
  QImage img((QSizeF(svg.defaultSize()) * dpr).toSize(), QImage::Format_ARGB32_Premultiplied);
  img.setDevicePixelRatio(dpr);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  svg.render(&p, QRectF(QPointF(0, 0), QSizeF(svg.defaultSize())));
  p.end();
  return QPixmap::fromImage(img);
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
  s.setDevicePixelRatio(a.devicePixelRatio());
  s.fill(Qt::transparent);
  QPainter p(&s);
  p.drawPixmap(0, 0, a);
  p.drawPixmap(QPointF(a.deviceIndependentSize().width(), 0), b);
  return s;
}

}  // namespace

QString ToolbarGlyphResource(const QString& name) {
  const TGlyphFile* g = Find(name);
  return g ? QStringLiteral(":/glyphs/") + QLatin1String(g->File) : QString();
}

TGlyph ToolbarGlyph(const QString& name, qreal dpr) {
  RegisterGlyphResources();
  const TGlyphFile* g = Find(name);
  if (!g) return {};
  const QPixmap up = Render(ToolbarGlyphResource(name), dpr);
  if (up.isNull() || !g->OwnDisabledLook) return {up, 1};
  return {Strip(up, Greyed(up)), 2};
}

QIcon ProgramIcon() {
  QSvgRenderer svg(QStringLiteral(":/glyphs/program.svg"));
  QIcon icon;
  if (!svg.isValid()) return icon;
  for (int size : {16, 32, 48, 64, 128}) {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    svg.render(&p);
    p.end();
    icon.addPixmap(QPixmap::fromImage(img));
  }
  return icon;
}
