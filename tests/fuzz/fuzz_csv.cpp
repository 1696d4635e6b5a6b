// Comma-separated element files of any content.
#include "datafile/csv_file.h"
#include "elements_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_elements<CsvFile>(data, size);
    return 0;
}
