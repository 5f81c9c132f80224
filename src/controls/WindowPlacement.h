// Whether the program may place its own top-level windows. Under Wayland the
// compositor decides where every window goes and tells no client where one
// stands: a move asks for nothing there, and a window's position reads as
// 0, 0. So the program leaves positions alone there and keeps the one it
// last had under X11.
#pragma once

#include <QString>

class QPoint;
class QWidget;

// By the name of Qt's window-system plugin ("xcb", "wayland", "offscreen").
bool PlatformPlacesWindows(const QString& platformName);
// For the platform the program runs on, or the one a test names instead.
bool WindowsPlaceable();
// Tests take another platform's rules by its name; an empty name gives the
// running platform back.
void SetPlatformNameForTests(const QString& name);
// Moves a top-level window there where windows can be placed; elsewhere the
// compositor places it.
void MoveWindow(QWidget* window, const QPoint& topLeft);
