#include "datafile/elements_reader.h"

ElementsFile* elements_bind(TextFile* text, CsvFile& csv, TleFile& tle)
{
    if (csv.SetFile(text))
        return &csv;
    if (tle.SetFile(text))
        return &tle;
    return nullptr;
}

bool elements_accepts(TextFile* text)
{
    CsvFile csv;
    TleFile tle;
    return elements_bind(text, csv, tle) != nullptr;
}
