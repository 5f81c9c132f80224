// Percentages of long loops, shown in the third status panel. A loop that
// reports after every index i the figure i * 100 / total, whenever it differs
// from the one shown last (0 at the start), shows exactly the texts that
// these chunked loops show, without deciding anything per byte.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Calls work(from, to) for consecutive ranges covering [0, total), and after
// each range the percentage reached, when it changed; under the busy cursor.
void ForEachPercentChunk(int64_t total, const std::function<void(int64_t from, int64_t to)>& work,
                         const std::function<void(int percent)>& show);

// Shows "p%" in the third panel and paints it at once.
void ShowPercent(int percent);

// The busy cursor for as long as it lives, however the work ends.
class TBusy {
 public:
  TBusy();
  ~TBusy();
  TBusy(const TBusy&) = delete;
  TBusy& operator=(const TBusy&) = delete;
};

// A long read or write of total bytes as the user sees it: the busy cursor
// throughout and, once it has gone on for a moment, its percentage in the
// third status panel, painted whenever the whole number changes (so at most
// 101 times, however small the pieces). Quick work shows no text, so that
// loading a small file does not make the panel flicker. The panel gets its
// text back when the work ends, whichever way.
class TWorkProgress {
 public:
  // text makes the panel's text of a percentage ("Loading 42%").
  TWorkProgress(std::string (*text)(int percent), int64_t total);
  ~TWorkProgress();
  TWorkProgress(const TWorkProgress&) = delete;
  TWorkProgress& operator=(const TWorkProgress&) = delete;
  // done bytes of the total are done.
  void Reached(int64_t done);

  // How long work goes on before it shows its percentage, in milliseconds.
  static constexpr uint32_t QuietMs = 100;

 private:
  TBusy FBusy;
  std::string (*FText)(int);
  int64_t FTotal;
  uint32_t FStart;
  int FShown = -1;
};
