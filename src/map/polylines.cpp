#include "map/polylines.h"

#include <cmath>
#include <cstdio>

#include "support/cfile.h"
#include "support/str.h"

namespace {

constexpr size_t LINE_CAP = 300;  // at most 299 characters of a line are kept

// One line of a coastline file: true with the point (radians) when the line
// holds two numbers; anything else ends the current polyline.
bool parse_point(char* line, point2f_t* pt)
{
    const char* s = str_trimLeft(line);
    if (*s == '#')
        return false;
    float lon, lat;
    if (std::sscanf(s, "%f %f", &lon, &lat) != 2)
        return false;
    pt->x = static_cast<float>(static_cast<double>(lon) * M_PI / 180.0);
    pt->y = static_cast<float>(static_cast<double>(lat) * M_PI / 180.0);
    return true;
}

// Counts the points and polylines that the file's rules keep.
void count_file(const char* fileName, uint64_t* points, uint64_t* polylines)
{
    *points = *polylines = 0;
    CFile f;
    if (!f.Open(fileName, "r"))
        return;
    char line[LINE_CAP];
    point2f_t pt;
    uint64_t run = 0;
    auto end_run = [&] {
        if (run >= 2) {
            *points += run;
            ++*polylines;
        }
        run = 0;
    };
    while (!f.IsEof()) {
        f.ReadLine(line, LINE_CAP);
        if (parse_point(line, &pt))
            ++run;
        else
            end_run();
    }
    end_run();
}

}  // namespace

template <>
int CPolylines<point2f_t, polyline2f_t>::Load(const char* fileName)
{
    Free();
    uint64_t nPoints, nPolylines;
    count_file(fileName, &nPoints, &nPolylines);
    if (nPoints == 0 || nPolylines == 0)
        return 1;
    CFile f;
    if (!f.Open(fileName, "r"))
        return 1;
    Alloc(nPoints, nPolylines);

    // The storing pass never writes beyond what the counting pass found, so
    // a file that grew in between cannot overrun the arrays; one that shrank
    // leaves the counts at what was actually stored.
    uint64_t stored = 0, kept = 0, run = 0;
    auto end_run = [&] {
        if (run >= 2) {
            m_polylines[kept].count = run;
            m_polylines[kept].first = m_points + stored - run;
            ++kept;
        } else {
            stored -= run;
        }
        run = 0;
    };
    char line[LINE_CAP];
    point2f_t pt;
    while (!f.IsEof()) {
        f.ReadLine(line, LINE_CAP);
        if (!parse_point(line, &pt)) {
            end_run();
            continue;
        }
        if (stored == nPoints || (run == 0 && kept == nPolylines))
            break;
        m_points[stored++] = pt;
        ++run;
    }
    end_run();
    m_pointCount = stored;
    m_polylineCount = kept;
    if (kept > 0)
        return 0;
    Free();
    return 1;
}
