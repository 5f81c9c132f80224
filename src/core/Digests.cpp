#include "core/Digests.h"

#include <openssl/evp.h>
#include <xxhash.h>
#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <system_error>
#include <thread>

#include "core/Texts.h"

namespace {

std::string HexOf(const unsigned char* p, size_t n) {
  static const char digits[] = "0123456789abcdef";
  std::string s(2 * n, '0');
  for (size_t i = 0; i < n; ++i) {
    s[2 * i] = digits[p[i] >> 4];
    s[2 * i + 1] = digits[p[i] & 15];
  }
  return s;
}

std::string HexOf(uint64_t v, int bytes) {
  unsigned char b[8];
  for (int i = 0; i < bytes; ++i) b[i] = static_cast<unsigned char>(v >> (8 * (bytes - 1 - i)));
  return HexOf(b, size_t(bytes));
}

const EVP_MD* EvpOf(TDigestKind kind) {
  switch (kind) {
    case TDigestKind::Md5: return EVP_md5();
    case TDigestKind::Sha1: return EVP_sha1();
    case TDigestKind::Sha224: return EVP_sha224();
    case TDigestKind::Sha256: return EVP_sha256();
    case TDigestKind::Sha384: return EVP_sha384();
    case TDigestKind::Sha512: return EVP_sha512();
    case TDigestKind::Sha3_256: return EVP_sha3_256();
    case TDigestKind::Blake2b512: return EVP_blake2b512();
    default: return nullptr;
  }
}

// libcrypto's digests. A provider may refuse one (MD5 under a FIPS-only
// configuration); the value is then empty, never a wrong one.
class TEvpDigest : public IDigest {
 public:
  explicit TEvpDigest(const EVP_MD* md) : FCtx(EVP_MD_CTX_new()) {
    FOk = FCtx && md && EVP_DigestInit_ex(FCtx, md, nullptr) == 1;
  }
  ~TEvpDigest() override { EVP_MD_CTX_free(FCtx); }
  TEvpDigest(const TEvpDigest&) = delete;
  TEvpDigest& operator=(const TEvpDigest&) = delete;

  void Update(const uint8_t* p, size_t n) override {
    if (FOk && n > 0) FOk = EVP_DigestUpdate(FCtx, p, n) == 1;
  }
  std::string Final() override {
    unsigned char md[EVP_MAX_MD_SIZE];
    unsigned int len = 0;
    if (!FOk || EVP_DigestFinal_ex(FCtx, md, &len) != 1) return {};
    return HexOf(md, len);
  }

 private:
  EVP_MD_CTX* FCtx;
  bool FOk = false;
};

class TCrc32 : public IDigest {
 public:
  void Update(const uint8_t* p, size_t n) override { FValue = crc32_z(FValue, p, n); }
  std::string Final() override { return HexOf(FValue, 4); }

 private:
  uLong FValue = crc32_z(0, nullptr, 0);
};

class TAdler32 : public IDigest {
 public:
  void Update(const uint8_t* p, size_t n) override { FValue = adler32_z(FValue, p, n); }
  std::string Final() override { return HexOf(FValue, 4); }

 private:
  uLong FValue = adler32_z(0, nullptr, 0);
};

class TXxh3 : public IDigest {
 public:
  TXxh3() : FState(XXH3_createState()) { FOk = FState && XXH3_64bits_reset(FState) == XXH_OK; }
  ~TXxh3() override { XXH3_freeState(FState); }
  TXxh3(const TXxh3&) = delete;
  TXxh3& operator=(const TXxh3&) = delete;

  void Update(const uint8_t* p, size_t n) override {
    if (FOk) FOk = XXH3_64bits_update(FState, p, n) == XXH_OK;
  }
  std::string Final() override { return FOk ? HexOf(XXH3_64bits_digest(FState), 8) : std::string(); }

 private:
  XXH3_state_t* FState;
  bool FOk = false;
};

// Rough cost per byte of each algorithm on a current x86 core, for sharing
// them among threads so that the threads end together.
double Cost(TDigestKind kind) {
  switch (kind) {
    case TDigestKind::Crc32: return 2;
    case TDigestKind::Adler32: return 0.5;
    case TDigestKind::Md5: return 5;
    case TDigestKind::Sha1: return 1.5;
    case TDigestKind::Sha224:
    case TDigestKind::Sha256: return 1.7;
    case TDigestKind::Sha384:
    case TDigestKind::Sha512: return 4.5;
    case TDigestKind::Sha3_256: return 7;
    case TDigestKind::Blake2b512: return 3;
    case TDigestKind::Xxh3_64: return 0.1;
    case TDigestKind::Count: break;
  }
  return 1;
}

std::vector<TDigestKind> KindsOf(TDigestKinds kinds) {
  std::vector<TDigestKind> out;
  for (int k = 0; k < DigestKindCount; ++k)
    if (kinds & DigestBit(TDigestKind(k))) out.push_back(TDigestKind(k));
  return out;
}

// The kinds shared among groups, the dearest first to the cheapest group.
std::vector<std::vector<TDigestKind>> Groups(TDigestKinds kinds, int threads) {
  std::vector<TDigestKind> all = KindsOf(kinds);
  const size_t n = std::max<size_t>(1, std::min(all.size(), size_t(std::max(threads, 1))));
  std::stable_sort(all.begin(), all.end(), [](TDigestKind a, TDigestKind b) { return Cost(a) > Cost(b); });
  std::vector<std::vector<TDigestKind>> groups(n);
  std::vector<double> load(n, 0);
  for (TDigestKind k : all) {
    const size_t g = size_t(std::min_element(load.begin(), load.end()) - load.begin());
    groups[g].push_back(k);
    load[g] += Cost(k);
  }
  return groups;
}

}  // namespace

TDigestKinds SoundDigestKinds(int32_t stored) {
  const TDigestKinds kinds = static_cast<TDigestKinds>(stored) & AllDigestKinds;
  return kinds ? kinds : DefaultDigestKinds;
}

const char* DigestName(TDigestKind kind) {
  static const char* const names[] = {"CRC-32",  "Adler-32", "MD5",      "SHA-1",       "SHA-224", "SHA-256",
                                      "SHA-384", "SHA-512",  "SHA3-256", "BLAKE2b-512", "XXH3-64"};
  static_assert(sizeof names / sizeof names[0] == DigestKindCount);
  return int(kind) >= 0 && int(kind) < DigestKindCount ? names[int(kind)] : "";
}

int DigestHexLength(TDigestKind kind) {
  static const int lengths[] = {8, 8, 32, 40, 56, 64, 96, 128, 64, 128, 16};
  static_assert(sizeof lengths / sizeof lengths[0] == DigestKindCount);
  return int(kind) >= 0 && int(kind) < DigestKindCount ? lengths[int(kind)] : 0;
}

std::unique_ptr<IDigest> MakeDigest(TDigestKind kind) {
  switch (kind) {
    case TDigestKind::Crc32: return std::make_unique<TCrc32>();
    case TDigestKind::Adler32: return std::make_unique<TAdler32>();
    case TDigestKind::Xxh3_64: return std::make_unique<TXxh3>();
    default: return std::make_unique<TEvpDigest>(EvpOf(kind));
  }
}

std::string DigestOf(TDigestKind kind, const uint8_t* p, size_t n) {
  std::unique_ptr<IDigest> d = MakeDigest(kind);
  d->Update(p, n);
  return d->Final();
}

TDigestRun::TDigestRun(const uint8_t* data, size_t size, TDigestKinds kinds, int threads, size_t chunk)
    : FData(data),
      FSize(data ? size : 0),
      FKinds(kinds & AllDigestKinds),
      FThreads(std::max(threads, 1)),
      FChunk(std::max<size_t>(chunk, 1)),
      FDone(new std::atomic<uint64_t>[size_t(std::max(threads, 1))]) {
  for (int g = 0; g < FThreads; ++g) FDone[size_t(g)].store(0);
}

uint64_t TDigestRun::Done() const {
  uint64_t done = FSize;
  for (int g = 0; g < FThreads; ++g) done = std::min(done, FDone[size_t(g)].load(std::memory_order_relaxed));
  return done;
}

void TDigestRun::Work(int group, const std::vector<TDigestKind>& kinds,
                      const std::function<void(uint64_t)>& progress) {
  std::vector<std::unique_ptr<IDigest>> digests;
  for (TDigestKind k : kinds) digests.push_back(MakeDigest(k));
  for (size_t at = 0; at < FSize && !Stopped(); at += FChunk) {
    const size_t n = std::min(FChunk, FSize - at);
    for (auto& d : digests) d->Update(FData + at, n);
    FDone[size_t(group)].store(at + n, std::memory_order_relaxed);
    if (progress) progress(Done());
  }
  if (Stopped()) return;
  // Each group writes only its own results' slots.
  for (size_t i = 0; i < kinds.size(); ++i)
    for (TDigestResult& r : FResults)
      if (r.Kind == kinds[i]) r.Hex = digests[i]->Final();
}

bool TDigestRun::Run(const std::function<void(uint64_t)>& progress) {
  FResults.clear();
  for (TDigestKind k : KindsOf(FKinds)) FResults.push_back({k, {}});
  const std::vector<std::vector<TDigestKind>> groups = Groups(FKinds, FThreads);
  // Groups beyond the kinds there are count as done from the start.
  for (size_t g = groups.size(); g < size_t(FThreads); ++g) FDone[g].store(FSize);
  std::vector<std::thread> others;
  std::vector<size_t> inline_groups;
  for (size_t g = 1; g < groups.size(); ++g) {
    try {
      others.emplace_back([this, g, &groups] { Work(int(g), groups[g], {}); });
    } catch (const std::system_error&) {
      inline_groups.push_back(g);  // no thread to be had: this one does it
    }
  }
  Work(0, groups[0], progress);
  for (size_t g : inline_groups) Work(int(g), groups[g], progress);
  for (std::thread& t : others) t.join();
  if (Stopped()) {
    FResults.clear();
    return false;
  }
  return true;
}

int DigestThreads(TDigestKinds kinds) {
  int kindCount = 0;
  for (int k = 0; k < DigestKindCount; ++k) kindCount += (kinds & DigestBit(TDigestKind(k))) ? 1 : 0;
  const int cores = int(std::max(1u, std::thread::hardware_concurrency()));
  return std::max(1, std::min({cores, kindCount, 4}));
}

std::string DigestCopyText(const std::vector<TDigestResult>& results, std::vector<int> selected,
                           const std::string& name) {
  if (selected.empty())
    for (size_t i = 0; i < results.size(); ++i) selected.push_back(int(i));
  std::sort(selected.begin(), selected.end());
  std::string text;
  for (int i : selected)
    if (i >= 0 && size_t(i) < results.size() && !results[size_t(i)].Hex.empty())
      text += results[size_t(i)].Hex + "  " + name + "\n";
  return text;
}

int MatchingDigest(const std::vector<TDigestResult>& results, const std::string& text) {
  size_t b = 0;
  while (b < text.size() && std::isspace(static_cast<unsigned char>(text[b]))) ++b;
  size_t e = b;
  while (e < text.size() && !std::isspace(static_cast<unsigned char>(text[e]))) ++e;
  std::string digest = text.substr(b, e - b);
  if (digest.size() > 2 && digest[0] == '0' && (digest[1] == 'x' || digest[1] == 'X')) digest.erase(0, 2);
  for (char& c : digest) c = char(std::tolower(static_cast<unsigned char>(c)));
  if (digest.empty()) return -1;
  for (size_t i = 0; i < results.size(); ++i)
    if (results[i].Hex == digest) return int(i);
  return -1;
}

std::string TxtDigestMatches(TDigestKind kind) {
  return German() ? std::string("Stimmt mit ") + DigestName(kind) + " überein"
                  : std::string("Matches ") + DigestName(kind);
}

std::string DigestShownText(const TDigestResult& result) {
  return result.Hex.empty() ? Tr("(not available)", "(nicht verfügbar)") : result.Hex;
}

std::string TxtDigestProgress(uint64_t done, uint64_t size) {
  return std::to_string(done >> 20) + Tr(" of ", " von ") + std::to_string(size >> 20) + " MiB";
}

std::string TxtNoDigestMatch() { return Tr("No match", "Keine Übereinstimmung"); }
