// What the start-up needs to know about the system and about other running
// copies of the program.
#pragma once

#include <QLocalServer>
#include <QString>
#include <cstdint>

// Tells whether another copy of the program runs for this user, and lets
// copies started later find this one.
class TInstanceGuard {
 public:
  // name: the socket name; by default one per user in the runtime directory.
  explicit TInstanceGuard(const QString& name = DefaultName());
  bool FirstInstance() const { return FFirst; }
  static QString DefaultName();

 private:
  QLocalServer FServer;
  bool FFirst = true;
};

// The average character width and height of the application's font, packed
// as (height << 16) | width: stored geometry is only valid for the same value.
int32_t CurrentDialogBaseUnits();

// 7 on a German system, 9 on any other.
int32_t SystemLanguage();

// The first calculator found on PATH, or the usual place of one.
QString DefaultCalcPath();
