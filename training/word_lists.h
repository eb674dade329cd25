#pragma once
// Word list files of the training modes and the custom list, and their readers.
#include <cstddef>
#include <string>
#include <vector>

#include "common/text.h"

enum class WordList { LeftHand, RightHand, LeftToRight, RightToLeft, Custom };

enum class ListEncoding {
  Ansi,          // English and French installed lists: Windows-1252
  Utf8,          // custom lists
  Utf8FirstMark, // Russian installed lists: the first line is always an entry, a real mark removed
};

// Most bytes of one entry, every list alike. The custom list writer writes no longer word, so
// everything it writes reads back whole; a longer line keeps this many bytes at most.
constexpr size_t kMaxEntryBytes = 99;

// `bytes` cut to at most kMaxEntryBytes without splitting a UTF-8 character (any byte is a whole
// character in the ANSI code page). The writer and the readers of the lists cut alike.
std::string App_CutListEntry(std::string bytes, ListEncoding encoding);
// Most entries a list gives: what a screen can sensibly take. Each screen is built with lists
// this long in well under half a second under Wine, and a keystroke of modes 1 and 2 that
// searches both lists to their ends takes a few milliseconds (bench/screen_bench_win.cpp).
constexpr size_t kMaxListEntries = 20000;

// "\EN\Training Words\LH_Words.dat" and the like, by list and language (2 FR, 3 RU, else EN).
std::string App_ListRelativePath(WordList list, int language);
ListEncoding App_ListEncoding(WordList list, int language);
// Splits and decodes the bytes of a list file by the reading rules.
std::vector<Text16> App_DecodeWordList(const std::string& bytes, ListEncoding encoding);
// Reads a list file; a missing or unreadable file gives no entries.
std::vector<Text16> App_ReadWordList(const std::string& path, ListEncoding encoding);
// Locate and read one list of one language.
std::vector<Text16> App_LoadWordList(WordList list, int language);
// Appends the language's custom list to the custom words table (caller empties it first).
void Mode4_LoadCustomWords(int language);
// Whether <current directory>\XX\Training Words\Custom_Words.dat can be opened.
bool App_CustomListExists(int language);
