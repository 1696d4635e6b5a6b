// The near-earth model and the geodetic conversion in SIMD lanes. This file
// is compiled once per instruction set (the vector library re-includes it for
// each); the dispatch picks the best one the processor runs. Every lane takes
// the steps of SGP4::FindPositionSGP4 and Eci::ToGeodetic in the same order;
// only the elementary functions differ (vector versions accurate to a few
// units in the last place), and multiplications may fuse with additions.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "sgp4/SGP4Lanes.cpp"
#include <hwy/foreach_target.h>  // IWYU pragma: keep

#include <hwy/highway.h>
#include <hwy/contrib/math/math-inl.h>

#include "sgp4/Constants.h"
#include "sgp4/PropagationFailure.h"
#include "sgp4/SGP4Lanes.h"

HWY_BEFORE_NAMESPACE();
namespace libsgp4 {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

using D = hn::ScalableTag<double>;
using V = hn::Vec<D>;
using M = hn::Mask<D>;

// Arguments of the trigonometric functions are reduced by multiples of pi / 2
// held in three parts; beyond this magnitude the lane goes to the scalar path.
constexpr double kMaxArgument = 3.0e4;
// Failure checks closer than this to their thresholds go to the scalar path,
// where the comparison decides with the scalar model's own bits. The lanes
// differ from it by about 1e-13 in these quantities.
constexpr double kMargin = 1.0e-8;

// x where |x| <= kMaxArgument; elsewhere (also NaN) 0, with the lane marked.
HWY_INLINE V Guard(D d, V x, M& bad)
{
    const M ok = hn::Le(hn::Abs(x), hn::Set(d, kMaxArgument));
    bad = hn::Or(bad, hn::Not(ok));
    return hn::IfThenElseZero(ok, x);
}

// An angle wrapped into [0, 2 pi), as Wrap2Pi (|a| <= kMaxArgument).
HWY_INLINE V Wrap(D d, V a)
{
    return hn::NegMulAdd(hn::Set(d, kTWOPI), hn::Floor(hn::Div(a, hn::Set(d, kTWOPI))), a);
}

// Sine and cosine of |x| <= kMaxArgument with one shared reduction: x = q pi/2
// + r with |r| <= pi/4, the classic minimax polynomials on r, then the
// quadrant q mod 4 swaps and negates them. Accurate to about one unit in the
// last place.
HWY_INLINE void SinCos(D d, V x, V& s, V& c)
{
    const V q = hn::Round(hn::Mul(x, hn::Set(d, 0.63661977236758134308)));
    // pi / 2 in three parts of 33, 33 and 53 bits: q times the first two is exact.
    V r = hn::NegMulAdd(q, hn::Set(d, 1.57079632673412561417e+00), x);
    r = hn::NegMulAdd(q, hn::Set(d, 6.07710050630396597660e-11), r);
    r = hn::NegMulAdd(q, hn::Set(d, 2.02226624879595063154e-21), r);
    const V z = hn::Mul(r, r);

    V ps = hn::Set(d, 1.58969099521155010221e-10);
    ps = hn::MulAdd(ps, z, hn::Set(d, -2.50507602534068634195e-08));
    ps = hn::MulAdd(ps, z, hn::Set(d, 2.75573137070700676789e-06));
    ps = hn::MulAdd(ps, z, hn::Set(d, -1.98412698298579493134e-04));
    ps = hn::MulAdd(ps, z, hn::Set(d, 8.33333333332248946124e-03));
    ps = hn::MulAdd(ps, z, hn::Set(d, -1.66666666666666324348e-01));
    const V sr = hn::MulAdd(hn::Mul(r, z), ps, r);

    V pc = hn::Set(d, -1.13596475577881948265e-11);
    pc = hn::MulAdd(pc, z, hn::Set(d, 2.08757232129817482790e-09));
    pc = hn::MulAdd(pc, z, hn::Set(d, -2.75573143513906633035e-07));
    pc = hn::MulAdd(pc, z, hn::Set(d, 2.48015872894767294178e-05));
    pc = hn::MulAdd(pc, z, hn::Set(d, -1.38888888888741095749e-03));
    pc = hn::MulAdd(pc, z, hn::Set(d, 4.16666666666666019037e-02));
    const V cr = hn::Sub(hn::Set(d, 1.0), hn::NegMulAdd(hn::Mul(z, z), pc, hn::Mul(hn::Set(d, 0.5), z)));

    // Quadrant q mod 4 as 0, 1, 2, 3, computed in doubles (q is an integer).
    const V quad = hn::NegMulAdd(hn::Floor(hn::Mul(q, hn::Set(d, 0.25))), hn::Set(d, 4.0), q);
    const M odd = hn::Or(hn::Eq(quad, hn::Set(d, 1.0)), hn::Eq(quad, hn::Set(d, 3.0)));
    const M sinNeg = hn::Ge(quad, hn::Set(d, 2.0));
    const M cosNeg = hn::Or(hn::Eq(quad, hn::Set(d, 1.0)), hn::Eq(quad, hn::Set(d, 2.0)));
    const V s0 = hn::IfThenElse(odd, cr, sr);
    const V c0 = hn::IfThenElse(odd, sr, cr);
    s = hn::IfThenElse(sinNeg, hn::Neg(s0), s0);
    c = hn::IfThenElse(cosNeg, hn::Neg(c0), c0);
}

// Arc tangent of y / x over the full circle, as std::atan2 (both zero gives
// NaN, which marks the lane as not finite later).
HWY_INLINE V Atan2(D d, V y, V x)
{
    const V ax = hn::Abs(x);
    const V ay = hn::Abs(y);
    const M swap = hn::Gt(ay, ax);
    const V ratio = hn::Div(hn::IfThenElse(swap, ax, ay), hn::IfThenElse(swap, ay, ax));
    V a = hn::Atan(d, ratio);
    a = hn::IfThenElse(swap, hn::Sub(hn::Set(d, kPI / 2.0), a), a);
    a = hn::IfThenElse(hn::Lt(x, hn::Zero(d)), hn::Sub(hn::Set(d, kPI), a), a);
    return hn::CopySign(a, y);
}

// The floating-point remainder of x by 2 pi (|x| <= kMaxArgument), the sign
// of x's. The quotient is truncated as fmod's is; 2 pi in two parts.
HWY_INLINE V FmodTwoPi(D d, V x)
{
    const V q = hn::Trunc(hn::Mul(x, hn::Set(d, 1.0 / kTWOPI)));
    const V r = hn::NegMulAdd(q, hn::Set(d, 6.28318530717958623200e+00), x);
    return hn::NegMulAdd(q, hn::Set(d, 2.44929359829470635445e-16), r);
}

// flags[j] = 1 where lane j of m is set, else 0.
HWY_INLINE void StoreFlags(D d, M m, uint8_t* flags)
{
    uint8_t bits[8] = {};
    hn::StoreMaskBits(d, m, bits);
    for (size_t j = 0; j < hn::Lanes(d); ++j)
        flags[j] = static_cast<uint8_t>((bits[0] >> j) & 1);
}

// status[j] for lane j: the code of the first of the n masks set in lane j,
// None where none is. The masks follow the scalar model's checks in order:
// a certain failure gives its kind, a doubt before it kLaneRedo.
HWY_INLINE void StoreStatus(D d, const M* masks, const uint8_t* codes, int n, uint8_t* status)
{
    uint8_t bits[10][8] = {};
    for (int m = 0; m < n; ++m)
        hn::StoreMaskBits(d, masks[m], bits[m]);
    for (size_t j = 0; j < hn::Lanes(d); ++j) {
        status[j] = static_cast<uint8_t>(PropagationFailure::None);
        for (int m = 0; m < n; ++m) {
            if ((bits[m][0] >> j) & 1) {
                status[j] = codes[m];
                break;
            }
        }
    }
}

HWY_INLINE M NotFinite(V v)
{
    return hn::Not(hn::IsFinite(v));
}

// Inclination-dependent terms of the short-period perturbations.
struct Inclination {
    V sinio, cosio, x3thm1, x1mth2, x7thm1, xlcof, aycof;
};

// The failure checks of the model's last stage, in its order.
struct FinalChecks {
    M elsqDoubt, elsqFail, decayed;
};

// The long- and short-period periodics, Kepler's equation and the state
// vectors, as SGP4::CalculateFinalPositionVelocity; stores lanes i.. of out.
// bad gathers the lanes in doubt.
HWY_INLINE FinalChecks FinalLanes(D d, V e, V a, V omega, V xl, V xnode, V xinc,
                                  const Inclination& inc, M& bad, const laneState_t& out, size_t i)
{
    const size_t lanes = hn::Lanes(d);
    M elsqFail, elsqDoubt, decayed;
    // Long-period periodics.
    const V beta2 = hn::NegMulAdd(e, e, hn::Set(d, 1.0));
    const V xn = hn::Div(hn::Set(d, kXKE), hn::Mul(a, hn::Sqrt(a)));
    V sinOmega, cosOmega;
    SinCos(d, Guard(d, omega, bad), sinOmega, cosOmega);
    const V axn = hn::Mul(e, cosOmega);
    const V temp11 = hn::Div(hn::Set(d, 1.0), hn::Mul(a, beta2));
    const V xll = hn::Mul(hn::Mul(temp11, inc.xlcof), axn);
    const V aynl = hn::Mul(temp11, inc.aycof);
    const V xlt = hn::Add(xl, xll);
    const V ayn = hn::MulAdd(e, sinOmega, aynl);
    const V elsq = hn::MulAdd(axn, axn, hn::Mul(ayn, ayn));
    elsqFail = hn::Ge(elsq, hn::Set(d, 1.0 + kMargin));
    elsqDoubt =
        hn::Or(bad, hn::AndNot(elsqFail, hn::Not(hn::Lt(elsq, hn::Set(d, 1.0 - kMargin)))));

    // Kepler's equation by Newton-Raphson, the first step limited; each
    // lane stops where the scalar loop would, the others go on.
    const V capu = FmodTwoPi(d, Guard(d, hn::Sub(xlt, xnode), bad));
    const V maxNewton = hn::Mul(hn::Set(d, 1.25), hn::Sqrt(elsq));
    V epw = capu;
    V sinepw = hn::Zero(d), cosepw = hn::Zero(d), ecose = hn::Zero(d), esine = hn::Zero(d);
    M active = hn::FirstN(d, lanes);
    for (int it = 0; it < 10; ++it) {
        V s, c;
        SinCos(d, Guard(d, epw, bad), s, c);
        const V ec = hn::MulAdd(axn, c, hn::Mul(ayn, s));
        const V es = hn::NegMulAdd(ayn, c, hn::Mul(axn, s));
        const V f = hn::Add(hn::Sub(capu, epw), es);
        sinepw = hn::IfThenElse(active, s, sinepw);
        cosepw = hn::IfThenElse(active, c, cosepw);
        ecose = hn::IfThenElse(active, ec, ecose);
        esine = hn::IfThenElse(active, es, esine);
        active = hn::AndNot(hn::Lt(hn::Abs(f), hn::Set(d, 1.0e-12)), active);
        if (hn::AllFalse(d, active))
            break;
        const V fdot = hn::Sub(hn::Set(d, 1.0), ec);
        V delta = hn::Div(f, fdot);
        if (it == 0)
            delta = hn::Min(hn::Max(delta, hn::Neg(maxNewton)), maxNewton);
        else
            delta = hn::Div(f, hn::MulAdd(hn::Mul(hn::Set(d, 0.5), es), delta, fdot));
        epw = hn::IfThenElse(active, hn::Add(epw, delta), epw);
    }

    // Short-period preliminary quantities.
    const V pl = hn::Mul(a, hn::Sub(hn::Set(d, 1.0), elsq));
    bad = hn::Or(bad, hn::Not(hn::Ge(pl, hn::Set(d, kMargin))));
    const V r = hn::Mul(a, hn::Sub(hn::Set(d, 1.0), ecose));
    const V invR = hn::Div(hn::Set(d, 1.0), r);
    const V rdot = hn::Mul(hn::Mul(hn::Mul(hn::Set(d, kXKE), hn::Sqrt(a)), esine), invR);
    const V rfdot = hn::Mul(hn::Mul(hn::Set(d, kXKE), hn::Sqrt(pl)), invR);
    const V betal = hn::Sqrt(hn::Sub(hn::Set(d, 1.0), elsq));
    const V temp = hn::Div(esine, hn::Add(hn::Set(d, 1.0), betal));
    const V aInvR = hn::Mul(a, invR);
    const V cosu = hn::Mul(aInvR, hn::MulAdd(ayn, temp, hn::Sub(cosepw, axn)));
    const V sinu = hn::Mul(aInvR, hn::NegMulAdd(axn, temp, hn::Sub(sinepw, ayn)));
    const V u = Atan2(d, sinu, cosu);
    const V sin2u = hn::Mul(hn::Mul(hn::Set(d, 2.0), sinu), cosu);
    const V cos2u = hn::MulSub(hn::Mul(hn::Set(d, 2.0), cosu), cosu, hn::Set(d, 1.0));

    // Short-period perturbations.
    const V temp42 = hn::Div(hn::Set(d, kCK2), pl);
    const V temp43 = hn::Div(temp42, pl);
    const V x3thm1 = inc.x3thm1, x1mth2 = inc.x1mth2, cosio = inc.cosio;
    const V rk = hn::MulAdd(
        hn::Mul(hn::Mul(hn::Set(d, 0.5), temp42), x1mth2), cos2u,
        hn::Mul(r, hn::NegMulAdd(hn::Mul(hn::Mul(hn::Set(d, 1.5), temp43), betal), x3thm1,
                                 hn::Set(d, 1.0))));
    const V uk = hn::NegMulAdd(hn::Mul(hn::Mul(hn::Set(d, 0.25), temp43), inc.x7thm1), sin2u, u);
    const V t43 = hn::Mul(hn::Set(d, 1.5), temp43);
    const V xnodek = hn::MulAdd(hn::Mul(t43, cosio), sin2u, xnode);
    const V xinck = hn::MulAdd(hn::Mul(hn::Mul(t43, cosio), inc.sinio), cos2u, xinc);
    const V xnT42 = hn::Mul(xn, temp42);
    const V rdotk = hn::NegMulAdd(hn::Mul(xnT42, x1mth2), sin2u, rdot);
    const V rfdotk =
        hn::MulAdd(xnT42, hn::MulAdd(x1mth2, cos2u, hn::Mul(hn::Set(d, 1.5), x3thm1)), rfdot);

    // Orientation vectors.
    V sinuk, cosuk, sinik, cosik, sinnok, cosnok;
    SinCos(d, Guard(d, uk, bad), sinuk, cosuk);
    SinCos(d, Guard(d, xinck, bad), sinik, cosik);
    SinCos(d, Guard(d, xnodek, bad), sinnok, cosnok);
    const V xmx = hn::Neg(hn::Mul(sinnok, cosik));
    const V xmy = hn::Mul(cosnok, cosik);
    const V ux = hn::MulAdd(xmx, sinuk, hn::Mul(cosnok, cosuk));
    const V uy = hn::MulAdd(xmy, sinuk, hn::Mul(sinnok, cosuk));
    const V uz = hn::Mul(sinik, sinuk);
    const V vx = hn::MulSub(xmx, cosuk, hn::Mul(cosnok, sinuk));
    const V vy = hn::MulSub(xmy, cosuk, hn::Mul(sinnok, sinuk));
    const V vz = hn::Mul(sinik, cosuk);

    const V km = hn::Set(d, kXKMPER);
    const V px = hn::Mul(hn::Mul(rk, ux), km);
    const V py = hn::Mul(hn::Mul(rk, uy), km);
    const V pz = hn::Mul(hn::Mul(rk, uz), km);
    const V vscale = hn::Set(d, kXKMPER / 60.0);
    const V qx = hn::Mul(hn::MulAdd(rdotk, ux, hn::Mul(rfdotk, vx)), vscale);
    const V qy = hn::Mul(hn::MulAdd(rdotk, uy, hn::Mul(rfdotk, vy)), vscale);
    const V qz = hn::Mul(hn::MulAdd(rdotk, uz, hn::Mul(rfdotk, vz)), vscale);

    // Decay below one earth radius, and results that are not numbers.
    decayed = hn::Lt(rk, hn::Set(d, 1.0 - kMargin));
    bad = hn::Or(bad, hn::AndNot(decayed, hn::Not(hn::Ge(rk, hn::Set(d, 1.0 + kMargin)))));
    bad = hn::Or(bad, hn::Or(hn::Or(NotFinite(px), NotFinite(py)), NotFinite(pz)));
    bad = hn::Or(bad, hn::Or(hn::Or(NotFinite(qx), NotFinite(qy)), NotFinite(qz)));

    hn::StoreU(px, d, out.x + i);
    hn::StoreU(py, d, out.y + i);
    hn::StoreU(pz, d, out.z + i);
    hn::StoreU(qx, d, out.vx + i);
    hn::StoreU(qy, d, out.vy + i);
    hn::StoreU(qz, d, out.vz + i);
    return FinalChecks{elsqDoubt, elsqFail, decayed};
}

// Codes of the masks PropagateLanes hands to StoreStatus, in their order.
static const uint8_t s_codes[] = {
    static_cast<uint8_t>(PropagationFailure::TimeOutOfRange), kLaneRedo,
    static_cast<uint8_t>(PropagationFailure::Eccentricity),   kLaneRedo,
    static_cast<uint8_t>(PropagationFailure::Elsq),           kLaneRedo,
    static_cast<uint8_t>(PropagationFailure::Decayed)};

void PropagateLanes(const laneBlock_t* blocks, size_t blockStride, const double* tsince, size_t n,
                    const laneState_t& out, uint8_t* status)
{
    const D d;
    const size_t lanes = hn::Lanes(d);
    for (size_t i = 0; i < n; i += lanes) {
        const laneBlock_t& b = blocks[(i / kBlockLanes) * blockStride];
        const size_t slot = i % kBlockLanes;
        const auto k = [&](LaneConstant c) { return hn::Load(d, &b.v[c][slot]); };

        // Times at or beyond the model's range fail as in the scalar model
        // (the same comparison); the lane computes t = 0 meanwhile.
        V t = hn::LoadU(d, tsince + i);
        const M inRange = hn::Lt(hn::Abs(t), hn::Set(d, 1.0e8));
        const M outOfRange = hn::Not(inRange);
        M bad = hn::FirstN(d, 0);
        t = hn::IfThenElseZero(inRange, t);

        // Secular gravity and atmospheric drag.
        const V xmdf = hn::MulAdd(k(LC_XMDOT), t, k(LC_M0));
        const V omgadf = hn::MulAdd(k(LC_OMGDOT), t, k(LC_ARGP0));
        const V xnoddf = hn::MulAdd(k(LC_XNODOT), t, k(LC_NODE0));
        const V tsq = hn::Mul(t, t);
        const V xnode = hn::MulAdd(k(LC_XNODCF), tsq, xnoddf);
        V tempa = hn::NegMulAdd(k(LC_C1), t, hn::Set(d, 1.0));
        V tempe = hn::Mul(k(LC_BSTAR_C4), t);
        V templ = hn::Mul(k(LC_T2COF), tsq);

        // The higher-order drag terms; their constants are zero for the
        // simple model (perigee below 220 km), which then skips them.
        V sinM, cosM;
        SinCos(d, Guard(d, xmdf, bad), sinM, cosM);
        const V delomg = hn::Mul(k(LC_OMGCOF), t);
        const V base = hn::MulAdd(k(LC_ETA), cosM, hn::Set(d, 1.0));
        const V delm = hn::Mul(k(LC_XMCOF), hn::Sub(hn::Mul(hn::Mul(base, base), base), k(LC_DELMO)));
        const V xmp = hn::Add(hn::Add(xmdf, delomg), delm);
        const V omega = hn::Sub(hn::Sub(omgadf, delomg), delm);
        const V tcube = hn::Mul(tsq, t);
        const V tfour = hn::Mul(t, tcube);
        tempa = hn::NegMulAdd(k(LC_D2), tsq, tempa);
        tempa = hn::NegMulAdd(k(LC_D3), tcube, tempa);
        tempa = hn::NegMulAdd(k(LC_D4), tfour, tempa);
        V sinXmp, cosXmp;
        SinCos(d, Guard(d, xmp, bad), sinXmp, cosXmp);
        tempe = hn::MulAdd(k(LC_BSTAR_C5), hn::Sub(sinXmp, k(LC_SINMO)), tempe);
        templ = hn::MulAdd(k(LC_T3COF), tcube, templ);
        templ = hn::MulAdd(tfour, hn::MulAdd(t, k(LC_T5COF), k(LC_T4COF)), templ);

        const V a = hn::Mul(hn::Mul(k(LC_A0), tempa), tempa);
        V e = hn::Sub(k(LC_E0), tempe);
        const M eFail = hn::Le(e, hn::Set(d, -0.001 - kMargin));
        const M eDoubt = hn::Or(bad, hn::AndNot(eFail, hn::Not(hn::Gt(e, hn::Set(d, -0.001 + kMargin)))));
        e = hn::Min(hn::Max(e, hn::Set(d, 1.0e-6)), hn::Set(d, 1.0 - 1.0e-6));
        const V xl = hn::MulAdd(k(LC_N0), templ, hn::Add(hn::Add(xmp, omega), xnode));

        const Inclination inc{k(LC_SINIO),  k(LC_COSIO),  k(LC_X3THM1), k(LC_X1MTH2),
                              k(LC_X7THM1), k(LC_XLCOF), k(LC_AYCOF)};
        const FinalChecks f = FinalLanes(d, e, a, omega, xl, xnode, k(LC_INCL), inc, bad, out, i);
        const M masks[] = {outOfRange, eDoubt, eFail, f.elsqDoubt, f.elsqFail, bad, f.decayed};
        StoreStatus(d, masks, s_codes, 7, status + i);
    }
}

// Codes of the masks PropagateDeepLanes hands to StoreStatus, in their order.
static const uint8_t s_deepCodes[] = {
    static_cast<uint8_t>(PropagationFailure::TimeOutOfRange), kLaneRedo,
    static_cast<uint8_t>(PropagationFailure::MeanMotion),     kLaneRedo,
    static_cast<uint8_t>(PropagationFailure::Eccentricity),   kLaneRedo,
    static_cast<uint8_t>(PropagationFailure::Elsq),           kLaneRedo,
    static_cast<uint8_t>(PropagationFailure::Decayed)};

// One lunar or solar periodic term set: f2, f3 and sin zf at zm.
HWY_INLINE void SolarLunar(D d, V zm, V ze2, V& f2, V& f3, V& sinzf, M& bad)
{
    V sinzm, coszm, coszf;
    SinCos(d, Guard(d, zm, bad), sinzm, coszm);
    const V zf = hn::MulAdd(ze2, sinzm, zm);
    SinCos(d, Guard(d, zf, bad), sinzf, coszf);
    f2 = hn::MulSub(hn::Mul(hn::Set(d, 0.5), sinzf), sinzf, hn::Set(d, 0.25));
    f3 = hn::Mul(hn::Mul(hn::Set(d, -0.5), sinzf), coszf);
}

// Rates of the synchronous resonance at the integrator's longitude xli.
HWY_INLINE void SyncTerms(D d, const deepBlock_t& b, size_t slot, V xli, V& xndot, V& xnddt, M& bad)
{
    const auto k = [&](DeepConstant c) { return hn::Load(d, &b.v[c][slot]); };
    V s1, c1, s2, c2, s3, c3;
    SinCos(d, Guard(d, hn::Sub(xli, hn::Set(d, kFASX2)), bad), s1, c1);
    SinCos(d, Guard(d, hn::Mul(hn::Set(d, 2.0), hn::Sub(xli, hn::Set(d, kFASX4))), bad), s2, c2);
    SinCos(d, Guard(d, hn::Mul(hn::Set(d, 3.0), hn::Sub(xli, hn::Set(d, kFASX6))), bad), s3, c3);
    const V del1 = k(DC_DEL1), del2 = k(DC_DEL2), del3 = k(DC_DEL3);
    xndot = hn::MulAdd(del3, s3, hn::MulAdd(del2, s2, hn::Mul(del1, s1)));
    xnddt = hn::MulAdd(hn::Mul(hn::Set(d, 3.0), del3), c3,
                       hn::MulAdd(hn::Mul(hn::Set(d, 2.0), del2), c2, hn::Mul(del1, c1)));
}

// Rates of the half-day resonance at longitude xli and perigee xomi: ten
// terms, the last four of the second derivative doubled.
HWY_INLINE void HalfDayTerms(D d, const deepBlock_t& b, size_t slot, V xli, V xomi, V& xndot,
                             V& xnddt, M& bad)
{
    const auto k = [&](DeepConstant c) { return hn::Load(d, &b.v[c][slot]); };
    const V x2omi = hn::Add(xomi, xomi);
    const V x2li = hn::Add(xli, xli);
    struct term_t {
        DeepConstant coef;
        V arg;
        double g;
        bool doubled;
    };
    const term_t terms[] = {
        {DC_D2201, hn::Add(x2omi, xli), kG22, false}, {DC_D2211, xli, kG22, false},
        {DC_D3210, hn::Add(xomi, xli), kG32, false},  {DC_D3222, hn::Sub(xli, xomi), kG32, false},
        {DC_D4410, hn::Add(x2omi, x2li), kG44, true}, {DC_D4422, x2li, kG44, true},
        {DC_D5220, hn::Add(xomi, xli), kG52, false},  {DC_D5232, hn::Sub(xli, xomi), kG52, false},
        {DC_D5421, hn::Add(xomi, x2li), kG54, true},  {DC_D5433, hn::Sub(x2li, xomi), kG54, true}};
    V dot = hn::Zero(d), ddtOnce = hn::Zero(d), ddtTwice = hn::Zero(d);
    for (const term_t& term : terms) {
        V s, c;
        SinCos(d, Guard(d, hn::Sub(term.arg, hn::Set(d, term.g)), bad), s, c);
        dot = hn::MulAdd(k(term.coef), s, dot);
        if (term.doubled)
            ddtTwice = hn::MulAdd(k(term.coef), c, ddtTwice);
        else
            ddtOnce = hn::MulAdd(k(term.coef), c, ddtOnce);
    }
    xndot = dot;
    xnddt = hn::MulAdd(hn::Set(d, 2.0), ddtTwice, ddtOnce);
}

// The deep-space model (SGP4::FindPositionSDP4 with DeepSpaceSecular and
// DeepSpacePeriodics); branches of the scalar model become selections, and
// lanes near a branch's threshold are left to it.
void PropagateDeepLanes(const deepBlock_t* blocks, const double* tsince, size_t n,
                        const laneIntegrator_t& state, const laneState_t& out, uint8_t* status)
{
    const D d;
    const size_t lanes = hn::Lanes(d);
    const V one = hn::Set(d, 1.0);
    const V pi = hn::Set(d, kPI);
    for (size_t i = 0; i < n; i += lanes) {
        const deepBlock_t& b = blocks[i / kBlockLanes];
        const size_t slot = i % kBlockLanes;
        const auto k = [&](DeepConstant c) { return hn::Load(d, &b.v[c][slot]); };

        V t = hn::LoadU(d, tsince + i);
        const M inRange = hn::Lt(hn::Abs(t), hn::Set(d, 1.0e8));
        const M outOfRange = hn::Not(inRange);
        M bad = hn::FirstN(d, 0);
        t = hn::IfThenElseZero(inRange, t);

        // Secular gravity, drag and lunar-solar terms.
        V xll = hn::MulAdd(k(DC_XMDOT), t, k(DC_M0));
        V omgasm = hn::MulAdd(k(DC_OMGDOT), t, k(DC_ARGP0));
        const V xnoddf = hn::MulAdd(k(DC_XNODOT), t, k(DC_NODE0));
        const V tsq = hn::Mul(t, t);
        V xnodes = hn::MulAdd(k(DC_XNODCF), tsq, xnoddf);
        const V tempa = hn::NegMulAdd(k(DC_C1), t, one);
        const V tempe = hn::Mul(k(DC_BSTAR_C4), t);
        const V templ = hn::Mul(k(DC_T2COF), tsq);
        xll = hn::MulAdd(k(DC_SSL), t, xll);
        omgasm = hn::MulAdd(k(DC_SSG), t, omgasm);
        xnodes = hn::MulAdd(k(DC_SSH), t, xnodes);
        V em = hn::MulAdd(k(DC_SSE), t, k(DC_E0));
        V xinc = hn::MulAdd(k(DC_SSI), t, k(DC_INCL));
        V xn = k(DC_N0);

        // Resonance: the integrator walks in steps of 720 minutes from where
        // it stands (or from the epoch when t lies behind it), each lane as
        // far as its own t.
        const M sync = hn::Gt(k(DC_SYNC), hn::Zero(d));
        const M half = hn::Gt(k(DC_HALF), hn::Zero(d));
        const M resonant = hn::Or(sync, half);
        if (!hn::AllFalse(d, resonant)) {
            V xli = hn::LoadU(d, state.xli + i);
            V xni = hn::LoadU(d, state.xni + i);
            V atime = hn::LoadU(d, state.atime + i);
            const V step = hn::Set(d, kSTEP);
            const M restart = hn::Or(hn::Or(hn::Lt(hn::Abs(t), step), hn::Le(hn::Mul(t, atime), hn::Zero(d))),
                                     hn::Lt(hn::Abs(t), hn::Abs(atime)));
            atime = hn::IfThenElseZero(hn::Not(restart), atime);
            xni = hn::IfThenElse(restart, k(DC_N0), xni);
            xli = hn::IfThenElse(restart, k(DC_XLAMO), xli);
            const bool anySync = !hn::AllFalse(d, sync);
            const bool anyHalf = !hn::AllFalse(d, half);
            V xndot, xnddt, xldot, ft;
            M active = resonant;
            M resBad = hn::FirstN(d, 0);
            for (;;) {
                V sDot = hn::Zero(d), sDdt = hn::Zero(d), hDot = hn::Zero(d), hDdt = hn::Zero(d);
                if (anySync)
                    SyncTerms(d, b, slot, xli, sDot, sDdt, resBad);
                if (anyHalf) {
                    const V xomi = hn::MulAdd(k(DC_OMGDOT), atime, k(DC_ARGP0));
                    HalfDayTerms(d, b, slot, xli, xomi, hDot, hDdt, resBad);
                }
                xndot = hn::IfThenElse(sync, sDot, hDot);
                xnddt = hn::IfThenElse(sync, sDdt, hDdt);
                xldot = hn::Add(xni, k(DC_XFACT));
                xnddt = hn::Mul(xnddt, xldot);
                ft = hn::Sub(t, atime);
                active = hn::AndNot(hn::Lt(hn::Abs(ft), step), active);
                if (hn::AllFalse(d, active))
                    break;
                const V delt = hn::IfThenElse(hn::Ge(ft, hn::Zero(d)), step, hn::Neg(step));
                const V step2 = hn::Set(d, kSTEP2);
                xli = hn::IfThenElse(active, hn::MulAdd(xndot, step2, hn::MulAdd(xldot, delt, xli)), xli);
                xni = hn::IfThenElse(active, hn::MulAdd(xnddt, step2, hn::MulAdd(xndot, delt, xni)), xni);
                atime = hn::IfThenElse(active, hn::Add(atime, delt), atime);
            }
            bad = hn::Or(bad, hn::And(resonant, resBad));
            hn::StoreU(xli, d, state.xli + i);
            hn::StoreU(xni, d, state.xni + i);
            hn::StoreU(atime, d, state.atime + i);
            const V halfV = hn::Set(d, 0.5);
            const V xnRes = hn::MulAdd(hn::Mul(hn::Mul(xnddt, ft), ft), halfV, hn::MulAdd(xndot, ft, xni));
            const V xl = hn::MulAdd(hn::Mul(hn::Mul(xndot, ft), ft), halfV, hn::MulAdd(xldot, ft, xli));
            const V theta = Wrap(d, hn::MulAdd(t, hn::Set(d, kTHDT), k(DC_GSTO)));
            const V xllSync = hn::Sub(hn::Sub(hn::Add(xl, theta), xnodes), omgasm);
            const V xllHalf = hn::MulAdd(hn::Set(d, 2.0), hn::Sub(theta, xnodes), xl);
            xll = hn::IfThenElse(sync, xllSync, hn::IfThenElse(half, xllHalf, xll));
            xn = hn::IfThenElse(resonant, xnRes, xn);
        }
        const M mmFail = hn::Le(xn, hn::Set(d, -1e-12));
        const M mmDoubt = hn::Or(bad, hn::AndNot(mmFail, hn::Not(hn::Gt(xn, hn::Set(d, 1e-12)))));

        // a = (XKE / xn)^(2/3), by logarithm and exponential (of a positive,
        // finite ratio; other lanes have failed or are in doubt).
        V ratio = hn::Div(hn::Set(d, kXKE), xn);
        const M okRatio = hn::And(hn::Gt(ratio, hn::Zero(d)), hn::Le(ratio, hn::Set(d, 1e300)));
        bad = hn::Or(bad, hn::Not(okRatio));
        ratio = hn::IfThenElse(okRatio, ratio, one);
        const V a = hn::Mul(hn::Mul(hn::Exp(d, hn::Mul(hn::Log(d, ratio), hn::Set(d, kTWOTHIRD))), tempa), tempa);
        V e = hn::Sub(em, tempe);
        V xmam = hn::MulAdd(k(DC_N0), templ, xll);

        // Lunar-solar periodics.
        V f2, f3, sinzf;
        SolarLunar(d, hn::MulAdd(hn::Set(d, kZNS), t, k(DC_ZMOS)), hn::Set(d, 2.0 * kZES), f2, f3, sinzf, bad);
        const V ses = hn::MulAdd(k(DC_SE3), f3, hn::Mul(k(DC_SE2), f2));
        const V sis = hn::MulAdd(k(DC_SI3), f3, hn::Mul(k(DC_SI2), f2));
        const V sls = hn::MulAdd(k(DC_SL4), sinzf, hn::MulAdd(k(DC_SL3), f3, hn::Mul(k(DC_SL2), f2)));
        const V sghs = hn::MulAdd(k(DC_SGH4), sinzf, hn::MulAdd(k(DC_SGH3), f3, hn::Mul(k(DC_SGH2), f2)));
        const V shs = hn::MulAdd(k(DC_SH3), f3, hn::Mul(k(DC_SH2), f2));
        SolarLunar(d, hn::MulAdd(hn::Set(d, kZNL), t, k(DC_ZMOL)), hn::Set(d, 2.0 * kZEL), f2, f3, sinzf, bad);
        const V sel = hn::MulAdd(k(DC_E3), f3, hn::Mul(k(DC_EE2), f2));
        const V sil = hn::MulAdd(k(DC_XI3), f3, hn::Mul(k(DC_XI2), f2));
        const V sll = hn::MulAdd(k(DC_XL4), sinzf, hn::MulAdd(k(DC_XL3), f3, hn::Mul(k(DC_XL2), f2)));
        const V sghl = hn::MulAdd(k(DC_XGH4), sinzf, hn::MulAdd(k(DC_XGH3), f3, hn::Mul(k(DC_XGH2), f2)));
        const V shl = hn::MulAdd(k(DC_XH3), f3, hn::Mul(k(DC_XH2), f2));
        const V pe = hn::Add(ses, sel);
        const V pinc = hn::Add(sis, sil);
        const V pl = hn::Add(sls, sll);
        const V pgh = hn::Add(sghs, sghl);
        const V ph = hn::Add(shs, shl);
        xinc = hn::Add(xinc, pinc);
        e = hn::Add(e, pe);
        V sinis, cosis;
        SinCos(d, Guard(d, xinc, bad), sinis, cosis);

        // Inclinations of 0.2 rad and more: the direct form.
        const V tmpPh = hn::Div(ph, sinis);
        const V omgDirect = hn::Add(omgasm, hn::NegMulAdd(cosis, tmpPh, pgh));
        const V nodeDirect = hn::Add(xnodes, tmpPh);
        // Lower ones: Lyddane's form, the node from its sine and cosine and
        // kept on the side of the old one.
        V sinok, cosok;
        const V node0 = Guard(d, xnodes, bad);
        SinCos(d, node0, sinok, cosok);
        const V pincCos = hn::Mul(pinc, cosis);
        const V alfdp = hn::Add(hn::Mul(sinis, sinok), hn::MulAdd(ph, cosok, hn::Mul(pincCos, sinok)));
        const V betdp = hn::Add(hn::Mul(sinis, cosok), hn::MulSub(pincCos, cosok, hn::Mul(ph, sinok)));
        const V nodeW = Wrap(d, node0);
        V xls = hn::MulAdd(cosis, nodeW, hn::Add(xmam, omgasm));
        const V dls = hn::NegMulAdd(hn::Mul(pinc, nodeW), sinis, hn::Add(pl, pgh));
        xls = hn::Add(xls, dls);
        V nodeL = Atan2(d, alfdp, betdp);
        const V jump = hn::Abs(hn::Sub(nodeW, nodeL));
        nodeL = hn::IfThenElse(hn::Gt(jump, pi),
                               hn::IfThenElse(hn::Lt(nodeL, nodeW), hn::Add(nodeL, hn::Set(d, kTWOPI)),
                                              hn::Sub(nodeL, hn::Set(d, kTWOPI))),
                               nodeL);
        const V xllL = hn::Add(xmam, pl);
        const V omgL = hn::NegMulAdd(cosis, nodeL, hn::Sub(xls, xllL));
        const M lyddane = hn::Lt(xinc, hn::Set(d, 0.2));
        bad = hn::Or(bad, hn::Lt(hn::Abs(hn::Sub(xinc, hn::Set(d, 0.2))), hn::Set(d, kMargin)));
        bad = hn::Or(bad, hn::And(lyddane, hn::Lt(hn::Abs(hn::Sub(jump, pi)), hn::Set(d, kMargin))));
        omgasm = hn::IfThenElse(lyddane, omgL, omgDirect);
        xnodes = hn::IfThenElse(lyddane, nodeL, nodeDirect);
        xmam = hn::Add(xmam, pl);

        // A negative inclination turns the orbit's description around.
        const M neg = hn::Lt(xinc, hn::Zero(d));
        bad = hn::Or(bad, hn::Lt(hn::Abs(xinc), hn::Set(d, kMargin)));
        xinc = hn::Abs(xinc);
        xnodes = hn::IfThenElse(neg, hn::Add(xnodes, pi), xnodes);
        omgasm = hn::IfThenElse(neg, hn::Sub(omgasm, pi), omgasm);
        const V xl = hn::Add(hn::Add(xmam, omgasm), xnodes);

        const M eFail = hn::Le(e, hn::Set(d, -0.001 - kMargin));
        const M eDoubt = hn::Or(bad, hn::AndNot(eFail, hn::Not(hn::Gt(e, hn::Set(d, -0.001 + kMargin)))));
        e = hn::Min(hn::Max(e, hn::Set(d, 1.0e-6)), hn::Set(d, 1.0 - 1.0e-6));

        // The inclination terms at the perturbed inclination.
        Inclination inc;
        SinCos(d, Guard(d, xinc, bad), inc.sinio, inc.cosio);
        const V theta2 = hn::Mul(inc.cosio, inc.cosio);
        inc.x3thm1 = hn::MulSub(hn::Set(d, 3.0), theta2, one);
        inc.x1mth2 = hn::Sub(one, theta2);
        inc.x7thm1 = hn::MulSub(hn::Set(d, 7.0), theta2, one);
        V div = hn::Add(one, inc.cosio);
        div = hn::IfThenElse(hn::Le(hn::Abs(div), hn::Set(d, 1.5e-12)), hn::Set(d, 1.5e-12), div);
        inc.xlcof = hn::Div(hn::Mul(hn::Mul(hn::Set(d, 0.125 * kA3OVK2), inc.sinio),
                                    hn::MulAdd(hn::Set(d, 5.0), inc.cosio, hn::Set(d, 3.0))),
                            div);
        inc.aycof = hn::Mul(hn::Set(d, 0.25 * kA3OVK2), inc.sinio);

        const FinalChecks f = FinalLanes(d, e, a, omgasm, xl, xnodes, xinc, inc, bad, out, i);
        const M masks[] = {outOfRange, mmDoubt, mmFail, eDoubt, eFail, f.elsqDoubt, f.elsqFail, bad, f.decayed};
        StoreStatus(d, masks, s_deepCodes, 9, status + i);
    }
}

void GeodeticLanes(const double* x, const double* y, const double* z, const double* gmst, size_t n,
                   double* lat, double* lon, double* alt, uint8_t* redo)
{
    const D d;
    const size_t lanes = hn::Lanes(d);
    const double e2 = kF * (2.0 - kF);
    for (size_t i = 0; i < n; i += lanes) {
        V px = hn::LoadU(d, x + i);
        V py = hn::LoadU(d, y + i);
        V pz = hn::LoadU(d, z + i);
        // The scalar conversion treats x == 0 and a position on the axis as
        // special cases; those lanes and non-finite ones are left to it. The
        // others get a harmless stand-in.
        const V r0 = hn::Sqrt(hn::MulAdd(px, px, hn::Mul(py, py)));
        M bad = hn::Or(hn::Eq(px, hn::Zero(d)), hn::Eq(r0, hn::Zero(d)));
        bad = hn::Or(bad, hn::Or(hn::Or(NotFinite(px), NotFinite(py)), NotFinite(pz)));
        px = hn::IfThenElse(bad, hn::Set(d, kXKMPER), px);
        py = hn::IfThenElseZero(hn::Not(bad), py);
        pz = hn::IfThenElseZero(hn::Not(bad), pz);

        // Longitude: arc tangent of y / x over the full circle, less the
        // sidereal time, wrapped into [-pi, pi).
        V theta = hn::Atan(d, hn::Div(py, px));
        theta = hn::IfThenElse(hn::Lt(px, hn::Zero(d)), hn::Add(theta, hn::Set(d, kPI)), theta);
        const V lon0 = hn::Add(hn::Sub(theta, hn::LoadU(d, gmst + i)), hn::Set(d, kPI));
        const V w = hn::NegMulAdd(hn::Set(d, kTWOPI), hn::Floor(hn::Div(lon0, hn::Set(d, kTWOPI))), lon0);

        // Latitude by the scalar conversion's fixed-point iteration on the
        // ellipsoid, phi' = atan((z + R c e2 sin phi) / r) with c = 1 /
        // sqrt(1 - e2 sin^2 phi), carried on T = tan phi, where c sin phi =
        // T / sqrt(1 + (1 - e2) T^2): one root and one quotient a pass, one
        // arc tangent at the end. Each lane stops where the change of
        // latitude, tan(dphi) = dT / (1 + T T'), falls below the scalar
        // loop's limit; c is then that of the pass's starting latitude, as
        // there.
        const V r = hn::Sqrt(hn::MulAdd(px, px, hn::Mul(py, py)));
        const V one = hn::Set(d, 1.0);
        const V invR = hn::Div(one, r);
        const V ke2 = hn::Set(d, kXKMPER * e2);
        const V flat = hn::Set(d, 1.0 - e2);
        V tanPhi = hn::Mul(pz, invR);
        V tanStart = tanPhi;
        M active = hn::FirstN(d, lanes);
        for (int pass = 0; pass < 10; ++pass) {
            const V cs = hn::Div(tanPhi, hn::Sqrt(hn::MulAdd(hn::Mul(flat, tanPhi), tanPhi, one)));
            const V tanNew = hn::Mul(hn::MulAdd(ke2, cs, pz), invR);
            const M done = hn::Lt(hn::Abs(hn::Sub(tanNew, tanPhi)),
                                  hn::Mul(hn::Set(d, 1e-10), hn::MulAdd(tanNew, tanPhi, one)));
            tanStart = hn::IfThenElse(active, tanPhi, tanStart);
            tanPhi = hn::IfThenElse(active, tanNew, tanPhi);
            active = hn::AndNot(done, active);
            if (hn::AllFalse(d, active))
                break;
        }
        const V phi = hn::Atan(d, tanPhi);
        // c^2 = (1 + T^2) / (1 + (1 - e2) T^2) at the last pass's start, and
        // r / cos(phi) = r sqrt(1 + T^2).
        const V t2 = hn::Mul(tanStart, tanStart);
        const V c = hn::Sqrt(hn::Div(hn::Add(one, t2), hn::MulAdd(flat, t2, one)));
        const V h = hn::NegMulAdd(hn::Set(d, kXKMPER), c, hn::Mul(r, hn::Sqrt(hn::MulAdd(tanPhi, tanPhi, one))));

        hn::StoreU(phi, d, lat + i);
        hn::StoreU(hn::Sub(w, hn::Set(d, kPI)), d, lon + i);
        hn::StoreU(h, d, alt + i);
        StoreFlags(d, bad, redo + i);
    }
}

const char* TargetName()
{
    return hwy::TargetName(HWY_TARGET);
}

}  // namespace HWY_NAMESPACE
}  // namespace libsgp4
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace libsgp4 {

HWY_EXPORT(PropagateLanes);
HWY_EXPORT(PropagateDeepLanes);
HWY_EXPORT(GeodeticLanes);
HWY_EXPORT(TargetName);

void sgp4_lanes_propagate(const laneBlock_t* blocks, size_t blockStride, const double* tsince,
                          size_t n, const laneState_t& out, uint8_t* status)
{
    HWY_DYNAMIC_DISPATCH(PropagateLanes)(blocks, blockStride, tsince, n, out, status);
}

void sgp4_lanes_propagate_deep(const deepBlock_t* blocks, const double* tsince, size_t n,
                               const laneIntegrator_t& state, const laneState_t& out,
                               uint8_t* status)
{
    HWY_DYNAMIC_DISPATCH(PropagateDeepLanes)(blocks, tsince, n, state, out, status);
}

void sgp4_lanes_geodetic(const double* x, const double* y, const double* z, const double* gmst,
                         size_t n, double* lat, double* lon, double* alt, uint8_t* redo)
{
    HWY_DYNAMIC_DISPATCH(GeodeticLanes)(x, y, z, gmst, n, lat, lon, alt, redo);
}

const char* sgp4_lanes_target()
{
    return HWY_DYNAMIC_DISPATCH(TargetName)();
}

}  // namespace libsgp4
#endif
