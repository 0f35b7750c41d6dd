#include "store_failure.h"

#include "database.h"
#include "error_log.h"

namespace store {

void report(ErrorStream& err, const QString& text, const char* fun) {
    err.clear();
    err << text;
    vFunWriteLog(err, QString::fromLatin1(fun), kLogError);
}

bool missingFile(ErrorStream& err, const char* lead, const QString& path, const char* fun) {
    report(err, QString::fromUtf8(lead) + path, fun);
    return false;
}

QString sqlErrorText(const char* lead, const CppSQLite3Exception& e) {
    return QString::fromUtf8(lead) +
           QString::fromLatin1(CppSQLite3Exception::codeName(e.errorCode()));
}

void reportSqlError(ErrorStream& err, const char* lead, const CppSQLite3Exception& e,
                    const char* fun) {
    report(err, sqlErrorText(lead, e), fun);
}

void closeQuietly(CppSQLite3DB& db) {
    try {
        db.close();
    } catch (const CppSQLite3Exception&) {
        // Already reporting the error that brought us here.
    }
}

void rollbackAndClose(CppSQLite3DB& db) {
    if (!db.isOpen()) return;
    try {
        // Fails harmlessly when the engine has already rolled back by itself.
        db.execute(QStringLiteral("rollback transaction;"));
    } catch (const CppSQLite3Exception&) {
        // Nothing to roll back: the close below ends the connection all the same.
    }
    closeQuietly(db);
}

}  // namespace store
