// The user's regional settings on Windows: the list separator and decimal sign a spreadsheet of
// theirs splits a CSV file by. The user's own settings, not the thread locale that follows the
// tutor's interface language.
#include <windows.h>

#include <string>

#include "common/csv.h"

namespace {

std::u16string UserLocaleText(LCTYPE what) {
  wchar_t text[8] = L"";
  const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, what, text, 8);
  return length > 1 ? std::u16string(reinterpret_cast<const char16_t*>(text), static_cast<size_t>(length - 1))
                    : std::u16string();
}

}  // namespace

CsvForm Csv_UserForm() { return Csv_FormFromLocale(UserLocaleText(LOCALE_SLIST), UserLocaleText(LOCALE_SDECIMAL)); }
