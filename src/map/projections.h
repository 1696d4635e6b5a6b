// The fifteen world map projections and their registry. Input points hold
// x = longitude, y = latitude in radians; output points are plane
// coordinates with x to the east, y to the north and (0, 0) at the origin.
#pragma once
#include <cstdint>

#include "support/types.h"

// Projects n points from in to out (distinct arrays).
using mp_func_t = void (*)(point2f_t* out, const point2f_t* in, uint64_t n);

enum mapProjectionId {
    MP_EQUIRECT = 100,
    MP_GALL_STEREO = 101,
    MP_MILLER = 102,
    MP_MERCATOR = 103,
    MP_THE_TIMES = 104,
    MP_ECKERT_II = 300,
    MP_WINKEL_TRIPEL = 500,
    MP_KAVRAYSKIY_VII = 501,
    MP_WAGNER_VI = 502,
    MP_NATURAL_EARTH = 503,
    MP_AITOFF = 700,
    MP_HAMMER = 701,
    MP_VAN_DER_GRINTEN = 702,
    MP_BOTTOMLEY = 703,
    MP_SINUSOIDAL = 704,
};

void mp_equirect(point2f_t* out, const point2f_t* in, uint64_t n);
void mp_miller(point2f_t* out, const point2f_t* in, uint64_t n);
void mp_gall_stereo(point2f_t* out, const point2f_t* in, uint64_t n);
void mp_mercator(point2f_t* out, const point2f_t* in, uint64_t n);
void mp_the_times(point2f_t* out, const point2f_t* in, uint64_t n);
void mp_eckert_ii(point2f_t* out, const point2f_t* in, uint64_t n);
void mp_winkel_tripel(point2f_t* out, const point2f_t* in, uint64_t n);
void mp_kavrayskiy_vii(point2f_t* out, const point2f_t* in, uint64_t n);
void mp_wagner_vi(point2f_t* out, const point2f_t* in, uint64_t n);
void mp_natural_earth(point2f_t* out, const point2f_t* in, uint64_t n);
void mp_sinusoidal(point2f_t* out, const point2f_t* in, uint64_t n);
void mp_aitoff(point2f_t* out, const point2f_t* in, uint64_t n);
void mp_hammer(point2f_t* out, const point2f_t* in, uint64_t n);
void mp_van_der_grinten(point2f_t* out, const point2f_t* in, uint64_t n);
void mp_bottomley(point2f_t* out, const point2f_t* in, uint64_t n);

// Display name of a projection id, null when the id is not in the table.
const char* map_projection_name(int id);
// Function of a projection id, null when the id has none.
mp_func_t map_projection_func(int id);
// The projection of id over many points at once: evaluated in vector lanes
// for those built on trigonometric functions (Winkel Tripel, Aitoff, Hammer,
// Bottomley, sinusoidal), the scalar function for the others. The results
// equal the scalar function's.
mp_func_t map_projection_lanes(int id);
