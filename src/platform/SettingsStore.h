// The settings file: one INI file per user, written whole at exit through a
// temporary file and a rename, so that a crash never leaves half of it.
#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>
#include <memory>
#include <utility>
#include <vector>

#include "core/Settings.h"

class TQtSettingsStore : public ISettingsStore {
 public:
  explicit TQtSettingsStore(QString fileName) : FFileName(std::move(fileName)) {}
  // $XDG_CONFIG_HOME/Mendrel/Brisquentalovard.ini (by default under ~/.config).
  static QString DefaultFileName();
  // The group that holds every value, named after the program's version.
  static const char* const Group;

  bool Open(bool create) override;
  TStoredValue Read(const std::string& name) override;
  void WriteInteger(const std::string& name, int32_t value) override;
  void WriteString(const std::string& name, const std::string& value) override;
  bool Close() override;

 private:
  bool Commit();

  QString FFileName;
  std::unique_ptr<QSettings> FReader;
  QStringList FKeys;
  bool FWriting = false;
  std::vector<std::pair<QString, QVariant>> FPending;
};
