#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>

#include <functional>

namespace vantrel::test {

// Runs the event loop until `done` holds or the time is up.
inline bool waitUntil(const std::function<bool()> &done, int timeoutMs = 5000)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// Lets pending notifications run for a while.
inline void settle(int ms = 50)
{
    waitUntil([] { return false; }, ms);
}

} // namespace vantrel::test
