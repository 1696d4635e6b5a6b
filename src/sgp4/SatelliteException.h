#pragma once
#include <stdexcept>

namespace libsgp4 {

// Elements the model cannot use, or a propagation that went out of range.
class SatelliteException : public std::runtime_error {
public:
    explicit SatelliteException(const char* message) : std::runtime_error(message) {}
};

}  // namespace libsgp4
