// The marks-file loader: the run decoder fed in random pieces against a plain
// decoding of the format, then the whole command (a file on disk, the fake
// host choosing it) against the same, and its Undo.
//
// Input: two bytes of document size (0..4095), then the file's content.
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "actions/Actions.h"
#include "commands/EditCommands.h"
#include "commands/MarksFileCommands.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/MarksCodec.h"
#include "fakes/FakeSeams.h"

namespace {

// The format written out the obvious way: each run byte gives its mark
// (7 leaves bytes unmarked) to 1..32 bytes; past the runs nothing is marked.
std::vector<uint8_t> PlainDecode(const uint8_t* runs, size_t n, int32_t size) {
  std::vector<uint8_t> marks(size_t(size), 0);
  int64_t pos = 0;
  for (size_t i = 0; i < n && pos < size; ++i) {
    const int mark = runs[i] & 7;
    const int length = (runs[i] >> 3) + 1;
    for (int k = 0; k < length && pos < size; ++k, ++pos) marks[size_t(pos)] = uint8_t(mark == 7 ? 0 : mark);
  }
  return marks;
}

std::string FilePath() {
  static std::string path;
  if (path.empty()) {
    const char* dir = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    path = std::string(dir) + "/bq-fuzz-marks-" + std::to_string(::getpid()) + ".mrk";
  }
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t n) {
  if (n < 2) return 0;
  const int32_t size = int32_t((data[0] | data[1] << 8) & 0xFFF);
  data += 2;
  n -= 2;
  const bool signed_ = n >= 25 && std::memcmp(data, MarksSignature.data(), 25) == 0;
  const uint8_t* runs = signed_ ? data + 25 : data;
  const size_t runCount = signed_ ? n - 25 : n;
  const std::vector<uint8_t> expected = PlainDecode(runs, runCount, size);

  // The decoder, in pieces whose lengths come from the runs themselves.
  {
    TMarkRunDecoder decoder(size);
    std::vector<uint8_t> got(size_t(size), 0), wanted;
    size_t used = 0;
    while (used < runCount && !decoder.Ended()) {
      const int32_t piece = int32_t(std::min<size_t>(runCount - used, 1 + runs[used] % 17));
      const int64_t from = decoder.Position();
      const int32_t took = decoder.Decode(runs + used, piece, wanted);
      FUZZ_CHECK(took >= 0 && took <= piece);
      FUZZ_CHECK(from + int64_t(wanted.size()) <= size);
      std::copy(wanted.begin(), wanted.end(), got.begin() + from);
      if (took == 0) FUZZ_CHECK(decoder.Ended());
      used += size_t(took);
    }
    FUZZ_CHECK(got == expected);
  }

  // The command.
  TSeamFixture seams;
  Doc.DocSize = size;
  ResizeDocData(size);
  FreshDocMarks(size);
  for (int32_t i = 0; i < size; ++i) {
    Doc.DocData[i] = uint8_t(i);
    Doc.DocMarks[i] = uint8_t(i % 3 == 0 ? 5 : 0);
  }
  const std::vector<uint8_t> before(Doc.DocMarks, Doc.DocMarks + size);
  {
    FILE* f = std::fopen(FilePath().c_str(), "wb");
    FUZZ_CHECK(f != nullptr);
    if (n) FUZZ_CHECK(std::fwrite(data, 1, n, f) == n);
    std::fclose(f);
  }
  seams.Host.FileAnswers = {FilePath()};
  MarkOpenMainMenuItemClick();
  ::unlink(FilePath().c_str());
  if (size == 0) {
    FUZZ_CHECK(seams.Host.FileDialogTitles.empty());
    return 0;
  }
  const std::vector<uint8_t> after(Doc.DocMarks, Doc.DocMarks + size);
  if (!signed_) {
    FUZZ_CHECK(seams.Host.Messages.size() == 1);
    FUZZ_CHECK(seams.Host.Messages[0].Text == "Not a compatible file!");
    FUZZ_CHECK(after == before);
    FUZZ_CHECK(!ActionList().CanUndo());
    return 0;
  }
  FUZZ_CHECK(seams.Host.Messages.empty());
  FUZZ_CHECK(after == expected);
  FUZZ_CHECK(ActionList().CanUndo() == (before != expected));
  // One undo step gives the old marks back, while the history holds every
  // changed byte.
  int changed = 0;
  for (int32_t i = 0; i < size; ++i) changed += before[size_t(i)] != expected[size_t(i)];
  if (changed > 0 && changed < 256) {
    EditUndoMainMenuItemClick();
    FUZZ_CHECK(std::vector<uint8_t>(Doc.DocMarks, Doc.DocMarks + size) == before);
    FUZZ_CHECK(!ActionList().CanUndo());
    EditRedoMainMenuItemClick();
    FUZZ_CHECK(std::vector<uint8_t>(Doc.DocMarks, Doc.DocMarks + size) == expected);
  }
  return 0;
}
