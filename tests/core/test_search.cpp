// The byte search against the plain position-by-position loop: the same
// answer for every document, pattern, start, direction and case option, at
// every vector width and with the linear-time fallback forced early.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/Search.h"
#include "fakes/TestSeed.h"

namespace {

using Bytes = std::vector<uint8_t>;

// The loop that defines a match: try every position in order, compare every
// byte, folding both sides when case does not matter. Positions before the
// document have no bytes and never match.
int32_t ReferenceFindFrom(const Bytes& doc, const Bytes& pat, bool caseSensitive, int32_t start, bool backward) {
  const int32_t docSize = int32_t(doc.size());
  if (docSize <= 0) return -1;
  const int32_t n = int32_t(pat.size());
  const int32_t last = docSize - n;
  auto fold = [](uint8_t b) -> uint8_t {
    if ((b >= 0x61 && b <= 0x7A) || (b >= 0xE0 && b <= 0xF6) || (b >= 0xF8 && b <= 0xFE)) return uint8_t(b - 32);
    return b;
  };
  auto matches = [&](int32_t p) {
    if (p < 0) return false;
    for (int32_t k = 0; k < n; ++k) {
      uint8_t a = pat[size_t(k)], b = doc[size_t(p + k)];
      if (!caseSensitive) {
        a = fold(a);
        b = fold(b);
      }
      if (a != b) return false;
    }
    return true;
  };
  if (!backward) {
    if (start > last) return -1;
    for (int32_t p = start; p <= last; ++p)
      if (matches(p)) return p;
  } else {
    if (start < 0) return -1;
    for (int32_t p = start < last ? start : last; p >= 0; --p)
      if (matches(p)) return p;
  }
  return -1;
}

// The search over an exactly sized copy, so that a read past either end is
// caught by the address sanitizer.
int32_t Find(const Bytes& doc, const Bytes& pat, bool caseSensitive, int32_t start, bool backward,
             const TSearchTuning& tuning = TSearchTuning()) {
  std::unique_ptr<uint8_t[]> d(new uint8_t[doc.size() + 1]);
  std::unique_ptr<uint8_t[]> p(new uint8_t[pat.size() + 1]);
  std::copy(doc.begin(), doc.end(), d.get());
  std::copy(pat.begin(), pat.end(), p.get());
  return FindBytes(doc.empty() ? nullptr : d.get(), int32_t(doc.size()), p.get(), int32_t(pat.size()), caseSensitive,
                   start, backward, tuning);
}

Bytes B(const std::string& s) { return Bytes(s.begin(), s.end()); }

struct TCase {
  const char* Name;
  Bytes Doc, Pat;
  bool Case;
  int32_t Start;
  bool Backward;
  int32_t Expected;
};

}  // namespace

TEST(Search, CasesThatMatter) {
  const TCase cases[] = {
      {"41 42 folded finds ab", B("xxabxx"), {0x41, 0x42}, false, 0, false, 2},
      {"41 42 folded finds Ab", B("xxAbxx"), {0x41, 0x42}, false, 0, false, 2},
      {"41 42 folded finds aB", B("xxaBxx"), {0x41, 0x42}, false, 0, false, 2},
      {"41 42 exact skips ab", B("abAb_AB"), {0x41, 0x42}, true, 0, false, 5},
      {"a-umlaut folds to A-umlaut", {0x10, 0xC4}, {0xE4}, false, 0, false, 1},
      {"sharp s has no partner", {0xFF, 0xDF, 0x7F}, {0xFF}, false, 0, false, 0},
      {"sharp s is not 0xFF", {0xFF, 0xDF}, {0xDF}, false, 0, false, 1},
      {"times sign is not the division sign", {0xF7, 0xD7}, {0xD7}, false, 0, false, 1},
      {"division sign only itself", {0xD7, 0xF7}, {0xF7}, false, 0, false, 1},
      {"y-diaeresis only itself", {0xDF, 0xDE, 0xFE, 0xFF}, {0xFF}, false, 0, false, 3},
      {"thorn pairs", {0x00, 0xFE}, {0xDE}, false, 0, false, 1},
      {"@ is not a letter", B("`@"), B("@"), false, 0, false, 1},
      {"a match at the start", B("ABxx"), B("AB"), true, 0, false, 0},
      {"a match at the cursor counts", B("xxABAB"), B("AB"), true, 2, false, 2},
      {"overlapping AA at 0", B("AAAA"), B("AA"), true, 0, false, 0},
      {"overlapping AA at 1", B("AAAA"), B("AA"), true, 1, false, 1},
      {"overlapping AA at 2", B("AAAA"), B("AA"), true, 2, false, 2},
      {"no AA at 3", B("AAAA"), B("AA"), true, 3, false, -1},
      {"backwards from the end starts at size - 3", B("xABCABC"), B("ABC"), true, 6, true, 4},
      {"backwards from 0 finds a match at 0", B("ABx"), B("AB"), true, 0, true, 0},
      {"backwards below 0 finds nothing", B("ABx"), B("AB"), true, -1, true, -1},
      {"forwards past the end finds nothing", B("ABx"), B("x"), true, 3, false, -1},
      {"forwards from before the start begins at 0", B("ABx"), B("AB"), true, -5, false, 0},
      {"pattern longer than the document", B("AB"), B("ABC"), true, 0, false, -1},
      {"pattern longer than the document, backwards", B("AB"), B("ABC"), true, 5, true, -1},
      {"the whole document", B("ABC"), B("ABC"), true, 0, false, 0},
      {"empty pattern finds nothing", B("ABC"), {}, true, 0, false, -1},
      {"empty document finds nothing", {}, B("A"), true, 0, false, -1},
  };
  for (const TCase& c : cases)
    for (int level = 0; level <= MaxSearchLevel(); ++level) {
      SCOPED_TRACE(std::string(c.Name) + ", level " + std::to_string(level));
      EXPECT_EQ(Find(c.Doc, c.Pat, c.Case, c.Start, c.Backward, {level, int64_t(1) << 16}), c.Expected);
      if (!c.Pat.empty()) {
        EXPECT_EQ(Find(c.Doc, c.Pat, c.Case, c.Start, c.Backward, {level, 0}), c.Expected);
      }
    }
}

TEST(Search, FoldCaseIsExactlyTheThreeRanges) {
  for (int b = 0; b < 256; ++b) {
    const bool small = (b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7);
    EXPECT_EQ(FoldCase(uint8_t(b)), small ? b - 32 : b) << b;
  }
}

// A long periodic pattern in periodic data is where comparing at every
// candidate would turn quadratic; the answer must not change when the
// linear matcher takes over.
TEST(Search, PeriodicDataNearTheEndOfABigDocument) {
  Bytes doc(1 << 20, 'A');
  Bytes pat(200, 'A');
  pat.back() = 'B';
  for (bool backward : {false, true})
    for (bool caseSensitive : {false, true}) {
      const int32_t start = backward ? int32_t(doc.size()) : 0;
      EXPECT_EQ(Find(doc, pat, caseSensitive, start, backward), -1);
      Bytes withMatch = doc;
      std::copy(pat.begin(), pat.end(), withMatch.end() - 4096);
      const int32_t at = int32_t(withMatch.size()) - 4096;
      EXPECT_EQ(Find(withMatch, pat, caseSensitive, start, backward), at);
    }
  Bytes abab;
  for (int i = 0; i < (1 << 18); ++i) abab.push_back(i % 2 ? 'b' : 'a');
  Bytes pattern = Bytes(abab.begin(), abab.begin() + 40);
  pattern.back() = 'x';
  EXPECT_EQ(Find(abab, pattern, false, 0, false), -1);
  EXPECT_EQ(Find(abab, pattern, false, int32_t(abab.size()), true), -1);
}

namespace {

// A document and pattern that make the search work: few distinct bytes, the
// folding bytes among them, copies of the pattern with one byte changed or
// its case flipped, and now and then the pattern itself.
struct TRandomCase {
  Bytes Doc, Pat;
  bool Case;
  int32_t Start;
  bool Backward;
  TSearchTuning Tuning;
};

class TCaseMaker {
 public:
  explicit TCaseMaker(uint64_t seed) : FRng(seed) {}

  TRandomCase Next() {
    TRandomCase c;
    const Bytes alphabet = Alphabet();
    const int n = Int(1, Int(0, 3) == 0 ? 40 : 8);
    const int size = Int(0, 50) == 0 ? Int(0, 2000) : Int(0, 160);
    for (int k = 0; k < n; ++k) c.Pat.push_back(Pick(alphabet));
    if (Int(0, 1)) {
      // Near misses: pattern copies with a changed byte or flipped case.
      while (int(c.Doc.size()) < size) {
        Bytes copy = c.Pat;
        const int edits = Int(0, 2);
        for (int e = 0; e < edits; ++e) {
          uint8_t& b = copy[size_t(Int(0, n - 1))];
          b = Int(0, 1) ? uint8_t(b ^ 0x20) : Pick(alphabet);
        }
        c.Doc.insert(c.Doc.end(), copy.begin(), copy.begin() + Int(1, n));
        if (Int(0, 3) == 0) c.Doc.push_back(Pick(alphabet));
      }
      c.Doc.resize(size_t(size));
    } else {
      for (int i = 0; i < size; ++i) c.Doc.push_back(Pick(alphabet));
      if (size > n && Int(0, 1)) {
        const int at = Int(0, size - n);
        std::copy(c.Pat.begin(), c.Pat.end(), c.Doc.begin() + at);
      }
    }
    c.Case = Int(0, 1);
    c.Backward = Int(0, 1);
    const int32_t docSize = int32_t(c.Doc.size());
    switch (Int(0, 5)) {
      case 0: c.Start = 0; break;
      case 1: c.Start = docSize - 1; break;
      case 2: c.Start = docSize - n + Int(-1, 1); break;
      default: c.Start = Int(-3, docSize + 3); break;
    }
    const int64_t slacks[] = {0, 3, 100, int64_t(1) << 16};
    c.Tuning = {Int(0, MaxSearchLevel()), slacks[Int(0, 3)]};
    return c;
  }

 private:
  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(FRng); }
  uint8_t Pick(const Bytes& from) { return from[size_t(Int(0, int(from.size()) - 1))]; }

  Bytes Alphabet() {
    static const Bytes folding = {0x41, 0x61, 0xC4, 0xE4, 0xD7, 0xDF, 0xF7, 0xFF};
    switch (Int(0, 3)) {
      case 0: return folding;
      case 1: return {folding[size_t(Int(0, 7))], folding[size_t(Int(0, 7))]};
      case 2: {
        Bytes a = folding;
        for (int b : {0x42, 0x62, 0x00, 0x20, 0xDE, 0xFE, 0x40, 0x60}) a.push_back(uint8_t(b));
        return a;
      }
      default: {
        Bytes a;
        for (int b = 0; b < 256; ++b) a.push_back(uint8_t(b));
        return a;
      }
    }
  }

  std::mt19937_64 FRng;
};

}  // namespace

TEST(Search, SameAnswerAsThePlainLoopForRandomCases) {
  const uint64_t seed = TestSeed(20261208);
  SCOPED_TRACE("BQ_TEST_SEED=" + std::to_string(seed));
  TCaseMaker maker(seed);
  int failures = 0, found = 0;
  for (int i = 0; i < 120000 && failures < 5; ++i) {
    const TRandomCase c = maker.Next();
    const int32_t expected = ReferenceFindFrom(c.Doc, c.Pat, c.Case, c.Start, c.Backward);
    const int32_t actual = Find(c.Doc, c.Pat, c.Case, c.Start, c.Backward, c.Tuning);
    found += expected >= 0;
    if (actual != expected) {
      ++failures;
      ADD_FAILURE() << "case " << i << ": size " << c.Doc.size() << ", pattern " << c.Pat.size() << " bytes, start "
                    << c.Start << (c.Backward ? " backwards" : " forwards") << (c.Case ? ", exact" : ", folded")
                    << ", level " << c.Tuning.Level << ", slack " << c.Tuning.Slack << ": expected " << expected
                    << ", got " << actual;
    }
  }
  // Both outcomes must be common, or the cases test little.
  EXPECT_GT(found, 20000);
  EXPECT_LT(found, 100000);
}
