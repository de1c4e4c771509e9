#pragma once

#include <QString>

class Dialogs;
class HttpClient;

// The grabber's page fetch: one blocking GET with no header of its own, the body
// read in the charset `Cset` whatever the reply's status or declared charset.
// When the server cannot be reached, the network message is shown first; every
// failure gives the empty text.
QString getHTTPPage(const HttpClient &http, Dialogs &dialogs, const QString &URL,
                    const QString &Cset);
