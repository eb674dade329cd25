// The marks of the characters typed wrong, kept beside the typing area's text.
#include "typing/mistake_marks.h"

#include <algorithm>

#include "typing/keystrokes.h"

void Marks_Clear(MistakeMarks& marks) {
  marks.wrong.clear();
  marks.known = true;
}

void Marks_Typed(MistakeMarks& marks, char16_t ch, bool wrong, size_t length, bool atEnd, bool afterLineBreak) {
  std::vector<uint8_t>& w = marks.wrong;
  // An emptied area follows its text again.
  if (length == 0 && atEnd) Marks_Clear(marks);
  if (!marks.known || !atEnd || w.size() != length) {
    marks.known = false;
    return;
  }
  if (ch == kBackspace) {
    // The edit control takes a line break back whole.
    w.resize(w.size() - std::min(w.size(), size_t{afterLineBreak ? 2u : 1u}));
    return;
  }
  w.insert(w.end(), ch == u'\r' ? 2 : 1, wrong ? 1 : 0);
}

std::vector<MarkRun> Marks_Runs(MistakeMarks& marks, size_t length, const Text16* sample, const Text16* text) {
  std::vector<MarkRun> runs;
  if (!marks.known || marks.wrong.size() != length) {
    marks.known = false;
    if (!sample || !text) return runs;
    size_t at = 0;
    while (at < text->size() && at < sample->size() && (*text)[at] == (*sample)[at]) ++at;
    if (at < text->size()) runs.push_back({at, text->size()});
    return runs;
  }
  for (size_t i = 0; i < marks.wrong.size(); ++i) {
    if (!marks.wrong[i]) continue;
    if (!runs.empty() && runs.back().end == i) {
      ++runs.back().end;
    } else {
      runs.push_back({i, i + 1});
    }
  }
  return runs;
}
