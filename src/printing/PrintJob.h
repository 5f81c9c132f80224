// The print job: begins the document on a printer (or any paged device),
// prints the chosen pages one after the other and ends the document, also
// when it is stopped or fails, so that what was printed comes out.
#pragma once

#include <QPagedPaintDevice>
#include <QString>
#include <functional>

#include "core/PrintLayout.h"

struct TPrintJobHooks {
  // A page is about to be printed (the progress text).
  std::function<void(int32_t page)> PageStarted;
  // After every printed row: lets pending events in, so Stop can arrive.
  std::function<void()> RowPrinted;
  // Tested before each page: once true, no further page is started.
  std::function<bool()> Cancelled;
  // The header's date and time; the system's short date and long time by
  // default.
  std::function<QString()> DateTime;
};

enum class TPrintJobResult { Done, Stopped, Failed };

// Prints pages.First to pages.Last of the document in G on device with the
// marks as the options say. Nothing is begun when Last < First.
TPrintJobResult RunPrintJob(QPagedPaintDevice& device, TPrintPages pages, const TPrintJobHooks& hooks);

// "short date long time" in the system's formats, now.
QString PrintDateTimeNow();
