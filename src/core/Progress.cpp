#include "core/Progress.h"

#include <algorithm>
#include <string>

#include "core/Seams.h"

void ForEachPercentChunk(int64_t total, const std::function<void(int64_t, int64_t)>& work,
                         const std::function<void(int)>& show) {
  if (total <= 0) return;
  const TBusy busy;
  // The first index whose figure reaches p.
  const auto reaches = [total](int64_t p) { return (p * total + 99) / 100; };
  int64_t shown = 0, from = 0;
  while (from < total) {
    const int64_t next = reaches(shown + 1);
    const int64_t to = std::min(total, std::max(next, from) + 1);
    work(from, to);
    from = to;
    const int64_t reached = (to - 1) * 100 / total;
    if (reached != shown) {
      shown = reached;
      show(int(reached));
    }
  }
}

void ShowPercent(int percent) {
  View().SetStatusPanel(2, std::to_string(percent) + "%");
  View().FlushPaint();
}

TBusy::TBusy() { Host().BeginBusy(); }
TBusy::~TBusy() { Host().EndBusy(); }

TWorkProgress::TWorkProgress(std::string (*text)(int), int64_t total)
    : FText(text), FTotal(total), FStart(Host().TickCount()) {}

TWorkProgress::~TWorkProgress() {
  if (FShown >= 0) View().EndWork();
}

void TWorkProgress::Reached(int64_t done) {
  const int percent = FTotal > 0 ? int(std::clamp<int64_t>(done, 0, FTotal) * 100 / FTotal) : 100;
  if (percent == FShown) return;
  if (FShown < 0 && Host().TickCount() - FStart < QuietMs) return;
  FShown = percent;
  View().ShowWork(FText(percent));
}
