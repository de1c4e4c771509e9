#include "fba/fee_rules.h"

#include <cmath>

SizeTier classifySizeTier(double weight, double longestSide, double secondSide, double shortestSide)
{
    const StandardTierLimits &limit = standardTierLimits;
    const bool standard = weight <= limit.weight && longestSide <= limit.longestSide &&
                          secondSide <= limit.secondSide && shortestSide <= limit.shortestSide;
    return standard ? SizeTier::Standard : SizeTier::Oversize;
}

double dimensionalWeight(double volume)
{
    return volume / dimensionalDivisor;
}

bool billsDimensionalWeight(double volume, double weight, double dimensionalWeight)
{
    return volume > dimensionalVolumeThreshold && weight < dimensionalWeight;
}

double wholePounds(double weight)
{
    if (std::floor(weight) == weight)
        return weight;
    return std::trunc(weight + 1);
}

double shippingWeight(double billingWeight, double packagingWeight, double quantity)
{
    return wholePounds(billingWeight + packagingWeight) * quantity;
}

double weightHandlingFee(double shippingWeight)
{
    return shippingWeight * weightHandlingRate;
}

double fbaTotal(double orderHandling, double pickAndPack, double weightHandling, double additional)
{
    return ((orderHandling + pickAndPack) + weightHandling) + additional;
}

bool isPriceExempt(double unitPrice)
{
    return unitPrice >= exemptionPrice;
}

bool sidesLongestFirst(double longest, double second, double shortest)
{
    return second <= longest && shortest <= second;
}

double convertByFactor(double amount, std::optional<double> factor)
{
    if (!factor || *factor == 0)
        return 0;
    return amount / *factor;
}
