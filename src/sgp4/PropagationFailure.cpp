#include "sgp4/PropagationFailure.h"

#include <iterator>

namespace libsgp4 {

namespace {

// Indexed by PropagationFailure.
const char* const s_messages[] = {
    "",
    "Time since epoch out of range",
    "Error: (xn <= 0.0)",
    "Error: (e <= -0.001)",
    "Error: (elsq >= 1.0)",
    "Error: (pl < 0.0)",
    "Error: result is not finite",
    "Satellite decayed",
};
static_assert(std::size(s_messages) == static_cast<size_t>(PropagationFailure::Decayed) + 1,
              "one message per failure kind");

}  // namespace

const char* PropagationFailureMessage(PropagationFailure failure)
{
    return s_messages[static_cast<int>(failure)];
}

}  // namespace libsgp4
