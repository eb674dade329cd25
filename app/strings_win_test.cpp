// In-process checks of the tutor's resources and the string lookup: every table string unit for
// unit in the three languages, the lookup's edge cases, the menu bars, the shortcut table, the
// toolbar strip, the icons, the dialog templates, the manifest and the version block.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/strings_win.h"
#include "common/languages.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "typing/keyboards.h"
#include "typing/words.h"

namespace {

struct ExpectedString {
  UINT id;
  const char16_t* text[3];  // English, French, Russian
};

// Every string the program uses (the about box strings follow).
const ExpectedString kExpectedStrings[] = {
    {100, u"Keyfarer", u"Keyfarer (Version Française)", u"Keyfarer (Русская версия)"},
    {610, u"QUILLKEY", u"QUILLKEY", u"QUILLKEY"},
    {1010, u"Language", u"Langue", u"Язык"},
    {1011, u"English\tCtrl+E", u"Anglais\tCtrl+E", u"Английский\tCtrl+E"},
    {1012, u"French\tCtrl+F", u"Français\tCtrl+F", u"Французский\tCtrl+F"},
    {1013, u"Russian\tCtrl+R", u"Russe\tCtrl+R", u"Русский\tCtrl+R"},
    {1014, u"Word", u"Mot", u"Слово"},
    {1015, u"Length", u"Longueur", u"Длина"},
    {1016, u"Speed", u"Vitesse", u"Скорость"},
    {1017, u"Typing Errors", u"Fautes", u"Кол-во ошибок"},
    {1018, u"Typed Count", u"Comte", u"Кол-во раз"},
    {1021, u"&Start Test\tF6", u"&Commencer le test\tF6", u"&Начать тест\tF6"},
    {1026, u"qwertasdfgzxcvbQWERTASDFDGZXCVB", u"éazertqsdfgwxcvbÉAZERTQSDFGWXCVB", u"ёйцукефывапячсмиЁЙЦУКЕФЫВАПЯЧСМИ"},
    {1027, u"yuiophjklnmYUIOPHJKLNM", u"èçàyuiophjklnmÈÀYUIOPHJKLNM", u"нгшщзхъролджэтьбюНГШЩЗХРОЛДЖЭТЬБЮ"},
    {1028, u"Time spent (min): ", u"Temps passé (min): ", u"Время теста (мин): "},
    {1029, u"CPM: ", u"CPM: ", u"CPM: "},
    {1030, u"Characters: ", u"Caractères: ", u"Знаков набрано: "},
    {1031, u"Words typed: ", u"Mots typés: ", u"Слов набрано: "},
    {1032, u"WPM: ", u"WPM: ", u"WPM: "},
    {1033, u"Total errors count: ", u"Compte d'erreurs: ", u"Кол-во ошибок: "},
    {1034, u"Test Report", u"Rapport du test", u"Результаты теста"},
    {1035, u"Measure", u"Mesure", u"Показатель"},
    {1036, u"Value", u"Valeur", u"Значение"},
    {1037, u"Sunday", u"dimanche", u"воскресенье"},
    {1038, u"Monday", u"lundi", u"понедельник"},
    {1039, u"Tuesday", u"mardi", u"вторник"},
    {1040, u"Wednesday", u"mercredi", u"среда"},
    {1041, u"Thursday", u"jeudi", u"четверг"},
    {1042, u"Friday", u"vendredi", u"пятница"},
    {1043, u"Saturday", u"samedi", u"суббота"},
    {1044, u"Detailed Statistics", u"Statistique détaillée", u"Детальная статистика"},
    {1045, u"Word", u"Mot", u"Слово"},
    {1046, u"Length", u"Longueur", u"Длина"},
    {1047, u"Speed", u"Vitesse", u"Скорость"},
    {1048, u"Typing Errors", u"Fautes", u"Кол-во ошибок"},
    {1049, u"Create Custom List", u"Créer la liste", u"Создать список"},
    {1050, u"Check All", u"Choisir tout", u"Пометить все"},
    {1051, u"Color Legend", u"Couleurs de statistique", u"Цвета статистики"},
    {1052, u"Custom Words: ", u"Mots sur mesure: ", u"Пользовательские: "},
    {1053, u"LH Words: ", u"Gauche mots: ", u"Левые: "},
    {1054, u"L2R Words: ", u"De gauche à droite: ", u"Слева-направо: "},
    {1055, u"R2L Words:  ", u"De droite à gauche: ", u"Справа-налево: "},
    {1056, u"RH Words: ", u"Droit mots: ", u"Правые: "},
    {1057, u"Open sample test file", u"Ouvrir le fichier de test", u"Открыть файл теста"},
    {1058, u"Start or stop test", u"Commencer ou cesser le test", u"Начать или остановить тест"},
    {1059, u"Typing error sound alert", u"Neutraliser/actualiser l'alerte sonore", u"Звуковой сигнал при ошибке"},
    {1060, u"Clear test area", u"Nettoyer la zone de travail", u"Очистить область теста"},
    {1061, u"Detailed statistics", u"Statistique détaillée", u"Детальная статистика"},
    {1065, u"Help keep KF free!", u"Gardez KF gratuit !", u"Поддержите KF!"},
    {1090, u"Time: ", u"Temps: ", u"Время: "},
    {1091, u"CPM: ", u"CPM: ", u"CPM: "},
    {1092, u"Errors: ", u"Erreurs: ", u"Ошибок: "},
    {1120, u"Progress: ", u"Progression: ", u"Прогресс: "},
    {1121, u"CPM and errors of the last %d tests", u"CPM et erreurs des %d derniers tests",
     u"CPM и ошибки последних %d тестов"},
    {1122, u"CPM", u"CPM", u"CPM"},
    {1123, u"Errors", u"Erreurs", u"Ошибки"},
    {1124, u"Best CPM of the last %d tests: ", u"Meilleur CPM des %d derniers tests: ", u"Лучший CPM последних %d тестов: "},
    {1125, u"Mean CPM of the last %d tests: ", u"CPM moyen des %d derniers tests: ", u"Средний CPM последних %d тестов: "},
    {1126, u"Mean errors of the last %d tests: ", u"Erreurs moyennes des %d derniers tests: ",
     u"Среднее число ошибок последних %d тестов: "},
    {1127, u"No test in this language in History.csv yet.", u"Aucun test dans cette langue dans History.csv.",
     u"В History.csv ещё нет тестов на этом языке."},
    {1128, u"History.csv could not be written", u"Impossible d'écrire History.csv", u"Не удалось записать History.csv"},
    {10211, u"&Stop Test\tF6", u"&Cesser le test\tF6", u"Оста&новить тест\tF6"},
    {10221, u"Disable Sound &Alert", u"Neutraliser l'&alerte sonore", u"&Выключить звуковой сигнал"},
    {10222, u"Enable Sound &Alert", u"Actualiser l'&alerte sonore", u"&Включить звуковой сигнал"},
};

// The about box strings: the product line is fixed, the other two are the program's own words.
const ExpectedString kAboutStrings[] = {
    {1062, {u"Keyfarer, version 1.0.", u"Keyfarer, version 1.0.", u"Keyfarer, версия 1.0."}},
    {1063, {u"Free for personal and classroom use.\nDo not sell or pass on altered copies.",
            u"Gratuit pour usage personnel ou scolaire.\nNi vente ni diffusion de copies modifiées.",
            u"Бесплатно для личного и учебного пользования.\nПродажа изменённых копий запрещена."}},
    {1064, {u"Copyright (C) 2026 Velmora. All rights reserved.",
            u"Copyright (C) 2026 Velmora. Tous droits réservés.",
            u"Copyright (C) 2026 Velmora. Все права защищены."}},
};

// Menu bars: per popup its title and items (0 = separator), in the three languages.
struct ExpectedMenuItem {
  UINT command;
  const char16_t* text[3];
};
struct ExpectedPopup {
  const char16_t* title[3];
  std::vector<ExpectedMenuItem> items;
};
const ExpectedPopup kExpectedMenu[] = {
    {{u"&File", u"&Fichier", u"&Файл"},
     {
         {4002, {u"&Open ...\tCtrl+O", u"&Ouvrir ...\tCtrl+O", u"&Открыть ...\tCtrl+O"}},
         {4003, {u"E&xit", u"Q&uitter", u"В&ыход"}},
     }},
    {{u"&View", u"&Vue", u"&Вид"},
     {
         {4004, {u"&Toolbar", u"&Barre d'icônes", u"&Панель инструментов"}},
         {4005, {u"&Status Bar", u"Barre &d'état", u"Панель &состояния"}},
         {4020, {u"&Keyboard\tCtrl+B", u"&Clavier\tCtrl+B", u"&Клавиатура\tCtrl+B"}},
         {4022, {u"&Options...", u"&Options...", u"&Параметры..."}},
         {0, {nullptr, nullptr, nullptr}},
         {4006, {u"&Language", u"&Langage", u"&Язык"}},
     }},
    {{u"&Modes", u"&Modes", u"&Режимы"},
     {
         {4007, {u"LH/RH &Words\tCtrl+1", u"&Gauche/droit mots\tCtrl+1", u"&Левые/Правые слова\tCtrl+1"}},
         {4008, {u"&Left-to-Right/Right-to-Left\tCtrl+2", u"&De gauche à droite/De droite à gauche\tCtrl+2", u"&Слева-направо/Справа-налево\tCtrl+2"}},
         {4009, {u"&Custom\tCtrl+3", u"&Sur mesure\tCtrl+3", u"Слова &пользователя\tCtrl+3"}},
         {4010, {u"&Tests\tCtrl+T", u"&Tests\tCtrl+T", u"&Тесты\tCtrl+T"}},
         {4021, {u"C&ourse\tCtrl+U", u"C&ours\tCtrl+U", u"&Курс\tCtrl+U"}},
     }},
    {{u"&Commands", u"&Commandes", u"&Команды"},
     {
         {4011, {u"&Start Test\tF6", u"&Commencer le test\tF6", u"&Начать тест\tF6"}},
         {4012, {u"Disable Sound &Alert", u"Neutraliser l'&alerte sonore", u"&Выключить звуковой сигнал"}},
         {4013, {u"&Clear Test Area\tF7", u"&Nettoyer la zone de test\tF7", u"&Очистить область теста\tF7"}},
         {4014, {u"&Detailed Statistics\tF8", u"&Statistique détaillée\tF8", u"&Детальная статистика\tF8"}},
         {0, {nullptr, nullptr, nullptr}},
         {4015, {u"&HTML Report\tF9", u"&Rapport de HTML\tF9", u"&HTML отчет\tF9"}},
         {4019, {u"Practise &Weak Keys\tCtrl+K", u"&Travailler les touches faibles\tCtrl+K",
                 u"&Тренировать слабые клавиши\tCtrl+K"}},
     }},
    {{u"&Help", u"&Aide", u"&Помощь"},
     {
         {4016, {u"Show &Keyboard Layout...\tCtrl+L", u"&Affiche clavier...\tCtrl+L", u"&Показать раскладку клавиатуры...\tCtrl+L"}},
         {4017, {u"&Manual...\tF1", u"&Manuel...\tF1", u"&Руководство...\tF1"}},
         {4018, {u"&Velmora Web Site...", u"Site &Web Velmora...", u"&Velmora веб сайт..."}},
         {4000, {u"&About Keyfarer", u"&Sur logiciel Keyfarer", u"&О программе Keyfarer"}},
     }},
};

constexpr int kLanguages[] = {1, 2, 3};

const ExpectedString& Expected(UINT id) {
  for (const ExpectedString& s : kExpectedStrings)
    if (s.id == id) return s;
  throw std::runtime_error("no expected string " + std::to_string(id));
}

HMODULE Module() { return GetModuleHandleW(nullptr); }

std::u16string Text(const wchar_t* p) { return std::u16string(reinterpret_cast<const char16_t*>(p)); }

// Restores what the tests change: the module handle used by the lookup, the current language
// and the thread's languages.
class ResourcesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedInstance_ = g_App.instance;
    savedLanguage_ = g_Settings.Language;
    savedUiLanguage_ = GetThreadUILanguage();
    savedLocale_ = GetThreadLocale();
  }
  void TearDown() override {
    g_App.instance = savedInstance_;
    g_Settings.Language = savedLanguage_;
    SetThreadUILanguage(savedUiLanguage_);
    SetThreadLocale(savedLocale_);
  }
  // Both thread languages, as a user's Windows or the language switch would set them.
  static void SetThreadLanguages(LANGID language) {
    SetThreadUILanguage(language);
    SetThreadLocale(MAKELCID(language, SORT_DEFAULT));
  }

 private:
  HINSTANCE savedInstance_ = nullptr;
  int16_t savedLanguage_ = 0;
  LANGID savedUiLanguage_ = 0;
  LCID savedLocale_ = 0;
};

// ---------------------------------------------------------------------------------------------
// String tables

TEST_F(ResourcesTest, EveryStringMatchesUnitForUnitInEveryLanguage) {
  std::vector<ExpectedString> all(std::begin(kExpectedStrings), std::end(kExpectedStrings));
  all.insert(all.end(), std::begin(kAboutStrings), std::end(kAboutStrings));
  for (const ExpectedString& s : all) {
    for (int language : kLanguages) {
      SCOPED_TRACE(testing::Message() << "string " << s.id << ", language " << language);
      const wchar_t* text = App_LoadString(s.id, language);
      ASSERT_NE(text, nullptr);
      EXPECT_EQ(Text(text), std::u16string(s.text[language - 1]));
      EXPECT_LE(Text(text).size(), 87u);
    }
  }
}

TEST_F(ResourcesTest, MenuHintsAreTabsAndTheTermsTakeTwoLines) {
  const wchar_t* french = App_LoadString(IDS_LANG_FRENCH, 1);
  ASSERT_NE(french, nullptr);
  EXPECT_EQ(Text(french), u"French\tCtrl+F");
  EXPECT_EQ(french[6], L'\t');
  const wchar_t* russianLeft = App_LoadString(IDS_LEFT_HAND_LETTERS, 3);
  ASSERT_NE(russianLeft, nullptr);
  EXPECT_EQ(Text(russianLeft), u"ёйцукефывапячсмиЁЙЦУКЕФЫВАПЯЧСМИ");
  EXPECT_EQ(russianLeft[0], 0x0451);  // ё as one unit, not its UTF-8 bytes
  for (int language : kLanguages) {
    const wchar_t* terms = App_LoadString(IDS_ABOUT_TERMS, language);
    ASSERT_NE(terms, nullptr);
    const std::u16string text = Text(terms);
    const size_t lineEnd = text.find(u'\n');
    ASSERT_NE(lineEnd, std::u16string::npos) << "language " << language;
    EXPECT_EQ(text.find(u'\n', lineEnd + 1), std::u16string::npos);
    EXPECT_GT(lineEnd, 0u);
    EXPECT_LT(lineEnd + 1, text.size());
  }
}

TEST_F(ResourcesTest, OtherLanguageNumbersGiveEnglish) {
  for (int language : {0, 4, -1, 99, 1036}) {
    for (const ExpectedString& s : kExpectedStrings) {
      SCOPED_TRACE(testing::Message() << "string " << s.id << ", language " << language);
      const wchar_t* text = App_LoadString(s.id, language);
      ASSERT_NE(text, nullptr);
      EXPECT_EQ(Text(text), std::u16string(s.text[0]));
    }
  }
  EXPECT_EQ(App_LangId(1), 1033);
  EXPECT_EQ(App_LangId(2), 1036);
  EXPECT_EQ(App_LangId(3), 1049);
  EXPECT_EQ(App_LangId(0), 1033);
  EXPECT_EQ(App_LangId(4), 1033);
}

TEST_F(ResourcesTest, MissingIdentifiersGiveNothing) {
  // 99, 1019, 1020 and 1022-1025 are empty places in blocks that exist; 5000 and 65535 lie in
  // blocks that no table has.
  for (UINT id : {0u, 99u, 101u, 1019u, 1020u, 1022u, 1025u, 1066u, 5000u, 10212u, 65535u}) {
    for (int language : {0, 1, 2, 3}) {
      EXPECT_EQ(App_LoadString(id, language), nullptr) << "string " << id << ", language " << language;
    }
  }
}

TEST_F(ResourcesTest, LookupIgnoresTheThreadLanguages) {
  // Only the language passed in counts, whatever Windows would pick for the thread.
  for (LANGID thread : {LANGID(1033), LANGID(1036), LANGID(1049)}) {
    SetThreadLanguages(thread);
    SCOPED_TRACE(testing::Message() << "thread language " << thread);
    const wchar_t* text = App_LoadString(IDS_LANGUAGE, 1);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(Text(text), u"Language");
    text = App_LoadString(IDS_LANGUAGE, 2);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(Text(text), u"Langue");
    text = App_LoadString(IDS_LANGUAGE, 3);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(Text(text), u"Язык");
  }
}

TEST_F(ResourcesTest, UsesTheStoredInstanceWhenThereIsOne) {
  g_App.instance = Module();
  const wchar_t* text = App_LoadString(IDS_TITLE, 2);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(Text(text), u"Keyfarer (Version Française)");
  g_App.instance = nullptr;
  text = App_LoadString(IDS_TITLE, 3);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(Text(text), u"Keyfarer (Русская версия)");
}

TEST_F(ResourcesTest, TwoLookupsLeaveOnlyTheSecondText) {
  const wchar_t* first = App_LoadString(IDS_DETAILED_STATS, 1);  // "Detailed Statistics"
  ASSERT_NE(first, nullptr);
  const wchar_t* second = App_LoadString(IDS_CPM, 2);  // "CPM: ", shorter
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(first, second);  // one shared buffer
  EXPECT_EQ(Text(first), u"CPM: ");
  const wchar_t* third = App_LoadString(IDS_SUNDAY, 3);
  ASSERT_EQ(third, first);
  EXPECT_EQ(Text(first), u"воскресенье");
}

// ---------------------------------------------------------------------------------------------
// The block walk, on hand-made blocks

std::vector<WORD> Block(const std::vector<std::u16string>& entries) {
  std::vector<WORD> block;
  for (const std::u16string& e : entries) {
    block.push_back(static_cast<WORD>(e.size()));
    block.insert(block.end(), e.begin(), e.end());
  }
  return block;
}

TEST(StringBlockWalk, FindsEachPositionAndSkipsEmptyOnes) {
  std::vector<std::u16string> entries(16);
  entries[0] = u"first";
  entries[7] = u"seventh";
  entries[15] = u"last";
  const std::vector<WORD> block = Block(entries);
  const DWORD units = static_cast<DWORD>(block.size());
  const wchar_t* text = App_StringFromBlock(block.data(), units, 32);  // position 0
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(Text(text), u"first");
  text = App_StringFromBlock(block.data(), units, 16 * 9 + 7);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(Text(text), u"seventh");
  text = App_StringFromBlock(block.data(), units, 15);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(Text(text), u"last");
  EXPECT_EQ(App_StringFromBlock(block.data(), units, 6), nullptr);
  EXPECT_EQ(App_StringFromBlock(block.data(), units, 14), nullptr);
}

TEST(StringBlockWalk, CutsALongEntryToTheBuffer) {
  std::vector<std::u16string> entries(16);
  entries[2] = std::u16string(300, u'x');
  entries[2][100] = u'y';
  entries[2][101] = u'z';
  entries[3] = u"after";
  const std::vector<WORD> block = Block(entries);
  const wchar_t* text = App_StringFromBlock(block.data(), static_cast<DWORD>(block.size()), 2);
  ASSERT_NE(text, nullptr);
  const std::u16string cut = Text(text);
  ASSERT_EQ(cut.size(), 101u);
  EXPECT_EQ(cut.substr(0, 100), std::u16string(100, u'x'));
  EXPECT_EQ(cut[100], u'y');
  // The walk still steps over the whole long entry.
  text = App_StringFromBlock(block.data(), static_cast<DWORD>(block.size()), 3);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(Text(text), u"after");
}

TEST(StringBlockWalk, ABlockThatEndsEarlyGivesNothing) {
  std::vector<std::u16string> entries(16);
  entries[1] = u"complete";
  entries[4] = u"beyond the end";
  const std::vector<WORD> block = Block(entries);
  // Cut inside entry 4's characters: its length runs past the end.
  const DWORD cutUnits = 1 + 9 + 1 + 1 + 1 + 5;
  EXPECT_EQ(App_StringFromBlock(block.data(), cutUnits, 4), nullptr);
  // Cut before the counts of the later positions.
  EXPECT_EQ(App_StringFromBlock(block.data(), 1 + 9 + 1, 9), nullptr);
  const wchar_t* text = App_StringFromBlock(block.data(), cutUnits, 1);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(Text(text), u"complete");
  EXPECT_EQ(App_StringFromBlock(block.data(), 0, 0), nullptr);
  EXPECT_EQ(App_StringFromBlock(nullptr, 100, 1), nullptr);
}

// ---------------------------------------------------------------------------------------------
// Strings copied out for the current language

TEST_F(ResourcesTest, HandLettersFollowTheCurrentLanguage) {
  // The thread stays English, as Windows leaves the UI language: the sets must still change.
  SetThreadLanguages(1033);
  for (int language : {1, 2, 3, 0, 4}) {
    SCOPED_TRACE(testing::Message() << "language " << language);
    g_Settings.Language = static_cast<int16_t>(language);
    const HandLetters letters = App_HandLetters();
    const int column = (language >= 1 && language <= 3) ? language - 1 : 0;
    EXPECT_EQ(letters.left, std::u16string(Expected(IDS_LEFT_HAND_LETTERS).text[column]));
    EXPECT_EQ(letters.right, std::u16string(Expected(IDS_RIGHT_HAND_LETTERS).text[column]));
  }
}

// The string tables' hand letters and the keyboard table tell one fact twice: every letter of a
// hand's set that has a key of its own (not É, made with Caps Lock on AZERTY) sits on a key of that
// hand.
TEST_F(ResourcesTest, HandLettersSitOnTheKeysOfTheirHand) {
  for (int language : {1, 2, 3}) {
    SCOPED_TRACE(language);
    g_Settings.Language = static_cast<int16_t>(language);
    const HandLetters letters = App_HandLetters();
    const KeyboardLayout& layout = Keyboard_Of(language);
    for (const auto& set : {std::pair<const Text16*, bool>{&letters.left, true}, {&letters.right, false}}) {
      for (char16_t c : *set.first) {
        const KeyCap* key = Keyboard_KeyOf(layout, c);
        if (key) {
          EXPECT_EQ(key->finger < Finger::Thumbs, set.second) << static_cast<int>(c);
        }
      }
    }
  }
}

TEST_F(ResourcesTest, HandLettersSurviveTheNextLookup) {
  g_Settings.Language = 2;
  const HandLetters letters = App_HandLetters();
  App_LoadString(IDS_TITLE, 1);
  EXPECT_EQ(letters.left, u"éazertqsdfgwxcvbÉAZERTQSDFGWXCVB");
  EXPECT_EQ(letters.right, u"èçàyuiophjklnmÈÀYUIOPHJKLNM");
}

TEST_F(ResourcesTest, ClassNameIsCopiedAndCutToTheCapacity) {
  for (int language : {1, 2, 3, 7}) {
    g_Settings.Language = static_cast<int16_t>(language);
    wchar_t name[100];
    std::fill(std::begin(name), std::end(name), L'#');
    App_LoadClassName(name, 100);
    EXPECT_EQ(Text(name), u"QUILLKEY") << "language " << language;
  }
  wchar_t small[8];
  std::fill(std::begin(small), std::end(small), L'#');
  App_LoadClassName(small, 5);
  EXPECT_EQ(Text(small), u"QUIL");
  EXPECT_EQ(small[5], L'#');  // nothing written past the capacity
  App_LoadClassName(small, 1);
  EXPECT_EQ(small[0], L'\0');
  EXPECT_EQ(small[1], L'U');  // untouched from the call before
  App_LoadClassName(small, 0);  // no room at all: nothing written
  EXPECT_EQ(small[0], L'\0');
  App_LoadClassName(nullptr, 10);
}

// ---------------------------------------------------------------------------------------------
// Menu bars, shortcuts

TEST_F(ResourcesTest, EachMenuBarHasItsLanguageUnderEveryThreadLanguage) {
  const UINT menus[] = {IDR_MENU_EN, IDR_MENU_FR, IDR_MENU_RU};
  for (LANGID thread : {LANGID(1033), LANGID(1036), LANGID(1049)}) {
    SetThreadLanguages(thread);
    for (int language : kLanguages) {
      SCOPED_TRACE(testing::Message() << "menu " << menus[language - 1] << ", thread " << thread);
      HMENU bar = LoadMenuW(Module(), MAKEINTRESOURCEW(menus[language - 1]));
      ASSERT_NE(bar, nullptr);
      ASSERT_EQ(GetMenuItemCount(bar), 5);
      for (int p = 0; p < 5; ++p) {
        const ExpectedPopup& popup = kExpectedMenu[p];
        wchar_t text[128] = {};
        GetMenuStringW(bar, p, text, 128, MF_BYPOSITION);
        EXPECT_EQ(Text(text), std::u16string(popup.title[language - 1])) << "popup " << p;
        HMENU sub = GetSubMenu(bar, p);
        ASSERT_NE(sub, nullptr) << "popup " << p;
        ASSERT_EQ(GetMenuItemCount(sub), static_cast<int>(popup.items.size())) << "popup " << p;
        for (size_t i = 0; i < popup.items.size(); ++i) {
          const ExpectedMenuItem& item = popup.items[i];
          MENUITEMINFOW info = {};
          info.cbSize = sizeof(info);
          info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
          ASSERT_TRUE(GetMenuItemInfoW(sub, static_cast<UINT>(i), TRUE, &info));
          EXPECT_EQ(info.hSubMenu, nullptr);
          if (item.command == 0) {
            EXPECT_TRUE(info.fType & MFT_SEPARATOR) << "popup " << p << " item " << i;
            continue;
          }
          EXPECT_EQ(info.wID, item.command) << "popup " << p << " item " << i;
          wchar_t itemText[128] = {};
          GetMenuStringW(sub, static_cast<UINT>(i), itemText, 128, MF_BYPOSITION);
          EXPECT_EQ(Text(itemText), std::u16string(item.text[language - 1]))
              << "popup " << p << " item " << i;
        }
      }
      DestroyMenu(bar);
    }
  }
}

struct ExpectedAccelerator {
  BYTE flags;
  WORD key;
  WORD command;
};

TEST_F(ResourcesTest, ShortcutTableHasNineteenEntries) {
  const ExpectedAccelerator expected[] = {
      {FALT, '?', IDM_ABOUT},
      {FALT, '/', IDM_ABOUT},
      {FVIRTKEY | FCONTROL, 'O', IDM_OPEN},
      {FVIRTKEY | FCONTROL, '1', IDM_MODE_HANDS},
      {FVIRTKEY | FCONTROL, '2', IDM_MODE_ALTERNATION},
      {FVIRTKEY | FCONTROL, '3', IDM_MODE_CUSTOM},
      {FVIRTKEY | FCONTROL, 'T', IDM_MODE_TESTS},
      {FVIRTKEY | FCONTROL, 'U', IDM_MODE_COURSE},
      {FVIRTKEY | FCONTROL, 'E', IDM_LANG_ENGLISH},
      {FVIRTKEY | FCONTROL, 'F', IDM_LANG_FRENCH},
      {FVIRTKEY | FCONTROL, 'R', IDM_LANG_RUSSIAN},
      {FVIRTKEY, VK_F6, IDM_START_TEST},
      {FVIRTKEY, VK_F7, IDM_CLEAR},
      {FVIRTKEY, VK_F8, IDM_DETAILED_STATS},
      {FVIRTKEY, VK_F9, IDM_HTML_REPORT},
      {FVIRTKEY | FCONTROL, 'L', IDM_KEYBOARD_LAYOUT},
      {FVIRTKEY | FCONTROL, 'K', IDM_PRACTICE_WEAK_KEYS},
      {FVIRTKEY | FCONTROL, 'B', IDM_VIEW_KEYBOARD},
      {FVIRTKEY, VK_F1, IDM_ONLINE_HELP},
  };
  for (LANGID thread : {LANGID(1033), LANGID(1049)}) {
    SetThreadLanguages(thread);
    HACCEL table = LoadAcceleratorsW(Module(), MAKEINTRESOURCEW(IDR_ACCELERATORS));
    ASSERT_NE(table, nullptr) << "thread " << thread;
    ASSERT_EQ(CopyAcceleratorTableW(table, nullptr, 0), 19);
    ACCEL entries[19] = {};
    ASSERT_EQ(CopyAcceleratorTableW(table, entries, 19), 19);
    for (int i = 0; i < 19; ++i) {
      SCOPED_TRACE(testing::Message() << "entry " << i);
      EXPECT_EQ(entries[i].fVirt & (FVIRTKEY | FSHIFT | FCONTROL | FALT), expected[i].flags);
      EXPECT_EQ(entries[i].key, expected[i].key);
      EXPECT_EQ(entries[i].cmd, expected[i].command);
    }
    DestroyAcceleratorTable(table);
  }
}

// Records the commands that reach a window.
std::vector<WPARAM> g_CommandsSeen;
LRESULT CALLBACK RecordCommands(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) g_CommandsSeen.push_back(wParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(ResourcesTest, AltQuestionMarkIsTranslatedAsACharacter) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = RecordCommands;
  wc.hInstance = Module();
  wc.lpszClassName = L"KfAcceleratorProbe";
  RegisterClassW(&wc);
  HWND window = CreateWindowW(L"KfAcceleratorProbe", L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                              nullptr, nullptr, Module(), nullptr);
  ASSERT_NE(window, nullptr);
  HACCEL table = LoadAcceleratorsW(Module(), MAKEINTRESOURCEW(IDR_ACCELERATORS));
  ASSERT_NE(table, nullptr);
  g_CommandsSeen.clear();
  BYTE keys[256] = {};
  ASSERT_TRUE(GetKeyboardState(keys));
  BYTE altDown[256];
  std::memcpy(altDown, keys, sizeof(keys));
  altDown[VK_MENU] = altDown[VK_LMENU] = 0x80;
  // Alt held: the character arrives as WM_SYSCHAR with the context bit set.
  ASSERT_TRUE(SetKeyboardState(altDown));
  MSG alt = {window, WM_SYSCHAR, '?', 0x20000000, 0, {0, 0}};
  EXPECT_TRUE(TranslateAcceleratorW(window, table, &alt));
  MSG slash = {window, WM_SYSCHAR, '/', 0x20000000, 0, {0, 0}};
  EXPECT_TRUE(TranslateAcceleratorW(window, table, &slash));
  // A character with no shortcut is left alone.
  MSG other = {window, WM_SYSCHAR, 'q', 0x20000000, 0, {0, 0}};
  EXPECT_FALSE(TranslateAcceleratorW(window, table, &other));
  // Without Alt the same characters are plain typing.
  keys[VK_MENU] = keys[VK_LMENU] = 0;
  ASSERT_TRUE(SetKeyboardState(keys));
  MSG plain = {window, WM_CHAR, '?', 0, 0, {0, 0}};
  EXPECT_FALSE(TranslateAcceleratorW(window, table, &plain));
  ASSERT_EQ(g_CommandsSeen.size(), 2u);
  EXPECT_EQ(g_CommandsSeen[0], MAKEWPARAM(IDM_ABOUT, 1));
  EXPECT_EQ(g_CommandsSeen[1], MAKEWPARAM(IDM_ABOUT, 1));
  DestroyAcceleratorTable(table);
  DestroyWindow(window);
}

// ---------------------------------------------------------------------------------------------
// Images

const BYTE kStandardPalette[16][3] = {
    {0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
enum : int { kBlack = 0, kGreen = 2, kSilver = 7, kGrey = 8, kRed = 9, kYellow = 11, kWhite = 15 };

TEST(ResourceToolbarBitmap, StripOfEightSixteenColourImages) {
  HBITMAP loaded = LoadBitmapW(Module(), MAKEINTRESOURCEW(IDB_TOOLBAR));
  ASSERT_NE(loaded, nullptr);
  BITMAP bm = {};
  ASSERT_TRUE(GetObjectW(loaded, sizeof(bm), &bm));
  EXPECT_EQ(bm.bmWidth, 128);
  EXPECT_EQ(bm.bmHeight, 15);
  DeleteObject(loaded);

  HRSRC found = FindResourceW(Module(), MAKEINTRESOURCEW(IDB_TOOLBAR), MAKEINTRESOURCEW(2));
  ASSERT_NE(found, nullptr);
  const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(Module(), found)));
  ASSERT_NE(data, nullptr);
  BITMAPINFOHEADER header;
  std::memcpy(&header, data, sizeof(header));
  ASSERT_EQ(header.biSize, 40u);
  EXPECT_EQ(header.biWidth, 128);
  ASSERT_EQ(header.biHeight, 15);  // bottom-up rows
  ASSERT_EQ(header.biBitCount, 4);
  EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
  const BYTE* palette = data + 40;
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(palette[i * 4 + 2], kStandardPalette[i][0]) << "colour " << i;
    EXPECT_EQ(palette[i * 4 + 1], kStandardPalette[i][1]) << "colour " << i;
    EXPECT_EQ(palette[i * 4 + 0], kStandardPalette[i][2]) << "colour " << i;
  }
  ASSERT_EQ(SizeofResource(Module(), found), 40u + 64u + 64u * 15u);
  const BYTE* bits = palette + 64;
  auto pixel = [&](int x, int y) {  // y from the top
    const BYTE b = bits[(14 - y) * 64 + x / 2];
    return (x % 2 == 0) ? b >> 4 : b & 15;
  };
  // Per image: how many pixels of each colour.
  int counts[8][16] = {};
  for (int image = 0; image < 8; ++image)
    for (int y = 0; y < 15; ++y)
      for (int x = 0; x < 16; ++x) ++counts[image][pixel(image * 16 + x, y)];
  for (int image = 0; image < 8; ++image) {
    SCOPED_TRACE(testing::Message() << "image " << image);
    EXPECT_EQ(pixel(image * 16, 0), kSilver);       // background corner: the button face
    EXPECT_EQ(pixel(image * 16 + 15, 0), kSilver);
    EXPECT_GE(16 * 15 - counts[image][kSilver], 20);  // a picture, not a blank
  }
  EXPECT_GE(counts[0][kYellow], 30);  // folder
  EXPECT_GE(counts[1][kGreen], 25);   // check mark
  EXPECT_GE(counts[2][kBlack], 20);   // loudspeaker with waves
  EXPECT_GE(counts[3][kWhite], 80);   // blank page
  EXPECT_GE(counts[4][kYellow], 100); // yellow disc
  EXPECT_GE(counts[5][kRed], 60);     // no-entry sign: red disc...
  EXPECT_GE(counts[5][kWhite], 20);   // ...with its white bar
  EXPECT_GE(counts[6][kGreen], 60);   // play: green square...
  EXPECT_GE(counts[6][kWhite], 20);   // ...with a white triangle
  EXPECT_GE(counts[7][kGrey], 20);    // greyed loudspeaker: no black, no colour
  EXPECT_EQ(counts[7][kBlack], 0);
  EXPECT_EQ(counts[7][kGrey] + counts[7][kWhite] + counts[7][kSilver], 16 * 15);
}

// The strip for scales above 100 %: the same eight pictures at twice the size, each a picture on
// the light grey ground that the toolbar shows as the button face.
TEST(ResourceToolbarBitmap, LargeStripOfEightPicturesOnTheFaceColour) {
  HBITMAP loaded = static_cast<HBITMAP>(
      LoadImageW(Module(), MAKEINTRESOURCEW(IDB_TOOLBAR_LARGE), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  ASSERT_NE(loaded, nullptr);
  BITMAP bm = {};
  ASSERT_TRUE(GetObjectW(loaded, sizeof(bm), &bm));
  EXPECT_EQ(bm.bmWidth, 8 * 32);
  EXPECT_EQ(bm.bmHeight, 30);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, loaded);
  for (int image = 0; image < 8; ++image) {
    SCOPED_TRACE(testing::Message() << "image " << image);
    int picture = 0;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 32; ++x) picture += GetPixel(dc, image * 32 + x, y) != RGB(192, 192, 192);
    EXPECT_EQ(GetPixel(dc, image * 32, 0), RGB(192, 192, 192)) << "the ground in the corner";
    EXPECT_GE(picture, 60) << "a picture, not a blank";
  }
  SelectObject(dc, previous);
  DeleteDC(dc);
  DeleteObject(loaded);
}

// Every size a display scale asks for is drawn, not stretched from another.
TEST(ResourceIcons, BothIconsLoadInEverySize) {
  for (UINT id : {UINT(IDI_KEYFARER), UINT(IDI_DETAILED_STATS)}) {
    EXPECT_NE(LoadIconW(Module(), MAKEINTRESOURCEW(id)), nullptr) << "icon " << id;
    HRSRC group = FindResourceW(Module(), MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
    ASSERT_NE(group, nullptr);
    const BYTE* directory = static_cast<const BYTE*>(LockResource(LoadResource(Module(), group)));
    ASSERT_NE(directory, nullptr);
    std::set<int> drawn;  // GRPICONDIR: 6 bytes, then 14-byte entries whose first byte is the width
    for (int i = 0; i < directory[4]; ++i) drawn.insert(directory[6 + 14 * i] ? directory[6 + 14 * i] : 256);
    EXPECT_EQ(drawn, (std::set<int>{16, 20, 24, 32, 48, 256})) << "icon " << id;
    for (int size : {16, 20, 24, 32, 48, 256}) {
      SCOPED_TRACE(testing::Message() << "icon " << id << ", size " << size);
      HICON icon = static_cast<HICON>(LoadImageW(Module(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
      ASSERT_NE(icon, nullptr);
      ICONINFO info = {};
      ASSERT_TRUE(GetIconInfo(icon, &info));
      BITMAP bm = {};
      ASSERT_TRUE(GetObjectW(info.hbmColor, sizeof(bm), &bm));
      EXPECT_EQ(bm.bmWidth, size);
      EXPECT_EQ(bm.bmHeight, size);
      DeleteObject(info.hbmColor);
      DeleteObject(info.hbmMask);
      DestroyIcon(icon);
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Dialog templates

INT_PTR CALLBACK QuietDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

std::u16string WindowText(HWND window) {
  wchar_t text[128] = {};
  GetWindowTextW(window, text, 128);
  return Text(text);
}

// The control's rectangle in dialog units, measured back from its pixels.
void ExpectControlAt(HWND dialog, int id, int x, int y, int width, int height) {
  SCOPED_TRACE(testing::Message() << "control " << id);
  HWND control = GetDlgItem(dialog, id);
  ASSERT_NE(control, nullptr);
  // The dialog manager converts position and size one by one, so do the same.
  RECT converted = {x, y, width, height};
  MapDialogRect(dialog, &converted);
  const RECT expected = {converted.left, converted.top, converted.left + converted.right,
                         converted.top + converted.bottom};
  RECT actual = {};
  GetWindowRect(control, &actual);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
  EXPECT_EQ(actual.left, expected.left);
  EXPECT_EQ(actual.top, expected.top);
  // An icon static sizes itself to its icon; the others keep the template's size.
  if (id != IDC_ABOUT_ICON) {
    EXPECT_EQ(actual.right, expected.right);
    EXPECT_EQ(actual.bottom, expected.bottom);
  }
}

LONG Style(HWND dialog, int id) { return GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE); }

// The dialog's client area in dialog units.
void ExpectClientSize(HWND dialog, int width, int height) {
  RECT expected = {0, 0, width, height};
  MapDialogRect(dialog, &expected);
  RECT client = {};
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, expected.right);
  EXPECT_EQ(client.bottom, expected.bottom);
}

void ExpectArialTen(HWND dialog) {
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
  ASSERT_NE(font, nullptr);
  LOGFONTW logFont = {};
  ASSERT_TRUE(GetObjectW(font, sizeof(logFont), &logFont));
  EXPECT_EQ(Text(logFont.lfFaceName), u"Arial");
  HDC screen = GetDC(nullptr);
  const int pointsTen = -MulDiv(10, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(logFont.lfHeight, pointsTen);
}

TEST(ResourceDialogs, AboutBoxTemplate) {
  ASSERT_NE(FindResourceW(Module(), MAKEINTRESOURCEW(IDD_ABOUT), MAKEINTRESOURCEW(5)), nullptr);
  HWND dialog = CreateDialogParamW(Module(), MAKEINTRESOURCEW(IDD_ABOUT), nullptr, QuietDialog, 0);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(WindowText(dialog), u"About");
  const LONG style = GetWindowLongW(dialog, GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
  ExpectArialTen(dialog);
  ExpectClientSize(dialog, 230, 75);
  ExpectControlAt(dialog, IDC_ABOUT_ICON, 14, 9, 20, 20);
  ExpectControlAt(dialog, IDC_ABOUT_MAKER, 45, 20, 35, 8);
  ExpectControlAt(dialog, IDC_ABOUT_PRODUCT, 80, 20, 119, 8);
  ExpectControlAt(dialog, IDC_ABOUT_TERMS, 45, 30, 200, 16);
  ExpectControlAt(dialog, IDC_ABOUT_NOTICE, 45, 50, 200, 8);
  ExpectControlAt(dialog, IDOK, 195, 6, 30, 11);
  EXPECT_EQ(Style(dialog, IDC_ABOUT_ICON) & SS_TYPEMASK, SS_ICON);
  EXPECT_NE(SendDlgItemMessageW(dialog, IDC_ABOUT_ICON, STM_GETICON, 0, 0), 0);
  EXPECT_TRUE(Style(dialog, IDC_ABOUT_MAKER) & SS_NOTIFY);
  EXPECT_TRUE(Style(dialog, IDC_ABOUT_PRODUCT) & SS_NOPREFIX);
  for (int id : {IDC_ABOUT_MAKER, IDC_ABOUT_PRODUCT, IDC_ABOUT_TERMS, IDC_ABOUT_NOTICE, IDOK})
    EXPECT_TRUE(Style(dialog, id) & WS_GROUP) << "control " << id;
  EXPECT_EQ(Style(dialog, IDOK) & 0x0F, BS_DEFPUSHBUTTON);
  EXPECT_TRUE(Style(dialog, IDOK) & WS_TABSTOP);
  EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_ABOUT_MAKER)), u"Velmora");
  EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_ABOUT_PRODUCT)), u"Keyfarer, version 1.0.");
  EXPECT_EQ(WindowText(GetDlgItem(dialog, IDOK)), u"OK");
  DestroyWindow(dialog);
}

TEST(ResourceDialogs, ColourLegendTemplate) {
  ASSERT_NE(FindResourceW(Module(), MAKEINTRESOURCEW(IDD_COLOR_LEGEND), MAKEINTRESOURCEW(5)), nullptr);
  HWND dialog = CreateDialogParamW(Module(), MAKEINTRESOURCEW(IDD_COLOR_LEGEND), nullptr, QuietDialog, 0);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(WindowText(dialog), u"Detailed Statistics Colors");
  ExpectArialTen(dialog);
  ExpectClientSize(dialog, 130, 90);
  struct Row {
    int caption, swatch, y;
    const char16_t* text;
  };
  const Row rows[] = {
      {IDC_LEGEND_CUSTOM_TEXT, IDC_LEGEND_CUSTOM_COLOR, 10, u"Custom Words: "},
      {IDC_LEGEND_LH_TEXT, IDC_LEGEND_LH_COLOR, 20, u"LH Words: "},
      {IDC_LEGEND_L2R_TEXT, IDC_LEGEND_L2R_COLOR, 30, u"L2R Words: "},
      {IDC_LEGEND_R2L_TEXT, IDC_LEGEND_R2L_COLOR, 40, u"R2L Words: "},
      {IDC_LEGEND_RH_TEXT, IDC_LEGEND_RH_COLOR, 50, u"RH Words: "},
  };
  for (const Row& row : rows) {
    ExpectControlAt(dialog, row.caption, 15, row.y + 1, 65, 8);
    ExpectControlAt(dialog, row.swatch, 85, row.y, 30, 10);
    EXPECT_EQ(WindowText(GetDlgItem(dialog, row.caption)), std::u16string(row.text));
    EXPECT_EQ(WindowText(GetDlgItem(dialog, row.swatch)), u"");
    EXPECT_EQ(Style(dialog, row.caption) & SS_TYPEMASK, SS_LEFT);
    EXPECT_EQ(Style(dialog, row.swatch) & SS_TYPEMASK, SS_LEFT);
  }
  ExpectControlAt(dialog, IDOK, 50, 70, 30, 11);
  EXPECT_EQ(Style(dialog, IDOK) & 0x0F, BS_DEFPUSHBUTTON);
  DestroyWindow(dialog);
}

// ---------------------------------------------------------------------------------------------
// Manifest and version block

std::string ResourceBytes(UINT id, UINT type) {
  HRSRC found = FindResourceW(Module(), MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(type));
  if (!found) return std::string();
  const char* data = static_cast<const char*>(LockResource(LoadResource(Module(), found)));
  return data ? std::string(data, SizeofResource(Module(), found)) : std::string();
}

std::string Utf16Bytes(const std::u16string& text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
}

TEST(ProgramResources, ManifestAsksForCommonControlsSixPerMonitorDpiWithoutElevation) {
  const std::string manifest = ResourceBytes(1, 24);
  ASSERT_FALSE(manifest.empty());
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
  // The programs scale themselves: per-monitor v2, per-monitor before it, system-aware on Windows 7.
  EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos);
  EXPECT_NE(manifest.find(">true/pm</dpiAware>"), std::string::npos);
  for (const char* os : {"35138b9a-5d96-4fbd-8e2d-a2440225f93a", "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",
                         "1f676c76-80e1-4239-95bb-83d0f6d0da78", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"})
    EXPECT_NE(manifest.find(os), std::string::npos) << os;
}

TEST(ProgramResources, VersionBlockNamesTheProduct) {
  const std::string version = ResourceBytes(1, 16);
  ASSERT_FALSE(version.empty());
  const DWORD signature = 0xFEEF04BD;
  const size_t fixed = version.find(std::string(reinterpret_cast<const char*>(&signature), 4));
  ASSERT_NE(fixed, std::string::npos);
  VS_FIXEDFILEINFO info;
  ASSERT_LE(fixed + sizeof(info), version.size());
  std::memcpy(&info, version.data() + fixed, sizeof(info));
  EXPECT_EQ(info.dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(info.dwFileVersionLS, 0u);
  EXPECT_EQ(info.dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(info.dwProductVersionLS, 0u);
  // Each string entry: its key, terminated, padded to 32 bits, then its terminated value.
  auto valueOf = [&](const std::u16string& key) {
    const std::string keyBytes = Utf16Bytes(key) + std::string(2, '\0');
    size_t at = version.find(keyBytes);
    if (at == std::string::npos || at % 2 != 0) return std::u16string(u"<missing>");
    at = (at + keyBytes.size() + 3) & ~size_t(3);
    std::u16string value;
    for (; at + 1 < version.size(); at += 2) {
      const char16_t unit = static_cast<char16_t>(static_cast<unsigned char>(version[at]) |
                                                  (static_cast<unsigned char>(version[at + 1]) << 8));
      if (unit == 0) break;
      value += unit;
    }
    return value;
  };
  EXPECT_EQ(valueOf(u"ProductName"), u"Keyfarer");
  EXPECT_EQ(valueOf(u"CompanyName"), u"Velmora");
  EXPECT_EQ(valueOf(u"FileDescription"), u"Keyfarer touch-typing tutor");
  EXPECT_EQ(valueOf(u"OriginalFilename"), u"KFP.exe");
  EXPECT_EQ(valueOf(u"FileVersion"), u"1.0.0.0");
  EXPECT_EQ(valueOf(u"ProductVersion"), u"1.0.0.0");
}

}  // namespace
