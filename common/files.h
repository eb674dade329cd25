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
// Puts the file `from` in place of `to` in one step, replacing `to` when it exists.
bool File_Replace(const std::string& from, const std::string& to);
// The process's current directory, without a trailing separator.
std::string Dir_Current();
// Joins a base folder and a relative path written with backslashes ("\EN\Tests\x.txt");
// the backslashes become the platform's separator.
std::string Path_Join(const std::string& base, const std::string& relative);
// The size of an open file and a move of its position, both in 64 bits (a long is 32 bits on
// Windows); false when the system refuses.
bool File_Size(std::FILE* file, uint64_t& size);
bool File_SeekTo(std::FILE* file, uint64_t offset);
