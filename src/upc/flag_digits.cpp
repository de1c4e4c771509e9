#include "upc/flag_digits.h"

QStringList offeredFlagDigits(const QString &announcementPage)
{
    QStringList digits;
    for (int n = 0; n <= 9; ++n) {
        const QString digit = QString::number(n);
        if (!announcementPage.contains(QStringLiteral("Lock") + digit))
            digits.append(digit);
    }
    return digits;
}
