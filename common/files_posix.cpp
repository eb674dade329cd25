// File access of the native build (Linux): paths are UTF-8 bytes already.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "common/files.h"

std::FILE* File_Open(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

bool File_Exists(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  std::fclose(f);
  return true;
}

bool Dir_Exists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool File_Remove(const std::string& path) { return std::remove(path.c_str()) == 0; }

bool File_Replace(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

std::string Dir_Current() {
  char buf[4096];
  if (!getcwd(buf, sizeof buf)) return ".";
  return buf;
}

std::string Path_Join(const std::string& base, const std::string& relative) {
  std::string out = base;
  for (char c : relative) out.push_back(c == '\\' ? kPathSep : c);
  return out;
}

bool File_Size(std::FILE* file, uint64_t& size) {
  const off_t here = ftello(file);
  if (here < 0 || fseeko(file, 0, SEEK_END) != 0) return false;
  const off_t end = ftello(file);
  if (fseeko(file, here, SEEK_SET) != 0 || end < 0) return false;
  size = static_cast<uint64_t>(end);
  return true;
}

bool File_SeekTo(std::FILE* file, uint64_t offset) {
  return offset <= static_cast<uint64_t>(INT64_MAX) && fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
}
