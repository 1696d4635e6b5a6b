#include "sgp4/SGP4.h"

#include <cmath>

#include "sgp4/Constants.h"
#include "sgp4/ExactFmod.h"

namespace libsgp4 {

SGP4::SGP4(const Tle& tle) : m_elements(tle)
{
    Initialise();
}

void SGP4::Reset()
{
    m_common = CommonConstants{};
    m_nearspace = NearEarthConstants{};
    m_deepspace = DeepSpaceConstants{};
    m_integrator = IntegratorParams{};
    m_useSimpleModel = false;
    m_useDeepSpace = false;
}

void SGP4::Initialise()
{
    Reset();
    const OrbitalElements& el = m_elements;

    // Non-finite or negative inputs would make every result NaN without any
    // of the model's checks noticing.
    if (!std::isfinite(el.Eccentricity()))
        throw SatelliteException("Eccentricity is not finite");
    if (!std::isfinite(el.Inclination()))
        throw SatelliteException("Inclination is not finite");
    if (!std::isfinite(el.MeanMotion()))
        throw SatelliteException("Mean motion is not finite");
    if (!std::isfinite(el.MeanAnomaly()) || !std::isfinite(el.AscendingNode()) ||
        !std::isfinite(el.ArgumentPerigee()))
        throw SatelliteException("Angle element is not finite");
    if (!std::isfinite(el.BStar()))
        throw SatelliteException("B* is not finite");

    if (el.Eccentricity() < 0.0 || el.Eccentricity() > 0.999)
        throw SatelliteException("Eccentricity out of range");
    if (el.Inclination() < 0.0 || el.Inclination() > kPI)
        throw SatelliteException("Inclination out of range");
    if (el.MeanMotion() < 0.0)
        throw SatelliteException("Mean motion is negative");

    const InclinationTerms inc = RecomputeConstants(el.Inclination());
    m_common.sinio = inc.sinio;
    m_common.cosio = inc.cosio;
    m_common.x3thm1 = inc.x3thm1;
    m_common.x1mth2 = inc.x1mth2;
    m_common.x7thm1 = inc.x7thm1;
    m_common.xlcof = inc.xlcof;
    m_common.aycof = inc.aycof;

    const double theta2 = m_common.cosio * m_common.cosio;
    const double eosq = el.Eccentricity() * el.Eccentricity();
    const double betao2 = 1.0 - eosq;
    const double betao = std::sqrt(betao2);

    if (el.Period() >= 225.0) {
        m_useDeepSpace = true;
    } else {
        m_useDeepSpace = false;
        m_useSimpleModel = el.Perigee() < 220.0;
    }

    // Atmospheric density parameters, lowered for perigees below 156 km.
    double s4 = kS;
    double qoms24 = kQOMS2T;
    if (el.Perigee() < 156.0) {
        s4 = el.Perigee() - 78.0;
        if (el.Perigee() < 98.0)
            s4 = 20.0;
        qoms24 = std::pow((120.0 - s4) * kAE / kXKMPER, 4.0);
        s4 = s4 / kXKMPER + kAE;
    }

    const double a = el.RecoveredSemiMajorAxis();
    const double n = el.RecoveredMeanMotion();
    const double e = el.Eccentricity();
    const double bstar = el.BStar();

    const double pinvsq = 1.0 / (a * a * betao2 * betao2);
    const double tsi = 1.0 / (a - s4);
    m_common.eta = a * e * tsi;
    const double etasq = m_common.eta * m_common.eta;
    const double eeta = e * m_common.eta;
    const double psisq = std::fabs(1.0 - etasq);
    const double coef = qoms24 * std::pow(tsi, 4.0);
    const double coef1 = coef / std::pow(psisq, 3.5);
    const double c2 = coef1 * n *
                      (a * (1.0 + 1.5 * etasq + eeta * (4.0 + etasq)) +
                       0.75 * kCK2 * tsi / psisq * m_common.x3thm1 *
                           (8.0 + 3.0 * etasq * (8.0 + etasq)));
    m_common.c1 = bstar * c2;
    m_common.c4 = 2.0 * n * coef1 * a * betao2 *
                  (m_common.eta * (2.0 + 0.5 * etasq) + e * (0.5 + 2.0 * etasq) -
                   2.0 * kCK2 * tsi / (a * psisq) *
                       (-3.0 * m_common.x3thm1 * (1.0 - 2.0 * eeta + etasq * (1.5 - 0.5 * eeta)) +
                        0.75 * m_common.x1mth2 * (2.0 * etasq - eeta * (1.0 + etasq)) *
                            std::cos(2.0 * el.ArgumentPerigee())));
    const double theta4 = theta2 * theta2;
    const double temp1 = 3.0 * kCK2 * pinvsq * n;
    const double temp2 = temp1 * kCK2 * pinvsq;
    const double temp3 = 1.25 * kCK4 * pinvsq * pinvsq * n;
    m_common.xmdot = n + 0.5 * temp1 * betao * m_common.x3thm1 +
                     0.0625 * temp2 * betao * (13.0 - 78.0 * theta2 + 137.0 * theta4);
    m_common.omgdot = -0.5 * temp1 * (1.0 - 5.0 * theta2) +
                      0.0625 * temp2 * (7.0 - 114.0 * theta2 + 395.0 * theta4) +
                      temp3 * (3.0 - 36.0 * theta2 + 49.0 * theta4);
    const double xhdot1 = -temp1 * m_common.cosio;
    m_common.xnodot = xhdot1 + (0.5 * temp2 * (4.0 - 19.0 * theta2) +
                                2.0 * temp3 * (3.0 - 7.0 * theta2)) *
                                   m_common.cosio;
    m_common.xnodcf = 3.5 * betao2 * xhdot1 * m_common.c1;
    m_common.t2cof = 1.5 * m_common.c1;

    if (m_useDeepSpace) {
        m_deepspace.gsto = el.Epoch().ToGreenwichSiderealTime();
        DeepSpaceInitialise(eosq, m_common.sinio, m_common.cosio, betao, theta2, betao2,
                            m_common.xmdot, m_common.omgdot, m_common.xnodot);
        return;
    }

    double c3 = 0.0;
    if (e > 1.0e-4)
        c3 = coef * tsi * kA3OVK2 * n * kAE * m_common.sinio / e;
    m_nearspace.c5 = 2.0 * coef1 * a * betao2 *
                     (1.0 + 2.75 * (etasq + eeta) + eeta * etasq);
    m_nearspace.omgcof = bstar * c3 * std::cos(el.ArgumentPerigee());
    m_nearspace.xmcof = 0.0;
    if (e > 1.0e-4)
        m_nearspace.xmcof = -kTWOTHIRD * coef * bstar * kAE / eeta;
    m_nearspace.delmo = std::pow(1.0 + m_common.eta * std::cos(el.MeanAnomaly()), 3.0);
    m_nearspace.sinmo = std::sin(el.MeanAnomaly());

    if (!m_useSimpleModel) {
        const double c1sq = m_common.c1 * m_common.c1;
        m_nearspace.d2 = 4.0 * a * tsi * c1sq;
        const double temp = m_nearspace.d2 * tsi * m_common.c1 / 3.0;
        m_nearspace.d3 = (17.0 * a + s4) * temp;
        m_nearspace.d4 = 0.5 * temp * a * tsi * (221.0 * a + 31.0 * s4) * m_common.c1;
        m_nearspace.t3cof = m_nearspace.d2 + 2.0 * c1sq;
        m_nearspace.t4cof = 0.25 * (3.0 * m_nearspace.d3 +
                                    m_common.c1 * (12.0 * m_nearspace.d2 + 10.0 * c1sq));
        m_nearspace.t5cof = 0.2 * (3.0 * m_nearspace.d4 + 12.0 * m_common.c1 * m_nearspace.d3 +
                                   6.0 * m_nearspace.d2 * m_nearspace.d2 +
                                   15.0 * c1sq * (2.0 * m_nearspace.d2 + c1sq));
    }
}

SGP4::InclinationTerms SGP4::RecomputeConstants(double xinc)
{
    InclinationTerms t;
    t.sinio = std::sin(xinc);
    t.cosio = std::cos(xinc);
    const double theta2 = t.cosio * t.cosio;
    t.x3thm1 = 3.0 * theta2 - 1.0;
    t.x1mth2 = 1.0 - theta2;
    t.x7thm1 = 7.0 * theta2 - 1.0;
    // Guard the divisor for inclinations of 180 degrees.
    double div = 1.0 + t.cosio;
    if (std::fabs(div) <= 1.5e-12)
        div = 1.5e-12;
    t.xlcof = 0.125 * kA3OVK2 * t.sinio * (3.0 + 5.0 * t.cosio) / div;
    t.aycof = 0.25 * kA3OVK2 * t.sinio;
    return t;
}

Eci SGP4::FindPosition(const DateTime& dt) const
{
    return FindPosition(dt.MinutesSince(m_elements.Epoch()));
}

Eci SGP4::FindPosition(double tsince) const
{
    Eci eci{DateTime(), Vector(), Vector()};
    PropagationFailure failure = PropagationFailure::None;
    if (TryFindPosition(tsince, eci, failure))
        return eci;
    if (failure == PropagationFailure::Decayed)
        throw DecayedException(eci.GetDateTime(), eci.Position(), eci.Velocity());
    throw SatelliteException(PropagationFailureMessage(failure));
}

bool SGP4::TryFindPosition(const DateTime& dt, Eci& out, PropagationFailure& failure) const
{
    return TryFindPosition(dt.MinutesSince(m_elements.Epoch()), out, failure);
}

bool SGP4::TryFindPosition(double tsince, Eci& out, PropagationFailure& failure) const
{
    // About 190 years either side of the epoch: far beyond any meaningful
    // prediction, and it bounds the resonance integrator's walk from the epoch
    // (720-minute steps) for element sets with absurd epochs.
    if (!(std::fabs(tsince) < 1.0e8))
        failure = PropagationFailure::TimeOutOfRange;
    else
        failure = m_useDeepSpace ? FindPositionSDP4(tsince, out) : FindPositionSGP4(tsince, out);
    return failure == PropagationFailure::None;
}

namespace {

// Clamps the propagated eccentricity; false when it is clearly negative.
bool checkEccentricity(double& e)
{
    if (e <= -0.001)
        return false;
    if (e < 1.0e-6)
        e = 1.0e-6;
    else if (e > 1.0 - 1.0e-6)
        e = 1.0 - 1.0e-6;
    return true;
}

}  // namespace

PropagationFailure SGP4::FindPositionSGP4(double tsince, Eci& out) const
{
    const OrbitalElements& el = m_elements;
    const double xmdf = el.MeanAnomaly() + m_common.xmdot * tsince;
    const double omgadf = el.ArgumentPerigee() + m_common.omgdot * tsince;
    const double xnoddf = el.AscendingNode() + m_common.xnodot * tsince;
    const double tsq = tsince * tsince;
    const double xnode = xnoddf + m_common.xnodcf * tsq;
    double tempa = 1.0 - m_common.c1 * tsince;
    double tempe = el.BStar() * m_common.c4 * tsince;
    double templ = m_common.t2cof * tsq;

    double xmp = xmdf;
    double omega = omgadf;
    if (!m_useSimpleModel) {
        const double delomg = m_nearspace.omgcof * tsince;
        const double delm =
            m_nearspace.xmcof *
            (std::pow(1.0 + m_common.eta * std::cos(xmdf), 3.0) - m_nearspace.delmo);
        xmp = xmdf + delomg + delm;
        omega = omgadf - delomg - delm;
        const double tcube = tsq * tsince;
        const double tfour = tsince * tcube;
        tempa = tempa - m_nearspace.d2 * tsq - m_nearspace.d3 * tcube - m_nearspace.d4 * tfour;
        tempe = tempe + el.BStar() * m_nearspace.c5 * (std::sin(xmp) - m_nearspace.sinmo);
        templ = templ + m_nearspace.t3cof * tcube +
                tfour * (m_nearspace.t4cof + tsince * m_nearspace.t5cof);
    }

    const double a = el.RecoveredSemiMajorAxis() * tempa * tempa;
    double e = el.Eccentricity() - tempe;
    if (!checkEccentricity(e))
        return PropagationFailure::Eccentricity;
    const double xl = xmp + omega + xnode + el.RecoveredMeanMotion() * templ;

    InclinationTerms inc;
    inc.sinio = m_common.sinio;
    inc.cosio = m_common.cosio;
    inc.x3thm1 = m_common.x3thm1;
    inc.x1mth2 = m_common.x1mth2;
    inc.x7thm1 = m_common.x7thm1;
    inc.xlcof = m_common.xlcof;
    inc.aycof = m_common.aycof;
    return CalculateFinalPositionVelocity(tsince, e, a, omega, xl, xnode, el.Inclination(), inc,
                                          out);
}

PropagationFailure SGP4::FindPositionSDP4(double tsince, Eci& out) const
{
    const OrbitalElements& el = m_elements;
    double xmdf = el.MeanAnomaly() + m_common.xmdot * tsince;
    double omgadf = el.ArgumentPerigee() + m_common.omgdot * tsince;
    const double xnoddf = el.AscendingNode() + m_common.xnodot * tsince;
    const double tsq = tsince * tsince;
    double xnode = xnoddf + m_common.xnodcf * tsq;
    const double tempa = 1.0 - m_common.c1 * tsince;
    const double tempe = el.BStar() * m_common.c4 * tsince;
    const double templ = m_common.t2cof * tsq;

    double xn = el.RecoveredMeanMotion();
    double e = el.Eccentricity();
    double xinc = el.Inclination();

    DeepSpaceSecular(tsince, xmdf, omgadf, xnode, e, xinc, xn);
    if (xn <= 0.0)
        return PropagationFailure::MeanMotion;

    const double a = std::pow(kXKE / xn, kTWOTHIRD) * tempa * tempa;
    e -= tempe;
    double xmam = xmdf + el.RecoveredMeanMotion() * templ;

    DeepSpacePeriodics(tsince, e, xinc, omgadf, xnode, xmam);

    if (xinc < 0.0) {
        xinc = -xinc;
        xnode += kPI;
        omgadf -= kPI;
    }
    const double xl = xmam + omgadf + xnode;
    const double omega = omgadf;
    if (!checkEccentricity(e))
        return PropagationFailure::Eccentricity;

    const InclinationTerms inc = RecomputeConstants(xinc);
    return CalculateFinalPositionVelocity(tsince, e, a, omega, xl, xnode, xinc, inc, out);
}

PropagationFailure SGP4::CalculateFinalPositionVelocity(double tsince, double e, double a,
                                                        double omega, double xl, double xnode,
                                                        double xinc, const InclinationTerms& inc,
                                                        Eci& out) const
{
    const double beta2 = 1.0 - e * e;
    const double xn = kXKE / std::pow(a, 1.5);
    // Long-period periodics.
    const double axn = e * std::cos(omega);
    const double temp11 = 1.0 / (a * beta2);
    const double xll = temp11 * inc.xlcof * axn;
    const double aynl = temp11 * inc.aycof;
    const double xlt = xl + xll;
    const double ayn = e * std::sin(omega) + aynl;
    const double elsq = axn * axn + ayn * ayn;
    if (elsq >= 1.0)
        return PropagationFailure::Elsq;

    // Kepler's equation by Newton-Raphson, the first step limited.
    const double capu = ExactFmod(xlt - xnode, kTWOPI);
    double epw = capu;
    double sinepw = 0.0, cosepw = 0.0, ecose = 0.0, esine = 0.0;
    const double maxNewton = 1.25 * std::fabs(std::sqrt(elsq));
    for (int i = 0; i < 10; ++i) {
        sinepw = std::sin(epw);
        cosepw = std::cos(epw);
        ecose = axn * cosepw + ayn * sinepw;
        esine = axn * sinepw - ayn * cosepw;
        const double f = capu - epw + esine;
        if (std::fabs(f) < 1.0e-12)
            break;
        const double fdot = 1.0 - ecose;
        double delta = f / fdot;
        if (i == 0) {
            if (delta > maxNewton)
                delta = maxNewton;
            else if (delta < -maxNewton)
                delta = -maxNewton;
        } else {
            delta = f / (fdot + 0.5 * esine * delta);
        }
        epw += delta;
    }

    // Short-period preliminary quantities.
    const double pl = a * (1.0 - elsq);
    if (pl < 0.0)
        return PropagationFailure::SemiLatusRectum;
    const double r = a * (1.0 - ecose);
    const double invR = 1.0 / r;
    const double rdot = kXKE * std::sqrt(a) * esine * invR;
    const double rfdot = kXKE * std::sqrt(pl) * invR;
    const double betal = std::sqrt(1.0 - elsq);
    const double temp = esine / (1.0 + betal);
    const double cosu = a * invR * (cosepw - axn + ayn * temp);
    const double sinu = a * invR * (sinepw - ayn - axn * temp);
    const double u = std::atan2(sinu, cosu);
    const double sin2u = 2.0 * sinu * cosu;
    const double cos2u = 2.0 * cosu * cosu - 1.0;

    // Short-period perturbations.
    const double temp42 = kCK2 / pl;
    const double temp43 = temp42 / pl;
    const double rk = r * (1.0 - 1.5 * temp43 * betal * inc.x3thm1) +
                      0.5 * temp42 * inc.x1mth2 * cos2u;
    const double uk = u - 0.25 * temp43 * inc.x7thm1 * sin2u;
    const double xnodek = xnode + 1.5 * temp43 * inc.cosio * sin2u;
    const double xinck = xinc + 1.5 * temp43 * inc.cosio * inc.sinio * cos2u;
    const double rdotk = rdot - xn * temp42 * inc.x1mth2 * sin2u;
    const double rfdotk = rfdot + xn * temp42 * (inc.x1mth2 * cos2u + 1.5 * inc.x3thm1);

    // Orientation vectors.
    const double sinuk = std::sin(uk);
    const double cosuk = std::cos(uk);
    const double sinik = std::sin(xinck);
    const double cosik = std::cos(xinck);
    const double sinnok = std::sin(xnodek);
    const double cosnok = std::cos(xnodek);
    const double xmx = -sinnok * cosik;
    const double xmy = cosnok * cosik;
    const double ux = xmx * sinuk + cosnok * cosuk;
    const double uy = xmy * sinuk + sinnok * cosuk;
    const double uz = sinik * sinuk;
    const double vx = xmx * cosuk - cosnok * sinuk;
    const double vy = xmy * cosuk - sinnok * sinuk;
    const double vz = sinik * cosuk;

    Vector position;
    position.x = rk * ux * kXKMPER;
    position.y = rk * uy * kXKMPER;
    position.z = rk * uz * kXKMPER;
    Vector velocity;
    const double vscale = kXKMPER / 60.0;
    velocity.x = (rdotk * ux + rfdotk * vx) * vscale;
    velocity.y = (rdotk * uy + rfdotk * vy) * vscale;
    velocity.z = (rdotk * uz + rfdotk * vz) * vscale;

    const bool finite = std::isfinite(position.x) && std::isfinite(position.y) &&
                        std::isfinite(position.z) && std::isfinite(velocity.x) &&
                        std::isfinite(velocity.y) && std::isfinite(velocity.z);
    if (!finite)
        return PropagationFailure::NotFinite;

    out = Eci(m_elements.Epoch().AddMinutes(tsince), position, velocity);
    return rk < 1.0 ? PropagationFailure::Decayed : PropagationFailure::None;
}

void SGP4::DeepSpaceInitialise(double eosq, double sinio, double cosio, double betao,
                               double theta2, double betao2, double xmdot, double omgdot,
                               double xnodot)
{
    DeepSpaceConstants& ds = m_deepspace;
    const OrbitalElements& el = m_elements;
    const double n = el.RecoveredMeanMotion();
    const double aqnv = 1.0 / el.RecoveredSemiMajorAxis();
    const double xnoi = 1.0 / n;
    const double eq = el.Eccentricity();
    const double sinq = std::sin(el.AscendingNode());
    const double cosq = std::cos(el.AscendingNode());
    const double sing = std::sin(el.ArgumentPerigee());
    const double cosg = std::cos(el.ArgumentPerigee());

    // Lunar and solar positions at epoch.
    const double day = el.Epoch().ToJulian() - 2415020.0;
    const double xnodce = Wrap2Pi(4.5236020 - 9.2422029e-4 * day);
    const double stem = std::sin(xnodce);
    const double ctem = std::cos(xnodce);
    const double zcosil = 0.91375164 - 0.03568096 * ctem;
    const double zsinil = std::sqrt(1.0 - zcosil * zcosil);
    const double zsinhl = 0.089683511 * stem / zsinil;
    const double zcoshl = std::sqrt(1.0 - zsinhl * zsinhl);
    const double c = 4.7199672 + 0.2299715 * day;
    const double gam = 5.8351514 + 0.001944368 * day;
    ds.zmol = Wrap2Pi(c - gam);
    double zx = 0.39785416 * stem / zsinil;
    const double zy = zcoshl * ctem + 0.91744867 * zsinhl * stem;
    zx = std::atan2(zx, zy);
    zx = gam + zx - xnodce;
    const double zcosgl = std::cos(zx);
    const double zsingl = std::sin(zx);
    ds.zmos = Wrap2Pi(6.2565837 + 0.017201977 * day);

    // Solar terms in the first pass, lunar terms in the second.
    double zcosg = kZCOSGS, zsing = kZSINGS, zcosi = kZCOSIS, zsini = kZSINIS;
    double zcosh = cosq, zsinh = sinq;
    double cc = kC1SS, zn = kZNS, ze = kZES;
    double se = 0.0, si = 0.0, sl = 0.0, sgh = 0.0, shdq = 0.0;
    const bool shdqZero = el.Inclination() < 0.052359877 || el.Inclination() > kPI - 0.052359877;

    for (int pass = 0; pass < 2; ++pass) {
        const double a1 = zcosg * zcosh + zsing * zcosi * zsinh;
        const double a3 = -zsing * zcosh + zcosg * zcosi * zsinh;
        const double a7 = -zcosg * zsinh + zsing * zcosi * zcosh;
        const double a8 = zsing * zsini;
        const double a9 = zsing * zsinh + zcosg * zcosi * zcosh;
        const double a10 = zcosg * zsini;
        const double a2 = cosio * a7 + sinio * a8;
        const double a4 = cosio * a9 + sinio * a10;
        const double a5 = -sinio * a7 + cosio * a8;
        const double a6 = -sinio * a9 + cosio * a10;
        const double x1 = a1 * cosg + a2 * sing;
        const double x2 = a3 * cosg + a4 * sing;
        const double x3 = -a1 * sing + a2 * cosg;
        const double x4 = -a3 * sing + a4 * cosg;
        const double x5 = a5 * sing;
        const double x6 = a6 * sing;
        const double x7 = a5 * cosg;
        const double x8 = a6 * cosg;
        const double z31 = 12.0 * x1 * x1 - 3.0 * x3 * x3;
        const double z32 = 24.0 * x1 * x2 - 6.0 * x3 * x4;
        const double z33 = 12.0 * x2 * x2 - 3.0 * x4 * x4;
        double z1 = 3.0 * (a1 * a1 + a2 * a2) + z31 * eosq;
        double z2 = 6.0 * (a1 * a3 + a2 * a4) + z32 * eosq;
        double z3 = 3.0 * (a3 * a3 + a4 * a4) + z33 * eosq;
        const double z11 = -6.0 * a1 * a5 + eosq * (-24.0 * x1 * x7 - 6.0 * x3 * x5);
        const double z12 = -6.0 * (a1 * a6 + a3 * a5) +
                           eosq * (-24.0 * (x2 * x7 + x1 * x8) - 6.0 * (x3 * x6 + x4 * x5));
        const double z13 = -6.0 * a3 * a6 + eosq * (-24.0 * x2 * x8 - 6.0 * x4 * x6);
        const double z21 = 6.0 * a2 * a5 + eosq * (24.0 * x1 * x5 - 6.0 * x3 * x7);
        const double z22 = 6.0 * (a4 * a5 + a2 * a6) +
                           eosq * (24.0 * (x2 * x5 + x1 * x6) - 6.0 * (x4 * x7 + x3 * x8));
        const double z23 = 6.0 * a4 * a6 + eosq * (24.0 * x2 * x6 - 6.0 * x4 * x8);
        z1 = z1 + z1 + betao2 * z31;
        z2 = z2 + z2 + betao2 * z32;
        z3 = z3 + z3 + betao2 * z33;
        const double s3 = cc * xnoi;
        const double s2 = -0.5 * s3 / betao;
        const double s4 = s3 * betao;
        const double s1 = -15.0 * eq * s4;
        const double s5 = x1 * x3 + x2 * x4;
        const double s6 = x2 * x3 + x1 * x4;
        const double s7 = x2 * x4 - x1 * x3;
        se = s1 * zn * s5;
        si = s2 * zn * (z11 + z13);
        sl = -zn * s3 * (z1 + z3 - 14.0 - 6.0 * eosq);
        sgh = s4 * zn * (z31 + z33 - 6.0);
        shdq = shdqZero ? 0.0 : -zn * s2 * (z21 + z23) / sinio;
        ds.ee2 = 2.0 * s1 * s6;
        ds.e3 = 2.0 * s1 * s7;
        ds.xi2 = 2.0 * s2 * z12;
        ds.xi3 = 2.0 * s2 * (z13 - z11);
        ds.xl2 = -2.0 * s3 * z2;
        ds.xl3 = -2.0 * s3 * (z3 - z1);
        ds.xl4 = -2.0 * s3 * (-21.0 - 9.0 * eosq) * ze;
        ds.xgh2 = 2.0 * s4 * z32;
        ds.xgh3 = 2.0 * s4 * (z33 - z31);
        ds.xgh4 = -18.0 * s4 * ze;
        ds.xh2 = -2.0 * s2 * z22;
        ds.xh3 = -2.0 * s2 * (z23 - z21);
        if (pass == 1)
            break;

        ds.sse = se;
        ds.ssi = si;
        ds.ssl = sl;
        ds.ssh = shdq;
        ds.ssg = sgh - cosio * ds.ssh;
        ds.se2 = ds.ee2;
        ds.si2 = ds.xi2;
        ds.sl2 = ds.xl2;
        ds.sgh2 = ds.xgh2;
        ds.sh2 = ds.xh2;
        ds.se3 = ds.e3;
        ds.si3 = ds.xi3;
        ds.sl3 = ds.xl3;
        ds.sgh3 = ds.xgh3;
        ds.sh3 = ds.xh3;
        ds.sl4 = ds.xl4;
        ds.sgh4 = ds.xgh4;

        zcosg = zcosgl;
        zsing = zsingl;
        zcosi = zcosil;
        zsini = zsinil;
        zcosh = zcoshl * cosq + zsinhl * sinq;
        zsinh = sinq * zcoshl - cosq * zsinhl;
        zn = kZNL;
        cc = kC1L;
        ze = kZEL;
    }
    ds.sse += se;
    ds.ssi += si;
    ds.ssl += sl;
    ds.ssg += sgh - cosio * shdq;
    ds.ssh += shdq;

    ds.resonance = RES_NONE;
    double bfact = 0.0;
    if (n < 0.0052359877 && n > 0.0034906585) {
        // One-day synchronous resonance.
        ds.resonance = RES_SYNCHRONOUS;
        const double g200 = 1.0 + eosq * (-2.5 + 0.8125 * eosq);
        const double g310 = 1.0 + 2.0 * eosq;
        const double g300 = 1.0 + eosq * (-6.0 + 6.60937 * eosq);
        const double f220 = 0.75 * (1.0 + cosio) * (1.0 + cosio);
        const double f311 = 0.9375 * sinio * sinio * (1.0 + 3.0 * cosio) - 0.75 * (1.0 + cosio);
        double f330 = 1.0 + cosio;
        f330 = 1.875 * f330 * f330 * f330;
        ds.del1 = 3.0 * n * n * aqnv * aqnv;
        ds.del2 = 2.0 * ds.del1 * f220 * g200 * kQ22;
        ds.del3 = 3.0 * ds.del1 * f330 * g300 * kQ33 * aqnv;
        ds.del1 = ds.del1 * f311 * g310 * kQ31 * aqnv;
        ds.xlamo = Wrap2Pi(el.MeanAnomaly() + el.AscendingNode() + el.ArgumentPerigee() - ds.gsto);
        bfact = xmdot + omgdot + xnodot - kTHDT;
        bfact = bfact + ds.ssl + ds.ssg + ds.ssh;
    } else if (n >= 0.00826 && n <= 0.00924 && eq >= 0.5) {
        // Half-day resonance.
        ds.resonance = RES_HALF_DAY;
        const double eoc = eq * eosq;
        const double g201 = -0.306 - (eq - 0.64) * 0.440;
        double g211, g310, g322, g410, g422, g520;
        if (eq <= 0.65) {
            g211 = 3.616 - 13.247 * eq + 16.290 * eosq;
            g310 = -19.302 + 117.390 * eq - 228.419 * eosq + 156.591 * eoc;
            g322 = -18.9068 + 109.7927 * eq - 214.6334 * eosq + 146.5816 * eoc;
            g410 = -41.122 + 242.694 * eq - 471.094 * eosq + 313.953 * eoc;
            g422 = -146.407 + 841.880 * eq - 1629.014 * eosq + 1083.435 * eoc;
            g520 = -532.114 + 3017.977 * eq - 5740.032 * eosq + 3708.276 * eoc;
        } else {
            g211 = -72.099 + 331.819 * eq - 508.738 * eosq + 266.724 * eoc;
            g310 = -346.844 + 1582.851 * eq - 2415.925 * eosq + 1246.113 * eoc;
            g322 = -342.585 + 1554.908 * eq - 2366.899 * eosq + 1215.972 * eoc;
            g410 = -1052.797 + 4758.686 * eq - 7193.992 * eosq + 3651.957 * eoc;
            g422 = -3581.69 + 16178.11 * eq - 24462.77 * eosq + 12422.52 * eoc;
            if (eq <= 0.715)
                g520 = 1464.74 - 4664.75 * eq + 3763.64 * eosq;
            else
                g520 = -5149.66 + 29936.92 * eq - 54087.36 * eosq + 31324.56 * eoc;
        }
        double g533, g521, g532;
        if (eq < 0.7) {
            g533 = -919.2277 + 4988.61 * eq - 9064.77 * eosq + 5542.21 * eoc;
            g521 = -822.71072 + 4568.6173 * eq - 8491.4146 * eosq + 5337.524 * eoc;
            g532 = -853.666 + 4690.25 * eq - 8624.77 * eosq + 5341.4 * eoc;
        } else {
            g533 = -37995.78 + 161616.52 * eq - 229838.2 * eosq + 109377.94 * eoc;
            g521 = -51752.104 + 218913.95 * eq - 309468.16 * eosq + 146349.42 * eoc;
            g532 = -40023.88 + 170470.89 * eq - 242699.48 * eosq + 115605.82 * eoc;
        }
        const double sini2 = sinio * sinio;
        const double f220 = 0.75 * (1.0 + 2.0 * cosio + theta2);
        const double f221 = 1.5 * sini2;
        const double f321 = 1.875 * sinio * (1.0 - 2.0 * cosio - 3.0 * theta2);
        const double f322 = -1.875 * sinio * (1.0 + 2.0 * cosio - 3.0 * theta2);
        const double f441 = 35.0 * sini2 * f220;
        const double f442 = 39.3750 * sini2 * sini2;
        const double f522 = 9.84375 * sinio *
                            (sini2 * (1.0 - 2.0 * cosio - 5.0 * theta2) +
                             0.33333333 * (-2.0 + 4.0 * cosio + 6.0 * theta2));
        const double f523 = sinio * (4.92187512 * sini2 * (-2.0 - 4.0 * cosio + 10.0 * theta2) +
                                     6.56250012 * (1.0 + 2.0 * cosio - 3.0 * theta2));
        const double f542 = 29.53125 * sinio *
                            (2.0 - 8.0 * cosio + theta2 * (-12.0 + 8.0 * cosio + 10.0 * theta2));
        const double f543 = 29.53125 * sinio *
                            (-2.0 - 8.0 * cosio + theta2 * (12.0 + 8.0 * cosio - 10.0 * theta2));
        const double xno2 = n * n;
        const double ainv2 = aqnv * aqnv;
        double temp1 = 3.0 * xno2 * ainv2;
        double temp = temp1 * kROOT22;
        ds.d2201 = temp * f220 * g201;
        ds.d2211 = temp * f221 * g211;
        temp1 = temp1 * aqnv;
        temp = temp1 * kROOT32;
        ds.d3210 = temp * f321 * g310;
        ds.d3222 = temp * f322 * g322;
        temp1 = temp1 * aqnv;
        temp = 2.0 * temp1 * kROOT44;
        ds.d4410 = temp * f441 * g410;
        ds.d4422 = temp * f442 * g422;
        temp1 = temp1 * aqnv;
        temp = temp1 * kROOT52;
        ds.d5220 = temp * f522 * g520;
        ds.d5232 = temp * f523 * g532;
        temp = 2.0 * temp1 * kROOT54;
        ds.d5421 = temp * f542 * g521;
        ds.d5433 = temp * f543 * g533;
        ds.xlamo = Wrap2Pi(el.MeanAnomaly() + el.AscendingNode() + el.AscendingNode() - ds.gsto -
                           ds.gsto);
        bfact = xmdot + xnodot + xnodot - kTHDT - kTHDT;
        bfact = bfact + ds.ssl + ds.ssh + ds.ssh;
    }

    if (ds.resonance != RES_NONE) {
        ds.xfact = bfact - n;
        m_integrator.atime = 0.0;
        m_integrator.xni = n;
        m_integrator.xli = ds.xlamo;
    }
}

void SGP4::DeepSpaceSecular(double tsince, double& xll, double& omgasm, double& xnodes,
                            double& em, double& xinc, double& xn) const
{
    const DeepSpaceConstants& ds = m_deepspace;
    xll += ds.ssl * tsince;
    omgasm += ds.ssg * tsince;
    xnodes += ds.ssh * tsince;
    em += ds.sse * tsince;
    xinc += ds.ssi * tsince;
    if (ds.resonance == RES_NONE)
        return;

    // The integrator only moves away from the epoch; otherwise it restarts.
    IntegratorParams& ip = m_integrator;
    if (std::fabs(tsince) < kSTEP || tsince * ip.atime <= 0.0 ||
        std::fabs(tsince) < std::fabs(ip.atime)) {
        ip.atime = 0.0;
        ip.xni = m_elements.RecoveredMeanMotion();
        ip.xli = ds.xlamo;
    }

    double xndot = 0.0, xnddt = 0.0, xldot = 0.0, ft = 0.0;
    for (;;) {
        if (ds.resonance == RES_SYNCHRONOUS) {
            xndot = ds.del1 * std::sin(ip.xli - kFASX2) +
                    ds.del2 * std::sin(2.0 * (ip.xli - kFASX4)) +
                    ds.del3 * std::sin(3.0 * (ip.xli - kFASX6));
            xnddt = ds.del1 * std::cos(ip.xli - kFASX2) +
                    2.0 * ds.del2 * std::cos(2.0 * (ip.xli - kFASX4)) +
                    3.0 * ds.del3 * std::cos(3.0 * (ip.xli - kFASX6));
        } else {
            const double xomi = m_elements.ArgumentPerigee() + m_common.omgdot * ip.atime;
            const double x2omi = xomi + xomi;
            const double x2li = ip.xli + ip.xli;
            xndot = ds.d2201 * std::sin(x2omi + ip.xli - kG22) +
                    ds.d2211 * std::sin(ip.xli - kG22) +
                    ds.d3210 * std::sin(xomi + ip.xli - kG32) +
                    ds.d3222 * std::sin(-xomi + ip.xli - kG32) +
                    ds.d4410 * std::sin(x2omi + x2li - kG44) +
                    ds.d4422 * std::sin(x2li - kG44) +
                    ds.d5220 * std::sin(xomi + ip.xli - kG52) +
                    ds.d5232 * std::sin(-xomi + ip.xli - kG52) +
                    ds.d5421 * std::sin(xomi + x2li - kG54) +
                    ds.d5433 * std::sin(-xomi + x2li - kG54);
            xnddt = ds.d2201 * std::cos(x2omi + ip.xli - kG22) +
                    ds.d2211 * std::cos(ip.xli - kG22) +
                    ds.d3210 * std::cos(xomi + ip.xli - kG32) +
                    ds.d3222 * std::cos(-xomi + ip.xli - kG32) +
                    ds.d5220 * std::cos(xomi + ip.xli - kG52) +
                    ds.d5232 * std::cos(-xomi + ip.xli - kG52) +
                    2.0 * (ds.d4410 * std::cos(x2omi + x2li - kG44) +
                           ds.d4422 * std::cos(x2li - kG44) +
                           ds.d5421 * std::cos(xomi + x2li - kG54) +
                           ds.d5433 * std::cos(-xomi + x2li - kG54));
        }
        xldot = ip.xni + ds.xfact;
        xnddt *= xldot;

        ft = tsince - ip.atime;
        if (std::fabs(ft) < kSTEP)
            break;
        const double delt = ft >= 0.0 ? kSTEP : -kSTEP;
        ip.xli += xldot * delt + xndot * kSTEP2;
        ip.xni += xndot * delt + xnddt * kSTEP2;
        ip.atime += delt;
    }

    xn = ip.xni + xndot * ft + xnddt * ft * ft * 0.5;
    const double xl = ip.xli + xldot * ft + xndot * ft * ft * 0.5;
    const double theta = Wrap2Pi(ds.gsto + tsince * kTHDT);
    if (ds.resonance == RES_SYNCHRONOUS)
        xll = xl + theta - xnodes - omgasm;
    else
        xll = xl + 2.0 * (theta - xnodes);
}

void SGP4::DeepSpacePeriodics(double tsince, double& em, double& xinc, double& omgasm,
                              double& xnodes, double& xll) const
{
    const DeepSpaceConstants& ds = m_deepspace;

    double zm = ds.zmos + kZNS * tsince;
    double zf = zm + 2.0 * kZES * std::sin(zm);
    double sinzf = std::sin(zf);
    double f2 = 0.5 * sinzf * sinzf - 0.25;
    double f3 = -0.5 * sinzf * std::cos(zf);
    const double ses = ds.se2 * f2 + ds.se3 * f3;
    const double sis = ds.si2 * f2 + ds.si3 * f3;
    const double sls = ds.sl2 * f2 + ds.sl3 * f3 + ds.sl4 * sinzf;
    const double sghs = ds.sgh2 * f2 + ds.sgh3 * f3 + ds.sgh4 * sinzf;
    const double shs = ds.sh2 * f2 + ds.sh3 * f3;

    zm = ds.zmol + kZNL * tsince;
    zf = zm + 2.0 * kZEL * std::sin(zm);
    sinzf = std::sin(zf);
    f2 = 0.5 * sinzf * sinzf - 0.25;
    f3 = -0.5 * sinzf * std::cos(zf);
    const double sel = ds.ee2 * f2 + ds.e3 * f3;
    const double sil = ds.xi2 * f2 + ds.xi3 * f3;
    const double sll = ds.xl2 * f2 + ds.xl3 * f3 + ds.xl4 * sinzf;
    const double sghl = ds.xgh2 * f2 + ds.xgh3 * f3 + ds.xgh4 * sinzf;
    const double shl = ds.xh2 * f2 + ds.xh3 * f3;

    const double pe = ses + sel;
    const double pinc = sis + sil;
    const double pl = sls + sll;
    const double pgh = sghs + sghl;
    const double ph = shs + shl;

    xinc += pinc;
    em += pe;
    const double sinis = std::sin(xinc);
    const double cosis = std::cos(xinc);

    if (xinc >= 0.2) {
        const double tmp_ph = ph / sinis;
        omgasm += pgh - cosis * tmp_ph;
        xnodes += tmp_ph;
        xll += pl;
        return;
    }

    // Lyddane's form for low inclinations.
    const double sinok = std::sin(xnodes);
    const double cosok = std::cos(xnodes);
    double alfdp = sinis * sinok;
    double betdp = sinis * cosok;
    const double dalf = ph * cosok + pinc * cosis * sinok;
    const double dbet = -ph * sinok + pinc * cosis * cosok;
    alfdp += dalf;
    betdp += dbet;
    xnodes = Wrap2Pi(xnodes);
    double xls = xll + omgasm + cosis * xnodes;
    const double dls = pl + pgh - pinc * xnodes * sinis;
    xls += dls;
    const double oldxnodes = xnodes;
    xnodes = std::atan2(alfdp, betdp);
    if (std::fabs(oldxnodes - xnodes) > kPI) {
        if (xnodes < oldxnodes)
            xnodes += kTWOPI;
        else
            xnodes -= kTWOPI;
    }
    xll += pl;
    omgasm = xls - xll - cosis * xnodes;
}

}  // namespace libsgp4
