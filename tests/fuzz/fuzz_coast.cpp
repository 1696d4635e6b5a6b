// Coastline files of any content; the polylines read must lie end to end
// inside the point array, and every projection takes their points.
#include <vector>

#include "fuzz_util.h"
#include "map/polylines.h"
#include "map/projections.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string s_path = fuzz_scratch() + "/coast.dat";
    fuzz_write(s_path, data, size);
    CPolylines2f lines;
    if (lines.Load(s_path.c_str()) != 0)
        return 0;
    uint64_t next = 0;
    for (uint64_t i = 0; i < lines.PolylineCount(); ++i) {
        const polyline2f_t& l = lines.Polylines()[i];
        if (l.count < 2 || l.first != lines.Points() + next)
            __builtin_trap();
        next += l.count;
    }
    if (next != lines.PointCount())
        __builtin_trap();

    std::vector<point2f_t> out(lines.PointCount());
    for (int id = 0; id < 1000; ++id)
        if (mp_func_t project = map_projection_func(id))
            project(out.data(), lines.Points(), lines.PointCount());
    return 0;
}
