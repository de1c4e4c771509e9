#include "platform/box_writes.h"

#include "platform/box_number.h"
#include "platform/controls/text_box.h"

double BoxReads::operator()(const TextBox &box)
{
    const std::optional<double> value = tryReadLenient(box.text());
    if (!value)
        anyFailed = true;
    return value.value_or(0);
}

double BoxReads::strict(const TextBox &box)
{
    const std::optional<double> value = readStrict(box.text());
    if (!value)
        anyFailed = true;
    return value.value_or(0);
}

bool writePlain(TextBox &box, const BoxReads &reads, double value)
{
    if (reads.failed())
        return false;
    const std::optional<QString> text = plainNumberText(value);
    if (!text)
        return false;
    box.setText(*text);
    return true;
}

void reformat(TextBox &box)
{
    box.setText(reformatFourDecimals(box.text()));
}
