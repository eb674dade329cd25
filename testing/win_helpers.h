#pragma once
// Plain Win32 helpers of the window tests and the benchmarks, without the test framework: whole
// files, folder copies, and the visible top-level window of another process.
#include <windows.h>

#include <string>

#include "common/files.h"

namespace kftest {

// The bytes of the file; empty when it cannot be opened.
inline std::string ReadBytes(const std::wstring& path) {
  std::string bytes;
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return bytes;
  char buf[4096];
  DWORD got = 0;
  while (ReadFile(h, buf, sizeof(buf), &got, nullptr) && got > 0) bytes.append(buf, got);
  CloseHandle(h);
  return bytes;
}

// A fresh scratch folder as the data folder and the current folder for a benchmark's run (which
// names its files without a folder), and the earlier ones back at its end, when the folder
// (emptied by the run) is removed.
struct ScratchDataFolder {
  std::wstring folder;
  std::string saved;
  wchar_t savedCurrent[MAX_PATH * 2] = {};
  bool entered = false;
  explicit ScratchDataFolder(const wchar_t* prefix) : saved(Dir_Data()) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder = std::wstring(temp) + prefix + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    GetCurrentDirectoryW(MAX_PATH * 2, savedCurrent);
    entered = SetCurrentDirectoryW(folder.c_str()) != FALSE;
    std::string utf8(folder.size() * 3 + 1, '\0');
    utf8.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, folder.c_str(), static_cast<int>(folder.size()),
                                                        &utf8[0], static_cast<int>(utf8.size()), nullptr, nullptr)));
    Dir_SetData(utf8);
  }
  ~ScratchDataFolder() {
    Dir_SetData(saved);
    SetCurrentDirectoryW(savedCurrent);
    RemoveDirectoryW(folder.c_str());
  }
};

inline bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = bytes.empty() || WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
  return ok && written == bytes.size();
}

// Copies the folder with all it holds; false when a file or folder could not be copied.
inline bool CopyTree(const std::wstring& from, const std::wstring& to) {
  bool ok = CreateDirectoryW(to.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
  WIN32_FIND_DATAW fd;
  HANDLE find = FindFirstFileW((from + L"\\*").c_str(), &fd);
  if (find == INVALID_HANDLE_VALUE) return false;
  do {
    const std::wstring name = fd.cFileName;
    if (name == L"." || name == L"..") continue;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      ok = CopyTree(from + L"\\" + name, to + L"\\" + name) && ok;
    } else {
      ok = CopyFileW((from + L"\\" + name).c_str(), (to + L"\\" + name).c_str(), FALSE) && ok;
    }
  } while (FindNextFileW(find, &fd));
  FindClose(find);
  return ok;
}

// The first visible top-level window of `process`, of class `className` when one is given;
// nullptr when it shows none.
inline HWND VisibleWindowOf(DWORD process, const wchar_t* className = nullptr) {
  struct Search {
    DWORD process;
    const wchar_t* className;
    HWND found;
  } search = {process, className, nullptr};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        wchar_t cls[64] = {};
        if (s->className) GetClassNameW(window, cls, 64);
        if (owner != s->process || !IsWindowVisible(window) || (s->className && lstrcmpW(cls, s->className) != 0))
          return TRUE;
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace kftest
