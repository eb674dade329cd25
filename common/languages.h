#pragma once
// The three interface languages, by their number in Settings.xml: 1 English, 2 French,
// 3 Russian. Every other number is taken as English wherever a language is looked up (the saved
// value itself is left alone). Window-free: the resource ids are plain numbers.
#include <cstdint>

#include "resources/resource.h"

struct LanguageFacts {
  int number;            // 1, 2 or 3
  const char* folder;    // data folder, help folder and code in History.csv: "EN", "FR", "RU"
  uint16_t langId;       // Windows language of its string table and menu bar: 1033, 1036, 1049
  uint16_t command;      // its Language submenu command: IDM_LANG_ENGLISH, IDM_LANG_FRENCH, IDM_LANG_RUSSIAN
  uint16_t entryString;  // its Language submenu entry (name, tab, shortcut): IDS_LANG_ENGLISH, IDS_LANG_FRENCH, IDS_LANG_RUSSIAN
  uint16_t menuBar;      // its menu bar resource: IDR_MENU_EN, IDR_MENU_FR, IDR_MENU_RU
};

constexpr int kLanguageCount = 3;
constexpr LanguageFacts kLanguages[kLanguageCount] = {
    {1, "EN", 1033, IDM_LANG_ENGLISH, IDS_LANG_ENGLISH, IDR_MENU_EN},
    {2, "FR", 1036, IDM_LANG_FRENCH, IDS_LANG_FRENCH, IDR_MENU_FR},
    {3, "RU", 1049, IDM_LANG_RUSSIAN, IDS_LANG_RUSSIAN, IDR_MENU_RU},
};

// The facts of language number `language`; English's for any number outside 1-3.
constexpr const LanguageFacts& Language_Of(int language) {
  return (language >= 1 && language <= kLanguageCount) ? kLanguages[language - 1] : kLanguages[0];
}
