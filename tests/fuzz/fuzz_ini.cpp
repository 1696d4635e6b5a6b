// INI files of any content: read into the settings, and the settings saved
// and read again must save to the same text.
#include <fstream>
#include <sstream>

#include "fuzz_util.h"
#include "settings/ini_file.h"
#include "settings/ini_vars.h"
#include "settings/vars.h"

static std::string slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    return fuzz_home_in_scratch();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    // A file read without error writes back as a file that reads the same.
    CIniFile ini;
    std::istringstream in(text);
    if (ini.load(in) == INI_OK) {
        std::ostringstream out;
        ini.save(out);
        CIniFile again;
        std::istringstream back(out.str());
        if (again.load(back) != INI_OK || again.sections.size() != ini.sections.size())
            __builtin_trap();
        for (const auto& s : ini.sections)
            if (again.sections[s.first].values != s.second.values)
                __builtin_trap();
    }

    static const std::string s_in = fuzz_scratch() + "/in.ini";
    static const std::string s_out = fuzz_scratch() + "/out.ini";
    fuzz_write(s_in, data, size);
    var_reset();
    var_load_file(s_in.c_str());
    if (!var_save_file(s_out.c_str()))
        __builtin_trap();
    const std::string first = slurp(s_out);
    var_reset();
    var_load_file(s_out.c_str());
    if (!var_save_file(s_out.c_str()) || slurp(s_out) != first)
        __builtin_trap();
    var_reset();
    return 0;
}
