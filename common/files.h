#pragma once
// The little file access the core needs, with UTF-8 paths on every build. The Windows build
// implements it with the wide ("W") calls, so folders with any characters work.
#include <cstdint>
#include <cstdio>
#include <string>

#ifdef _WIN32
constexpr char kPathSep = '\\';
#else
constexpr char kPathSep = '/';
#endif

// fopen with a UTF-8 path.
std::FILE* File_Open(const std::string& path, const char* mode);
bool File_Exists(const std::string& path);   // a file that can be opened for reading
bool Dir_Exists(const std::string& path);
bool File_Remove(const std::string& path);
// The process's current directory, without a trailing separator.
std::string Dir_Current();

// The data folder: where the tutor finds and keeps every file it reads or writes (Settings.xml,
// the trace, History.csv, Keys.csv, its pages, the language folders), chosen once at start; the
// current directory until then. The working directory is never consulted after the choice.
void Dir_SetData(const std::string& folder);
const std::string& Dir_Data();
// A file or folder below the data folder, `relative` written with backslashes ("\EN\Tests").
std::string Dir_DataFile(const std::string& relative);
// Joins a base folder and a relative path written with backslashes ("\EN\Tests\x.txt");
// the backslashes become the platform's separator.
std::string Path_Join(const std::string& base, const std::string& relative);
// The size of an open file and a move of its position, both in 64 bits (a long is 32 bits on
// Windows); false when the system refuses.
bool File_Size(std::FILE* file, uint64_t& size);
bool File_SeekTo(std::FILE* file, uint64_t offset);
// Cuts an open file (flushed first) to `size` bytes; false when the system refuses.
bool File_Truncate(std::FILE* file, uint64_t size);

// ---- Writing a file of the user's -------------------------------------------------------------

// A system error number: GetLastError() on Windows, errno elsewhere; 0 for none.
using FileError = unsigned long;
// The error a read-only file gives: what Windows answers when such a file is to be replaced.
extern const FileError kFileErrorReadOnly;

// A file (not a folder) that is marked read-only: the read-only attribute on Windows, no write
// permission for its owner elsewhere.
bool File_IsReadOnly(const std::string& path);
// Creates `path` (an existing file is emptied first), writes every byte of `bytes`, checking each
// write, flushes it to the disk and closes it. 0, or the error of the step that failed; `opened`
// tells whether the file was created or emptied by this call (then it is this call's to remove).
FileError File_WriteNew(const std::string& path, const std::string& bytes, bool& opened);
// Puts the file `from` in place of `to` in one step, replacing `to` when it exists: 0 or the error.
FileError File_MoveOver(const std::string& from, const std::string& to);

// What became of a write.
struct FileWriteResult {
  bool ok = false;
  FileError error = 0;  // why not, when not ok
};

// The one way the tutor writes a file that may already hold the user's data (Settings.xml,
// Custom_Words.dat, Report.htm): the new bytes go to `path` + ".tmp" first, which then takes the
// old file's place in one step. The old file stays as it was whenever anything fails, and a
// read-only file is never replaced (Windows refuses that, and Wine would not). No ".tmp" file
// of this call's own stays behind; one that is not its own (a folder, a read-only file) is left.
FileWriteResult File_WriteSafely(const std::string& path, const std::string& bytes);
