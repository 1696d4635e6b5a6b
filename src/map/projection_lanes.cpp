// The projections built on sines, cosines and arc cosines, evaluated in SIMD
// lanes for the whole catalogue. This file is compiled once per instruction
// set (the vector library re-includes it for each); the dispatch picks the
// best one the processor runs. Every lane takes the steps of the scalar
// projection in double and rounds to float where it does, so that the float
// results agree with it (the vector functions differ from the scalar ones by
// a few units in the last place of a double, far below a float's).
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "map/projection_lanes.cpp"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>
#include <hwy/contrib/math/math-inl.h>

#include <cmath>

#include "map/projections.h"

HWY_BEFORE_NAMESPACE();
namespace mp_lanes {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

using D = hn::ScalableTag<double>;
using V = hn::Vec<D>;
using DF = hn::Rebind<float, D>;

constexpr double PI_2 = 1.5707963267948966;
constexpr double TWO_OVER_PI = 0.6366197723675815;
// Lanes take only points on the globe (a little beyond, for rounding); a block
// with any other point, NaN included, is projected by the scalar function.
constexpr double kMaxLambda = 3.2;
constexpr double kMaxPhi = 1.5707963;
constexpr size_t kMaxLanes = HWY_MAX_BYTES / sizeof(double);

// The block of points from in: longitudes and latitudes as doubles; false
// when one lies off the globe.
HWY_INLINE bool LoadBlock(D d, const point2f_t* in, V& lambda, V& phi)
{
    HWY_ALIGN double l[kMaxLanes];
    HWY_ALIGN double p[kMaxLanes];
    bool ok = true;
    for (size_t j = 0; j < hn::Lanes(d); ++j) {
        l[j] = static_cast<double>(in[j].x);
        p[j] = static_cast<double>(in[j].y);
        ok &= std::fabs(l[j]) <= kMaxLambda && std::fabs(p[j]) <= kMaxPhi;
    }
    lambda = hn::Load(d, l);
    phi = hn::Load(d, p);
    return ok;
}

HWY_INLINE void StoreBlock(D d, V x, V y, point2f_t* out)
{
    HWY_ALIGN double xs[kMaxLanes];
    HWY_ALIGN double ys[kMaxLanes];
    hn::Store(x, d, xs);
    hn::Store(y, d, ys);
    for (size_t j = 0; j < hn::Lanes(d); ++j) {
        out[j].x = static_cast<float>(xs[j]);
        out[j].y = static_cast<float>(ys[j]);
    }
}

// Runs f(d, lambda, phi, x, y) over whole blocks of lanes, the scalar
// projection over the rest and over blocks with points off the globe.
template <class F>
HWY_INLINE void Each(point2f_t* out, const point2f_t* in, uint64_t n, mp_func_t scalar, F f)
{
    const D d;
    const size_t N = hn::Lanes(d);
    uint64_t i = 0;
    for (; i + N <= n; i += N) {
        V lambda, phi, x, y;
        if (!LoadBlock(d, in + i, lambda, phi)) {
            scalar(out + i, in + i, N);
            continue;
        }
        f(d, lambda, phi, x, y);
        StoreBlock(d, x, y, out + i);
    }
    if (i < n)
        scalar(out + i, in + i, n - i);
}

// The Aitoff x and y before the origin is handled: alpha is rounded to float
// as the scalar projection rounds it, and sin(alpha) / alpha divides. Returns
// where alpha is zero, the origin, where both projections give 0.
HWY_INLINE hn::Mask<D> AitoffXY(D d, V l, V p, V& x, V& y)
{
    const DF df;
    const V half = hn::Mul(l, hn::Set(d, 0.5));
    const V cp = hn::Cos(d, p);
    const V alpha = hn::PromoteTo(d, hn::DemoteTo(df, hn::Acos(d, hn::Mul(cp, hn::Cos(d, half)))));
    const V s = hn::Div(hn::Sin(d, alpha), alpha);
    x = hn::Div(hn::Mul(hn::Mul(hn::Set(d, 2.0), cp), hn::Sin(d, half)), s);
    y = hn::Div(hn::Sin(d, p), s);
    return hn::Eq(alpha, hn::Zero(d));
}

void WinkelTripel(point2f_t* out, const point2f_t* in, uint64_t n)
{
    Each(out, in, n, mp_winkel_tripel, [](D d, V l, V p, V& x, V& y) {
        const auto origin = AitoffXY(d, l, p, x, y);
        x = hn::Mul(hn::Add(x, hn::Mul(l, hn::Set(d, TWO_OVER_PI))), hn::Set(d, 0.5));
        y = hn::Mul(hn::Add(y, p), hn::Set(d, 0.5));
        x = hn::IfThenZeroElse(origin, x);
        y = hn::IfThenZeroElse(origin, y);
    });
}

void Aitoff(point2f_t* out, const point2f_t* in, uint64_t n)
{
    Each(out, in, n, mp_aitoff, [](D d, V l, V p, V& x, V& y) {
        const auto origin = AitoffXY(d, l, p, x, y);
        x = hn::IfThenZeroElse(origin, x);
        y = hn::IfThenZeroElse(origin, y);
    });
}

void Hammer(point2f_t* out, const point2f_t* in, uint64_t n)
{
    Each(out, in, n, mp_hammer, [](D d, V l, V p, V& x, V& y) {
        const DF df;
        const V half = hn::Mul(l, hn::Set(d, 0.5));
        const V cp = hn::Cos(d, p);
        const V q = hn::PromoteTo(
            d, hn::DemoteTo(df, hn::Sqrt(hn::Add(hn::Set(d, 1.0), hn::Mul(cp, hn::Cos(d, half))))));
        x = hn::Div(hn::Mul(hn::Mul(cp, hn::Set(d, 2.8284271247461903)), hn::Sin(d, half)), q);
        y = hn::Div(hn::Mul(hn::Sin(d, p), hn::Set(d, 1.4142135623730951)), q);
    });
}

void Bottomley(point2f_t* out, const point2f_t* in, uint64_t n)
{
    Each(out, in, n, mp_bottomley, [](D d, V l, V p, V& x, V& y) {
        const V k = hn::Set(d, 0.49999999999999994);
        const V rho = hn::Sub(hn::Set(d, PI_2), p);
        const V e = hn::Div(hn::Mul(hn::Sin(d, rho), hn::Mul(l, k)), rho);
        x = hn::Div(hn::Mul(hn::Sin(d, e), rho), k);
        y = hn::Sub(hn::Set(d, PI_2), hn::Mul(hn::Cos(d, e), rho));
    });
}

// The longitude scaled in float by the latitude's cosine rounded to float.
void Sinusoidal(point2f_t* out, const point2f_t* in, uint64_t n)
{
    const D d;
    const size_t N = hn::Lanes(d);
    HWY_ALIGN double c[kMaxLanes];
    uint64_t i = 0;
    for (; i + N <= n; i += N) {
        V l, p;
        if (!LoadBlock(d, in + i, l, p)) {
            mp_sinusoidal(out + i, in + i, N);
            continue;
        }
        hn::Store(hn::Cos(d, p), d, c);
        for (size_t j = 0; j < N; ++j) {
            out[i + j].x = static_cast<float>(c[j]) * in[i + j].x;
            out[i + j].y = in[i + j].y;
        }
    }
    if (i < n)
        mp_sinusoidal(out + i, in + i, n - i);
}

}  // namespace HWY_NAMESPACE
}  // namespace mp_lanes
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace mp_lanes {

HWY_EXPORT(WinkelTripel);
HWY_EXPORT(Aitoff);
HWY_EXPORT(Hammer);
HWY_EXPORT(Bottomley);
HWY_EXPORT(Sinusoidal);

void winkel_tripel(point2f_t* out, const point2f_t* in, uint64_t n)
{
    HWY_DYNAMIC_DISPATCH(WinkelTripel)(out, in, n);
}

void aitoff(point2f_t* out, const point2f_t* in, uint64_t n)
{
    HWY_DYNAMIC_DISPATCH(Aitoff)(out, in, n);
}

void hammer(point2f_t* out, const point2f_t* in, uint64_t n)
{
    HWY_DYNAMIC_DISPATCH(Hammer)(out, in, n);
}

void bottomley(point2f_t* out, const point2f_t* in, uint64_t n)
{
    HWY_DYNAMIC_DISPATCH(Bottomley)(out, in, n);
}

void sinusoidal(point2f_t* out, const point2f_t* in, uint64_t n)
{
    HWY_DYNAMIC_DISPATCH(Sinusoidal)(out, in, n);
}

}  // namespace mp_lanes

mp_func_t map_projection_lanes(int id)
{
    switch (id) {
    case MP_WINKEL_TRIPEL: return mp_lanes::winkel_tripel;
    case MP_AITOFF: return mp_lanes::aitoff;
    case MP_HAMMER: return mp_lanes::hammer;
    case MP_BOTTOMLEY: return mp_lanes::bottomley;
    case MP_SINUSOIDAL: return mp_lanes::sinusoidal;
    default: return map_projection_func(id);
    }
}
#endif
