#include "error_log.h"

#include <QMutex>
#include <QMutexLocker>

#include "database.h"
#include "paths.h"
#include "sql_text.h"

namespace {

QMutex g_clockMutex;
std::function<QDateTime()> g_clock;

QDateTime currentUtc() {
    std::function<QDateTime()> clock;
    {
        QMutexLocker lock(&g_clockMutex);
        clock = g_clock;
    }
    return clock ? clock() : QDateTime::currentDateTimeUtc();
}

// The data directory reports its own failures through this writer; without the guard a
// directory that cannot be created would recurse endlessly.
thread_local bool t_writing = false;

class WritingGuard {
public:
    WritingGuard() { t_writing = true; }
    ~WritingGuard() { t_writing = false; }
    WritingGuard(const WritingGuard&) = delete;
    WritingGuard& operator=(const WritingGuard&) = delete;
};

void ensureTable(CppSQLite3DB& db, const QString& table) {
    if (db.hasTable(table)) return;
    try {
        db.execute(QStringLiteral("create table `") + table
                   + QStringLiteral("`( datetime TEXT, fun TEXT, info TEXT )"));
    } catch (const CppSQLite3Exception&) {
        // Another thread or process may have created it in the meantime.
        if (!db.hasTable(table)) throw;
    }
}

}  // namespace

QString strFunLogDateTime(const QDateTime& utc) {
    const QDateTime moment = utc.toUTC();
    const QDate date = moment.date();
    const QTime time = moment.time();
    return QStringLiteral("%1.%2.%3 %4:%5:%6")
        .arg(date.year())
        .arg(date.month())
        .arg(date.day())
        .arg(time.hour())
        .arg(time.minute())
        .arg(time.second());
}

void vFunSetLogClock(std::function<QDateTime()> clock) {
    QMutexLocker lock(&g_clockMutex);
    g_clock = std::move(clock);
}

void vFunWriteLog(const ErrorStream& err, QString fun, int kind) {
    if (kind != kLogError && kind != kLogInfo) return;
    if (t_writing) return;
    const WritingGuard guard;

    // The caller is already reporting a failure: nothing of ours may reach it.
    try {
        const QString info = err.text();
        ErrorStream pathErr;
        const QString path = strFunGetLogFilePath(pathErr);
        if (path.isEmpty()) return;
        const QString dateTime = strFunLogDateTime(currentUtc());
        const QString table = kind == kLogError ? QStringLiteral("error") : QStringLiteral("info");

        CppSQLite3DB db;
        db.open(path);
        ensureTable(db, table);
        // Escaped, so an apostrophe in a path or a message cannot cost the row.
        db.execute(QStringLiteral("insert into `") + table + QStringLiteral("`( datetime, fun, info ) values( '")
                   + dateTime + QStringLiteral("', '") + sql::escaped(fun) + QStringLiteral("', '")
                   + sql::escaped(info) + QStringLiteral("' )"));
        db.close();
    } catch (...) {
        // The log is where failures are reported: a log that cannot be written has nowhere
        // to report to, and must never turn the failure being logged into a second one.
    }
}
