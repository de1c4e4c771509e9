#include "worldfirst/box_writes.h"

#include "platform/box_number.h"
#include "platform/controls/text_box.h"

double BoxReads::operator()(const TextBox &box)
{
    const std::optional<double> value = tryReadLenient(box.text());
    if (!value)
        anyFailed = true;
    return value.value_or(0);
}

void writePlain(TextBox &box, const BoxReads &reads, double value)
{
    if (reads.failed())
        return;
    if (const std::optional<QString> text = plainNumberText(value))
        box.setText(*text);
}

void reformat(TextBox &box)
{
    box.setText(reformatFourDecimals(box.text()));
}
