#pragma once
// The window-free part of the detailed statistics window: which test words get a row and with
// what texts, the values its column sort compares, and the custom words list it writes.
#include <cstdint>
#include <string>
#include <vector>

#include "common/text.h"
#include "typing/words.h"

// The four cells of one row and the record index kept as the row's item data.
struct DetailedStatsRow {
  int16_t index;
  Text16 word;    // column 0
  Text16 length;  // column 1, "%d"
  Text16 speed;   // column 2, "%.2f (%.2f)": seconds for the word (seconds per letter step)
  Text16 errors;  // column 3, "%d"
};

// Sorts the table in place by length, longest first; words of equal length in no set order.
void Mode4_SortTestWordsByLength(std::vector<TestWordRecord>& table);

// One row per record, in table order, for the words typed since the test began (errors not
// kNotTyped, whatever their time) that are longer than one letter.
std::vector<DetailedStatsRow> Mode4_DetailedStatsRows(const std::vector<TestWordRecord>& table);

// The number a column sort compares for the text of a cell of column `column`: 1 the text as a
// real, 2 the real inside the brackets (seconds per letter step), 3 the text as an integer.
// False for any other column, whose rows all compare equal.
bool Mode4_CellSortValue(const Text16& cell, int column, double& value);

// Most UTF-16 units of a word the custom list takes.
constexpr size_t kCustomWordUnits = 99;

// The bytes of a custom words list: each word in UTF-8 followed by CR LF, no byte-order mark.
// A word longer than kCustomWordUnits or kMaxEntryBytes (the most a list reader takes) is cut at
// a whole character as the readers cut it, so every word written reads back as written.
std::string Mode4_CustomListBytes(const std::vector<Text16>& words);

// <base>\EN\Training Words\Custom_Words.dat (FR for 2, RU for 3, EN for any other language).
std::string Mode4_CustomListPath(const std::string& base, int language);
