// A flat speed button: a glyph and an optional caption on a plain face, with
// no bevel, frame or edge in any state. Pressed, and down in a group, the
// content moves one pixel right and down; down in a group the face is
// checkered. Without a disabled image of its own, a disabled button shows
// its glyph embossed.
#pragma once

#include <QAbstractButton>
#include <QPixmap>

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

class TModernSpeedButton : public QAbstractButton {
  Q_OBJECT

 public:
  explicit TModernSpeedButton(QWidget* parent = nullptr);

  // The glyph holds NumGlyphs images (1 to 4) of equal width side by side:
  // up, disabled, down, exclusive-down.
  void SetGlyph(const QPixmap& glyph, int numGlyphs = 1);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetLayout(TButtonLayout layout);
  TButtonLayout Layout() const { return FLayout; }
  // Pixels between the edge and the content; -1 centres it.
  void SetMargin(int margin);
  // Pixels between glyph and caption.
  void SetSpacing(int spacing);
  // Buttons of one parent with the same non-zero index behave as radio
  // buttons; AllowAllUp lets the down one be clicked up again.
  void SetGroupIndex(int index);
  int GroupIndex() const { return FGroupIndex; }
  void SetAllowAllUp(bool allow) { FAllowAllUp = allow; }
  void SetDown(bool down);
  bool Down() const { return FGroupIndex != 0 && isChecked(); }

  // The image drawn in the current state, as the face shows it.
  QPixmap CurrentGlyph() const;
  QSize sizeHint() const override { return QSize(25, 25); }

 signals:
  void DoubleClicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void nextCheckState() override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  QPixmap Image(int index) const;
  QPixmap Embossed() const;
  // On a dark face the up picture with a light rim, so that its dark
  // outlines stay visible; the plain picture on a light face.
  QPixmap Rimmed() const;
  bool DarkFace() const;
  void ReleaseOthers();

  QPixmap FGlyph;
  int FNumGlyphs = 1;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
  int FGroupIndex = 0;
  bool FAllowAllUp = false;
  mutable QPixmap FEmbossed;  // made again when the glyph or the colours change
  mutable QPixmap FRimmed;
};
