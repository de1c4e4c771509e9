#pragma once

#include <QJsonObject>
#include <QString>
#include <QVariant>
#include <chrono>
#include <optional>

class Browser;

// Runs a script on the page a browser shows and waits for its result. The script is
// the body of a function whose one argument, `data`, receives `data` as a JSON
// value, so no text from a page or a user is ever spliced into script code. It runs
// in a world of its own, apart from the page's scripts. While it waits, pending
// events other than user input run; the browser's completions are held back.
// No value when the script fails, returns nothing, or does not answer in time.
std::optional<QVariant> runPageScript(Browser &browser, const QString &functionBody,
                                      const QJsonObject &data = {},
                                      std::chrono::milliseconds timeout = std::chrono::seconds(5));
