#!/usr/bin/env python3
"""Reference values for the projection and geodetic tests, computed from the
published formulas with mpmath (40 digits), independently of the C++ code.
Run once; its output is kept in tests/map/projections_test.cpp and
tests/sgp4/geodetic_test.cpp.

Projection sources: J. P. Snyder, Map Projections: A Working Manual (USGS
Professional Paper 1395, 1987) for Equirectangular, Miller (11-1..2),
Mercator (7-1..2), Sinusoidal (30-1..2), Van der Grinten (29-1..6), Hammer
and Aitoff; J. P. Snyder, Flattening the Earth (1993) for Winkel Tripel,
Eckert II, Wagner VI, Kavrayskiy VII, Gall stereographic and The Times
(Moir, 1965); B. Savric et al., A Polynomial Equation for the Natural Earth
Projection (2011); H. Bottomley, the Bonne variant of 2003 (standard
parallel 30 degrees). Inputs are the float radians the tests pass.

Geodetic: a point is chosen by geodetic latitude, altitude and longitude on
the WGS-72 ellipsoid and turned into Cartesian coordinates by the closed
forward formulas; Heikkinen's closed-form inverse (1982) checks the round
trip.
"""
import struct

import mpmath as mp

mp.mp.dps = 40
PI = mp.pi


def f32(v):
    return struct.unpack('f', struct.pack('f', float(v)))[0]


def rad32(deg):
    return mp.mpf(f32(mp.mpf(deg) * PI / 180))


def sinc(a):
    return mp.sin(a) / a


def aitoff(l, p):
    a = mp.acos(mp.cos(p) * mp.cos(l / 2))
    return 2 * mp.cos(p) * mp.sin(l / 2) / sinc(a), mp.sin(p) / sinc(a)


def van_der_grinten(l, p):
    th = mp.asin(abs(2 * p / PI))
    A = abs(PI / l - l / PI) / 2
    G = mp.cos(th) / (mp.sin(th) + mp.cos(th) - 1)
    P = G * (2 / mp.sin(th) - 1)
    Q = A * A + G
    d = P * P + A * A
    x = PI * (A * (G - P * P) + mp.sqrt(A * A * (G - P * P) ** 2 - d * (G * G - P * P))) / d
    y = PI * (P * Q - A * mp.sqrt((A * A + 1) * d - Q * Q)) / d
    return mp.sign(l) * x, mp.sign(p) * y


def bottomley(l, p):
    s1 = mp.sin(PI / 6)
    rho = PI / 2 - p
    e = l * s1 * mp.sin(rho) / rho
    return rho * mp.sin(e) / s1, PI / 2 - rho * mp.cos(e)


def times(l, p):
    t = mp.tan(p / 2)
    s = mp.sin(PI * t / 4)
    return l * (mp.mpf('0.74482') - mp.mpf('0.34588') * s * s), mp.mpf('1.70711') * t


def eckert_ii(l, p):
    q = mp.sqrt(4 - 3 * mp.sin(abs(p)))
    return 2 * l * q / mp.sqrt(6 * PI), mp.sign(p) * mp.sqrt(2 * PI / 3) * (2 - q)


def natural_earth(l, p):
    x = l * (mp.mpf('0.8707') - mp.mpf('0.131979') * p**2 - mp.mpf('0.013791') * p**4
             + mp.mpf('0.003971') * p**10 - mp.mpf('0.001529') * p**12)
    y = p * (mp.mpf('1.007226') + mp.mpf('0.015085') * p**2 - mp.mpf('0.044475') * p**6
             + mp.mpf('0.028874') * p**8 - mp.mpf('0.005916') * p**10)
    return x, y


def winkel_tripel(l, p):
    ax, ay = aitoff(l, p)
    return (l * 2 / PI + ax) / 2, (p + ay) / 2


def hammer(l, p):
    d = mp.sqrt(1 + mp.cos(p) * mp.cos(l / 2))
    return 2 * mp.sqrt(2) * mp.cos(p) * mp.sin(l / 2) / d, mp.sqrt(2) * mp.sin(p) / d


# Gall stereographic is drawn at half the published scale (x = l / sqrt 2,
# y = (1 + sqrt 2 / 2) tan(p / 2)); Kavrayskiy VII writes 1/3 as 0.333333.
PROJECTIONS = [
    ('MP_EQUIRECT', lambda l, p: (l, p)),
    ('MP_MILLER', lambda l, p: (l, mp.log(mp.tan(PI / 4 + 2 * p / 5)) * 5 / 4)),
    ('MP_GALL_STEREO', lambda l, p: (l / mp.sqrt(2) / 2, (1 + mp.sqrt(2) / 2) * mp.tan(p / 2) / 2)),
    ('MP_MERCATOR', lambda l, p: (l, mp.log(mp.tan(PI / 4 + p / 2)))),
    ('MP_THE_TIMES', times),
    ('MP_ECKERT_II', eckert_ii),
    ('MP_WINKEL_TRIPEL', winkel_tripel),
    ('MP_KAVRAYSKIY_VII', lambda l, p: (3 * l / 2 * mp.sqrt(mp.mpf('0.333333') - (p / PI) ** 2), p)),
    ('MP_WAGNER_VI', lambda l, p: (l * mp.sqrt(1 - 3 * (p / PI) ** 2), p)),
    ('MP_NATURAL_EARTH', natural_earth),
    ('MP_SINUSOIDAL', lambda l, p: (l * mp.cos(p), p)),
    ('MP_AITOFF', aitoff),
    ('MP_HAMMER', hammer),
    ('MP_VAN_DER_GRINTEN', van_der_grinten),
    ('MP_BOTTOMLEY', bottomley),
]
POINTS = [(60, 35), (-60, -35), (150, 70), (-170, -10), (-100, 55), (30, -80)]

A_KM = mp.mpf('6378.135')
F = 1 / mp.mpf('298.26')
E2 = F * (2 - F)
GEODETIC = [(0, 0, 30), (0, 35786, -100), (45, 400, 135), (80, 20200, -45), (-60, 550, 10),
            (-60, 0, 170), (80, 0.25, 60)]


def heikkinen(r, z):
    b = A_KM * (1 - F)
    ep2 = (A_KM**2 - b**2) / b**2
    Fh = 54 * b * b * z * z
    G = r * r + (1 - E2) * z * z - E2 * (A_KM**2 - b**2)
    c = E2 * E2 * Fh * r * r / G**3
    s = mp.cbrt(1 + c + mp.sqrt(c * c + 2 * c))
    P = Fh / (3 * (s + 1 / s + 1) ** 2 * G * G)
    Q = mp.sqrt(1 + 2 * E2 * E2 * P)
    r0 = -P * E2 * r / (1 + Q) + mp.sqrt(A_KM**2 / 2 * (1 + 1 / Q) - P * (1 - E2) * z * z / (Q * (1 + Q)) - P * r * r / 2)
    U = mp.sqrt((r - E2 * r0) ** 2 + z * z)
    V = mp.sqrt((r - E2 * r0) ** 2 + (1 - E2) * z * z)
    z0 = b * b * z / (A_KM * V)
    return mp.atan((z + ep2 * z0) / r), U * (1 - b * b / (A_KM * V))


def main():
    print('// projections: (lon, lat) degrees ->', ' '.join(str(p) for p in POINTS))
    for name, f in PROJECTIONS:
        vals = []
        for lon, lat in POINTS:
            x, y = f(rad32(lon), rad32(lat))
            vals.append('{%s, %s}' % (mp.nstr(x, 10, strip_zeros=False), mp.nstr(y, 10, strip_zeros=False)))
        print('    {%s, {%s,\n%s%s}},' % (name, ', '.join(vals[:3]), ' ' * (len(name) + 8), ', '.join(vals[3:])))
    print('// geodetic: lat deg, alt km, lon deg -> x, y, z km')
    for lat, alt, lon in GEODETIC:
        p, h, l = mp.mpf(lat) * PI / 180, mp.mpf(alt), mp.mpf(lon) * PI / 180
        n = A_KM / mp.sqrt(1 - E2 * mp.sin(p) ** 2)
        r = (n + h) * mp.cos(p)
        z = (n * (1 - E2) + h) * mp.sin(p)
        hp, hh = heikkinen(r, z)
        assert abs(hp - p) < 1e-20 and abs(hh - h) < 1e-15, (lat, alt)
        print('    {%s, %s, %s, %s, %s, %s},' % (lat, alt, lon, mp.nstr(r * mp.cos(l), 20),
                                                 mp.nstr(r * mp.sin(l), 20), mp.nstr(z, 20)))


if __name__ == '__main__':
    main()
