#include "controls/ModernSpeedButton.h"

#include <QEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

TModernSpeedButton::TModernSpeedButton(QWidget* parent) : QAbstractButton(parent) {
  resize(25, 25);
  setFocusPolicy(Qt::NoFocus);
}

void TModernSpeedButton::SetGlyph(const QPixmap& glyph, int numGlyphs) {
  FGlyph = glyph;
  FNumGlyphs = std::clamp(numGlyphs, 1, 4);
  FEmbossed = QPixmap();
  FRimmed = QPixmap();
  update();
}

void TModernSpeedButton::SetLayout(TButtonLayout layout) {
  FLayout = layout;
  update();
}

void TModernSpeedButton::SetMargin(int margin) {
  FMargin = margin;
  update();
}

void TModernSpeedButton::SetSpacing(int spacing) {
  FSpacing = spacing;
  update();
}

void TModernSpeedButton::SetGroupIndex(int index) {
  FGroupIndex = index;
  setCheckable(index != 0);
  if (index == 0) setChecked(false);
  update();
}

void TModernSpeedButton::SetDown(bool down) {
  if (FGroupIndex == 0) return;
  setChecked(down);
  if (down) ReleaseOthers();
}

void TModernSpeedButton::ReleaseOthers() {
  if (!parentWidget()) return;
  for (auto* other : parentWidget()->findChildren<TModernSpeedButton*>(QString(), Qt::FindDirectChildrenOnly))
    if (other != this && other->FGroupIndex == FGroupIndex) other->setChecked(false);
}

// A click on a grouped button puts it down and the others of its group up;
// a down button only comes up again when the group allows all up.
void TModernSpeedButton::nextCheckState() {
  if (FGroupIndex == 0) return;
  if (isChecked()) {
    if (FAllowAllUp) setChecked(false);
    return;
  }
  setChecked(true);
  ReleaseOthers();
}

void TModernSpeedButton::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && Down()) {
    emit DoubleClicked();
    return;
  }
  QAbstractButton::mouseDoubleClickEvent(event);
}

void TModernSpeedButton::changeEvent(QEvent* event) {
  if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) {
    FEmbossed = QPixmap();
    FRimmed = QPixmap();
  }
  QAbstractButton::changeEvent(event);
}

QPixmap TModernSpeedButton::Image(int index) const {
  if (FGlyph.isNull()) return {};
  const int w = FGlyph.width() / FNumGlyphs;
  QPixmap image = FGlyph.copy(index * w, 0, w, FGlyph.height());
  image.setDevicePixelRatio(FGlyph.devicePixelRatio());
  return image;
}

// The dark pixels of the up image, once in the highlight colour one pixel
// right and down, once in the shadow colour in place.
QPixmap TModernSpeedButton::Embossed() const {
  if (!FEmbossed.isNull() || FGlyph.isNull()) return FEmbossed;
  const QImage up = Image(0).toImage().convertToFormat(QImage::Format_ARGB32);
  QImage mask(up.size(), QImage::Format_ARGB32);
  mask.fill(Qt::transparent);
  for (int y = 0; y < up.height(); ++y)
    for (int x = 0; x < up.width(); ++x) {
      const QRgb p = up.pixel(x, y);
      if (qAlpha(p) >= 128 && qGray(p) < 160) mask.setPixel(x, y, qRgba(0, 0, 0, 255));
    }
  const auto tinted = [&](const QColor& colour) {
    QImage out = mask;
    QPainter p(&out);
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(out.rect(), colour);
    return out;
  };
  QImage result(up.width() + 1, up.height() + 1, QImage::Format_ARGB32);
  result.fill(Qt::transparent);
  {
    QPainter p(&result);
    if (DarkFace()) {
      // Light and dark swap roles: a pale shape with a darker shadow.
      p.drawImage(1, 1, tinted(palette().color(QPalette::Shadow)));
      p.drawImage(0, 0, tinted(palette().color(QPalette::Disabled, QPalette::ButtonText)));
    } else {
      p.drawImage(1, 1, tinted(palette().color(QPalette::Light)));
      p.drawImage(0, 0, tinted(palette().color(QPalette::Dark)));
    }
  }
  FEmbossed = QPixmap::fromImage(result);
  FEmbossed.setDevicePixelRatio(FGlyph.devicePixelRatio());
  return FEmbossed;
}

bool TModernSpeedButton::DarkFace() const { return palette().color(QPalette::Button).lightness() < 128; }

QPixmap TModernSpeedButton::Rimmed() const {
  if (!FRimmed.isNull() || FGlyph.isNull()) return FRimmed;
  const QPixmap plain = Image(0);
  if (!DarkFace()) return FRimmed = plain;
  QImage up = plain.toImage().convertToFormat(QImage::Format_ARGB32);
  up.setDevicePixelRatio(1);  // worked on in device pixels
  QImage rim(up.size(), QImage::Format_ARGB32);
  rim.fill(Qt::transparent);
  const QRgb light = palette().color(QPalette::ButtonText).rgb();
  // Every pixel next to the picture's own becomes rim.
  for (int y = 0; y < up.height(); ++y)
    for (int x = 0; x < up.width(); ++x) {
      int alpha = 0;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
          if (up.valid(x + dx, y + dy)) alpha = std::max(alpha, qAlpha(up.pixel(x + dx, y + dy)));
      rim.setPixel(x, y, qRgba(qRed(light), qGreen(light), qBlue(light), alpha));
    }
  {
    QPainter p(&rim);
    p.drawImage(0, 0, up);
  }
  QPixmap result = QPixmap::fromImage(rim);
  result.setDevicePixelRatio(plain.devicePixelRatio());
  return FRimmed = result;
}

QPixmap TModernSpeedButton::CurrentGlyph() const {
  if (!isEnabled()) return FNumGlyphs >= 2 ? Image(1) : Embossed();
  if (Down() && FNumGlyphs >= 4) return Image(3);
  if (isDown() && FNumGlyphs >= 3) return Image(2);
  return Rimmed();
}

namespace {

// Button face with every pixel white whose row and column are both even or
// both odd.
QBrush CheckeredBrush(const QColor& face) {
  QImage pattern(8, 8, QImage::Format_RGB32);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) pattern.setPixel(x, y, (x % 2) == (y % 2) ? qRgb(255, 255, 255) : face.rgb());
  return QBrush(pattern);
}

}  // namespace

void TModernSpeedButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QColor face = palette().color(QPalette::Button);
  const bool exclusive = Down();
  p.fillRect(rect(), exclusive ? CheckeredBrush(face) : QBrush(face));

  const QPixmap glyph = CurrentGlyph();
  const QString caption = text();
  const QFontMetrics fm(font());
  const QSize textSize = caption.isEmpty() ? QSize() : fm.size(Qt::TextShowMnemonic, caption);
  const QSize glyphSize = glyph.isNull() ? QSize() : glyph.deviceIndependentSize().toSize();
  const bool horizontal = FLayout == blGlyphLeft || FLayout == blGlyphRight;
  const int gap = glyph.isNull() || caption.isEmpty() ? 0 : FSpacing;
  const int along =
      horizontal ? glyphSize.width() + gap + textSize.width() : glyphSize.height() + gap + textSize.height();
  const int room = horizontal ? width() : height();
  int start = FMargin < 0 ? (room - along) / 2 : FMargin;
  if (FMargin >= 0 && (FLayout == blGlyphRight || FLayout == blGlyphBottom)) start = room - FMargin - along;

  QRect glyphRect, textRect;
  if (horizontal) {
    const bool glyphFirst = FLayout == blGlyphLeft;
    const int gx = glyphFirst ? start : start + textSize.width() + gap;
    const int tx = glyphFirst ? start + glyphSize.width() + gap : start;
    glyphRect = QRect(QPoint(gx, (height() - glyphSize.height()) / 2), glyphSize);
    textRect = QRect(QPoint(tx, (height() - textSize.height()) / 2), textSize);
  } else {
    const bool glyphFirst = FLayout == blGlyphTop;
    const int gy = glyphFirst ? start : start + textSize.height() + gap;
    const int ty = glyphFirst ? start + glyphSize.height() + gap : start;
    glyphRect = QRect(QPoint((width() - glyphSize.width()) / 2, gy), glyphSize);
    textRect = QRect(QPoint((width() - textSize.width()) / 2, ty), textSize);
  }
  if (isDown() || exclusive) {
    glyphRect.translate(1, 1);
    textRect.translate(1, 1);
  }
  if (!glyph.isNull()) p.drawPixmap(glyphRect.topLeft(), glyph);
  if (!caption.isEmpty()) {
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    p.setPen(palette().color(group, QPalette::ButtonText));
    p.drawText(textRect, Qt::AlignCenter | Qt::TextShowMnemonic, caption);
  }
}
