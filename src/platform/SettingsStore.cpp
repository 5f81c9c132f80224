#include "platform/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cstdio>

#include "fileio/FileIo.h"

namespace {
// A settings file is a few kilobytes; anything far larger is not ours and is
// not worth reading at start-up.
constexpr qint64 MaxFileSize = 4 * 1024 * 1024;
}  // namespace

const char* const TQtSettingsStore::Group = "1.02";

QString TQtSettingsStore::DefaultFileName() {
  return QSettings(QSettings::IniFormat, QSettings::UserScope, "Mendrel", "Brisquentalovard").fileName();
}

bool TQtSettingsStore::Open(bool create) {
  FReader.reset();
  FKeys.clear();
  FPending.clear();
  FWriting = create;
  if (create) return QDir().mkpath(QFileInfo(FFileName).absolutePath());
  const QFileInfo info(FFileName);
  if (!info.isFile() || !info.isReadable() || info.size() > MaxFileSize) return false;
  FReader = std::make_unique<QSettings>(FFileName, QSettings::IniFormat);
  FReader->beginGroup(Group);
  FKeys = FReader->childKeys();
  return !FKeys.isEmpty();
}

TStoredValue TQtSettingsStore::Read(const std::string& name) {
  TStoredValue v;
  if (!FReader) return v;
  // Names are matched without regard to case; the exact spelling wins when
  // a hand-edited file holds both.
  const QString wanted = QString::fromStdString(name);
  QString key;
  if (FKeys.contains(wanted))
    key = wanted;
  else
    for (const QString& k : FKeys)
      if (k.compare(wanted, Qt::CaseInsensitive) == 0) {
        key = k;
        break;
      }
  if (key.isEmpty()) return v;
  const QVariant value = FReader->value(key);
  if (value.typeId() == QMetaType::QString) {
    v.Kind = TStoredValue::Text;
    v.Value = value.toString().toStdString();
  } else {
    v.Kind = TStoredValue::Other;
  }
  return v;
}

void TQtSettingsStore::WriteInteger(const std::string& name, int32_t value) {
  if (FWriting) FPending.emplace_back(QString::fromStdString(name), QString::number(value));
}

void TQtSettingsStore::WriteString(const std::string& name, const std::string& value) {
  if (FWriting) FPending.emplace_back(QString::fromStdString(name), QString::fromStdString(value));
}

bool TQtSettingsStore::Close() {
  FReader.reset();
  FKeys.clear();
  if (!FWriting) return true;
  FWriting = false;
  const bool ok = Commit();
  FPending.clear();
  return ok;
}

// The whole file is written beside the old one and then renamed over it:
// the old file stays intact until the new one is complete. Writing it fresh
// also drops whatever damage the old one had.
bool TQtSettingsStore::Commit() {
  QString tempName;
  {
    QTemporaryFile temp(FFileName + ".XXXXXX");
    temp.setAutoRemove(false);
    if (!temp.open()) return false;
    tempName = temp.fileName();
  }
  bool ok;
  {
    QSettings out(tempName, QSettings::IniFormat);
    out.beginGroup(Group);
    for (const auto& [name, value] : FPending) out.setValue(name, value);
    out.endGroup();
    out.sync();
    ok = out.status() == QSettings::NoError;
  }
  // On the disk before the rename, and the rename itself after it: a power
  // failure leaves the old file or the new one, never an empty one.
  ok = ok && SyncPath(QFile::encodeName(tempName).toStdString());
  ok = ok && FileCalls.Rename(QFile::encodeName(tempName).constData(), QFile::encodeName(FFileName).constData()) == 0;
  if (!ok) QFile::remove(tempName);
  if (ok) SyncPath(QFile::encodeName(QFileInfo(FFileName).absolutePath()).toStdString());
  return ok;
}
