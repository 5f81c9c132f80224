// The pictures of the toolbar buttons, drawn here rather than loaded, so
// they stay crisp and need no image files.
#pragma once

#include <QPixmap>
#include <QString>

struct TGlyph {
  QPixmap Strip;  // the images side by side
  int Count = 1;  // 2: the second is the disabled look
};

// The glyph of the named button; a null strip for an unknown name.
TGlyph ToolbarGlyph(const QString& buttonName);
