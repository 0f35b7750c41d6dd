#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

#include "error_stream.h"

// The error log "logs.sqdb": one row per reported failure. Writing never disturbs the caller,
// which is itself in the middle of reporting an error.

enum LogKind { kLogError = 0, kLogInfo = 1 };

void vFunWriteLog(const ErrorStream& err, QString fun, int kind);

// "2014.6.9 8:5:3": UTC, numbers without leading zeros.
QString strFunLogDateTime(const QDateTime& utc);

// Tests inject the clock; an empty function restores the system clock.
void vFunSetLogClock(std::function<QDateTime()> clock);
