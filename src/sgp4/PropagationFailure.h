#pragma once

namespace libsgp4 {

// Why a propagation gave no position. The throwing FindPosition reports a
// kind as DecayedException (Decayed) or SatelliteException (the others),
// with the kind's message.
enum class PropagationFailure {
    None,             // propagated
    TimeOutOfRange,   // |minutes since epoch| not below 1e8, or NaN
    MeanMotion,       // deep-space mean motion <= 0 after the secular update
    Eccentricity,     // propagated eccentricity <= -0.001
    Elsq,             // elsq >= 1 in the long-period terms
    SemiLatusRectum,  // pl < 0 in the short-period terms
    NotFinite,        // position or velocity not finite
    Decayed,          // radius below one earth radius
};

// The exception message of a kind ("" for None); a static string.
const char* PropagationFailureMessage(PropagationFailure failure);

}  // namespace libsgp4
