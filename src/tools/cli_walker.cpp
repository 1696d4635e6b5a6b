// skytrace-cli walker: a Walker-delta constellation as a three-line element
// file on stdout, for demonstrations and tests without real element sets.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "objects/walker.h"
#include "sgp4/Constants.h"
#include "sgp4/DateTime.h"
#include "tools/cli.h"
#include "tools/cli_instant.h"

namespace {

constexpr long kMaxSatellites = 100000;
constexpr long kMaxCatalogNumber = 339999;  // Z9999 in Alpha-5
constexpr size_t kNameMax = 24;             // the classic title-line width
constexpr double kMinPerigeeKm = 100.0;
constexpr double kMaxAltitudeKm = 400000.0;

struct walker_t {
    long planes = 0, perPlane = 0, phasing = -1;
    double inclination = NAN, altitude = NAN, eccentricity = 0.0;
    long firstNumber = 90001;
    const char* prefix = "DEMO";
    libsgp4::DateTime epoch;
};

bool parse_long(const char* s, long lo, long hi, long* out)
{
    char* e = nullptr;
    const long v = std::strtol(s, &e, 10);
    if (e == s || *e != '\0' || v < lo || v > hi)
        return false;
    *out = v;
    return true;
}

bool parse_double(const char* s, double lo, double hi, double* out)
{
    char* e = nullptr;
    const double v = std::strtod(s, &e);
    if (e == s || *e != '\0' || !std::isfinite(v) || v < lo || v > hi)
        return false;
    *out = v;
    return true;
}

// A name prefix is printable ASCII without leading or trailing blanks, so
// the title line reads back as written.
bool valid_prefix(const char* s)
{
    const size_t n = std::strlen(s);
    if (n == 0 || s[0] == ' ' || s[n - 1] == ' ')
        return false;
    for (size_t i = 0; i < n; ++i)
        if (s[i] < 0x20 || s[i] > 0x7E)
            return false;
    return true;
}

// Catalogue number in the five columns of the element lines: decimal up to
// 99999, above that a letter for the ten-thousands (I and O are skipped).
std::string catalog_text(long n)
{
    static const char s_letters[] = "ABCDEFGHJKLMNPQRSTUVWXYZ";
    char buf[24];
    if (n <= 99999)
        std::snprintf(buf, sizeof buf, "%05ld", n);
    else
        std::snprintf(buf, sizeof buf, "%c%04ld", s_letters[n / 10000 - 10], n % 10000);
    return buf;
}

// Element-line checksum: the digits plus one for every '-', modulo 10.
char checksum(const std::string& line)
{
    int sum = 0;
    for (char c : line) {
        if (c >= '0' && c <= '9')
            sum += c - '0';
        else if (c == '-')
            sum += 1;
    }
    return char('0' + sum % 10);
}

// An angle in degrees as printed with four decimals, inside [0, 360).
double angle4(double deg)
{
    double v = std::round(std::fmod(deg, 360.0) * 1e4) / 1e4;
    if (v >= 360.0)
        v -= 360.0;
    return v;
}

int parse_args(int argc, char** argv, walker_t* w)
{
    bool haveEpoch = false;
    for (int i = 1; i < argc; ++i) {
        if (i + 1 >= argc)
            return CLI_USAGE;
        const char* opt = argv[i];
        const char* v = argv[++i];
        bool ok = false;
        if (std::strcmp(opt, "--planes") == 0)
            ok = parse_long(v, 1, kMaxSatellites, &w->planes);
        else if (std::strcmp(opt, "--per-plane") == 0)
            ok = parse_long(v, 1, kMaxSatellites, &w->perPlane);
        else if (std::strcmp(opt, "--phasing") == 0)
            ok = parse_long(v, 0, kMaxSatellites, &w->phasing);
        else if (std::strcmp(opt, "--inclination") == 0)
            ok = parse_double(v, 0.0, 180.0, &w->inclination);
        else if (std::strcmp(opt, "--altitude") == 0)
            ok = parse_double(v, 0.0, kMaxAltitudeKm, &w->altitude);
        else if (std::strcmp(opt, "--eccentricity") == 0)
            ok = parse_double(v, 0.0, 0.9, &w->eccentricity);
        else if (std::strcmp(opt, "--first-number") == 0)
            ok = parse_long(v, 1, kMaxCatalogNumber, &w->firstNumber);
        else if (std::strcmp(opt, "--name") == 0)
            ok = valid_prefix(w->prefix = v);
        else if (std::strcmp(opt, "--epoch") == 0)
            ok = haveEpoch = cli_parseInstant(v, &w->epoch);
        if (!ok)
            return CLI_USAGE;
    }
    if (w->planes == 0 || w->perPlane == 0 || w->phasing < 0 || std::isnan(w->inclination) ||
        std::isnan(w->altitude) || w->phasing >= w->planes)
        return CLI_USAGE;
    const long count = w->planes * w->perPlane;  // both at most 1e5: no overflow
    if (count > kMaxSatellites || w->firstNumber + count - 1 > kMaxCatalogNumber)
        return CLI_USAGE;
    const double re = libsgp4::kXKMPER;
    if ((re + w->altitude) * (1.0 - w->eccentricity) - re < kMinPerigeeKm)
        return CLI_USAGE;
    const int digits = std::snprintf(nullptr, 0, "%04ld", count);
    if (std::strlen(w->prefix) + 1 + size_t(digits) > kNameMax)
        return CLI_USAGE;
    if (!haveEpoch)
        w->epoch = libsgp4::DateTime::Now();
    int y, mo, d, h, mi, s, us;
    w->epoch.Decompose(y, mo, d, h, mi, s, us);
    // Two-digit epoch years stand for 1957 to 2056.
    if (y < 1957 || y > 2056)
        return CLI_USAGE;
    return CLI_OK;
}

int run(int argc, char** argv)
{
    walker_t w;
    if (parse_args(argc, argv, &w) != CLI_OK)
        return cli_usage(argv[0]);

    int y, mo, d, h, mi, s, us;
    w.epoch.Decompose(y, mo, d, h, mi, s, us);
    const double day = libsgp4::DateTime::DayOfYear(y, mo, d) +
                       ((h * 60.0 + mi) * 60.0 + s + us * 1e-6) / 86400.0;
    const double n = walker_mean_motion(w.altitude);
    walkerShell_t shell;
    shell.planes = int(w.planes);
    shell.perPlane = int(w.perPlane);
    shell.phasing = int(w.phasing);

    const long count = w.planes * w.perPlane;
    const int digits = std::snprintf(nullptr, 0, "%04ld", count);
    char buf[96];
    for (long p = 0; p < w.planes; ++p) {
        for (long k = 0; k < w.perPlane; ++k) {
            const long index = p * w.perPlane + k;
            double raan = 0.0, ma = 0.0;
            walker_angles(shell, p, k, &raan, &ma);
            raan = angle4(raan);
            ma = angle4(ma);
            const std::string cat = catalog_text(w.firstNumber + index);
            std::snprintf(buf, sizeof buf,
                          "1 %sU %-8s %02d%012.8f  .00000000  00000-0  00000-0 0  999", cat.c_str(),
                          "", y % 100, day);
            std::string l1 = buf;
            l1 += checksum(l1);
            std::snprintf(buf, sizeof buf, "2 %s %8.4f %8.4f %07ld %8.4f %8.4f %11.8f%5d", cat.c_str(),
                          w.inclination, raan, std::lround(w.eccentricity * 1e7), 0.0, ma, n, 0);
            std::string l2 = buf;
            l2 += checksum(l2);
            std::printf("%s-%0*ld\n%s\n%s\n", w.prefix, digits, index + 1, l1.c_str(), l2.c_str());
        }
    }
    return CLI_OK;
}

cliRegistrar s_reg(
    {"walker",
     "  walker --planes P --per-plane S --phasing F --inclination DEG --altitude KM\n"
     "         [--eccentricity E] [--first-number N] [--name PREFIX] [--epoch ISO]\n"
     "      Writes a Walker-delta constellation DEG:P*S/P/F as a three-line\n"
     "      element file to stdout: plane p has its node at 360*p/P degrees,\n"
     "      satellite k of it the mean anomaly 360*k/S + 360*F*p/(P*S). The mean\n"
     "      motion is that of a semi-major axis of the equatorial radius plus KM\n"
     "      (Kepler's third law). Catalogue numbers count up from N (default 90001,\n"
     "      Alpha-5 above 99999, at most 339999); names are PREFIX-0001 and up\n"
     "      (default DEMO, at most 24 characters in all); the epoch is ISO\n"
     "      (YYYY-MM-DDTHH:MM:SSZ, 1957 to 2056; default now). Perigee at least\n"
     "      100 km, eccentricity at most 0.9, F below P.",
     run});

}  // namespace
