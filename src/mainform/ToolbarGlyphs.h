// The pictures of the toolbar buttons. They are our own SVG drawings (one
// file per button in src/mainform/glyphs/, sharing one palette, a one-pixel
// outline and an 18-pixel height), compiled into the program as Qt
// resources under :/glyphs/ and rendered at their own pixel size, so no
// image file has to be found at run time.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

struct TGlyph {
  QPixmap Strip;  // the images side by side
  int Count = 1;  // 2: the second is the disabled look
};

// The glyph of the named button, drawn for a screen of the given device
// pixel ratio (its logical size stays the same); a null strip for an
// unknown name.
TGlyph ToolbarGlyph(const QString& buttonName, qreal dpr = 1);

// The program's own icon, the one the desktop entry shows, at the usual
// window icon sizes.
QIcon ProgramIcon();

// The resource path of the named button's picture (":/glyphs/open.svg"),
// empty for an unknown name.
QString ToolbarGlyphResource(const QString& buttonName);
