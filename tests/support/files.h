// Whole files as bytes: what the program wrote, to compare, and what a
// user's editor, a careless hand or another program left, to read.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

namespace zlc::test {

// Every byte of the file; empty when it is missing or cannot be read.
inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The file holds exactly these bytes afterwards, made when missing.
inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace zlc::test
