#include "bench_env.h"

#include <cstdio>
#include <cstdlib>
#include <new>
#include <vector>

#include "app/data.h"
#include "objects/objects.h"
#include "objects/walker.h"
#include "settings/vars.h"
#include "support/fsys.h"

namespace {
long s_allocations = 0;
}  // namespace

// Kept out of line: inlined, the compiler pairs the malloc with delete
// sites and warns about a mismatch that is not one.
[[gnu::noinline]] void* operator new(std::size_t n)
{
    ++s_allocations;
    if (void* p = std::malloc(n ? n : 1))
        return p;
    throw std::bad_alloc();
}

[[gnu::noinline]] void operator delete(void* p) noexcept
{
    std::free(p);
}

[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

long bench_allocations()
{
    return s_allocations;
}

const std::string& bench_snapshot_manager()
{
    static const std::string s_path = [] {
        static const char* const groups[] = {"stations", "starlink", "oneweb", "geo",
                                             "weather",  "resource", "science", "military"};
        const std::string base = std::string(SKYTRACE_SHARED_DATA) + "/elements-2026-05-30/";
        if (fsys_type(base.c_str()) != 2)
            return std::string();
        const std::string path = "/tmp/skytrace-bench-datamgr.txt";
        FILE* f = std::fopen(path.c_str(), "w");
        if (!f)
            return std::string();
        for (const char* g : groups)
            std::fprintf(f, "%s%s.tle\n", base.c_str(), g);
        std::fclose(f);
        return path;
    }();
    return s_path;
}

void bench_synthetic_elements(int n, std::vector<OrbitalElements_t>& out)
{
    // Shells like today's large constellations, repeated 10 km higher each
    // round until n satellites exist; about 2 % sit on the geostationary ring
    // so the deep-space model is exercised too.
    static const walkerShell_t shells[] = {
        {72, 22, 17, 53.0, 550.0, 0.0001}, {36, 20, 5, 70.0, 570.0, 0.0001},
        {6, 58, 1, 97.6, 560.0, 0.0001},   {18, 36, 1, 87.9, 1200.0, 0.0002},
        {6, 4, 1, 55.0, 20180.0, 0.005},   {1, 60, 0, 0.05, 35786.0, 0.0002},
    };
    static const int epoch[6] = {2026, 12, 6, 0, 0, 0};
    std::vector<OrbitalElements_t> shell;
    for (int round = 0; static_cast<int>(out.size()) < n; ++round) {
        for (walkerShell_t s : shells) {
            s.altitude += 10.0 * round;
            shell.clear();
            walker_shell(shell, s, static_cast<uint32_t>(10000 + out.size()), "BENCH", epoch);
            for (const OrbitalElements_t& el : shell)
                if (static_cast<int>(out.size()) < n)
                    out.push_back(el);
        }
    }
}

namespace {

int s_current = -1;

void set_up_views()
{
    g_var.plot.projection = MP_WINKEL_TRIPEL;
    update_projection();
    g_var.path.orbits = 8;
    g_var.path.show = 2;
    init_data(0xF000 | DATA_LAT_LINES | DATA_LON_LINES | DATA_COASTLINES | DATA_PATH);
    set_screen_rect(SDL_Rect{0, 0, 1280, 720});
    g_var.sel.obj = g_objs.first;
    g_var.sel.catnum = 0;
    g_path.Reset();
    update_data(0x10FF);
}

}  // namespace

std::string bench_use_catalog(int n, std::string* why)
{
    static std::string s_label;
    if (n == s_current)
        return s_label;
    free_data(0xF0FF);
    var_reset();
    std::snprintf(g_var.lines.data, TEXT_CAP, "%s/data/world.dat", SKYTRACE_SOURCE_DIR);
    g_var.obj.data[0] = '\0';
    s_current = -1;
    if (n == 12000) {
        const std::string& mgr = bench_snapshot_manager();
        if (mgr.empty()) {
            *why = "shared element snapshot absent (../shared/data)";
            return std::string();
        }
        std::snprintf(g_var.obj.data, TEXT_CAP, "%s", mgr.c_str());
        init_data(0xF000 | DATA_OBJECTS);
        s_label = "snapshot";
    } else {
        std::vector<OrbitalElements_t> els;
        bench_synthetic_elements(n, els);
        for (const OrbitalElements_t& el : els) {
            object_t* o = nullptr;
            if (new_obj(&o, el) == 0)
                g_objs.Add(o);
        }
        g_objs.InitPositions();
        init_data(0x6000 | DATA_OBJECTS);
        s_label = "synthetic";
    }
    if (!g_objs.first) {
        *why = "no satellites loaded";
        return std::string();
    }
    set_up_views();
    s_current = n;
    s_label += " " + std::to_string(g_objs.count);
    return s_label;
}
