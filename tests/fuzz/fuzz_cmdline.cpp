// Console command lines, one per input line, run on a real console; settings reset after each input.
#include <sstream>
#include <string>

#include "console/cmdproc.h"
#include "console/console.h"
#include "fuzz_util.h"
#include "settings/vars.h"
#include "support/str.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    return fuzz_home_in_scratch();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CConsole con;
    con.SetSize(25, 80);
    // cmdproc takes a trimmed, non-empty line, as the console hands it over.
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    for (std::string line; std::getline(in, line);)
        if (const char* trimmed = str_trim(&line[0]); *trimmed)
            cmdproc(trimmed, &con);
    for (const char* row = con.FirstVisibleLine(); row; row = con.NextVisibleLine())
        ;
    var_reset();
    return 0;
}
