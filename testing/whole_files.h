#pragma once
// Whole-file reads and writes of the core's tests and fuzz targets, through the tutor's own file
// access (UTF-8 paths on every system); no test framework needed.
#include <cstdio>
#include <string>

#include "common/files.h"

namespace kftest {

// The bytes of the file; empty when it cannot be opened.
inline std::string ReadAll(const std::string& path) {
  std::string bytes;
  if (std::FILE* f = File_Open(path, "rb")) {
    char buf[1 << 14];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
    std::fclose(f);
  }
  return bytes;
}

// Writes `bytes` as the whole file; false when it cannot be opened, written or closed.
inline bool WriteAll(const std::string& path, const std::string& bytes) {
  std::FILE* f = File_Open(path, "wb");
  if (!f) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && written;
}

}  // namespace kftest
