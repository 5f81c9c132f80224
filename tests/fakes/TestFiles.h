// Whole files in and out, for the tests that look at what was saved.
#pragma once

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
