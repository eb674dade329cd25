#pragma once
// The plumbing of the tutor's CSV files, History.csv and Keys.csv: RFC 4180 fields, UTF-8 with a
// byte-order mark, CR LF line ends; rows appended and never rewritten, read back from the end.
// Each file's rows are its own (exam/history.h, keys/key_history.h).
//
// A file is written in the form that a spreadsheet of the learner's regional settings splits
// into columns with its figures as numbers: the list separator and decimal sign of the user's
// locale when the file is made ("," and "." in English, ";" and "," in French and Russian), and
// the form of its first lines for the rest of its life, so that its rows never mix. Readers take
// rows of either form.
#include <cstdint>
#include <functional>
#include <string>

// A test's local date and time, to the second, as its rows carry it.
struct HistoryTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// The separator between fields and the sign before the decimals of one file.
struct CsvForm {
  char separator = ',';
  char decimal = '.';
};

// The form of a new file from the user's regional settings (the glue asks the system): their
// list separator when it is "," or ";", their decimal sign when it is "," or "."; a comma before
// the decimals never goes with a comma between fields, and any other separator becomes ";" then,
// "," otherwise.
CsvForm Csv_FormFromLocale(const std::u16string& listSeparator, const std::u16string& decimalSign);
// The user's regional settings' form (common/*_win32.cpp asks Windows; elsewhere ",", ".").
CsvForm Csv_UserForm();
// The form of an existing file from its first bytes `head`: the separator that first follows a
// field in its first line, and for ";" the decimal sign of the first figure with decimals in the
// lines after it; `fresh` where the bytes do not tell.
CsvForm Csv_FileForm(const std::string& head, const CsvForm& fresh);

// A time as the rows write it, "YYYY-MM-DDTHH:MM:SS", and read back: a date that exists and a time
// of the day.
std::string Csv_FormatTime(const HistoryTime& time);
bool Csv_ReadTime(const std::string& text, HistoryTime& time);
// The `count` fields of one RFC 4180 line (no line end) into fields[0..count); false when the
// line is no such record or has another number of fields.
bool Csv_SplitLine(const std::string& line, std::string* fields, size_t count, char separator = ',');
// How every row of ours begins, read: a line (a trailing CR allowed) of exactly `count` fields,
// separated by "," or by ";", whose first is a time and whose second a language folder ("EN",
// "FR", "RU").
bool Csv_ReadRowStart(const std::string& line, std::string* fields, size_t count, HistoryTime& time,
                      std::string& language);
// A text field: quoted when it holds the separator, a quote or a line end, and quoted with an apostrophe
// before it when a spreadsheet would take it for a formula (it begins with =, +, -, @, a tab or a
// CR, or with an apostrophe before one of these or another apostrophe): spreadsheets read that as
// "this is text". Csv_NeedsGuard tells whether a text gets the apostrophe, which a reader takes off.
std::string Csv_Field(const std::string& text, char separator = ',');
bool Csv_NeedsGuard(const std::string& text);

// Hundredths as decimal text with two decimals: 4125 -> "41.25" (or "41,25"), -5 -> "-0.05".
std::string Csv_FormatHundredths(int64_t hundredths, char decimal = '.');
// A plain decimal number ("-"? digits (("." | ",") digits)?, at most 15 digits before the sign)
// as hundredths, rounded half away from zero; false for anything else.
bool Csv_ReadHundredths(const std::string& text, int64_t& hundredths);
// Digits only, at most 15 of them.
bool Csv_ReadWhole(const std::string& text, int64_t& value);

// How many bytes at each end of an existing file an append looks at.
constexpr size_t kCsvCheckBytes = 64 * 1024;

// What one file writes in a form: its start (mark and header), or the rows of one append.
using CsvWriting = std::function<std::string(const CsvForm& form)>;

// The bytes to append to a file of `size` bytes whose first and last bytes (at most
// kCsvCheckBytes each, the whole file when it is smaller) are `head` and `tail`: a new file's
// start (`fileStart` in the `fresh` form) before the rows, or the rows in the file's own form
// (Csv_FileForm), with a line end first after a last line without one (a bare CR at the end is
// completed with its LF, so no empty record comes between). False, with nothing to append, when
// the file is not UTF-8 text (a UTF-16 mark, a NUL, an invalid sequence), which the append
// leaves as it is.
bool Csv_AppendBytes(uint64_t size, const std::string& head, const std::string& tail, const CsvForm& fresh,
                     const CsvWriting& fileStart, const CsvWriting& rows, std::string& bytes);
// Appends `rows` to the file at `path` in one write, starting a new file with `fileStart`, both in
// the file's form (a new file's is `fresh`); false, with the file as it was, when it is read-only,
// a folder, no UTF-8 text, or cannot be written (a full disk: what went in is taken back, and a
// file this call made is removed).
bool Csv_AppendRows(const std::string& path, const CsvForm& fresh, const CsvWriting& fileStart,
                    const CsvWriting& rows);

// Reads `size` bytes at `offset` into `out`; false when they cannot be read.
using CsvBlockReader = std::function<bool(uint64_t offset, char* out, size_t size)>;
// Opens the file at `path` for reading (not a folder) and hands `use` its size and a reader of
// its blocks; false when it cannot be opened or sized.
bool Csv_ReadFileBlocks(const std::string& path,
                        const std::function<void(uint64_t size, const CsvBlockReader& read)>& use);
// Hands the lines of a file of `totalBytes` to `take` from the last to the first (without their
// LF; `firstLine` for the file's first), reading blocks of `blockBytes` from the end; a line of
// more than `maxLine` bytes is skipped, and the walk ends when `take` says so, at the start of the
// file, or at a block that cannot be read.
void Csv_WalkLinesBackward(uint64_t totalBytes, const CsvBlockReader& read, size_t blockBytes, size_t maxLine,
                           const std::function<bool(const std::string& line, bool firstLine)>& take);
