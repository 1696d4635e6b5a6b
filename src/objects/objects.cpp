// Satellites and the catalogue list.
#include "objects/objects.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "datafile/manager_file.h"
#include "sgp4/Eci.h"
#include "sgp4/SGP4.h"
#include "sgp4/Tle.h"

CObjects g_objs;

// Microseconds from 0001-01-01 to 1970-01-01.
static const int64_t s_unixEpochTicks = 62135596800000000LL;
// Satellites computed together by the catalogue walks; their working arrays
// live on the stack.
static const size_t s_batch = 64;

int new_obj(object_t** out, const OrbitalElements_t& el)
{
    std::unique_ptr<libsgp4::Tle> tle(new libsgp4::Tle(el));
    std::unique_ptr<libsgp4::SGP4> sgp4(new libsgp4::SGP4(*tle));
    object_t* o = new object_t();
    o->tle = tle.release();
    o->sgp4 = sgp4.release();
    *out = o;
    return 0;
}

void obj_free(object_t* o)
{
    if (!o)
        return;
    delete o->sgp4;
    delete o->tle;
    delete o;
}

void obj_free_all(object_t* first)
{
    while (first) {
        object_t* next = first->next;
        obj_free(first);
        first = next;
    }
}

libsgp4::DateTime obj_time(int seconds)
{
    using namespace std::chrono;
    const int64_t us =
        duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
    const int64_t offset = seconds == 0 ? 0 : static_cast<int64_t>(seconds * 1000000.0);
    return libsgp4::DateTime(us + s_unixEpochTicks + offset);
}

bool obj_geodetic(libsgp4::CoordGeodetic* out, const object_t* obj, const libsgp4::DateTime& dt)
{
    // The non-throwing propagation: this runs for every satellite once a
    // second and must not allocate, also for those that fail.
    libsgp4::Eci eci(dt, libsgp4::Vector(), libsgp4::Vector());
    libsgp4::PropagationFailure failure;
    if (!obj->sgp4->TryFindPosition(dt, eci, failure))
        return false;
    *out = eci.ToGeodetic();
    return true;
}

void obj_geodetic_n(object_t* const* objs, const libsgp4::DateTime* dts, size_t n,
                    libsgp4::CoordGeodetic* out, bool* ok)
{
    libsgp4::Eci eci[s_batch];
    libsgp4::CoordGeodetic geo[s_batch];
    size_t slot[s_batch];
    for (size_t start = 0; start < n; start += s_batch) {
        const size_t end = std::min(n, start + s_batch);
        size_t m = 0;
        for (size_t i = start; i < end; ++i) {
            libsgp4::PropagationFailure failure;
            ok[i] = objs[i]->sgp4->TryFindPosition(dts[i], eci[m], failure);
            if (ok[i])
                slot[m++] = i;
        }
        libsgp4::Eci::ToGeodetic(eci, geo, m);
        for (size_t k = 0; k < m; ++k)
            out[slot[k]] = geo[k];
    }
}

void obj_geodetic_at(const object_t* obj, const libsgp4::DateTime* dts, size_t n,
                     libsgp4::CoordGeodetic* out, libsgp4::PropagationFailure* failure)
{
    libsgp4::SGP4Batch::GeodeticAt(*obj->sgp4, dts, n, out, failure);
}

namespace {

// The satellite's altitude belongs to its own entry: a point computed for
// another instant (a ground track) leaves it alone.
void store_position(point2f_t* pt, object_t* obj, const libsgp4::CoordGeodetic& geo)
{
    pt->x = static_cast<float>(geo.longitude);
    pt->y = static_cast<float>(geo.latitude);
    if (pt == obj->pos) {
        obj->altitude = geo.altitude;
        obj->hasPos = true;
    }
}

}  // namespace

bool obj_coord(point2f_t* pt, object_t* obj, int seconds)
{
    libsgp4::CoordGeodetic geo;
    if (!obj_geodetic(&geo, obj, obj_time(seconds)))
        return false;
    store_position(pt, obj, geo);
    return true;
}

char* obj_name(char* dst, object_t* o)
{
    const std::string& name = o->tle->Name();
    std::memcpy(dst, name.c_str(), name.size() + 1);
    return dst;
}

char* obj_name(char* dst, size_t cap, object_t* o)
{
    if (cap == 0)
        return dst;
    const std::string& name = o->tle->Name();
    const size_t n = name.size() < cap ? name.size() : cap - 1;
    std::memcpy(dst, name.data(), n);
    dst[n] = '\0';
    return dst;
}

uint32_t obj_catnum(object_t* o)
{
    return o->tle->CatalogNumber();
}

void obj_orbitInfo(orbitInfo_t* info, object_t* o)
{
    info->revsPerDay = o->tle->MeanMotion();
    info->orbitNumber = static_cast<double>(o->tle->RevNumber());
    info->period = 86400.0 / info->revsPerDay;
}

// Days:hours:minutes:seconds of a period in seconds. A period that is not a
// finite number of fewer than 1000 days has no such text.
static void format_period(char* dst, size_t cap, double p)
{
    if (!(p >= 0.0 && p < 1000.0 * 86400.0)) {
        std::snprintf(dst, cap, "---:--:--:--");
        return;
    }
    const int days = p >= 86400.0 ? static_cast<int>(p / 86400.0) : 0;
    double r = p - days * 86400.0;
    const int hours = r >= 3600.0 ? static_cast<int>(r / 3600.0) : 0;
    r -= hours * 3600.0;
    const int minutes = r >= 60.0 ? static_cast<int>(r / 60.0) : 0;
    const int seconds = static_cast<int>(r - minutes * 60.0);
    std::snprintf(dst, cap, "%03d:%02d:%02d:%02d", days, hours, minutes, seconds);
}

void obj_info(objectInfo_t* info, object_t* o)
{
    obj_name(info->name, sizeof info->name, o);
    info->catalogNumber = o->tle->CatalogNumber();
    orbitInfo_t orbit;
    obj_orbitInfo(&orbit, o);
    info->revsPerDay = orbit.revsPerDay;
    info->orbitNumber = orbit.orbitNumber;
    info->period = orbit.period;
    format_period(info->periodText, sizeof info->periodText, info->period);
}

object_t* obj_find(unsigned catnum, object_t* first)
{
    for (object_t* o = first; o; o = o->next)
        if (o->tle->CatalogNumber() == catnum)
            return o;
    return nullptr;
}

CObjects::~CObjects()
{
    Free();
}

int CObjects::Load(const char* path)
{
    ManagerFile mgr;
    const int result = mgr.Load(*this, path);
    InitPositions();
    return result;
}

void CObjects::InitPositions()
{
    delete[] positions;
    positions = nullptr;
    FreeBatch();
    if (count == 0)
        return;
    // Zeroed, so that a satellite whose first computation fails holds a
    // defined point; it stays undrawn (hasPos false) until one succeeds.
    positions = new point2f_t[count]();
    uint64_t i = 0;
    std::vector<const libsgp4::SGP4*> sats;
    for (object_t* o = first; o; o = o->next, ++i) {
        o->pos = &positions[i];
        o->hasPos = false;
        m_batchObjs.push_back(o);
        sats.push_back(o->sgp4);
    }
    m_batch.Assign(sats.data(), sats.size());
    m_geo.resize(sats.size());
    m_failure.resize(sats.size());
    Update();
}

// Every satellite with a position entry at one reading of the clock, as
// obj_coord(o->pos, o, 0) computes it (to within the lanes' rounding).
// Satellite k of the batch owns positions[k] (InitPositions assigns them in
// list order), so only the altitude and the drawn flag touch the objects,
// which lie scattered in memory: they are fetched a few ahead.
void CObjects::Update()
{
    const size_t n = m_batchObjs.size();
    if (n == 0)
        return;
    m_batch.Geodetic(obj_time(0), m_geo.data(), m_failure.data());
    constexpr size_t kAhead = 8;
    for (size_t k = 0; k < n; ++k) {
        if (k + kAhead < n)
            __builtin_prefetch(m_batchObjs[k + kAhead], 1);
        if (m_failure[k] == libsgp4::PropagationFailure::None)
            store_position(&positions[k], m_batchObjs[k], m_geo[k]);
    }
}

void CObjects::FreeBatch()
{
    m_batch.Clear();
    m_batchObjs = {};
    m_geo = {};
    m_failure = {};
}

void CObjects::Free()
{
    FreeBatch();
    if (first) {
        obj_free_all(first);
        first = nullptr;
        m_last = nullptr;
        count = 0;
    }
    if (positions) {
        delete[] positions;
        positions = nullptr;
    }
}

object_t* CObjects::Next(object_t* o)
{
    return o && o->next ? o->next : first;
}

object_t* CObjects::Prior(object_t* o)
{
    if (!first)
        return nullptr;
    object_t* p = first;
    if (o == first) {
        while (p->next)
            p = p->next;
        return p;
    }
    while (p && p->next != o)
        p = p->next;
    return p;
}

void CObjects::Add(object_t* o)
{
    o->next = nullptr;
    if (!first) {
        first = o;
    } else {
        if (!m_last || m_last->next) {
            m_last = first;
            while (m_last->next)
                m_last = m_last->next;
        }
        m_last->next = o;
    }
    m_last = o;
    ++count;
}
