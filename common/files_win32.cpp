// File access of the Windows build: UTF-8 paths converted to UTF-16 for the wide calls.
#include <windows.h>

#include <io.h>

#include <cstdio>
#include <string>

#include "common/files.h"

namespace {

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring w(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &w[0], n);
  return w;
}

}  // namespace

std::FILE* File_Open(const std::string& path, const char* mode) {
  return _wfopen(Wide(path).c_str(), Wide(mode).c_str());
}

bool File_Exists(const std::string& path) {
  HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

bool Dir_Exists(const std::string& path) {
  const DWORD a = GetFileAttributesW(Wide(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool File_Remove(const std::string& path) { return DeleteFileW(Wide(path).c_str()) != 0; }

const FileError kFileErrorReadOnly = ERROR_ACCESS_DENIED;

bool File_IsReadOnly(const std::string& path) {
  const DWORD a = GetFileAttributesW(Wide(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY) && (a & FILE_ATTRIBUTE_READONLY);
}

FileError File_WriteNew(const std::string& path, const std::string& bytes, bool& opened) {
  opened = false;
  HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return GetLastError();
  opened = true;
  FileError error = 0;
  // Every write is checked to its last byte: a full disk shows here, not only at the close.
  for (size_t done = 0; !error && done < bytes.size();) {
    const DWORD chunk = static_cast<DWORD>(bytes.size() - done < (1u << 20) ? bytes.size() - done : (1u << 20));
    DWORD written = 0;
    if (!WriteFile(h, bytes.data() + done, chunk, &written, nullptr)) error = GetLastError();
    else if (written == 0) error = ERROR_DISK_FULL;
    done += written;
  }
  if (!error && !FlushFileBuffers(h)) error = GetLastError();
  if (!CloseHandle(h) && !error) error = GetLastError();
  return error;
}

FileError File_MoveOver(const std::string& from, const std::string& to) {
  if (MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
  const FileError error = GetLastError();
  return error ? error : ERROR_ACCESS_DENIED;
}

std::string Dir_Current() {
  wchar_t buf[MAX_PATH * 4];
  const DWORD n = GetCurrentDirectoryW(MAX_PATH * 4, buf);
  if (n == 0 || n >= MAX_PATH * 4) return ".";
  const int m = WideCharToMultiByte(CP_UTF8, 0, buf, static_cast<int>(n), nullptr, 0, nullptr, nullptr);
  std::string out(m, '\0');
  WideCharToMultiByte(CP_UTF8, 0, buf, static_cast<int>(n), &out[0], m, nullptr, nullptr);
  while (out.size() > 3 && (out.back() == '\\' || out.back() == '/')) out.pop_back();
  return out;
}

std::string Path_Join(const std::string& base, const std::string& relative) {
  std::string out = base;
  if (!out.empty() && out.back() == '\\' && !relative.empty() && relative.front() == '\\') out.pop_back();
  for (char c : relative) out.push_back(c == '/' ? '\\' : c);
  return out;
}

bool File_Size(std::FILE* file, uint64_t& size) {
  const __int64 here = _ftelli64(file);
  if (here < 0 || _fseeki64(file, 0, SEEK_END) != 0) return false;
  const __int64 end = _ftelli64(file);
  if (_fseeki64(file, here, SEEK_SET) != 0 || end < 0) return false;
  size = static_cast<uint64_t>(end);
  return true;
}

bool File_SeekTo(std::FILE* file, uint64_t offset) {
  return offset <= static_cast<uint64_t>(INT64_MAX) && _fseeki64(file, static_cast<__int64>(offset), SEEK_SET) == 0;
}

bool File_Truncate(std::FILE* file, uint64_t size) {
  return std::fflush(file) == 0 && size <= static_cast<uint64_t>(INT64_MAX) &&
         _chsize_s(_fileno(file), static_cast<__int64>(size)) == 0;
}
