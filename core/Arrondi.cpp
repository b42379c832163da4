#include "Arrondi.h"

#include <limits>

int Round(double x)
{
    if (std::isnan(x))
        return 0;
    // Decided from the fraction rather than with nearbyint(), so the result
    // does not depend on the floating-point rounding mode of the moment.
    double r = std::floor(x);
    const double diff = x - r;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(r, 2.0) != 0.0))
        r += 1.0;
    if (r >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (r <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(r);
}
