#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// The two freight tariffs the calculator prices a parcel with, in RMB. A
// destination belongs to a zone or group only when its text equals one of the
// names exactly: no trimming, no prefix match.

struct EmsZone
{
    int zone;
    QStringList destinations;
    double under500g;
    double first500g;
    double eachFurther500g;
};

struct CustomFreightGroup
{
    int group;
    QStringList destinations;
    double per100g;
    double fixedFee;
    double surcharge;
};

const std::vector<EmsZone> &EmsZoneTable();
const std::vector<CustomFreightGroup> &CustomFreightTable();

// The zone or group naming a destination, the first in table order; none when
// no entry names it.
const EmsZone *emsZoneOf(const QString &destination);
const CustomFreightGroup *customFreightGroupOf(const QString &destination);

// The EMS price of a parcel above 0 g: the under-500-g price below 500 g, from
// 500 g on the first 500 g, each complete further 500 g, and a fixed 4 RMB.
double emsPrice(const EmsZone &zone, double grams);

// The custom freight estimate of a parcel above 0 g: fixed fee, each complete
// 100 g, and the surcharge.
double customFreightPrice(const CustomFreightGroup &group, double grams);
