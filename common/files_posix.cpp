// File access of the native build (Linux): paths are UTF-8 bytes already.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

const FileError kFileErrorReadOnly = EACCES;

bool File_IsReadOnly(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode) && !(st.st_mode & S_IWUSR);
}

FileError File_WriteNew(const std::string& path, const std::string& bytes, bool& opened) {
  opened = false;
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return static_cast<FileError>(errno);
  opened = true;
  FileError error = 0;
  for (size_t done = 0; !error && done < bytes.size();) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) error = static_cast<FileError>(errno);
    else if (n == 0) error = ENOSPC;
    else done += static_cast<size_t>(n);
  }
  if (!error && fsync(fd) != 0) error = static_cast<FileError>(errno);
  if (close(fd) != 0 && !error) error = static_cast<FileError>(errno);
  return error;
}

FileError File_MoveOver(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : static_cast<FileError>(errno);
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

bool File_Truncate(std::FILE* file, uint64_t size) {
  return std::fflush(file) == 0 && size <= static_cast<uint64_t>(INT64_MAX) &&
         ftruncate(fileno(file), static_cast<off_t>(size)) == 0;
}
