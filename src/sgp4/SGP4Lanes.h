// The vector kernels behind SGP4Batch: the near-earth model and the geodetic
// conversion evaluated in SIMD lanes, compiled for every instruction set the
// vector library knows and chosen at run time for the processor. Callers
// outside SGP4Batch use SGP4Batch.h.
#pragma once
#include <cstddef>
#include <cstdint>

namespace libsgp4 {

// Rows of a block: the near-earth constants one propagation reads.
enum LaneConstant {
    LC_M0, LC_ARGP0, LC_NODE0, LC_XMDOT, LC_OMGDOT, LC_XNODOT, LC_XNODCF, LC_C1,
    LC_BSTAR_C4, LC_T2COF, LC_OMGCOF, LC_XMCOF, LC_ETA, LC_DELMO, LC_D2, LC_D3, LC_D4,
    LC_BSTAR_C5, LC_SINMO, LC_T3COF, LC_T4COF, LC_T5COF, LC_A0, LC_E0, LC_N0, LC_INCL,
    LC_SINIO, LC_COSIO, LC_X3THM1, LC_X1MTH2, LC_X7THM1, LC_XLCOF, LC_AYCOF,
    LC_COUNT
};

// Lanes per block: the widest vector of doubles (512 bits) holds one row, the
// narrower ones two or four consecutive pieces of it.
constexpr size_t kBlockLanes = 8;

// Constants of kBlockLanes satellites, row by row, so that one load fills a
// vector with the same constant of consecutive satellites.
struct alignas(64) laneBlock_t {
    double v[LC_COUNT][kBlockLanes];
};

// Rows of a deep-space block: the constants of the deep-space model; SYNC is
// 1 for synchronous resonance, HALF 1 for half-day resonance.
enum DeepConstant {
    DC_M0, DC_ARGP0, DC_NODE0, DC_XMDOT, DC_OMGDOT, DC_XNODOT, DC_XNODCF, DC_C1, DC_BSTAR_C4,
    DC_T2COF, DC_N0, DC_E0, DC_INCL, DC_GSTO, DC_ZMOL, DC_ZMOS, DC_SSE, DC_SSI, DC_SSL, DC_SSG,
    DC_SSH, DC_SE2, DC_SI2, DC_SL2, DC_SGH2, DC_SH2, DC_SE3, DC_SI3, DC_SL3, DC_SGH3, DC_SH3,
    DC_SL4, DC_SGH4, DC_EE2, DC_E3, DC_XI2, DC_XI3, DC_XL2, DC_XL3, DC_XL4, DC_XGH2, DC_XGH3,
    DC_XGH4, DC_XH2, DC_XH3, DC_DEL1, DC_DEL2, DC_DEL3, DC_XFACT, DC_XLAMO, DC_SYNC,
    DC_HALF, DC_D2201, DC_D2211, DC_D3210, DC_D3222, DC_D4410, DC_D4422, DC_D5220, DC_D5232,
    DC_D5421, DC_D5433,
    DC_COUNT
};

struct alignas(64) deepBlock_t {
    double v[DC_COUNT][kBlockLanes];
};

// The resonance integrator of each lane: mean longitude, mean motion and
// minutes from the epoch it stands at (atime 0: at the epoch). It moves as
// the scalar model's does, call after call.
struct laneIntegrator_t {
    double* xli;
    double* xni;
    double* atime;
};

// Positions (km, TEME) and velocities (km/s) of lanes, one array per axis.
struct laneState_t {
    double* x;
    double* y;
    double* z;
    double* vx;
    double* vy;
    double* vz;
};

// status of a lane whose outcome the scalar model must decide.
constexpr uint8_t kLaneRedo = 0xFF;

// Propagates n lanes (a multiple of kBlockLanes): lane i takes the constants
// of slot i % kBlockLanes of blocks[(i / kBlockLanes) * blockStride] (stride 0:
// one block for every lane) at tsince[i] minutes from its epoch. status[i] is
// the lane's PropagationFailure (None with its state in out) where the
// outcome is certain, or kLaneRedo where it may differ from the scalar
// model's: a failure check within a small margin of its threshold, a result
// that is not finite, or an argument beyond the vector functions' range.
// Outputs of lanes that do not succeed are meaningless.
void sgp4_lanes_propagate(const laneBlock_t* blocks, size_t blockStride, const double* tsince,
                          size_t n, const laneState_t& out, uint8_t* status);

// sgp4_lanes_propagate for deep-space lanes, lane i of blocks[i /
// kBlockLanes] with its integrator at index i of state.
void sgp4_lanes_propagate_deep(const deepBlock_t* blocks, const double* tsince, size_t n,
                               const laneIntegrator_t& state, const laneState_t& out,
                               uint8_t* status);

// Geodetic latitude, longitude (radians) and altitude (km) of n positions (a
// multiple of kBlockLanes) with gmst[i] the sidereal time of lane i. redo[i]
// is set to 1 where the scalar conversion's special cases apply (a position
// on the polar axis or in the y-z plane, or not finite) and 0 elsewhere.
void sgp4_lanes_geodetic(const double* x, const double* y, const double* z, const double* gmst,
                         size_t n, double* lat, double* lon, double* alt, uint8_t* redo);

// Name of the instruction set the dispatch chose ("AVX2", "SSE4", ...).
const char* sgp4_lanes_target();

}  // namespace libsgp4
