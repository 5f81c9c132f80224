#include "core/Captions.h"

#include "core/DocState.h"
#include "core/OptionsState.h"
#include "core/Texts.h"

namespace {

struct TKeyName {
  const char* English;
  const char* German;
};

const TKeyName KeyNames[] = {{"Del", "Entf"}, {"Ins", "Einfg"}, {"Left", "Links"}, {"Right", "Rechts"}};

}  // namespace

std::string LocalKeyName(const std::string& englishName) {
  for (const TKeyName& k : KeyNames)
    if (englishName == k.English) return Tr(k.English, k.German);
  return englishName;
}

std::string ShortcutText(const TShortcut& shortcut) {
  if (shortcut.Key.empty()) return "";
  std::string s;
  if (shortcut.Shift) s += Tr("Shift+", "Umsch+");
  if (shortcut.Ctrl) s += Tr("Ctrl+", "Strg+");
  if (shortcut.Alt) s += "Alt+";
  return s + LocalKeyName(shortcut.Key);
}

const THint ToolbarHints[] = {
    {"OpenSB", "Open...", "Datei öffnen..."},
    {"SaveSB", "Save", "Datei speichern"},
    {"SaveAsSB", "Save as...", "Datei speichern unter..."},
    {"PrintSB", "Print...", "Drucken..."},
    {"InfoSB", "Info/Statistic...", "Info/Statistik..."},
    {"FindSB", "Find...", "Suchen..."},
    {"FindPreviousSB", "Find previous", "Voriges suchen"},
    {"FindNextSB", "Find next", "Nächstes suchen"},
    {"ReplaceSB", "Replace...", "Ersetzen..."},
    {"FindAndMarkSB", "Find and mark...", "Suchen und markieren..."},
    // This system has no single calculator of its own; the button starts
    // whichever one was found or chosen.
    {"CalcSB", "Launch or bring to front the calculator", "Rechner aufrufen oder nach vorne bringen"},
    {"TabSB", "Character Table", "Zeichentabelle"},
    {"HexSpeedButton", "View hexadezimal", "Hexadezimal anzeigen"},
    {"DecSpeedButton", "View decimal", "Dezimal anzeigen"},
    {"DezSpeedButton", "View decimal", "Dezimal anzeigen"},
};
const int ToolbarHintCount = int(sizeof ToolbarHints / sizeof ToolbarHints[0]);

std::string ToolbarHint(const std::string& name) {
  for (const THint& h : ToolbarHints)
    if (name == h.Name) return Tr(h.English, h.German);
  return "";
}

void SetFileDialogTitles() {
  Doc.OpenDialog.Title = Tr("Open", "Öffnen");
  Doc.SaveDialog.Title = Tr("Save as", "Speichern unter");
  Doc.MarksOpenDialog.Title = Tr("Open marks", "Markierungen öffnen");
  Doc.MarksSaveDialog.Title = Tr("Save marks as", "Markierungen speichern unter");
}
