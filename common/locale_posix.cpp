// The native build's regional settings for the CSV files: the form of the English ones.
#include "common/csv.h"

CsvForm Csv_UserForm() { return CsvForm(); }
