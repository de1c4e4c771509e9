#pragma once

// The user's margin on WorldFirst's rates, in percent: it lowers every Sell rate and raises
// every Buy rate by that percentage. There is no bound: 0 leaves the rates as they are, and
// a negative float works the other way round.
enum class RateSide { Sell, Buy };

double floatedRate(double rawRate, double floatPercent, RateSide side);
