// Which element reader takes a text: the comma-separated reader first, then
// the two-line reader.
#pragma once
#include "datafile/csv_file.h"
#include "datafile/tle_file.h"

// Binds the text to csv or, when it does not accept it, to tle; returns the
// reader that accepted it, or null when neither does. The readers and the
// text stay owned by the caller.
ElementsFile* elements_bind(TextFile* text, CsvFile& csv, TleFile& tle);
// True when one of the readers accepts the text.
bool elements_accepts(TextFile* text);
