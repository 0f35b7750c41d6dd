#include "clock.h"

#include <QMutex>
#include <QMutexLocker>

namespace {

// The clock may be read from a background thread (the update check).
QMutex g_mutex;
std::function<QDateTime()> g_clock;

}  // namespace

namespace program_clock {

QDateTime now() {
    std::function<QDateTime()> clock;
    {
        QMutexLocker lock(&g_mutex);
        clock = g_clock;
    }
    return clock ? clock() : QDateTime::currentDateTime();
}

QDate today() {
    return now().date();
}

void setClock(std::function<QDateTime()> clock) {
    QMutexLocker lock(&g_mutex);
    g_clock = std::move(clock);
}

}  // namespace program_clock
