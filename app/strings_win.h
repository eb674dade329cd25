#pragma once
// String tables (app/strings_win.cpp): the one lookup by identifier and exact language, and the
// few strings copied out at once.
#include <windows.h>

#include "common/text.h"
#include "typing/words.h"

// The string `id` in `language` (1 EN, 2 FR, 3 RU, anything else EN) in one shared 102-unit
// buffer, or nullptr when that language's table has no such string.
const wchar_t* App_LoadString(UINT id, int language);
// The same string copied out of the shared buffer ("" when missing).
Text16 App_StringText(UINT id, int language);
// The name of `language` in that language, as its Language menu entry gives it.
Text16 App_LanguageName(int language);
// The string at position id & 15 of one string-table block (`units` 16-bit units: 16 counted
// entries) copied into the shared buffer, cut to 101 units; nullptr for an empty entry or a
// block that ends early. App_LoadString's walk, open to tests with hand-made blocks.
const wchar_t* App_StringFromBlock(const WORD* block, DWORD units, UINT id);
// LANGID of a language number, from the language table (English for any other number).
LANGID App_LangId(int language);
// The left- and right-hand letters (IDS_LEFT_HAND_LETTERS, IDS_RIGHT_HAND_LETTERS) of the current language.
HandLetters App_HandLetters();
// The window class name (string IDS_CLASS_NAME of the current language) into out[capacity], terminated;
// empty when the string is missing.
void App_LoadClassName(wchar_t* out, int capacity);
