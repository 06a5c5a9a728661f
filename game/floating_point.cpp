// The floating-point status the game watches, and the floor of a draw.

#include "game/host_operations.h"

#include <cfenv>
#include <cmath>

namespace velmora::host {

namespace {

// The floating-point faults a game looks for: an invalid operation, a division by zero, an overflow.
// WebAssembly keeps no such flags; there a broken draw is caught by its value alone.
#if defined(FE_INVALID) && defined(FE_DIVBYZERO) && defined(FE_OVERFLOW)
constexpr int kWatchedFlags = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;
#else
constexpr int kWatchedFlags = 0;
#endif

} // namespace

double Floor(double value)
{
    return std::floor(value);
}

void ClearFloatingPointStatus()
{
    // Looking is cheap and clearing is not (it reloads the whole x87 environment), and the flags
    // are seldom up: clear only what is set.
    if (std::fetestexcept(kWatchedFlags) != 0)
        std::feclearexcept(kWatchedFlags);
}

void CheckFloatingPointStatus()
{
    if (std::fetestexcept(kWatchedFlags) != 0)
        RaiseError(Overflow);
}

} // namespace velmora::host
