// skytrace-cli teme: TEME positions and velocities of every element set of
// a file, in the layout of the published verification output.
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "datafile/elements_reader.h"
#include "sgp4/SGP4.h"
#include "tools/cli.h"

namespace {

// A finite number filling the whole argument.
bool parseMinutes(const char* s, double& out)
{
    char* end = nullptr;
    errno = 0;
    out = std::strtod(s, &end);
    return end != s && *end == '\0' && errno == 0 && std::isfinite(out);
}

void printElements(const OrbitalElements_t& el, double start, double stop, double step)
{
    std::printf("%u xx\n", el.catalogNumber);
    try {
        const libsgp4::Tle tle(el);
        const libsgp4::SGP4 sgp4(tle);
        for (uint64_t i = 0;; ++i) {
            const double t = start + double(i) * step;
            if (!(t <= stop))
                break;
            try {
                const libsgp4::Eci eci = sgp4.FindPosition(t);
                const libsgp4::Vector& p = eci.Position();
                const libsgp4::Vector& v = eci.Velocity();
                std::printf("%17.8f %17.8f %17.8f %17.8f %14.9f %14.9f %14.9f\n", t, p.x, p.y,
                            p.z, v.x, v.y, v.z);
            } catch (const std::runtime_error& e) {
                std::printf("# %.8f %s\n", t, e.what());
                break;
            }
        }
    } catch (const libsgp4::SatelliteException& e) {
        std::printf("# init %s\n", e.what());
    }
}

int run(int argc, char** argv)
{
    double start = 0.0, stop = 0.0, step = 0.0;
    if (argc != 5 || !parseMinutes(argv[2], start) || !parseMinutes(argv[3], stop) ||
        !parseMinutes(argv[4], step) || !(step > 0.0))
        return cli_usage("teme");

    TextFile text;
    if (text.Load(argv[1]) != 0) {
        std::fprintf(stderr, "skytrace-cli teme: cannot read '%s'\n", argv[1]);
        return CLI_UNREADABLE;
    }
    CsvFile csv;
    TleFile tle;
    ElementsFile* reader = elements_bind(&text, csv, tle);
    if (!reader) {
        std::fprintf(stderr, "skytrace-cli teme: '%s' is no element file (CSV or TLE)\n",
                     argv[1]);
        return CLI_UNREADABLE;
    }
    OrbitalElements_t el;
    for (bool ok = reader->ReadFirstElements(el); ok; ok = reader->ReadNextElements(el))
        printElements(el, start, stop, step);
    return CLI_OK;
}

const cliRegistrar s_reg({"teme",
                          "  teme FILE START STOP STEP\n"
                          "      For every element set of FILE (CSV or TLE): a line '<number> xx',\n"
                          "      then t x y z vx vy vz (TEME km, km/s) for t = START, START+STEP, ...\n"
                          "      up to STOP (minutes since epoch; STEP > 0). Errors: '# init <message>',\n"
                          "      or '# <t> <message>' which ends that element set.",
                          run});

}  // namespace
