#pragma once

#include <QString>

class Inet;

// Asks for `url` once more through the transfer control, with the address alone,
// to learn whether the service answered at all: reachable when the request
// succeeded with at least one byte; an empty reply, a refused connection or the
// control's time-out mean unreachable.
bool NetworkProbe(Inet &inet, const QString &url);
