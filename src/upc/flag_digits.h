#pragma once

#include <QString>
#include <QStringList>

// The flag digits the generator offers, from "0" to "9": a digit N is withheld
// when the maker's announcement page holds "Lock" followed by N anywhere (an
// exact, case-sensitive test, so "Lock12" withholds 1). An empty page withholds
// nothing.
QStringList offeredFlagDigits(const QString &announcementPage);
