// Practice texts for the weak keys: which keys, which words, and in what order.
#include "keys/key_practice.h"

#include <algorithm>
#include <random>
#include <string>
#include <string_view>
#include <unordered_set>

#include "typing/keyboards.h"

namespace {

// The part of the text the words of the weak keys may take together: the rest is left to the
// words of the other keys, which also carry some of each weak key.
constexpr double kMaxShare = 0.85;
// A key's words are drawn from the densest quarter of them, at least and at most so many.
constexpr size_t kMinShortlist = 8;
constexpr size_t kMaxShortlist = 64;
// Words that measure how densely a key can be practised.
constexpr size_t kDensityWords = 40;
// A key's densest words that are ranked: more than ten lines of words ever take.
constexpr size_t kRankedWords = 2048;

bool IsWordLetter(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
         (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7) || (c >= 0x400 && c <= 0x4FF);
}

bool OfKey(const KeyCap& key, char16_t c) { return c != 0 && (c == key.normal || c == key.shifted); }

size_t CountOf(const KeyCap& key, const Text16& word) {
  size_t n = 0;
  for (char16_t c : word) n += OfKey(key, c);
  return n;
}

// A weak key to practise and the words that hold it.
struct KeyWords {
  size_t key;
  double target;              // share of the text the key must reach
  std::vector<size_t> words;  // into the distinct words, densest first
};

// One attempt with `plan`; the text's rate of each key is checked by the caller.
Text16 Compose(std::vector<KeyWords>& plan, const std::vector<const Text16*>& words, const KeyboardLayout& layout,
               std::mt19937& rng) {
  std::vector<int> uses(words.size(), 0);
  std::vector<double> have(plan.size(), 0);
  std::vector<bool> open(plan.size(), true);
  Text16 text, line;
  size_t lines = 0, units = 0;
  while (lines < kPracticeLines) {
    // The key furthest behind its target share.
    size_t next = plan.size();
    double behind = 0;
    for (size_t i = 0; i < plan.size(); ++i) {
      if (!open[i]) continue;
      const double ratio = have[i] / (plan[i].target * static_cast<double>(units + 1));
      if (next == plan.size() || ratio < behind) {
        next = i;
        behind = ratio;
      }
    }
    if (next == plan.size()) break;
    KeyWords& k = plan[next];
    // Words not used yet first, so that a word comes back only once the others have come.
    std::vector<size_t> shortlist;
    const size_t want = std::min(kMaxShortlist, std::max(kMinShortlist, k.words.size() / 4));
    for (int used = 0; used < kPracticeWordUses && shortlist.empty(); ++used) {
      for (size_t w : k.words) {
        if (uses[w] != used) continue;
        shortlist.push_back(w);
        if (shortlist.size() == want) break;
      }
    }
    if (shortlist.empty()) {
      open[next] = false;
      continue;
    }
    const size_t w = shortlist[rng() % shortlist.size()];
    const Text16& word = *words[w];
    if (!line.empty() && line.size() + 1 + word.size() > kPracticeLineUnits) {
      text += (text.empty() ? u"" : u"\r\n") + line;
      line.clear();
      if (++lines == kPracticeLines) break;
    }
    if (!line.empty()) {
      line += u' ';
      ++units;
    }
    line += word;
    units += word.size();
    ++uses[w];
    for (size_t i = 0; i < plan.size(); ++i) have[i] += static_cast<double>(CountOf(layout.keys[plan[i].key], word));
  }
  if (!line.empty() && lines < kPracticeLines) text += (text.empty() ? u"" : u"\r\n") + line;
  return text;
}

}  // namespace

void Mode4_CollectWords(const Text16& text, std::vector<Text16>& words) {
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && IsWordLetter(text[i])) continue;
    const size_t n = i - start;
    if (n >= kMinPracticeWord && n <= kMaxPracticeWord) words.push_back(text.substr(start, n));
    start = i + 1;
  }
}

double Mode4_KeyRate(const KeyCap& key, const Text16& text) {
  size_t all = 0, hits = 0;
  for (char16_t c : text) {
    if (c == u'\r' || c == u'\n') continue;
    ++all;
    hits += OfKey(key, c);
  }
  return all ? static_cast<double>(hits) / static_cast<double>(all) : 0.0;
}

namespace {

constexpr uint8_t kNoKey = 0xFF;

bool Usable(const Text16& w) {
  return w.size() >= kMinPracticeWord && w.size() <= kMaxPracticeWord && std::all_of(w.begin(), w.end(), IsWordLetter);
}

// The key of each character of the layout, kNoKey for none.
std::vector<uint8_t> KeyOfCharacters(const KeyboardLayout& layout) {
  std::vector<uint8_t> keyOf(0x10000, kNoKey);
  for (size_t i = 0; i < layout.count && i < kNoKey; ++i) {
    if (layout.keys[i].normal) keyOf[layout.keys[i].normal] = static_cast<uint8_t>(i);
    if (layout.keys[i].shifted) keyOf[layout.keys[i].shifted] = static_cast<uint8_t>(i);
  }
  return keyOf;
}

// The weakest keys that some word holds (only those can be practised; a word with other
// characters than letters may count here, and is left out later): after the weakest, only keys
// weaker than the mean of the keys judged, so a learner who types every key alike practises one.
std::vector<size_t> KeysToPractise(const KeySummary& summary, const std::vector<Text16>& rawWords,
                                   const KeyboardLayout& layout) {
  const std::vector<uint8_t> keyOf = KeyOfCharacters(layout);
  std::vector<bool> inWords(layout.count, false);
  for (const Text16& w : rawWords) {
    if (w.size() < kMinPracticeWord || w.size() > kMaxPracticeWord) continue;
    for (char16_t c : w) {
      if (keyOf[c] != kNoKey) inWords[keyOf[c]] = true;
    }
  }
  std::vector<size_t> weakest = Mode4_WeakestKeys(summary, kPracticeKeys, [&](size_t k) { return inWords[k]; });
  if (weakest.empty()) return weakest;
  double meanScore = 0;
  const std::vector<size_t> judged = Mode4_WeakestKeys(summary, layout.count);
  for (size_t k : judged) meanScore += Mode4_KeyScore(summary.all[k], summary.overall);
  meanScore /= static_cast<double>(judged.size());
  weakest.erase(std::remove_if(weakest.begin() + 1, weakest.end(),
                               [&](size_t k) { return Mode4_KeyScore(summary.all[k], summary.overall) <= meanScore; }),
                weakest.end());
  return weakest;
}

// The distinct usable words that hold one of the keys, in their first order (so that one seed
// always gives one text), and for each key the words that hold it.
void WordsOfKeys(const std::vector<Text16>& rawWords, const std::vector<size_t>& keys, const KeyboardLayout& layout,
                 std::vector<const Text16*>& words, std::vector<std::vector<size_t>>& wordsOfKey) {
  wordsOfKey.assign(keys.size(), {});
  std::unordered_set<std::u16string_view> seen;
  for (const Text16& w : rawWords) {
    bool wanted = false;
    for (size_t i = 0; i < keys.size() && !wanted; ++i) wanted = CountOf(layout.keys[keys[i]], w) > 0;
    if (!wanted || !Usable(w) || !seen.insert(std::u16string_view(w)).second) continue;
    for (size_t i = 0; i < keys.size(); ++i) {
      if (CountOf(layout.keys[keys[i]], w)) wordsOfKey[i].push_back(words.size());
    }
    words.push_back(&w);
  }
}

// A key's words, densest first, then in their first order; a text never reaches past the first
// few thousand.
std::vector<std::pair<double, size_t>> RankedWords(const KeyCap& cap, const std::vector<size_t>& wordsOfKey,
                                                   const std::vector<const Text16*>& words) {
  std::vector<std::pair<double, size_t>> ranked;
  for (size_t w : wordsOfKey) {
    ranked.push_back({static_cast<double>(CountOf(cap, *words[w])) / static_cast<double>(words[w]->size() + 1), w});
  }
  const size_t kept = std::min(kRankedWords, ranked.size());
  std::partial_sort(ranked.begin(), ranked.begin() + static_cast<std::ptrdiff_t>(kept), ranked.end(),
                    [](const std::pair<double, size_t>& a, const std::pair<double, size_t>& b) {
                      return a.first > b.first || (a.first == b.first && a.second < b.second);
                    });
  ranked.resize(kept);
  return ranked;
}

// The weakest first, then each of the next that still fits: a key takes its target over the
// density its words give of the text.
std::vector<KeyWords> PlanKeys(const std::vector<size_t>& keys, const std::vector<std::vector<size_t>>& wordsOfKey,
                               const std::vector<const Text16*>& words, const KeyboardLayout& layout,
                               const Text16& baseText) {
  std::vector<KeyWords> plan;
  double share = 0;
  for (size_t i = 0; i < keys.size(); ++i) {
    const KeyCap& cap = layout.keys[keys[i]];
    KeyWords k{keys[i], std::max(kPracticeBoost * Mode4_KeyRate(cap, baseText), 0.02), {}};
    const std::vector<std::pair<double, size_t>> ranked = RankedWords(cap, wordsOfKey[i], words);
    if (ranked.empty()) continue;  // its words hold other characters than letters
    double dense = 0;
    const size_t measured = std::min(kDensityWords, ranked.size());
    for (size_t j = 0; j < measured; ++j) dense += ranked[j].first;
    dense /= static_cast<double>(measured);
    const double needs = k.target / dense;
    if (!plan.empty() && share + needs > kMaxShare) continue;
    share += needs;
    for (const auto& r : ranked) k.words.push_back(r.second);
    plan.push_back(std::move(k));
  }
  return plan;
}

}  // namespace

Practice Mode4_BuildPractice(const KeySummary& summary, const std::vector<Text16>& rawWords, const Text16& baseText,
                             uint32_t seed) {
  Practice practice;
  if (summary.keystrokes < kMinPracticeKeystrokes) return practice;
  const KeyboardLayout& layout = Keyboard_Of(summary.language);
  const std::vector<size_t> keys = KeysToPractise(summary, rawWords, layout);
  if (keys.empty()) {
    const bool anyJudged = !Mode4_WeakestKeys(summary, 1).empty();
    practice.result = anyJudged ? PracticeResult::NoWords : PracticeResult::NeedsTests;
    return practice;
  }
  std::vector<const Text16*> words;
  std::vector<std::vector<size_t>> wordsOfKey;
  WordsOfKeys(rawWords, keys, layout, words, wordsOfKey);
  std::vector<KeyWords> plan = PlanKeys(keys, wordsOfKey, words, layout, baseText);

  // Fewer keys when the words cannot carry them all at their targets.
  std::mt19937 rng(seed);
  while (!plan.empty()) {
    practice.text = Compose(plan, words, layout, rng);
    bool reached = !practice.text.empty();
    for (const KeyWords& k : plan) {
      reached = reached && Mode4_KeyRate(layout.keys[k.key], practice.text) >=
                               kPracticeBoost * Mode4_KeyRate(layout.keys[k.key], baseText);
    }
    if (reached || plan.size() == 1) break;
    plan.pop_back();
  }
  practice.result = practice.text.empty() ? PracticeResult::NoWords : PracticeResult::Ok;
  for (const KeyWords& k : plan) practice.keys.push_back(k.key);
  return practice;
}

std::string Mode4_PracticeFileBytes(const Text16& text) {
  std::string bytes = "\xFF\xFE";
  bytes.reserve(2 + 2 * text.size());
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}
