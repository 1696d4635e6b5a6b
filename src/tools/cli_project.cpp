// skytrace-cli project: runs points through one map projection the way the
// pipeline does and prints the projected world's extent.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/data.h"
#include "settings/vars.h"
#include "tools/cli.h"

namespace {

bool parse_number(const char* s, double* out)
{
    char* end;
    *out = std::strtod(s, &end);
    return end != s && *end == '\0' && std::isfinite(*out);
}

bool parse_id(const char* s, int* out)
{
    char* end;
    long v = std::strtol(s, &end, 10);
    if (end == s || *end != '\0' || v < -2147483647L - 1 || v > 2147483647L)
        return false;
    *out = static_cast<int>(v);
    return true;
}

int run(int argc, char** argv)
{
    int id;
    if (argc < 4 || (argc - 2) % 2 != 0 || !parse_id(argv[1], &id))
        return cli_usage("project");
    mp_func_t f = map_projection_func(id);
    if (!f) {
        std::fprintf(stderr, "skytrace-cli project: unknown projection %s\n", argv[1]);
        return cli_usage("project");
    }
    std::vector<point2f_t> in;
    for (int i = 2; i < argc; i += 2) {
        double lon, lat;
        if (!parse_number(argv[i], &lon) || !parse_number(argv[i + 1], &lat))
            return cli_usage("project");
        in.push_back(point2f_t{static_cast<float>(lon * M_PI / 180.0),
                               static_cast<float>(lat * M_PI / 180.0)});
    }
    std::vector<point2f_t> out(in.size());
    f(out.data(), in.data(), in.size());
    for (const point2f_t& p : out)
        std::printf("%.6f %.6f\n", p.x, p.y);
    g_var.plot.projection = id;
    update_projection();
    std::printf("extent %.6f %.6f\n", g_boundsMP[2], g_boundsMP[3]);
    return CLI_OK;
}

cliRegistrar s_reg({"project",
                    "  project ID LON LAT [LON LAT ...]\n"
                    "      Projects points given in degrees with the map projection ID\n"
                    "      (100 Equirectangular ... 704 Sinusoidal) and prints 'x y' for each,\n"
                    "      then 'extent X Y', the half width and half height of the world.",
                    run});

}  // namespace
