#include "observer/observer.h"

#include <cmath>

#include "observer/propagate.h"
#include "observer/sun.h"
#include "sgp4/Constants.h"
#include "sgp4/DateTime.h"
#include "sgp4/Eci.h"

using libsgp4::kF;
using libsgp4::kPI;
using libsgp4::kXKMPER;

observer_t obs_make(double latitudeDeg, double longitudeDeg, double heightM)
{
    observer_t o{};
    o.latitude = latitudeDeg * kPI / 180.0;
    o.longitude = longitudeDeg * kPI / 180.0;
    o.height = heightM / 1000.0;
    const double e2 = kF * (2.0 - kF);
    const double sphi = std::sin(o.latitude), cphi = std::cos(o.latitude);
    const double slam = std::sin(o.longitude), clam = std::cos(o.longitude);
    const double n = kXKMPER / std::sqrt(1.0 - e2 * sphi * sphi);
    o.pos[0] = (n + o.height) * cphi * clam;
    o.pos[1] = (n + o.height) * cphi * slam;
    o.pos[2] = (n * (1.0 - e2) + o.height) * sphi;
    o.east[0] = -slam;
    o.east[1] = clam;
    o.east[2] = 0.0;
    o.north[0] = -sphi * clam;
    o.north[1] = -sphi * slam;
    o.north[2] = cphi;
    o.up[0] = cphi * clam;
    o.up[1] = cphi * slam;
    o.up[2] = sphi;
    return o;
}

void obs_toEarthFixed(const libsgp4::Vector& pos, const libsgp4::Vector& vel, double gmst,
                      double outPos[3], double outVel[3])
{
    const double c = std::cos(gmst), s = std::sin(gmst);
    outPos[0] = c * pos.x + s * pos.y;
    outPos[1] = -s * pos.x + c * pos.y;
    outPos[2] = pos.z;
    // The rotating frame adds -omega x r to the inertial velocity.
    outVel[0] = c * vel.x + s * vel.y + kObsEarthRate * outPos[1];
    outVel[1] = -s * vel.x + c * vel.y - kObsEarthRate * outPos[0];
    outVel[2] = vel.z;
}

lookAngles_t obs_lookEarthFixed(const observer_t& obs, const double pos[3], const double vel[3])
{
    const double d[3] = {pos[0] - obs.pos[0], pos[1] - obs.pos[1], pos[2] - obs.pos[2]};
    const double e = d[0] * obs.east[0] + d[1] * obs.east[1];
    const double n = d[0] * obs.north[0] + d[1] * obs.north[1] + d[2] * obs.north[2];
    const double u = d[0] * obs.up[0] + d[1] * obs.up[1] + d[2] * obs.up[2];
    lookAngles_t la;
    la.range = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    la.elevation = std::atan2(u, std::sqrt(e * e + n * n));
    la.azimuth = std::atan2(e, n);
    if (la.azimuth < 0.0)
        la.azimuth += 2.0 * kPI;
    // A tiny negative east gives -0, or a sum that rounds to 2 pi.
    if (la.azimuth == 0.0 || !(la.azimuth < 2.0 * kPI))
        la.azimuth = 0.0;
    la.rangeRate =
        la.range > 0.0 ? (d[0] * vel[0] + d[1] * vel[1] + d[2] * vel[2]) / la.range : 0.0;
    return la;
}

lookAngles_t obs_look(const observer_t& obs, const libsgp4::Vector& pos,
                      const libsgp4::Vector& vel, const libsgp4::DateTime& dt)
{
    double p[3], v[3];
    obs_toEarthFixed(pos, vel, dt.ToGreenwichSiderealTime(), p, v);
    return obs_lookEarthFixed(obs, p, v);
}

bool obs_lookSat(const observer_t& obs, const libsgp4::SGP4& sgp4, const libsgp4::DateTime& dt,
                 const libsgp4::Vector& sun, lookAngles_t* out, bool* sunlit)
{
    libsgp4::Eci eci;
    bool ok = false;
    if (prop_states(sgp4, &dt, 1, &eci, &ok) == 0)
        return false;
    *out = obs_look(obs, eci.Position(), eci.Velocity(), dt);
    *sunlit = sun_sunlit(eci.Position(), sun);
    return true;
}

double obs_azimuthDegrees(double rad, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    double deg = std::round(rad * 180.0 / kPI * scale) / scale;
    if (deg >= 360.0)
        deg -= 360.0;
    return deg > 0.0 ? deg : 0.0;  // no negative zero
}
