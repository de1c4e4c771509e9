#pragma once

class TextBox;

// The statements the calculators' recomputations are made of. A statement that cannot
// complete (a box that does not hold the number it is read for, a result that is no
// finite number) is skipped: its box keeps the text it had, and the next statement runs.

// The values of the boxes one statement reads, remembering whether any read failed.
class BoxReads
{
public:
    // The lenient value: the number the text begins with, 0 for none; a number beyond
    // the range of a double fails.
    double operator()(const TextBox &box);
    // The strict value: the whole text must be a number.
    double strict(const TextBox &box);
    bool failed() const { return anyFailed; }

private:
    bool anyFailed = false;
};

// Writes the plain text of a computed number, unless the statement failed; tells
// whether it wrote.
bool writePlain(TextBox &box, const BoxReads &reads, double value);

// Writes the box's own text back formatted "0.0000"; a text that is no number stays.
void reformat(TextBox &box);
