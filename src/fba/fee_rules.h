#pragma once

#include "fba/fee_table.h"

#include <optional>

// The arithmetic of the FBA fee calculator, on numbers alone. Weights are in pounds,
// sides in inches, volumes in cubic inches, money in USD.

// Standard when the weight and every side are at most their limits, each side against
// the limit of its own place: the sides are not sorted first.
SizeTier classifySizeTier(double weight, double longestSide, double secondSide,
                          double shortestSide);

double dimensionalWeight(double volume);

// A large and light package is billed by its dimensional weight: the volume is above the
// threshold and the weight below the dimensional weight.
bool billsDimensionalWeight(double volume, double weight, double dimensionalWeight);

// A weight taken up to the next whole pound; a whole weight stays.
double wholePounds(double weight);

// Each unit's billing weight with its packaging, up to whole pounds, times the quantity.
double shippingWeight(double billingWeight, double packagingWeight, double quantity);

double weightHandlingFee(double shippingWeight);

double fbaTotal(double orderHandling, double pickAndPack, double weightHandling, double additional);

bool isPriceExempt(double unitPrice);

// The sides are in order when none is longer than the one before it; equal sides are.
bool sidesLongestFirst(double longest, double second, double shortest);

// An amount in the larger unit: the amount divided by how many of it make one. A factor
// that is no number or 0 gives 0, so that no converted figure is left over from an
// earlier factor.
double convertByFactor(double amount, std::optional<double> factor);
