#pragma once

#include <QString>

// A text box holds its line breaks as CR LF and counts them as two characters, while
// a Qt text document holds one separator per break. These convert between the two.
namespace LineBreaks {

// The held form of a document's raw text: every paragraph or line separator as CR LF.
QString heldText(const QString &documentText);

// Positions in a held text and in the document showing it. A CR LF pair, a lone CR
// and a lone LF each show as one separator; a held position inside a CR LF pair
// maps to the place before the break.
int documentPosition(const QString &held, int heldPosition);
int heldPosition(const QString &held, int documentPosition);

} // namespace LineBreaks
