// The console commands over the catalogue: find, select and passes.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "console/cmdproc.h"
#include "console/console.h"
#include "datafile/manager_file.h"
#include "datafile/name_match.h"
#include "objects/objects.h"
#include "observer/observer.h"
#include "observer/pass_finder.h"
#include "settings/vars.h"
#include "sgp4/Tle.h"
#include "support/sk.h"

void (*g_conSelObj)(object_t* o) = nullptr;

namespace {

const char s_noMatch[] = "No satellite matches.";

// The words after the command, joined with one blank; empty when none.
std::string rest_of_line(const Args_t& args)
{
    std::string text;
    for (int i = 1; i < args.count; ++i) {
        if (i > 1)
            text += ' ';
        text += args.args[i].text;
    }
    return text;
}

// A satellite matches by its catalogue number, written as a data manager
// file writes one (decimal or Alpha-5, 0 when the text is none), or by its
// name with the data manager's name patterns.
struct matcher_t {
    std::string text;
    unsigned long catnum;

    explicit matcher_t(std::string t) : text(std::move(t)), catnum(ManagerFile::CatId(text.c_str())) {}
    bool operator()(object_t* o) const
    {
        return (catnum != 0 && obj_catnum(o) == catnum) || name_match(o->tle->Name(), text);
    }
};

std::string listing(object_t* o)
{
    return std::to_string(obj_catnum(o)) + "  " + o->tle->Name();
}

// An instant to the nearest second, "YYYY-MM-DD HH:MM:SS", or "HH:MM:SS"
// when its date is day (as YYYYMMDD).
std::string format_time(const libsgp4::DateTime& t, long* day, bool withDate)
{
    int y, mo, d, h, mi, s, us;
    libsgp4::DateTime((t.Ticks() + 500000) / 1000000 * 1000000).Decompose(y, mo, d, h, mi, s, us);
    const long date = (y * 100L + mo) * 100L + d;
    char buf[32];
    if (withDate || date != *day)
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", y, mo, d, h, mi, s);
    else
        std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", h, mi, s);
    *day = date;
    return buf;
}

}  // namespace

int do_find_cmd(Args_t& args, CConsole* console)
{
    if (args.count < 2) {
        console->AppendOutput("Usage: find TEXT");
        return 0;
    }
    const matcher_t match(rest_of_line(args));
    unsigned long long found = 0;
    for (object_t* o = g_objs.first; o; o = o->next) {
        if (!match(o))
            continue;
        if (++found <= CMD_FIND_MAX)
            console->AppendOutput(listing(o).c_str());
    }
    if (found == 0) {
        console->AppendOutput(s_noMatch);
    } else if (found > CMD_FIND_MAX) {
        const std::string more = std::to_string(found - CMD_FIND_MAX) + " more.";
        console->AppendOutput(more.c_str());
    }
    return 0;
}

int do_select_cmd(Args_t& args, CConsole* console)
{
    if (args.count < 2) {
        console->AppendOutput("Usage: select TEXT");
        return 0;
    }
    const matcher_t match(rest_of_line(args));
    for (object_t* o = g_objs.first; o; o = o->next) {
        // As with Tab and clicks, only a satellite with a position.
        if (!o->hasPos || !match(o))
            continue;
        if (g_conSelObj)
            g_conSelObj(o);
        console->AppendOutput(("Selected " + listing(o)).c_str());
        return 0;
    }
    console->AppendOutput(s_noMatch);
    return 0;
}

int do_passes_cmd(Args_t& args, CConsole* console)
{
    double hours = 24.0;
    if (args.count > 2 ||
        (args.count == 2 && (!sk_toreal(args.args[1].text, &hours) || !(hours > 0.0) ||
                             hours > CMD_PASSES_MAX_HOURS))) {
        console->AppendOutput("Usage: passes [HOURS], HOURS above 0 and at most 240 (default 24)");
        return 0;
    }
    const object_t* o = g_var.sel.obj;
    if (!o) {
        console->AppendOutput("No satellite selected.");
        return 0;
    }
    passWindow_t w{};
    w.observer = obs_make(g_var.obs.lat, g_var.obs.lon, g_var.obs.alt);
    w.start = obj_time(0);
    w.length = static_cast<int64_t>(std::llround(hours * 3600e6));
    w.minElevation = g_var.obs.minel * M_PI / 180.0;
    std::vector<pass_t> passes;
    if (!pass_findOne(*o->sgp4, w, passes)) {
        console->AppendOutput("No passes: the orbit model fails for this satellite within the hours.");
        return 0;
    }
    if (passes.empty())
        console->AppendOutput("No passes.");
    char line[160];
    for (const pass_t& p : passes) {
        long day = 0;
        const std::string aos = format_time(p.aos, &day, true);
        const std::string tca = format_time(p.tca, &day, false);
        const std::string los = format_time(p.los, &day, false);
        std::snprintf(line, sizeof line, "AOS %s az %3.0f  TCA %s el %2.0f  LOS %s az %3.0f%s",
                      aos.c_str(), obs_azimuthDegrees(p.aosAzimuth, 0), tca.c_str(),
                      std::round(p.tcaElevation * 180.0 / M_PI) + 0.0, los.c_str(),
                      obs_azimuthDegrees(p.losAzimuth, 0), (p.flags & PASS_VISIBLE) ? " visible" : "");
        console->AppendOutput(line);
    }
    return 0;
}
