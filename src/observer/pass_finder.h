// Passes of satellites over an observer: the intervals of a search window
// in which a satellite's elevation is at least a minimum elevation, with
// the instant of its greatest elevation and whether it can be seen.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "observer/observer.h"
#include "sgp4/DateTime.h"

struct object_t;
namespace libsgp4 {
class SGP4;
}

// Flags of a pass.
enum : unsigned {
    PASS_STARTED = 1,  // already under way at the window's start: AOS is the start
    PASS_ENDS = 2,     // still under way at the window's end: LOS is the end
    PASS_VISIBLE = 4,  // sunlit at some instant while the Sun is below -6 degrees
};

struct passWindow_t {
    observer_t observer;
    libsgp4::DateTime start;
    int64_t length;       // microseconds, > 0
    double minElevation;  // radians
};

// One pass; angles in radians, instants to the microsecond.
struct pass_t {
    const object_t* obj;  // the satellite (null for pass_findOne)
    libsgp4::DateTime aos, tca, los;
    double aosAzimuth, tcaAzimuth, tcaElevation, losAzimuth;
    unsigned flags;
};

struct passStats_t {
    uint64_t satellites;    // searched
    uint64_t errors;        // whose propagation failed at an instant the search evaluated
    uint64_t propagations;  // instants evaluated
};

// Appends the passes of one satellite in time order. False, with nothing
// appended, when the propagation fails at an instant the search evaluates.
// Adds to *stats when given.
bool pass_findOne(const libsgp4::SGP4& sgp4, const passWindow_t& window,
                  std::vector<pass_t>& out, passStats_t* stats = nullptr);
// Every pass of n satellites, sorted by AOS, then catalogue number, then
// catalogue order. A satellite whose propagation fails is counted in
// stats->errors and contributes no pass; the others go on.
void pass_findAll(const object_t* const* objs, size_t n, const passWindow_t& window,
                  std::vector<pass_t>& out, passStats_t* stats);
