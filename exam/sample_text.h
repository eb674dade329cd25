#pragma once
// Sample texts of the Tests mode: UTF-16 files with a byte-order mark, at most 1999 units.
#include <string>

#include "common/text.h"

constexpr int kSampleCapacity = 2000;  // units of the sample buffer, terminator included

struct SampleState {
  Text16 text;  // current sample text, without mark
  std::string fileName;  // the file it came from, without its folder (UTF-8)
};

extern SampleState g_Sample;

enum class SampleLoad {
  Ok,
  CannotOpen,  // no message
  TooBig,      // "The maximum number of characters is: 2000" / "The file is too big!"
  NotUnicode,  // "The UNICODE files only are compatible with KFP." / "The text is not UNICODE text!"
};

// Decodes the bytes of a sample file (mark checked, big-endian files swapped into order).
SampleLoad Mode4_DecodeSample(const std::string& bytes, Text16& text);
// Reads and decodes a sample file; traces "Mode4_LoadFile Entered" (and "Exited" when the file
// cannot be opened). Never reads more than the size limit allows.
SampleLoad Mode4_ReadSampleFile(const std::string& path, Text16& text);
// <base>\EN\Tests\Sample_Unicode.txt (FR for 2, RU for 3).
std::string Mode4_DefaultSamplePath(const std::string& base, int language);
// Empties the test words table and fills it with the words of `text`: one record for each run
// between blanks that holds more than punctuation, the run's leading and trailing punctuation
// left out, with the unit where the word begins.
void Mode4_ParseSampleText(const Text16& text);
