#pragma once

namespace libsgp4 {

// x, y, z in km or km/s; w is left 0 by the propagator.
struct Vector {
    double x = 0.0, y = 0.0, z = 0.0, w = 0.0;
};

}  // namespace libsgp4
