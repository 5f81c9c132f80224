// The checksum engine: the published test vectors of every algorithm, a
// randomized comparison with Python's hashlib and zlib and with xxhsum over
// random ranges, chunk sizes and thread counts, stopping, and the copy and
// compare helpers of the result list.
#include <gtest/gtest.h>

#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <sstream>
#include <thread>

#include "core/Digests.h"
#include "core/OptionsState.h"
#include "fakes/TestFiles.h"
#include "fakes/TestSeed.h"

namespace {

const uint8_t* U(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

std::string Output(const std::string& command) {
  std::string out;
  FILE* p = popen(command.c_str(), "r");
  if (!p) return out;
  char buf[4096];
  for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
  pclose(p);
  return out;
}

std::map<TDigestKind, std::string> RunAll(const std::string& data, size_t from, size_t n, int threads, size_t chunk) {
  TDigestRun run(U(data) + from, n, AllDigestKinds, threads, chunk);
  EXPECT_TRUE(run.Run());
  std::map<TDigestKind, std::string> out;
  for (const TDigestResult& r : run.Results()) out[r.Kind] = r.Hex;
  EXPECT_EQ(out.size(), size_t(DigestKindCount));
  return out;
}

}  // namespace

TEST(Digests, PublishedVectorsWholeAndInPieces) {
  const std::string inputs[] = {"", "abc", std::string(1000000, 'a')};
  const std::map<TDigestKind, std::array<const char*, 3>> expected = {
      {TDigestKind::Crc32, {"00000000", "352441c2", "dc25bfbc"}},
      {TDigestKind::Adler32, {"00000001", "024d0127", "15d870f9"}},
      {TDigestKind::Md5,
       {"d41d8cd98f00b204e9800998ecf8427e", "900150983cd24fb0d6963f7d28e17f72", "7707d6ae4e027c70eea2a935c2296f21"}},
      {TDigestKind::Sha1,
       {"da39a3ee5e6b4b0d3255bfef95601890afd80709", "a9993e364706816aba3e25717850c26c9cd0d89d",
        "34aa973cd4c4daa4f61eeb2bdbad27316534016f"}},
      {TDigestKind::Sha224,
       {"d14a028c2a3a2bc9476102bb288234c415a2b01f828ea62ac5b3e42f",
        "23097d223405d8228642a477bda255b32aadbce4bda0b3f7e36c9da7",
        "20794655980c91d8bbb4c1ea97618a4bf03f42581948b2ee4ee7ad67"}},
      {TDigestKind::Sha256,
       {"e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855",
        "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad",
        "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"}},
      {TDigestKind::Sha384,
       {"38b060a751ac96384cd9327eb1b1e36a21fdb71114be07434c0cc7bf63f6e1da274edebfe76f65fbd51ad2f14898b95b",
        "cb00753f45a35e8bb5a03d699ac65007272c32ab0eded1631a8b605a43ff5bed8086072ba1e7cc2358baeca134c825a7",
        "9d0e1809716474cb086e834e310a4a1ced149e9c00f248527972cec5704c2a5b07b8b3dc38ecc4ebae97ddd87f3d8985"}},
      {TDigestKind::Sha512,
       {"cf83e1357eefb8bdf1542850d66d8007d620e4050b5715dc83f4a921d36ce9ce47d0d13c5d85f2b0ff8318d2877eec2f63b931bd"
        "47417a81a538327af927da3e",
        "ddaf35a193617abacc417349ae20413112e6fa4e89a97ea20a9eeee64b55d39a2192992a274fc1a836ba3c23a3feebbd454d4423"
        "643ce80e2a9ac94fa54ca49f",
        "e718483d0ce769644e2e42c7bc15b4638e1f98b13b2044285632a803afa973ebde0ff244877ea60a4cb0432ce577c31beb009c5c"
        "2c49aa2e4eadb217ad8cc09b"}},
      {TDigestKind::Sha3_256,
       {"a7ffc6f8bf1ed76651c14756a061d662f580ff4de43b49fa82d80a4b80f8434a",
        "3a985da74fe225b2045c172d6bd390bd855f086e3e9d525b46bfe24511431532",
        "5c8875ae474a3634ba4fd55ec85bffd661f32aca75c6d699d0cdcb6c115891c1"}},
      {TDigestKind::Blake2b512,
       {"786a02f742015903c6c6fd852552d272912f4740e15847618a86e217f71f5419d25e1031afee585313896444934eb04b903a685b"
        "1448b755d56f701afe9be2ce",
        "ba80a53f981c4d0d6a2797b69f12f6e94c212f14685ac4b74b12bb6fdbffa2d17d87c5392aab792dc252d5de4533cc9518d38a"
        "a8dbf1925ab92386edd4009923",
        "98fb3efb7206fd19ebf69b6f312cf7b64e3b94dbe1a17107913975a793f177e1d077609d7fba363cbba00d05f7aa4e4fa8715d"
        "6428104c0a75643b0ff3fd3eaf"}},
      {TDigestKind::Xxh3_64, {"2d06800538d394c2", "78af5f94892f3950", "b1fd6fae5285c4eb"}},
  };
  ASSERT_EQ(expected.size(), size_t(DigestKindCount));
  for (int i = 0; i < 3; ++i) {
    // The same values in one piece, and in odd pieces shared by three threads.
    const auto pieces = RunAll(inputs[i], 0, inputs[i].size(), 3, 7777);
    for (const auto& [kind, values] : expected) {
      SCOPED_TRACE(std::string(DigestName(kind)) + " of input " + std::to_string(i));
      EXPECT_EQ(DigestOf(kind, U(inputs[i]), inputs[i].size()), values[size_t(i)]);
      EXPECT_EQ(pieces.at(kind), values[size_t(i)]);
      EXPECT_EQ(size_t(DigestHexLength(kind)), std::strlen(values[size_t(i)]));
    }
  }
}

TEST(Digests, AgreeWithHashlibZlibAndXxhsumOverRandomRanges) {
  BQ_SEEDED_RNG(rng, 2602);
  std::string data(1536 * 1024 + 123, '\0');
  for (char& c : data) c = char(rng());
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("bq-digests-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  WriteAllTo(dir / "data", data);

  std::vector<std::pair<size_t, size_t>> ranges = {{0, 0}, {0, data.size()}, {5, 1}};
  while (ranges.size() < 12) {
    const size_t from = rng() % data.size();
    ranges.push_back({from, rng() % (data.size() - from + 1)});
  }
  // One Python run for all ranges: a line of hashlib's and zlib's values each.
  std::ostringstream script;
  script << "import hashlib,zlib,sys\nd=open(sys.argv[1],'rb').read()\n"
            "for a,n in zip(sys.argv[2::2],sys.argv[3::2]):\n"
            " x=d[int(a):int(a)+int(n)]\n"
            " print('%08x %08x'%(zlib.crc32(x),zlib.adler32(x)),*(hashlib.new(h,x).hexdigest() for h in "
            "['md5','sha1','sha224','sha256','sha384','sha512','sha3_256','blake2b']))\n";
  WriteAllTo(dir / "digests.py", script.str());
  std::string command = "python3 " + (dir / "digests.py").string() + " " + (dir / "data").string();
  for (const auto& [from, n] : ranges) command += " " + std::to_string(from) + " " + std::to_string(n);
  std::istringstream lines(Output(command));

  for (const auto& [from, n] : ranges) {
    SCOPED_TRACE("bytes " + std::to_string(from) + " + " + std::to_string(n));
    const int threads = 1 + int(rng() % 3);
    const auto ours = RunAll(data, from, n, threads, 1 + rng() % (300 * 1024));
    std::vector<std::string> theirs(10);
    for (int k = 0; k < 10; ++k) lines >> theirs[size_t(k)];
    for (int k = 0; k < 10; ++k) EXPECT_EQ(ours.at(TDigestKind(k)), theirs[size_t(k)]) << DigestName(TDigestKind(k));
    WriteAllTo(dir / "range", data.substr(from, n));
    std::istringstream xxh(Output("xxhsum -H3 " + (dir / "range").string() + " 2>/dev/null"));
    std::string word, last;
    while (xxh >> word) last = word;
    EXPECT_EQ(ours.at(TDigestKind::Xxh3_64), last);
  }
  std::filesystem::remove_all(dir);
}

TEST(Digests, StopEndsTheRunWithoutResults) {
  const std::string data(16 << 20, 'x');
  TDigestRun fromProgress(U(data), data.size(), DigestBit(TDigestKind::Sha512), 1, 1 << 20);
  EXPECT_FALSE(fromProgress.Run([&](uint64_t) { fromProgress.Stop(); }));
  EXPECT_TRUE(fromProgress.Results().empty());
  EXPECT_EQ(fromProgress.Done(), uint64_t(1 << 20));

  // From another thread, as the Stop button does, with helper threads running.
  TDigestRun fromOutside(U(data), data.size(), AllDigestKinds, 3, 4096);
  std::thread stopper([&] {
    while (fromOutside.Done() == 0) std::this_thread::yield();
    fromOutside.Stop();
  });
  EXPECT_FALSE(fromOutside.Run());
  stopper.join();
  EXPECT_LT(fromOutside.Done(), data.size());
}

TEST(Digests, CopyTextCompareAndStoredSets) {
  const std::vector<TDigestResult> results = {
      {TDigestKind::Crc32, "352441c2"}, {TDigestKind::Md5, ""}, {TDigestKind::Sha1, "a9993e36"}};
  EXPECT_EQ(DigestCopyText(results, {}, "f.bin"), "352441c2  f.bin\na9993e36  f.bin\n");
  EXPECT_EQ(DigestCopyText(results, {2, 0}, "f.bin"), "352441c2  f.bin\na9993e36  f.bin\n");
  EXPECT_EQ(DigestCopyText(results, {2}, "-"), "a9993e36  -\n");

  const std::pair<const char*, int> pasted[] = {
      {"352441c2", 0},     {"  0x352441C2\n", 0}, {"A9993E36  other.bin", 2}, {"352441c", -1},
      {"", -1},            {"   ", -1},           {"0x", -1},                 {"a9993e36x", -1},
  };
  for (const auto& [text, index] : pasted) EXPECT_EQ(MatchingDigest(results, text), index) << text;

  Options.Language = 7;
  EXPECT_EQ(TxtDigestMatches(TDigestKind::Sha256), "Stimmt mit SHA-256 überein");
  EXPECT_EQ(DigestShownText(results[1]), "(nicht verfügbar)");
  EXPECT_EQ(TxtDigestProgress(226u << 20, 1u << 30), "226 von 1024 MiB");
  Options.Language = 9;
  EXPECT_EQ(TxtDigestMatches(TDigestKind::Sha256), "Matches SHA-256");
  EXPECT_EQ(DigestShownText(results[0]), "352441c2");

  EXPECT_EQ(SoundDigestKinds(0), DefaultDigestKinds);
  EXPECT_EQ(SoundDigestKinds(-1), AllDigestKinds);
  EXPECT_EQ(SoundDigestKinds(int32_t(DigestBit(TDigestKind::Md5) | (1u << 30))), DigestBit(TDigestKind::Md5));
}
