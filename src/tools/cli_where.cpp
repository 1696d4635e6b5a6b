// skytrace-cli where FILE: every satellite's sub-satellite point and altitude
// (or TEME position) at one instant, computed as the program computes its
// map positions: the whole catalogue at once through the vector lanes.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "objects/objects.h"
#include "sgp4/CoordGeodetic.h"
#include "sgp4/DateTime.h"
#include "sgp4/SGP4Batch.h"
#include "sgp4/Tle.h"
#include "tools/cli.h"
#include "tools/cli_instant.h"
#include "tools/cli_objects.h"

static const double s_deg = 180.0 / 3.14159265358979323846;

static bool parse_count(const char* s, long* out)
{
    char* e = nullptr;
    const long v = std::strtol(s, &e, 10);
    if (e == s || *e != '\0' || v < 1 || v > 1000000)
        return false;
    *out = v;
    return true;
}

static bool parse_seconds(const char* s, double* out)
{
    char* e = nullptr;
    const double v = std::strtod(s, &e);
    if (e == s || *e != '\0' || !std::isfinite(v) || std::fabs(v) > 1e9)
        return false;
    *out = v;
    return true;
}

static double ms_since(std::chrono::steady_clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
        .count();
}

static int run(int argc, char** argv)
{
    const char* file = nullptr;
    const char* at = nullptr;
    long repeat = 1;
    double step = 0.0;
    bool haveRepeat = false, haveStep = false, teme = false;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--teme") == 0) {
            teme = true;
        } else if (std::strcmp(argv[i], "--at") == 0 && hasValue) {
            at = argv[++i];
        } else if (std::strcmp(argv[i], "--repeat") == 0 && hasValue) {
            if (!parse_count(argv[++i], &repeat))
                return cli_usage(argv[0]);
            haveRepeat = true;
        } else if (std::strcmp(argv[i], "--step") == 0 && hasValue) {
            if (!parse_seconds(argv[++i], &step))
                return cli_usage(argv[0]);
            haveStep = true;
        } else if (argv[i][0] != '-' && !file) {
            file = argv[i];
        } else {
            return cli_usage(argv[0]);
        }
    }
    // The last instant's offset, in microseconds, must fit a 64-bit count.
    if (!file || haveRepeat != haveStep || double(repeat - 1) * std::fabs(step) > 1e12)
        return cli_usage(argv[0]);
    libsgp4::DateTime t0;
    if (at) {
        if (!cli_parseInstant(at, &t0))
            return cli_usage(argv[0]);
    }

    const auto loadStart = std::chrono::steady_clock::now();
    CObjects objs;
    int result = 0;
    const int rc = cli_loadObjects(objs, file, &result);
    const double loadMs = ms_since(loadStart);
    if (rc != CLI_OK) {
        std::fprintf(stderr, "skytrace-cli where: cannot read '%s'\n", file);
        return rc;
    }
    if (!at)
        t0 = obj_time(0);

    // Only the last instant's positions are kept for printing. The whole
    // catalogue is computed at each instant as the program does it.
    const size_t n = objs.count;
    std::vector<object_t*> list;
    std::vector<const libsgp4::SGP4*> sats;
    for (object_t* o = objs.first; o; o = o->next) {
        list.push_back(o);
        sats.push_back(o->sgp4);
    }
    std::vector<libsgp4::CoordGeodetic> geo(teme ? 0 : n);
    std::vector<libsgp4::Vector> pos(teme ? n : 0);
    std::vector<libsgp4::PropagationFailure> failure(n);
    uint64_t propagations = 0, errors = 0;
    const auto propStart = std::chrono::steady_clock::now();
    libsgp4::SGP4Batch batch;
    batch.Assign(sats.data(), n);
    for (long k = 0; k < repeat; ++k) {
        const libsgp4::DateTime t =
            t0.AddMicroseconds(static_cast<int64_t>(static_cast<double>(k) * step * 1000000.0));
        if (teme)
            batch.Teme(t, pos.data(), nullptr, failure.data());
        else
            batch.Geodetic(t, geo.data(), failure.data());
        propagations += n;
        for (size_t i = 0; i < n; ++i)
            errors += failure[i] == libsgp4::PropagationFailure::None ? 0 : 1;
    }
    const double propMs = ms_since(propStart);

    for (size_t i = 0; i < n; ++i) {
        const object_t* o = list[i];
        std::printf("%u\t%s\t", o->tle->CatalogNumber(), o->tle->Name().c_str());
        if (failure[i] != libsgp4::PropagationFailure::None)
            std::printf("-\t-\t-\n");
        else if (teme)
            std::printf("%.6f\t%.6f\t%.6f\n", pos[i].x, pos[i].y, pos[i].z);
        else
            std::printf("%.6f\t%.6f\t%.3f\n", geo[i].latitude * s_deg, geo[i].longitude * s_deg,
                        geo[i].altitude);
    }
    std::printf("objects=%llu propagations=%llu errors=%llu load_ms=%.1f propagate_ms=%.1f\n",
                static_cast<unsigned long long>(objs.count),
                static_cast<unsigned long long>(propagations),
                static_cast<unsigned long long>(errors), loadMs, propMs);
    return CLI_OK;
}

static cliRegistrar s_reg(
    {"where",
     "  where FILE [--at YYYY-MM-DDTHH:MM:SS[.ffffff]Z] [--repeat N --step SECONDS]\n"
     "        [--teme]\n"
     "      Prints every satellite's catalogue number, name, latitude and\n"
     "      longitude (degrees) and altitude (km) at the instant (default: now),\n"
     "      or '-' where the propagation fails. FILE is loaded as by catalog.\n"
     "      --teme prints the TEME position x, y, z (km) instead, skipping the\n"
     "      geodetic conversion. --repeat propagates at N instants STEP seconds\n"
     "      apart and prints the last. The last line counts objects,\n"
     "      propagations and errors (over all instants) and gives the load and\n"
     "      propagation times in ms (the propagation time excludes loading).",
     run});
