#pragma once

#include <QDate>
#include <QDateTime>

#include <functional>

// The program's idea of "now", in local time. Everything that depends on the date asks here,
// so tests can fix the day.
namespace program_clock {

QDateTime now();
QDate today();

// Tests fix the clock; an empty function restores the system clock.
void setClock(std::function<QDateTime()> clock);

}  // namespace program_clock
