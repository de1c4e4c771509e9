#include "fba/fee_table.h"

const StandardTierLimits standardTierLimits{20, 18, 14, 8};

namespace {

const TierFees standardFees{0.25, 1, 1};
const TierFees oversizeFees{1, 0, 6};

} // namespace

const TierFees &tierFees(SizeTier tier)
{
    return tier == SizeTier::Standard ? standardFees : oversizeFees;
}

const double dimensionalVolumeThreshold = 5184;
const double dimensionalDivisor = 166;
const double weightHandlingRate = 0.37;
const double exemptionPrice = 300;
