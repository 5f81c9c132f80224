#include "controls/WindowPlacement.h"

#include <QGuiApplication>
#include <QPoint>
#include <QWidget>

namespace {
QString& PlatformNameForTests() {
  static QString name;
  return name;
}
}  // namespace

bool PlatformPlacesWindows(const QString& platformName) {
  // "wayland", and its variants such as "wayland-egl".
  return !platformName.startsWith(QLatin1String("wayland"), Qt::CaseInsensitive);
}

bool WindowsPlaceable() {
  const QString& injected = PlatformNameForTests();
  return PlatformPlacesWindows(injected.isEmpty() ? QGuiApplication::platformName() : injected);
}

void SetPlatformNameForTests(const QString& name) { PlatformNameForTests() = name; }

void MoveWindow(QWidget* window, const QPoint& topLeft) {
  if (window && WindowsPlaceable()) window->move(topLeft);
}
