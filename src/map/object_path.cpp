#include "map/object_path.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

#include "objects/objects.h"
#include "sgp4/CoordGeodetic.h"
#include "sgp4/DateTime.h"
#include "sgp4/PropagationFailure.h"
#include "settings/vars.h"

ObjectPath g_path;

namespace {

// Whole seconds of a time offset, kept inside the int range that obj_coord
// takes (a period from a zero mean motion is infinite).
int offset_seconds(double t)
{
    if (!(t < static_cast<double>(INT_MAX)))
        return INT_MAX;
    if (t < 0)
        return 0;
    return static_cast<int>(t);
}

// The track jumps between p and q when it crosses the map edge.
bool jumps(const point2f_t& p, const point2f_t& q)
{
    return std::fabs(static_cast<double>(q.x - p.x)) > 3.14 ||
           std::fabs(static_cast<double>(q.y - p.y)) > 3.14;
}

}  // namespace

bool ObjectPath::SetOrbits(uint64_t newOrbits, uint64_t newPointsPerOrbit)
{
    if (newOrbits)
        orbits = newOrbits;
    if (newPointsPerOrbit)
        pointsPerOrbit = newPointsPerOrbit;
    AllocPoints(pointsPerOrbit * orbits);
    // Every point may start a polyline: reserved now, the steps never allocate.
    ReservePolylines(m_pointCount);
    if (g_var.sel.obj) {
        InitPoints();
        InitPolylines();
    }
    return true;
}

void ObjectPath::Reset()
{
    object_t* o = g_var.sel.obj;
    if (!o)
        return;
    orbitInfo_t info;
    obj_orbitInfo(&info, o);
    step = pointsPerOrbit > 1 ? info.period / static_cast<double>(pointsPerOrbit - 1) : info.period;
    double ms = step * 1000;
    // A step that is not a finite, positive time never becomes due.
    if (ms >= 0 && ms < static_cast<double>(UINT32_MAX))
        stepInterval = static_cast<uint32_t>(ms);
    else
        stepInterval = UINT32_MAX;
    elapsed = 0;
    InitPoints();
    InitPolylines();
}

void ObjectPath::EnablePolylines(bool enable)
{
    lines = enable;
    InitPoints();
    InitPolylines();
}

bool ObjectPath::Tick(unsigned ms)
{
    if (!g_var.sel.obj)
        return false;
    uint64_t sum = static_cast<uint64_t>(elapsed) + ms;
    elapsed = sum > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(sum);
    return elapsed >= stepInterval;
}

void ObjectPath::Update()
{
    object_t* o = g_var.sel.obj;
    if (!o)
        return;
    elapsed = 0;
    if (m_pointCount == 0)
        return;
    for (uint64_t i = 1; i < m_pointCount; ++i)
        m_points[i - 1] = m_points[i];
    // A new end that cannot be computed is left off: the track shortens.
    if (!obj_coord(&m_points[m_pointCount - 1], o, offset_seconds(static_cast<double>(m_pointCount) * step)))
        --m_pointCount;
    InitPolylines();
}

void ObjectPath::InitPoints()
{
    object_t* o = g_var.sel.obj;
    if (!o)
        return;
    AllocPoints(orbits * pointsPerOrbit);
    // The track ends before the first instant the model cannot compute, so
    // every point kept is this satellite's at its own time; with none the
    // track is empty. The instants are whole seconds from one reading of the
    // clock, computed a chunk at a time in the vector lanes.
    constexpr uint64_t kChunk = 64;
    libsgp4::DateTime dts[kChunk];
    libsgp4::CoordGeodetic geo[kChunk];
    libsgp4::PropagationFailure failure[kChunk];
    const libsgp4::DateTime now = obj_time(0);
    double t = 0;
    uint64_t n = 0;
    while (n < m_pointCount) {
        const uint64_t m = std::min(kChunk, m_pointCount - n);
        for (uint64_t i = 0; i < m; ++i, t += step)
            dts[i] = now.AddMicroseconds(int64_t(offset_seconds(t)) * 1000000);
        obj_geodetic_at(o, dts, m, geo, failure);
        for (uint64_t i = 0; i < m; ++i, ++n) {
            if (failure[i] != libsgp4::PropagationFailure::None) {
                m_pointCount = n;
                return;
            }
            m_points[n].x = static_cast<float>(geo[i].longitude);
            m_points[n].y = static_cast<float>(geo[i].latitude);
        }
    }
}

uint64_t ObjectPath::CalcNumPolylines() const
{
    if (m_pointCount < 2)
        return 1;
    uint64_t n = 1;
    for (uint64_t i = 1; i < m_pointCount; ++i)
        if (jumps(m_points[i - 1], m_points[i]))
            ++n;
    return n;
}

void ObjectPath::InitPolylines()
{
    AllocPolylines(CalcNumPolylines());
    if (m_pointCount == 0) {
        m_polylines[0] = polyline2f_t{0, m_points};
        return;
    }
    uint64_t k = 0;
    m_polylines[0] = polyline2f_t{1, m_points};
    for (uint64_t i = 1; i < m_pointCount; ++i) {
        if (jumps(m_points[i - 1], m_points[i]))
            m_polylines[++k] = polyline2f_t{1, m_points + i};
        else
            ++m_polylines[k].count;
    }
}
