// Console command lines of any content, one per input line, run by cmdproc
// on a real console; the settings go back to their defaults after each input.
#include <cstdlib>
#include <string>

#include "console/cmdproc.h"
#include "console/console.h"
#include "fuzz_util.h"
#include "settings/vars.h"
#include "support/str.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("XDG_DATA_HOME", fuzz_scratch().c_str(), 1);
    setenv("HOME", fuzz_scratch().c_str(), 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CConsole con;
    con.SetSize(25, 80);
    const std::string text(reinterpret_cast<const char*>(data), size);
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        // cmdproc takes a trimmed, non-empty line, as the console hands it over.
        std::string line = text.substr(start, end - start);
        const char* trimmed = str_trim(&line[0]);
        if (*trimmed)
            cmdproc(trimmed, &con);
        start = end + 1;
    }
    for (const char* row = con.FirstVisibleLine(); row; row = con.NextVisibleLine())
        ;
    var_reset();
    return 0;
}
