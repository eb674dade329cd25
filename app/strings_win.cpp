// String tables: the one lookup by identifier and exact language, and the few strings that are
// copied out at once (hand letters, class name).
#include <windows.h>

#include <cstring>

#include "app/app.h"
#include "app/strings_win.h"
#include "app/wide_text.h"
#include "common/languages.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "typing/words.h"

namespace {

// Every lookup lands here; the next lookup overwrites it, so callers copy or use it at once.
constexpr int kStringBufferUnits = 102;
wchar_t g_StringBuffer[kStringBufferUnits];

// String-table blocks have 16 counted entries.
constexpr UINT kStringsPerBlock = 16;

// Copies `text` (terminated) into out[capacity], cut to capacity - 1 units; empty for null.
void CopyCut(wchar_t* out, int capacity, const wchar_t* text) {
  if (!out || capacity <= 0) return;
  int n = 0;
  if (text)
    while (n < capacity - 1 && text[n] != L'\0') ++n;
  if (n > 0) std::memcpy(out, text, n * sizeof(wchar_t));
  out[n] = L'\0';
}

}  // namespace

LANGID App_LangId(int language) { return Language_Of(language).langId; }

const wchar_t* App_LoadString(UINT id, int language) {
  HMODULE module = g_App.instance ? g_App.instance : GetModuleHandleW(nullptr);
  // Exactly the table of this language: a string missing there is missing, no fallback.
  HRSRC block = FindResourceExW(module, MAKEINTRESOURCEW(6) /* RT_STRING */,
                                MAKEINTRESOURCEW((id >> 4) + 1), App_LangId(language));
  if (!block) return nullptr;
  HGLOBAL loaded = LoadResource(module, block);
  if (!loaded) return nullptr;
  const WORD* entries = static_cast<const WORD*>(LockResource(loaded));
  if (!entries) return nullptr;
  return App_StringFromBlock(entries, SizeofResource(module, block) / sizeof(WORD), id);
}

const wchar_t* App_StringFromBlock(const WORD* block, DWORD units, UINT id) {
  if (!block) return nullptr;
  // Walk the counted entries without ever reading past the block, even a malformed one.
  DWORD at = 0;
  for (UINT position = 0; position < kStringsPerBlock; ++position) {
    if (at >= units) return nullptr;
    const DWORD length = block[at++];
    if (length > units - at) return nullptr;
    if (position == (id & (kStringsPerBlock - 1))) {
      if (length == 0) return nullptr;
      // No table string is longer than 87 units; a longer one is cut rather than overrun.
      const DWORD copied = length < kStringBufferUnits - 1 ? length : kStringBufferUnits - 1;
      std::memcpy(g_StringBuffer, block + at, copied * sizeof(WORD));
      g_StringBuffer[copied] = L'\0';
      return g_StringBuffer;
    }
    at += length;
  }
  return nullptr;
}

HandLetters App_HandLetters() {
  // Taken through the exact-language lookup rather than LoadStringW: LoadStringW picks its
  // table by the thread UI language, which the language switch does not change, so the sets
  // would stay English under a French or Russian interface.
  constexpr int kCapacity = 100;
  wchar_t left[kCapacity];
  wchar_t right[kCapacity];
  CopyCut(left, kCapacity, App_LoadString(IDS_LEFT_HAND_LETTERS, g_Settings.Language));
  CopyCut(right, kCapacity, App_LoadString(IDS_RIGHT_HAND_LETTERS, g_Settings.Language));
  return HandLetters{T16(left), T16(right)};
}

void App_LoadClassName(wchar_t* out, int capacity) {
  CopyCut(out, capacity, App_LoadString(IDS_CLASS_NAME, g_Settings.Language));
}

Text16 App_StringText(UINT id, int language) { return T16(App_LoadString(id, language)); }

Text16 App_LanguageName(int language) {
  const Text16 entry = App_StringText(Language_Of(language).entryString, language);
  return entry.substr(0, entry.find(u'\t'));
}
