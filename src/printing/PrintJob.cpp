#include "printing/PrintJob.h"

#include <QDateTime>
#include <QLocale>
#include <QPainter>
#include <exception>

#include "core/DocState.h"
#include "printing/PrintPagePainter.h"

QString PrintDateTimeNow() {
  const QDateTime now = QDateTime::currentDateTime();
  const QLocale locale = QLocale::system();
  return locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
         locale.toString(now.time(), QLocale::LongFormat);
}

TPrintJobResult RunPrintJob(QPagedPaintDevice& device, TPrintPages pages, const TPrintJobHooks& hooks) {
  const auto cancelled = [&] { return hooks.Cancelled && hooks.Cancelled(); };
  // An empty range prints nothing: not even the blank sheet an opened and
  // closed document would give.
  if (pages.Last < pages.First) return cancelled() ? TPrintJobResult::Stopped : TPrintJobResult::Done;
  QPainter painter;
  if (!painter.begin(&device)) return TPrintJobResult::Failed;
  bool failed = false;
  try {
    TPrintPagePainter pagePainter(painter, device);
    const QString fileName = QString::fromStdString(DocFileName());
    const TPrintMarks marks = CurrentPrintMarks();
    for (int32_t p = pages.First; p <= pages.Last && !failed; ++p) {
      if (cancelled()) continue;
      if (hooks.PageStarted) hooks.PageStarted(p);
      const QString dateTime = hooks.DateTime ? hooks.DateTime() : PrintDateTimeNow();
      pagePainter.PaintPage(p, dateTime, fileName, marks, hooks.RowPrinted);
      if (p != pages.Last && !cancelled() && !device.newPage()) failed = true;
    }
  } catch (const std::exception&) {
    failed = true;
  }
  // Ended, never aborted: the pages already printed come out.
  if (!painter.end()) failed = true;
  if (failed) return TPrintJobResult::Failed;
  return cancelled() ? TPrintJobResult::Stopped : TPrintJobResult::Done;
}
