#include "map/projections.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double PI = M_PI;
constexpr double PI_4 = 0.7853981633974483;
constexpr double PI_2 = 1.5707963267948966;
constexpr double TWO_OVER_PI = 0.6366197723675815;
constexpr double MERCATOR_MAX_LAT = 1.4835298641951802;  // 85 degrees

struct mpName_t {
    int id;
    const char* name;
};

// Ordered by name, ended by {0, nullptr}.
const mpName_t s_mps[] = {
    {MP_AITOFF, "Aitoff"},
    {MP_BOTTOMLEY, "Bottomley"},
    {MP_ECKERT_II, "Eckert II"},
    {MP_EQUIRECT, "Equirectangular"},
    {MP_GALL_STEREO, "Gall Stereographic"},
    {MP_HAMMER, "Hammer"},
    {MP_KAVRAYSKIY_VII, "Kavrayskiy VII"},
    {MP_MERCATOR, "Mercator"},
    {MP_MILLER, "Miller"},
    {MP_NATURAL_EARTH, "Natural Earth"},
    {MP_SINUSOIDAL, "Sinusoidal"},
    {MP_THE_TIMES, "The Times"},
    {MP_VAN_DER_GRINTEN, "Van der Grinten"},
    {MP_WAGNER_VI, "Wagner VI"},
    {MP_WINKEL_TRIPEL, "Winkel Tripel"},
    {0, nullptr},
};

// Applies f(lambda, phi, &x, &y) in double to every point.
template <typename F>
void each(point2f_t* out, const point2f_t* in, uint64_t n, F f)
{
    for (uint64_t i = 0; i < n; ++i) {
        double x, y;
        f(static_cast<double>(in[i].x), static_cast<double>(in[i].y), &x, &y);
        out[i].x = static_cast<float>(x);
        out[i].y = static_cast<float>(y);
    }
}

// Shared by Aitoff and Winkel Tripel: alpha and sin(alpha)/alpha; false at
// the origin, where alpha is exactly 0.
bool aitoff_terms(double lambda, double phi, double* s)
{
    double alpha = static_cast<float>(std::acos(std::cos(phi) * std::cos(lambda / 2)));
    if (alpha == 0)
        return false;
    *s = std::sin(alpha) / alpha;
    return true;
}

}  // namespace

void mp_equirect(point2f_t* out, const point2f_t* in, uint64_t n)
{
    std::copy_n(in, n, out);
}

void mp_miller(point2f_t* out, const point2f_t* in, uint64_t n)
{
    each(out, in, n, [](double l, double p, double* x, double* y) {
        *x = l;
        *y = std::log(std::tan(p * 0.8 * 0.5 + PI_4)) / 0.8;
    });
}

void mp_gall_stereo(point2f_t* out, const point2f_t* in, uint64_t n)
{
    each(out, in, n, [](double l, double p, double* x, double* y) {
        *x = l * 0.5 / 1.414213562;
        *y = std::tan(p * 0.5) * 0.8535533905;
    });
}

void mp_mercator(point2f_t* out, const point2f_t* in, uint64_t n)
{
    each(out, in, n, [](double l, double p, double* x, double* y) {
        double pc = std::clamp(p, -MERCATOR_MAX_LAT, MERCATOR_MAX_LAT);
        *x = l;
        *y = std::log(std::tan(pc * 0.5 + PI_4));
    });
}

void mp_the_times(point2f_t* out, const point2f_t* in, uint64_t n)
{
    for (uint64_t i = 0; i < n; ++i) {
        double t = std::tan(static_cast<double>(in[i].y) * 0.5);
        double s = std::sin(t * PI_4);
        float c = static_cast<float>(0.74482 - 0.34588 * s * s);
        out[i].x = c * in[i].x;
        out[i].y = static_cast<float>(1.70711 * t);
    }
}

void mp_eckert_ii(point2f_t* out, const point2f_t* in, uint64_t n)
{
    each(out, in, n, [](double l, double p, double* x, double* y) {
        double q = static_cast<float>(std::sqrt(4 - 3 * std::sin(std::fabs(p))));
        *x = l * 0.46065886596178063 * q;
        *y = (2 - q) * 1.4472025091165353;
        if (p < 0)
            *y = -*y;
    });
}

void mp_winkel_tripel(point2f_t* out, const point2f_t* in, uint64_t n)
{
    each(out, in, n, [](double l, double p, double* x, double* y) {
        double s;
        if (!aitoff_terms(l, p, &s)) {
            *x = *y = 0;
            return;
        }
        *x = (2 * std::cos(p) * std::sin(l / 2) / s + l * TWO_OVER_PI) * 0.5;
        *y = (std::sin(p) / s + p) * 0.5;
    });
}

void mp_kavrayskiy_vii(point2f_t* out, const point2f_t* in, uint64_t n)
{
    each(out, in, n, [](double l, double p, double* x, double* y) {
        double r = p / PI;
        *x = std::sqrt(0.333333 - r * r) * (l * 3 * 0.5);
        *y = p;
    });
}

void mp_wagner_vi(point2f_t* out, const point2f_t* in, uint64_t n)
{
    each(out, in, n, [](double l, double p, double* x, double* y) {
        double r = p / PI;
        *x = std::sqrt(1 - 3 * r * r) * l;
        *y = p;
    });
}

void mp_natural_earth(point2f_t* out, const point2f_t* in, uint64_t n)
{
    each(out, in, n, [](double l, double p, double* x, double* y) {
        double lc = std::clamp(l, -PI, PI);
        double pc = std::clamp(p, -PI_2, PI_2);
        *x = lc * (0.8707 - 0.131979 * std::pow(pc, 2) - 0.013791 * std::pow(pc, 4) +
                   0.003971 * std::pow(pc, 10) - 0.001529 * std::pow(pc, 12));
        *y = pc * (1.007226 + 0.015085 * std::pow(pc, 2) - 0.044475 * std::pow(pc, 6) +
                   0.028874 * std::pow(pc, 8) - 0.005916 * std::pow(pc, 10));
    });
}

void mp_sinusoidal(point2f_t* out, const point2f_t* in, uint64_t n)
{
    for (uint64_t i = 0; i < n; ++i) {
        out[i].x = static_cast<float>(std::cos(static_cast<double>(in[i].y))) * in[i].x;
        out[i].y = in[i].y;
    }
}

void mp_aitoff(point2f_t* out, const point2f_t* in, uint64_t n)
{
    each(out, in, n, [](double l, double p, double* x, double* y) {
        double s;
        if (!aitoff_terms(l, p, &s)) {
            *x = *y = 0;
            return;
        }
        *x = 2 * std::cos(p) * std::sin(l / 2) / s;
        *y = std::sin(p) / s;
    });
}

void mp_hammer(point2f_t* out, const point2f_t* in, uint64_t n)
{
    each(out, in, n, [](double l, double p, double* x, double* y) {
        double d = static_cast<float>(std::sqrt(1 + std::cos(p) * std::cos(l / 2)));
        *x = std::cos(p) * 2.8284271247461903 * std::sin(l / 2) / d;
        *y = std::sin(p) * 1.4142135623730951 / d;
    });
}

void mp_van_der_grinten(point2f_t* out, const point2f_t* in, uint64_t n)
{
    each(out, in, n, [](double l, double p, double* x, double* y) {
        double theta = std::asin(std::min(1.0, std::fabs(2 * p / PI)));
        if (p == 0) {
            *x = l;
            *y = 0;
            return;
        }
        if (std::trunc(l * 1000000) == 0 || std::trunc(std::fabs(p) * 1000000) == 1570796) {
            *x = 0;
            *y = PI * std::tan(theta / 2);
            if (p < 0)
                *y = -*y;
            return;
        }
        double a = std::fabs(PI / l - l / PI) / 2;
        double g = std::cos(theta) / (std::sin(theta) + std::cos(theta) - 1);
        double pp = g * (2 / std::sin(theta) - 1);
        double q = a * a + g;
        double p2 = pp * pp, a2 = a * a;
        *x = PI * (a * (g - p2) + std::sqrt(a2 * (g - p2) * (g - p2) - (p2 + a2) * (g * g - p2))) /
             (p2 + a2);
        if (l < 0)
            *x = -*x;
        *y = PI * (pp * q - a * std::sqrt((a2 + 1) * (p2 + a2) - q * q)) / (p2 + a2);
        if (p < 0)
            *y = -*y;
    });
}

void mp_bottomley(point2f_t* out, const point2f_t* in, uint64_t n)
{
    each(out, in, n, [](double l, double p, double* x, double* y) {
        const double k = 0.49999999999999994;
        double rho = PI_2 - p;
        double e = std::sin(rho) * (l * k) / rho;
        *x = std::sin(e) * rho / k;
        *y = PI_2 - std::cos(e) * rho;
    });
}

const char* map_projection_name(int id)
{
    for (const mpName_t* m = s_mps; m->name; ++m)
        if (m->id == id)
            return m->name;
    return nullptr;
}

mp_func_t map_projection_func(int id)
{
    switch (id) {
    case MP_EQUIRECT: return mp_equirect;
    case MP_GALL_STEREO: return mp_gall_stereo;
    case MP_MILLER: return mp_miller;
    case MP_MERCATOR: return mp_mercator;
    case MP_THE_TIMES: return mp_the_times;
    case MP_ECKERT_II: return mp_eckert_ii;
    case MP_WINKEL_TRIPEL: return mp_winkel_tripel;
    case MP_KAVRAYSKIY_VII: return mp_kavrayskiy_vii;
    case MP_WAGNER_VI: return mp_wagner_vi;
    case MP_NATURAL_EARTH: return mp_natural_earth;
    case MP_AITOFF: return mp_aitoff;
    case MP_HAMMER: return mp_hammer;
    case MP_VAN_DER_GRINTEN: return mp_van_der_grinten;
    case MP_BOTTOMLEY: return mp_bottomley;
    case MP_SINUSOIDAL: return mp_sinusoidal;
    default: return nullptr;
    }
}
