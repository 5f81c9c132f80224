// The document: its bytes and marks, their sizes, the change count and the
// undo group counter, and the file dialogs that name it. There is one
// document, so one instance, Doc.
#pragma once

#include <cstdint>
#include <string>

// What a standard file dialog remembers between showings. The open dialog's
// file name is the document's name; the save dialog's is where the next Save
// writes. Both are set together by SetCurrentFileName.
struct TFileDialog {
  std::string FileName;
  std::string InitialDir;
  std::string Title;
  // Appended to a name typed without extension, and the one name filter
  // offered ("*.mrk"); both empty for any file.
  std::string DefaultExt = "";
  std::string Filter = "";
  // Offers only the files the user may run (the calculator search).
  bool ExecutablesOnly = false;
};

struct TDocState {
  // Buffers. Capacities are multiples of 65536; an empty document owns no
  // memory.
  uint8_t* DocData = nullptr;
  uint8_t* DocMarks = nullptr;
  int32_t DocSize = 0;
  int32_t DocDataCapacity = 0;
  int32_t DocMarksCapacity = 0;

  // Change tracking.
  int32_t DataChangeCount = 0;
  int32_t ActionGroupCounter = 0;

  // File dialogs; OpenDialog.FileName is the document's file name.
  TFileDialog OpenDialog{"", "", "Open"};
  TFileDialog SaveDialog{"", "", "Save as"};
  TFileDialog MarksOpenDialog{"", "", "Open marks", "mrk", "*.mrk"};
  TFileDialog MarksSaveDialog{"", "", "Save marks as", "mrk", "*.mrk"};
  TFileDialog CompareOpenDialog{"", "", "Select file to compare the data with?"};
  std::string Caption = "Brisquentalovard";
};

extern TDocState Doc;

// The document's file name, empty for a new document.
inline const std::string& DocFileName() { return Doc.OpenDialog.FileName; }
