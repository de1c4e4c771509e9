#include "worldfirst/rate_float.h"

double floatedRate(double rawRate, double floatPercent, RateSide side)
{
    // The factor first, then the product: the order of the operations fixes the last digit
    // of the rate's plain text.
    const double factor =
        side == RateSide::Sell ? (100 - floatPercent) / 100 : (100 + floatPercent) / 100;
    return factor * rawRate;
}
