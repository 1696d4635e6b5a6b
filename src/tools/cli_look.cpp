// skytrace-cli look FILE --observer LAT,LON[,ALT_M]: every satellite's
// azimuth, elevation, range, range rate and sunlight at one instant.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "objects/objects.h"
#include "observer/observer.h"
#include "observer/sun.h"
#include "sgp4/Tle.h"
#include "tools/cli.h"
#include "tools/cli_instant.h"
#include "tools/cli_observer.h"

static const char s_cmd[] = "look";
static const double s_deg = 180.0 / 3.14159265358979323846;

static int run(int argc, char** argv)
{
    const char* file = nullptr;
    const char* at = nullptr;
    const char* where = nullptr;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        const bool option = std::strcmp(a, "--observer") == 0 || std::strcmp(a, "--at") == 0;
        if (option && i + 1 >= argc)
            return cli_fail(s_cmd, "%s needs a value", a);
        if (std::strcmp(a, "--observer") == 0)
            where = argv[++i];
        else if (std::strcmp(a, "--at") == 0)
            at = argv[++i];
        else if (a[0] == '-' && a[1] != '\0')
            return cli_fail(s_cmd, "unknown option '%.40s'", a);
        else if (file)
            return cli_fail(s_cmd, "one FILE only, '%.40s' is a second", a);
        else
            file = a;
    }
    if (!file)
        return cli_fail(s_cmd, "FILE is missing");
    if (!where)
        return cli_fail(s_cmd, "--observer LAT,LON[,ALT_M] is missing");
    observer_t obs;
    char why[160];
    if (!cli_parseObserver(where, &obs, why, sizeof why))
        return cli_fail(s_cmd, "%s", why);
    libsgp4::DateTime t;
    if (at && !cli_parseInstant(at, &t))
        return cli_fail(s_cmd, "--at '%.40s' is not an instant YYYY-MM-DDTHH:MM:SS[.ffffff]Z", at);

    CObjects objs;
    std::vector<object_t*> list;
    const int rc = cli_loadList(s_cmd, file, objs, list);
    if (rc != CLI_OK)
        return rc;
    if (!at)
        t = obj_time(0);

    const libsgp4::Vector sun = sun_position(t);
    unsigned long long errors = 0;
    for (const object_t* o : list) {
        std::printf("%u\t%s\t", o->tle->CatalogNumber(), o->tle->Name().c_str());
        lookAngles_t la;
        bool sunlit = false;
        if (!obs_lookSat(obs, *o->sgp4, t, sun, &la, &sunlit)) {
            ++errors;
            std::printf("-\t-\t-\t-\t-\n");
            continue;
        }
        std::printf("%.4f\t%.4f\t%.3f\t%.5f\t%d\n", obs_azimuthDegrees(la.azimuth, 4),
                    la.elevation * s_deg, la.range, la.rangeRate, sunlit ? 1 : 0);
    }
    const double sunElevation = obs_look(obs, sun, libsgp4::Vector(), t).elevation;
    std::printf("objects=%zu errors=%llu sun_elevation=%.4f\n", list.size(), errors,
                sunElevation * s_deg);
    return CLI_OK;
}

static cliRegistrar s_reg(
    {"look",
     "  look FILE --observer LAT,LON[,ALT_M] [--at YYYY-MM-DDTHH:MM:SS[.ffffff]Z]\n"
     "      Prints every satellite's catalogue number, name, azimuth and\n"
     "      elevation (degrees), range (km), range rate (km/s, positive when\n"
     "      receding) and 1 if sunlit else 0, at the instant (default: now),\n"
     "      or '-' for the five figures where no position can be computed.\n"
     "      The observer stands at geodetic LAT, LON (degrees, north and east\n"
     "      positive), ALT_M metres (default 0) on the orbit code's WGS-72\n"
     "      ellipsoid. Positions turn Earth-fixed by the orbit code's sidereal\n"
     "      time (UTC as UT1, no polar motion); elevation is geometric (no\n"
     "      refraction) in the local east-north-up frame, up along the\n"
     "      ellipsoid normal; azimuth runs from north through east in\n"
     "      [0, 360); the range rate comes from the Earth-fixed velocity.\n"
     "      Sunlit: the segment to the Sun's centre (the almanac's\n"
     "      low-precision formulas) stays outside the sphere of the Earth's\n"
     "      equatorial radius. No position: the model fails, or gives a state\n"
     "      that is no orbit of its element set (unbound, or a semi-major\n"
     "      axis over 1.1 times the element set's). The last line counts\n"
     "      objects and errors and gives the Sun's elevation (degrees).",
     run});
