// Two-line element files of any content.
#include "datafile/tle_file.h"
#include "elements_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_elements<TleFile>(data, size);
    return 0;
}
