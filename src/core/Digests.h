// Checksums and hashes of a run of bytes, computed by the libraries that
// people trust for them: libcrypto for MD5, the SHA families and BLAKE2b,
// zlib for CRC-32 and Adler-32, libxxhash for XXH3. The bytes go in as
// chunks; every chosen algorithm advances over a chunk while it is in the
// cache, so the data is read from memory once per thread however many
// algorithms run.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

enum class TDigestKind {
  Crc32,
  Adler32,
  Md5,
  Sha1,
  Sha224,
  Sha256,
  Sha384,
  Sha512,
  Sha3_256,
  Blake2b512,
  Xxh3_64,
  Count
};
constexpr int DigestKindCount = int(TDigestKind::Count);

// A set of kinds as bits, bit k for kind k.
using TDigestKinds = uint32_t;
constexpr TDigestKinds DigestBit(TDigestKind k) { return TDigestKinds(1) << int(k); }
constexpr TDigestKinds AllDigestKinds = (TDigestKinds(1) << DigestKindCount) - 1;
// What a new user gets: the hash that downloads publish, and the checksum
// that archives and images carry.
constexpr TDigestKinds DefaultDigestKinds = DigestBit(TDigestKind::Sha256) | DigestBit(TDigestKind::Crc32);
// A stored set made sound: unknown bits dropped, and the default for an
// empty set (the dialog never confirms one).
TDigestKinds SoundDigestKinds(int32_t stored);

// "SHA-256", as the algorithm is commonly written.
const char* DigestName(TDigestKind kind);
// How many hex digits its value has.
int DigestHexLength(TDigestKind kind);

// One algorithm's running state.
class IDigest {
 public:
  virtual ~IDigest() = default;
  virtual void Update(const uint8_t* p, size_t n) = 0;
  // The value in lower-case hex (the integer checksums big-endian, as their
  // tools print them); empty when the library refused the algorithm.
  // Called once, after the last Update.
  virtual std::string Final() = 0;
};
std::unique_ptr<IDigest> MakeDigest(TDigestKind kind);

// The value of one algorithm over a whole buffer, for the tests and the
// callers that need no progress.
std::string DigestOf(TDigestKind kind, const uint8_t* p, size_t n);

struct TDigestResult {
  TDigestKind Kind = TDigestKind::Crc32;
  std::string Hex;  // empty when the library refused the algorithm
};

// The digests of the chosen kinds over one buffer. Run may share the work
// among threads, each taking some of the algorithms over all the chunks;
// Stop and Done may be called from any thread meanwhile. The buffer must not
// change until Run returns.
class TDigestRun {
 public:
  static constexpr size_t DefaultChunk = 256 * 1024;

  TDigestRun(const uint8_t* data, size_t size, TDigestKinds kinds, int threads = 1, size_t chunk = DefaultChunk);

  // Computes on the calling thread and threads - 1 more. progress (when
  // given) is called on the calling thread after each of its chunks with
  // Done(). True when every digest was computed, false when stopped.
  bool Run(const std::function<void(uint64_t)>& progress = {});
  void Stop() { FStop.store(true, std::memory_order_relaxed); }
  bool Stopped() const { return FStop.load(std::memory_order_relaxed); }
  // The bytes that every thread has been through.
  uint64_t Done() const;
  uint64_t Size() const { return FSize; }
  // In the order of the kinds, after a Run that was not stopped.
  const std::vector<TDigestResult>& Results() const { return FResults; }

 private:
  void Work(int group, const std::vector<TDigestKind>& kinds, const std::function<void(uint64_t)>& progress);

  const uint8_t* FData;
  size_t FSize;
  TDigestKinds FKinds;
  int FThreads;
  size_t FChunk;
  std::atomic<bool> FStop{false};
  std::unique_ptr<std::atomic<uint64_t>[]> FDone;
  std::vector<TDigestResult> FResults;
};

// What the checksum window computes: the kinds over data[0, Count), which
// are the document's bytes from Start, and the name its copied lines carry.
struct TChecksumJob {
  const uint8_t* Data = nullptr;
  int32_t Start = 0;
  int32_t Count = 0;
  TDigestKinds Kinds = 0;
  std::string Name;
};
// Over this many bytes the window shows a progress bar and a Stop button.
constexpr int64_t ChecksumProgressFrom = int64_t(64) << 20;

// The threads worth using for these kinds on this machine: one per core, at
// most one per algorithm, at most four.
int DigestThreads(TDigestKinds kinds);

// What Ctrl+C in the list copies: for each selected line (indices into
// results, in any order; none selected means all), "digest  name" as
// sha256sum prints it, one per line.
std::string DigestCopyText(const std::vector<TDigestResult>& results, std::vector<int> selected,
                           const std::string& name);
// The result whose digest the pasted text gives, in either case, or -1.
// The text may carry blanks around it, a "0x" in front, or a file name after
// the digest, as a line of a checksum file does.
int MatchingDigest(const std::vector<TDigestResult>& results, const std::string& text);
// What the list shows for a result: its value, or "(not available)" in the
// current language when the library refused the algorithm.
std::string DigestShownText(const TDigestResult& result);
// The progress bar's text: "226 of 1024 MiB" in the current language.
std::string TxtDigestProgress(uint64_t done, uint64_t size);
// "Matches SHA-256" / "No match" in the current language.
std::string TxtDigestMatches(TDigestKind kind);
std::string TxtNoDigestMatch();
