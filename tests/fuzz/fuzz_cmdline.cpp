// Console command lines, one per input line, run on a real console over a catalogue of
// three satellites (one numbered in Alpha-5, one the model cannot follow); select
// selects directly; settings and the selection reset after each input.
#include <sstream>
#include <string>

#include "console/cmdproc.h"
#include "console/console.h"
#include "fuzz_util.h"
#include "objects/objects.h"
#include "settings/vars.h"
#include "support/str.h"

static const char s_elements[] =
    "ISS (ZARYA)\n"
    "1 25544U 98067A   26150.51748228  .00011776  00000+0  21767-3 0  9998\n"
    "2 25544  51.6337  27.5746 0007245 114.7080 245.4664 15.49496548569014\n"
    "ALPHA\n"
    "1 A0001U 98067A   26150.51748228  .00011776  00000+0  21767-3 0  9998\n"
    "2 A0001  51.6337  27.5746 0007245 114.7080 245.4664 15.49496548569014\n"
    "DECAYED\n"
    "1 00005U 58002B   00179.78495062  .00000023  00000-0  90000-0 0  9992\n"
    "2 00005  34.2682 348.7242 1859667 331.7664  19.3264 16.40000000999995\n";

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const int rc = fuzz_home_in_scratch();
    const std::string tle = fuzz_scratch() + "/sats.tle", mgr = fuzz_scratch() + "/datamgr.txt";
    fuzz_write(tle, s_elements);
    fuzz_write(mgr, tle + "\n");
    g_objs.Load(mgr.c_str());
    g_conSelObj = [](object_t* o) { g_var.sel.obj = o; };
    return rc;
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
