#include "core/Texts.h"

#include "core/Seams.h"

namespace {
const std::string CR = "\r";
const std::string Q = "'";
}  // namespace

std::string TxtReadingFailed(const std::string& name) {
  return German() ? "Konnte " + name + " nicht lesen!" : "Reading " + name + " failed!";
}

std::string TxtWritingFailed() { return Tr("Writing failed!", "Konnte nicht schreiben!"); }

std::string TxtWritingFailedRescueKept(const std::string& rescueFile) {
  return TxtWritingFailed() +
         Tr(" The file could not be restored either. Its old content is kept in ",
            " Auch die alte Fassung der Datei ließ sich nicht zurückschreiben. Ihr alter Inhalt liegt in ") +
         rescueFile + ".";
}

std::string TxtChangedOnDiskQuestion(const std::string& name, bool unsavedChanges) {
  if (German())
    return "Die Datei " + name + " wurde von einem anderen Programm geändert. " +
           (unsavedChanges ? "Neu laden und Ihre Änderungen verwerfen?" : "Neu laden?");
  return "The file " + name + " was changed by another program. " +
         (unsavedChanges ? "Reload it and lose your changes?" : "Reload it?");
}

std::string TxtOverwriteOutsideChangesQuestion(const std::string& name) {
  return German()
             ? "Die Datei " + name +
                   " wurde seit dem Öffnen von einem anderen Programm geändert. Diese Änderungen überschreiben?"
             : "The file " + name + " was changed by another program since you opened it. Overwrite those changes?";
}

// German sets the percent sign off by a space.
std::string TxtWorkPercent(bool saving, int percent, bool german) {
  const std::string p = std::to_string(percent);
  if (german) return (saving ? "Speichern " : "Laden ") + p + " %";
  return (saving ? "Saving " : "Loading ") + p + "%";
}

std::string TxtLoadingPercent(int percent) { return TxtWorkPercent(false, percent, German()); }
std::string TxtSavingPercent(int percent) { return TxtWorkPercent(true, percent, German()); }

std::string TxtMarksOverwriteQuestion(const std::string& name) {
  return German() ? "Die Datei " + name + " existiert bereits. Bestehende " + "Datei überschreiben?"
                  : "File " + name + " already exists. Overwrite existing file?";
}

std::string TxtOverwriteQuestion(const std::string& name) {
  if (German())
    return "Die Datei " + name + " existiert bereits. Bestehende " + "Datei überschreiben?" + CR + CR +
           "WARNUNG: Das Überschreiben von bestehenden Dateien kann Software " +
           "und Daten ihres Systems beschädigen. Es kann zu einem instabilen " +
           "System führen. Wenn Sie nicht genau " +
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

std::string TxtNotEnoughMemory() {
  return Tr("Operation failed! Possible reason: Not enough memory.",
            "Vorgang fehlgeschlagen! Vermutlich nicht genug Speicher.");
}

std::string TxtNotEnoughMemoryPleaseClose() {
  return Tr("Operation failed! Possible reason: Not enough memory. Please close this application.",
            "Vorgang fehlgeschlagen! Vermutlich nicht genug Speicher. Bitte beenden Sie das Programm!");
}

std::string TxtNotEnoughMemoryCloseApplication() {
  return Tr("Operation failed! Possible reason: Not enough memory. Close application!",
            "Vorgang fehlgeschlagen! Vermutlich nicht genug Speicher. Bitte Programm beenden!");
}

std::string TxtActionKindName(int kind) {
  static const char* const English[] = {
      "Mark",         "Change value", "Back",   "Delete",       "Delete bytes", "Unmark",      "Insert",
      "Insert bytes", "Load mark",    "Append", "Append bytes", "Replace",      "Paste bytes", "Paste bytes over"};
  static const char* const Deutsch[] = {"Markierung",
                                        "Wert ändern",
                                        "Rück",
                                        "Löschen",
                                        "Bytes löschen",
                                        "Markierung aufheben",
                                        "Einfügen",
                                        "Bytes einfügen",
                                        "Markierung laden",
                                        "Anfügen",
                                        "Bytes anfügen",
                                        "Ersetzen",
                                        "Bytes einfügen (Zwischenablage)",
                                        "Bytes überschreiben (Zwischenablage)"};
  if (kind < 0 || kind > 13) return "?";
  return Tr(English[kind], Deutsch[kind]);
}

std::string TxtDeactivateWarningQuestion() {
  const std::string gap = CR + CR;
  if (German())
    return std::string("Wollen Sie die Warnungen deaktivieren?") + gap +
           "WARNUNG: Wenn Sie diese Option deaktivieren werden Sie vor dem Speichern von Dateien unter ihrem "
           "bisherigen Dateinamen nicht mehr nach einer Bestätigung gefragt. Das Risiko ist daher hoch, daß Sie "
           "versehentlich eine Datei mit modifizierten Daten überschreiben." +
           gap +
           "Das Überschreiben von bestehenden Dateien kann Software und Daten ihres Systems beschädigen. Es kann "
           "zu einem instabilen System führen. Wenn Sie nicht genau wissen was Sie tun oder sich nicht über die "
           "möglichen Konsequenzen im Klaren sind, dann drücken Sie den Nein-Schalter.";
  return std::string("Do you want to deactivate the warnings?") + gap +
         "WARNUNG: If you deactivate this option you will not be asked to confirm saving files under their "
         "present filename. Thus the risk will be high that you accidently overwrite files with modified data." +
         gap + "Overwriting files can damage your system" + Q + "s software and data. It can lead to an unstable " +
         "system. If you don" + Q + "t know exactly what you are doing or you don" + Q +
         "t know about the possible consequences then you should press the No-button.";
}

namespace {
struct TBeepText {
  TBeepReason Reason;
  const char* English;
  const char* German;
};
// Short enough for the status bar's third panel next to the other two.
const TBeepText BeepTexts[] = {
    {TBeepReason::NotFound, "Not found", "Nicht gefunden"},
    {TBeepReason::EndOfDocument, "End of document", "Dokumentende"},
    {TBeepReason::NoFurtherMark, "No further mark", "Keine Markierung mehr"},
    {TBeepReason::NoIdenticalByte, "No identical byte", "Kein gleiches Byte"},
    {TBeepReason::InvalidKey, "Invalid key", "Ungültige Taste"},
    {TBeepReason::DigitTooLarge, "Digit too large", "Ziffer zu groß"},
    {TBeepReason::ValueLimited, "Limited to 255", "Auf 255 begrenzt"},
    {TBeepReason::NoRoom, "No more room", "Kein Platz mehr"},
    {TBeepReason::NumberTooLarge, "Number too large", "Zahl zu groß"},
    {TBeepReason::InvalidValue, "Invalid value", "Ungültiger Wert"},
    {TBeepReason::NothingToPaste, "Nothing to paste", "Nichts einzufügen"},
};
}  // namespace

std::string TxtBeepReason(TBeepReason reason) {
  for (const TBeepText& t : BeepTexts)
    if (t.Reason == reason) return Tr(t.English, t.German);
  return "";
}

std::vector<std::string> AllBeepReasonTexts() {
  std::vector<std::string> texts;
  for (const TBeepText& t : BeepTexts) {
    texts.push_back(t.English);
    texts.push_back(t.German);
  }
  return texts;
}

const char* MarkColourName(int mark, bool german) {
  static const char* const English[] = {"No mark", "Red", "Green", "Blue", "Cyan", "Magenta", "Yellow"};
  static const char* const Deutsch[] = {"Keine Markierung", "Rot", "Grün", "Blau", "Cyan", "Magenta", "Gelb"};
  if (mark < 0 || mark > 6) return "";
  return german ? Deutsch[mark] : English[mark];
}

std::string TxtMarkColourName(int mark) { return MarkColourName(mark, German()); }

std::string TxtBytesCopied(int64_t n) {
  return n == 1 ? Tr("1 byte copied", "1 Byte kopiert") : std::to_string(n) + Tr(" bytes copied", " Bytes kopiert");
}

std::string TxtCopyTooLarge() {
  return Tr("The text of these bytes would be larger than 256 MiB. Copy a smaller range, or copy it as raw bytes.",
            "Der Text dieser Bytes wäre größer als 256 MiB. Kopieren Sie einen kleineren Bereich oder die Bytes "
            "unverändert.");
}

std::string TxtBytesPasted(int reading, int64_t n) {
  static const char* const English[] = {"raw bytes", "hex text", "Base64", "text"};
  static const char* const Deutsch[] = {"Rohdaten", "Hex-Text", "Base64", "Text"};
  const int r = reading < 0 || reading > 3 ? 3 : reading;
  return std::to_string(n) + Tr(n == 1 ? " byte from " : " bytes from ", n == 1 ? " Byte aus " : " Bytes aus ") +
         Tr(English[r], Deutsch[r]);
}
