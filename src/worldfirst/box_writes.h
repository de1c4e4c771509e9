#pragma once

class TextBox;

// The statements the calculator's recomputations are made of. A statement that cannot
// complete (a box holding a number beyond the range of a double, a result that is no
// finite number) is skipped: its box keeps the text it had, and the next statement runs.

// The lenient values of the boxes one statement reads, remembering whether any failed.
class BoxReads
{
public:
    double operator()(const TextBox &box);
    bool failed() const { return anyFailed; }

private:
    bool anyFailed = false;
};

// Writes the plain text of a computed number, unless the statement failed.
void writePlain(TextBox &box, const BoxReads &reads, double value);

// Writes the box's own text back formatted "0.0000"; a text that is no number stays.
void reformat(TextBox &box);
