#pragma once

#include "support/fake_web.h"

#include <QTimer>
#include <functional>

// How long a slow service takes over each request: long enough for the user's input
// to come while a window waits for it.
constexpr int slowReplyMs = 300;

// A page that a slow service sends, its text encoded in `charset`.
FakeWeb::Reply slowPage(const QString &page, const char *charset = "utf-8");

// A key or click of the user while a window waits for its fetch: `input` runs from
// the event loop the first time the loop runs once `due` holds (say, once the fetch's
// request has reached the server). A window that lets its events run while it waits
// takes the input in the middle of the wait; one that does not takes it once the wait
// is over, as Windows delivers input that came during a wait. Input that has not come
// when the object is withdrawn or ends never comes, as a click the user did not make.
class InputDuringTheWait
{
public:
    InputDuringTheWait(std::function<bool()> due, std::function<void()> input);

    bool came() const { return made; }
    void withdraw() { poll.stop(); }

private:
    QTimer poll;
    bool made = false;
};
