#include "core/Texts.h"

namespace {
const std::string CR = "\r";
const std::string Q = "'";
}  // namespace

std::string TxtReadingFailed(const std::string& name) {
  return German() ? "Konnte " + name + " nicht lesen!" : "Reading " + name + " failed!";
}

std::string TxtWritingFailed() { return Tr("Writing failed!", "Konnte nicht schreiben!"); }

std::string TxtOverwriteQuestion(const std::string& name) {
  if (German())
    return "Die Datei " + name + " existiert bereits. Bestehende " + "Datei überschreiben?" + CR + CR +
           "WARNUNG: Das Überschreiben von bestehenden Dateien kann Software " +
           "und Daten ihres Systems beschädigen. Es kann zu einem instabilen " + "System führen. Wenn Sie nicht genau " +
           "wissen was Sie tun oder sich nicht über die möglichen Konsequenzen " +
           "im Klaren sind, dann drücken Sie den Nein-Schalter.";
  return "File " + name + " already exists. Overwrite existing file?" + CR + CR +
         "WARNING: Overwriting files can damage your system" + Q + "s software and data. " +
         "It can lead to an unstable system. " + "If you don" + Q + "t know exactly what you are doing or you don" + Q +
         "t know about the possible consequences then you should press the No-button.";
}

std::string TxtSaveChangesQuestion(const std::string& name) {
  if (German())
    return name.empty() ? std::string("Daten wurden") + " geändert. Änderungen speichern?"
                        : name + " wurde" + " geändert. Änderungen speichern?";
  return name.empty() ? std::string("Data") + " has been changed. Save changes?"
                      : name + " has been changed. Save changes?";
}

std::string TxtCaption(const std::string& fileName) {
  return fileName.empty() ? "Brisquentalovard" : "Brisquentalovard [" + fileName + "]";
}
