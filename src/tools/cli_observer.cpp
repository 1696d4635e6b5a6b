#include "tools/cli_observer.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "objects/objects.h"
#include "support/sk.h"
#include "tools/cli.h"
#include "tools/cli_objects.h"

static void vsay(const char* cmd, const char* fmt, va_list ap)
{
    char msg[512];
    std::vsnprintf(msg, sizeof msg, fmt, ap);
    // Whatever the user typed stays on the one line.
    for (char* c = msg; *c; ++c)
        if (static_cast<unsigned char>(*c) < 0x20 || *c == 0x7f)
            *c = '?';
    std::fprintf(stderr, "skytrace-cli %s: %s\n", cmd, msg);
}

int cli_fail(const char* cmd, const char* fmt, ...)
{
    va_list ap;
    va_start(ap, fmt);
    vsay(cmd, fmt, ap);
    va_end(ap);
    return CLI_USAGE;
}

static void say(const char* cmd, const char* fmt, ...)
{
    va_list ap;
    va_start(ap, fmt);
    vsay(cmd, fmt, ap);
    va_end(ap);
}

bool cli_parseObserver(const char* s, observer_t* out, char* why, size_t cap)
{
    static const char* const s_names[3] = {"latitude", "longitude", "height"};
    static const double s_lo[3] = {-90.0, -180.0, -500.0}, s_hi[3] = {90.0, 180.0, 10000.0};
    double v[3] = {0.0, 0.0, 0.0};
    int n = 0;
    for (const char* p = s;; ++n) {
        const char* comma = std::strchr(p, ',');
        const size_t len = comma ? size_t(comma - p) : std::strlen(p);
        if (n == 3) {
            std::snprintf(why, cap, "--observer takes LAT,LON[,ALT_M], not '%.40s'", s);
            return false;
        }
        char field[64] = "";
        if (len < sizeof field) {
            std::memcpy(field, p, len);
            field[len] = '\0';
        }
        if (len >= sizeof field || !sk_toreal(field, &v[n])) {
            std::snprintf(why, cap, "%s '%.*s' of --observer is not a number", s_names[n],
                          int(len < 40 ? len : 40), p);
            return false;
        }
        if (v[n] < s_lo[n] || v[n] > s_hi[n]) {
            std::snprintf(why, cap, "%s %g of --observer is outside [%g, %g]%s", s_names[n], v[n],
                          s_lo[n], s_hi[n], n == 2 ? " m" : " degrees");
            return false;
        }
        if (!comma)
            break;
        p = comma + 1;
    }
    if (n < 1) {
        std::snprintf(why, cap, "--observer takes LAT,LON[,ALT_M], not '%.40s'", s);
        return false;
    }
    *out = obs_make(v[0], v[1], v[2]);
    return true;
}

int cli_loadList(const char* cmd, const char* file, CObjects& objs,
                 std::vector<object_t*>& list)
{
    int result = 0;
    const int rc = cli_loadObjects(objs, file, &result);
    if (rc != CLI_OK) {
        say(cmd, "cannot read '%.400s'", file);
        return rc;
    }
    for (object_t* o = objs.first; o; o = o->next)
        list.push_back(o);
    return CLI_OK;
}
