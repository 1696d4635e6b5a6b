// skytrace-cli passes FILE --observer LAT,LON[,ALT_M]: every pass of every
// satellite over the observer in a window.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "objects/objects.h"
#include "observer/pass_finder.h"
#include "sgp4/Tle.h"
#include "tools/cli.h"
#include "tools/cli_instant.h"
#include "support/sk.h"
#include "tools/cli_observer.h"

static const char s_cmd[] = "passes";
static const double s_deg = 180.0 / 3.14159265358979323846;
// The window's end must stay a valid calendar instant (the year 9999).
static const int64_t s_lastTick = libsgp4::DateTime(9999, 12, 31, 23, 59, 59, 999999).Ticks();

static int run(int argc, char** argv)
{
    const char* file = nullptr;
    const char* where = nullptr;
    const char* from = nullptr;
    double hours = 24.0, minElevation = 10.0;
    bool visibleOnly = false;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        const bool option = std::strcmp(a, "--observer") == 0 || std::strcmp(a, "--from") == 0 ||
                            std::strcmp(a, "--hours") == 0 ||
                            std::strcmp(a, "--min-elevation") == 0;
        if (option && i + 1 >= argc)
            return cli_fail(s_cmd, "%s needs a value", a);
        if (std::strcmp(a, "--observer") == 0) {
            where = argv[++i];
        } else if (std::strcmp(a, "--from") == 0) {
            from = argv[++i];
        } else if (std::strcmp(a, "--hours") == 0) {
            const char* v = argv[++i];
            if (!sk_toreal(v, &hours) || !(hours > 0.0 && hours <= 744.0))
                return cli_fail(s_cmd, "--hours '%.40s' is not a number in (0, 744]", v);
        } else if (std::strcmp(a, "--min-elevation") == 0) {
            const char* v = argv[++i];
            if (!sk_toreal(v, &minElevation) || minElevation < -5.0 || minElevation > 90.0)
                return cli_fail(s_cmd, "--min-elevation '%.40s' is not a number in [-5, 90]", v);
        } else if (std::strcmp(a, "--visible") == 0) {
            visibleOnly = true;
        } else if (a[0] == '-' && a[1] != '\0') {
            return cli_fail(s_cmd, "unknown option '%.40s'", a);
        } else if (file) {
            return cli_fail(s_cmd, "one FILE only, '%.40s' is a second", a);
        } else {
            file = a;
        }
    }
    if (!file)
        return cli_fail(s_cmd, "FILE is missing");
    if (!where)
        return cli_fail(s_cmd, "--observer LAT,LON[,ALT_M] is missing");
    passWindow_t w{};
    char why[160];
    if (!cli_parseObserver(where, &w.observer, why, sizeof why))
        return cli_fail(s_cmd, "%s", why);
    if (from && !cli_parseInstant(from, &w.start))
        return cli_fail(s_cmd, "--from '%.40s' is not an instant YYYY-MM-DDTHH:MM:SS[.ffffff]Z",
                        from);
    w.length = static_cast<int64_t>(std::llround(hours * 3600e6));
    w.minElevation = minElevation / s_deg;
    if (from && w.start.Ticks() > s_lastTick - w.length)
        return cli_fail(s_cmd, "the window ends after the year 9999");

    CObjects objs;
    std::vector<object_t*> list;
    const int rc = cli_loadList(s_cmd, file, objs, list);
    if (rc != CLI_OK)
        return rc;
    if (!from)
        w.start = obj_time(0);

    const auto t0 = std::chrono::steady_clock::now();
    std::vector<pass_t> passes;
    passStats_t stats{};
    pass_findAll(list.data(), list.size(), w, passes, &stats);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();

    unsigned long long shown = 0;
    char aos[32], tca[32], los[32];
    for (const pass_t& p : passes) {
        if (visibleOnly && !(p.flags & PASS_VISIBLE))
            continue;
        ++shown;
        char flags[4] = {0, 0, 0, 0};
        int k = 0;
        if (p.flags & PASS_STARTED)
            flags[k++] = '<';
        if (p.flags & PASS_ENDS)
            flags[k++] = '>';
        if (p.flags & PASS_VISIBLE)
            flags[k++] = 'V';
        std::printf("%u\t%s\t%s\t%.2f\t%s\t%.2f\t%.2f\t%s\t%.2f\t%s\n",
                    p.obj->tle->CatalogNumber(), p.obj->tle->Name().c_str(),
                    cli_formatMillis(p.aos, aos, sizeof aos), obs_azimuthDegrees(p.aosAzimuth, 2),
                    cli_formatMillis(p.tca, tca, sizeof tca), p.tcaElevation * s_deg,
                    obs_azimuthDegrees(p.tcaAzimuth, 2), cli_formatMillis(p.los, los, sizeof los),
                    obs_azimuthDegrees(p.losAzimuth, 2), k ? flags : "-");
    }
    std::printf("passes=%llu satellites=%llu errors=%llu ms=%.1f\n", shown,
                static_cast<unsigned long long>(stats.satellites),
                static_cast<unsigned long long>(stats.errors), ms);
    return CLI_OK;
}

static cliRegistrar s_reg(
    {"passes",
     "  passes FILE --observer LAT,LON[,ALT_M] [--from YYYY-MM-DDTHH:MM:SS[.ffffff]Z]\n"
     "         [--hours H] [--min-elevation DEG] [--visible]\n"
     "      Prints every pass of every satellite of FILE over the observer (as\n"
     "      for look) in the H hours (default 24, at most 744) from the instant\n"
     "      (default: now). A pass is a maximal interval in which the elevation\n"
     "      is at least DEG (default 10, from -5 to 90): AOS and LOS its ends,\n"
     "      TCA the instant of its greatest elevation. One line per pass, by AOS\n"
     "      then catalogue number: number, name, AOS, its azimuth, TCA, the\n"
     "      greatest elevation, its azimuth, LOS, its azimuth, flags. Times are\n"
     "      UTC to the millisecond (rounded), angles degrees. Flags: '<' under\n"
     "      way at the start (AOS is the start), '>' still under way at the end\n"
     "      (LOS is the end), 'V' visible: sunlit at some instant while the\n"
     "      Sun's centre is below -6 degrees; '-' none. --visible lists only V\n"
     "      passes. The last line counts the passes listed, the satellites and\n"
     "      the errors (satellites whose propagation failed at an instant the\n"
     "      search evaluated; none of their passes is listed) and gives the\n"
     "      search time in ms. Against a brute-force reference (every second,\n"
     "      bisected to 1 ms) AOS and LOS agree to about a millisecond and no\n"
     "      pass is missed; a day of the 12,000-satellite snapshot takes well\n"
     "      under a second (the README gives the figures and how to measure).",
     run});
