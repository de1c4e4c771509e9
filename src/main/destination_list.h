#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The destination countries of the calculator's list, in list order.
const QStringList &destinationList();

// The first item, in list order, that begins with the typed text exactly
// (case-sensitive); none for an empty text.
std::optional<QString> firstItemStartingWith(const QStringList &items, const QString &typed);
