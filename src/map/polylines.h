// CPolylines: one owned point array cut into consecutive polylines. Used for
// the grid, the coastlines and the orbit path at every pipeline level.
#pragma once
#include <algorithm>
#include <cstdint>

#include "support/types.h"

template <typename P, typename L>
class CPolylines {
public:
    CPolylines() = default;
    CPolylines(const CPolylines&) = delete;
    CPolylines& operator=(const CPolylines&) = delete;
    ~CPolylines() { Free(); }

    bool Alloc(uint64_t points, uint64_t polylines)
    {
        if (AllocPoints(points) && AllocPolylines(polylines))
            return true;
        Free();
        return false;
    }

    // Capacities only grow: a smaller request keeps the array and its
    // contents and only changes the count. New arrays start zeroed.
    bool AllocPoints(uint64_t n) { return Grow(m_points, m_pointsCap, m_pointCount, n); }
    bool AllocPolylines(uint64_t n) { return Grow(m_polylines, m_polylinesCap, m_polylineCount, n); }

    // Grows the polyline capacity to at least n, keeping count and contents,
    // so that later counts up to n need no allocation.
    void ReservePolylines(uint64_t n)
    {
        if (m_polylinesCap >= n)
            return;
        L* grown = new L[n]();
        std::copy_n(m_polylines, m_polylineCount, grown);
        delete[] m_polylines;
        m_polylines = grown;
        m_polylinesCap = n;
    }

    void Free()
    {
        delete[] m_points;
        delete[] m_polylines;
        m_pointsCap = m_pointCount = 0;
        m_polylinesCap = m_polylineCount = 0;
        m_points = nullptr;
        m_polylines = nullptr;
    }

    // Copies points and polylines into this container's own arrays; the
    // polylines are re-pointed end to end into the copied points.
    bool Copy(const CPolylines& src)
    {
        if (m_pointCount != src.m_pointCount)
            AllocPoints(src.m_pointCount);
        std::copy_n(src.m_points, src.m_pointCount, m_points);
        if (m_polylineCount != src.m_polylineCount)
            AllocPolylines(src.m_polylineCount);
        uint64_t start = 0;
        for (uint64_t i = 0; i < src.m_polylineCount; ++i) {
            m_polylines[i].count = src.m_polylines[i].count;
            m_polylines[i].first = m_points + start;
            start += src.m_polylines[i].count;
        }
        if (m_pointCount == src.m_pointCount && m_polylineCount == src.m_polylineCount)
            return true;
        Free();
        return false;
    }

    // Reads a coastline file (float points only): 0 on success, 1 when the
    // file cannot be opened or holds no polyline.
    int Load(const char* fileName);

    uint64_t PointsCapacity() const { return m_pointsCap; }
    uint64_t PointCount() const { return m_pointCount; }
    P* Points() const { return m_points; }
    uint64_t PolylinesCapacity() const { return m_polylinesCap; }
    uint64_t PolylineCount() const { return m_polylineCount; }
    L* Polylines() const { return m_polylines; }
    bool IsEmpty() const { return m_points == nullptr && m_polylines == nullptr; }

protected:
    uint64_t m_pointsCap = 0;
    uint64_t m_pointCount = 0;
    P* m_points = nullptr;
    uint64_t m_polylinesCap = 0;
    uint64_t m_polylineCount = 0;
    L* m_polylines = nullptr;

private:
    // One array's growth: a new zeroed array only when the capacity is too
    // small (the old contents are dropped then); the count becomes n.
    template <typename T>
    static bool Grow(T*& array, uint64_t& cap, uint64_t& count, uint64_t n)
    {
        if (cap < n) {
            delete[] array;
            array = nullptr;
            cap = 0;
            count = 0;
            array = new T[n]();
            cap = n;
        }
        count = n;
        return true;
    }
};

using CPolylines2f = CPolylines<point2f_t, polyline2f_t>;
using CPolylines2i = CPolylines<point2i_t, polyline2i_t>;

template <>
int CPolylines<point2f_t, polyline2f_t>::Load(const char* fileName);
