// Whole files in and out, for the tests that look at what was saved.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

inline std::string ReadAllOf(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteAllTo(const std::filesystem::path& p, const std::string& content) {
  std::ofstream out(p, std::ios::binary);
  out << content;
}

// A fresh folder under /tmp for one test, removed with all it holds.
struct TTempDir {
  std::filesystem::path Path;
  explicit TTempDir(const std::string& name) {
    std::string pattern = "/tmp/bq-" + name + "-XXXXXX";
    if (::mkdtemp(pattern.data())) Path = pattern;
  }
  ~TTempDir() {
    std::error_code ignored;
    if (!Path.empty()) std::filesystem::remove_all(Path, ignored);
  }
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;
};
