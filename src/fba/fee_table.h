#pragma once

// The marketplace's fulfilment fees as the calculator knows them: the limits of the
// standard size tier, what each tier charges, and the constants of the weight and price
// rules. Weights are in pounds, sides in inches, money in USD.

enum class SizeTier { Standard, Oversize };

// A package is standard when its weight and each side, as entered, are at most these.
struct StandardTierLimits
{
    double weight;
    double longestSide;
    double secondSide;
    double shortestSide;
};
extern const StandardTierLimits standardTierLimits;

struct TierFees
{
    double packagingWeight;  // added to each unit's billing weight
    double orderHandlingFee; // once per order
    double pickAndPackFee;   // per unit
};
const TierFees &tierFees(SizeTier tier);

// The dimensional weight is billed only for a volume above this, in cubic inches.
extern const double dimensionalVolumeThreshold;
// Cubic inches per pound of dimensional weight.
extern const double dimensionalDivisor;
// USD per pound of shipping weight.
extern const double weightHandlingRate;
// From this unit price on, the three handling fees are waived.
extern const double exemptionPrice;
