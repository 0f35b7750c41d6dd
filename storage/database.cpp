#include "database.h"

#include <sqlite3.h>

#include <QFile>

#include "cp1250.h"
#include "sql_text.h"

namespace {

const char* const kDatabaseNotOpen = "Database not open";
const char* const kNullStatement = "Null Virtual Machine pointer";

[[noreturn]] void raise(int code, const char* message) { throw CppSQLite3Exception(code, message); }

QByteArray statementBytes(const QString& sql) { return cp1250::fromUnicode(sql); }

}  // namespace

// ---- CppSQLite3Exception -------------------------------------------------------------------

CppSQLite3Exception::CppSQLite3Exception(int errorCode, const char* errorMessage)
    : m_code(errorCode),
      m_text(sqlite3_mprintf("%s[%d]: %s", codeName(errorCode), errorCode,
                             errorMessage ? errorMessage : "")) {}

CppSQLite3Exception::CppSQLite3Exception(const CppSQLite3Exception& other)
    : m_code(other.m_code), m_text(other.m_text ? sqlite3_mprintf("%s", other.m_text) : nullptr) {}

CppSQLite3Exception& CppSQLite3Exception::operator=(const CppSQLite3Exception& other) {
    if (this != &other) {
        sqlite3_free(m_text);
        m_code = other.m_code;
        m_text = other.m_text ? sqlite3_mprintf("%s", other.m_text) : nullptr;
    }
    return *this;
}

CppSQLite3Exception::~CppSQLite3Exception() { sqlite3_free(m_text); }

const char* CppSQLite3Exception::codeName(int errorCode) {
    static const char* const kNames[] = {
        "SQLITE_OK",       "SQLITE_ERROR",    "SQLITE_INTERNAL", "SQLITE_PERM",
        "SQLITE_ABORT",    "SQLITE_BUSY",     "SQLITE_LOCKED",   "SQLITE_NOMEM",
        "SQLITE_READONLY", "SQLITE_INTERRUPT", "SQLITE_IOERR",   "SQLITE_CORRUPT",
        "SQLITE_NOTFOUND", "SQLITE_FULL",     "SQLITE_CANTOPEN", "SQLITE_PROTOCOL",
        "SQLITE_EMPTY",    "SQLITE_SCHEMA",   "SQLITE_TOOBIG",   "SQLITE_CONSTRAINT",
        "SQLITE_MISMATCH", "SQLITE_MISUSE",   "SQLITE_NOLFS",    "SQLITE_AUTH",
        "SQLITE_FORMAT",   "SQLITE_RANGE",    "SQLITE_NOTADB",   "SQLITE_NOTICE",
        "SQLITE_WARNING",
    };
    if (errorCode >= 0 && errorCode < int(sizeof kNames / sizeof kNames[0])) return kNames[errorCode];
    switch (errorCode) {
        case 100: return "SQLITE_ROW";
        case 101: return "SQLITE_DONE";
        case kLayerError: return "CPPSQLITE_ERROR";
        case kHotJournal: return "SQLITE_READONLY_ROLLBACK";
        default: return "UNKNOWN_ERROR";
    }
}

// ---- CppSQLite3Query -----------------------------------------------------------------------

CppSQLite3Query::CppSQLite3Query() = default;

CppSQLite3Query::CppSQLite3Query(sqlite3* db, sqlite3_stmt* statement, bool atEnd,
                                 bool ownsStatement)
    : m_db(db),
      m_statement(statement),
      m_atEnd(atEnd),
      m_columnCount(statement ? sqlite3_column_count(statement) : 0),
      m_ownsStatement(ownsStatement) {}

CppSQLite3Query::CppSQLite3Query(CppSQLite3Query&& other) noexcept
    : m_db(other.m_db),
      m_statement(other.m_statement),
      m_atEnd(other.m_atEnd),
      m_columnCount(other.m_columnCount),
      m_ownsStatement(other.m_ownsStatement) {
    other.m_statement = nullptr;
}

CppSQLite3Query& CppSQLite3Query::operator=(CppSQLite3Query&& other) noexcept {
    if (this != &other) {
        try {
            release();
        } catch (const CppSQLite3Exception&) {
            // A finalise error only repeats the error of the statement's last step, which
            // whoever stepped it has already been told of; the new statement takes over.
        }
        m_db = other.m_db;
        m_statement = other.m_statement;
        m_atEnd = other.m_atEnd;
        m_columnCount = other.m_columnCount;
        m_ownsStatement = other.m_ownsStatement;
        other.m_statement = nullptr;
    }
    return *this;
}

CppSQLite3Query::~CppSQLite3Query() {
    try {
        release();
    } catch (const CppSQLite3Exception&) {
        // A destructor must not throw; the finalise error repeats the last step's, already
        // raised to whoever stepped the statement.
    }
}

void CppSQLite3Query::requireStatement() const {
    if (!m_statement) raise(CppSQLite3Exception::kLayerError, kNullStatement);
}

bool CppSQLite3Query::atEnd() const {
    requireStatement();
    return m_atEnd;
}

void CppSQLite3Query::advance() {
    requireStatement();
    // SQLite restarts a finished statement when it is stepped again: the rows would come back.
    if (m_atEnd) return;
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_DONE) {
        m_atEnd = true;
    } else if (rc == SQLITE_ROW) {
        m_atEnd = false;
    } else {
        const int finalizeRc = sqlite3_finalize(m_statement);
        m_statement = nullptr;
        raise(finalizeRc, sqlite3_errmsg(m_db));
    }
}

void CppSQLite3Query::release() {
    if (!m_statement || !m_ownsStatement) return;
    const int rc = sqlite3_finalize(m_statement);
    m_statement = nullptr;
    if (rc != SQLITE_OK) raise(rc, sqlite3_errmsg(m_db));
}

int CppSQLite3Query::columnCount() const {
    requireStatement();
    return m_columnCount;
}

int CppSQLite3Query::columnIndex(const QString& name) const {
    requireStatement();
    if (!name.isNull()) {
        const QByteArray wanted = cp1250::fromUnicode(name);
        for (int i = 0; i < m_columnCount; ++i) {
            const char* columnName = sqlite3_column_name(m_statement, i);
            if (columnName && wanted == columnName) return i;
        }
    }
    raise(CppSQLite3Exception::kLayerError, "Invalid field name requested");
}

void CppSQLite3Query::checkIndex(int index) const {
    requireStatement();
    if (index < 0 || index >= m_columnCount) {
        raise(CppSQLite3Exception::kLayerError, "Invalid field index requested");
    }
}

int CppSQLite3Query::columnType(int index) const {
    checkIndex(index);
    // A finished statement has no current row: every column reads as NULL.
    return m_atEnd ? SQLITE_NULL : sqlite3_column_type(m_statement, index);
}

bool CppSQLite3Query::isNull(int index) const { return columnType(index) == SQLITE_NULL; }

QString CppSQLite3Query::textAt(int index) const {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, index));
    const int length = sqlite3_column_bytes(m_statement, index);
    return bytes ? cp1250::toUnicode(bytes, length) : QString(QLatin1String(""));
}

QString CppSQLite3Query::columnText(const QString& name) const {
    const int index = columnIndex(name);
    return isNull(index) ? QString() : textAt(index);
}

int CppSQLite3Query::columnInt(int index, int nullValue) const {
    return isNull(index) ? nullValue : sqlite3_column_int(m_statement, index);
}

int CppSQLite3Query::columnInt(const QString& name, int nullValue) const {
    return columnInt(columnIndex(name), nullValue);
}

QString CppSQLite3Query::columnTextOr(int index, const QString& nullValue) const {
    return isNull(index) ? nullValue : textAt(index);
}

QString CppSQLite3Query::columnTextOr(const QString& name, const QString& nullValue) const {
    return columnTextOr(columnIndex(name), nullValue);
}

// ---- CppSQLite3DB --------------------------------------------------------------------------

CppSQLite3DB::CppSQLite3DB() = default;

CppSQLite3DB::~CppSQLite3DB() {
    try {
        close();
    } catch (const CppSQLite3Exception&) {
        // A destructor must not throw. Reached on a failure path (the operation is already
        // reporting its own error) or when statements are still open, in which case SQLite
        // finishes the close once they are finalised.
    }
}

void CppSQLite3DB::open(const QString& path) {
    close();
    const int rc = sqlite3_open(QFile::encodeName(path).constData(), &m_db);
    // A connection whose open failed stays set; close() (or the destructor) releases it.
    if (rc != SQLITE_OK) raise(rc, m_db ? sqlite3_errmsg(m_db) : nullptr);
    setWaitTimeout(m_waitTimeoutMs);
}

void CppSQLite3DB::openReadOnly(const QString& path) {
    close();
    const int rc =
        sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READONLY, nullptr);
    if (rc != SQLITE_OK) raise(rc, m_db ? sqlite3_errmsg(m_db) : nullptr);
    setWaitTimeout(m_waitTimeoutMs);
    // The open itself reads nothing: the first read is where a damaged file, a lock or a hot
    // journal shows, so it happens here, and its shared lock is kept for the connection's life.
    char* message = nullptr;
    const int probe = sqlite3_exec(m_db, "begin; select count(*) from sqlite_master;", nullptr,
                                   nullptr, &message);
    if (probe != SQLITE_OK) {
        const bool hotJournal = sqlite3_extended_errcode(m_db) == SQLITE_READONLY_ROLLBACK;
        CppSQLite3Exception error(hotJournal ? CppSQLite3Exception::kHotJournal : probe, message);
        sqlite3_free(message);
        throw error;
    }
}

void CppSQLite3DB::close() {
    if (!m_db) return;
    sqlite3* db = m_db;
    m_db = nullptr;
    if (sqlite3_close(db) != SQLITE_OK) {
        // Statements still open: let SQLite finish the close when they are finalised.
        sqlite3_close_v2(db);
        raise(CppSQLite3Exception::kLayerError, "Unable to close database");
    }
}

void CppSQLite3DB::requireOpen() const {
    if (!m_db) raise(CppSQLite3Exception::kLayerError, kDatabaseNotOpen);
}

int CppSQLite3DB::execute(const QString& sql) {
    requireOpen();
    char* message = nullptr;
    const int rc = sqlite3_exec(m_db, statementBytes(sql).constData(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        CppSQLite3Exception error(rc, message);
        sqlite3_free(message);
        throw error;
    }
    return sqlite3_changes(m_db);
}

void CppSQLite3DB::forEachRow(const QString& sql,
                              const std::function<void(const CppSQLite3Query&)>& read) {
    CppSQLite3Query rows = query(sql);
    for (; !rows.atEnd(); rows.advance()) read(rows);
    rows.release();
}

CppSQLite3Query CppSQLite3DB::query(const QString& sql) {
    requireOpen();
    sqlite3_stmt* statement = nullptr;
    const QByteArray bytes = statementBytes(sql);
    int rc = sqlite3_prepare_v2(m_db, bytes.constData(), -1, &statement, nullptr);
    if (rc != SQLITE_OK) raise(rc, sqlite3_errmsg(m_db));
    if (!statement) return CppSQLite3Query(m_db, nullptr, true, true);  // empty statement text

    rc = sqlite3_step(statement);
    if (rc == SQLITE_ROW) return CppSQLite3Query(m_db, statement, false, true);
    if (rc == SQLITE_DONE) return CppSQLite3Query(m_db, statement, true, true);
    rc = sqlite3_finalize(statement);
    raise(rc, sqlite3_errmsg(m_db));
}

int CppSQLite3DB::scalar(const QString& sql, int nullValue) {
    CppSQLite3Query result = query(sql);
    if (result.atEnd() || result.columnCount() < 1) {
        raise(CppSQLite3Exception::kLayerError, "Invalid scalar query");
    }
    return result.columnInt(0, nullValue);
}

bool CppSQLite3DB::hasTable(const QString& table) {
    // Table names are case-insensitive to SQLite: "PESELab" exists when "PESELAB" does.
    return scalar(QStringLiteral("select count(*) from sqlite_master where type='table' and name='")
                      + sql::escaped(table) + QStringLiteral("' collate nocase"),
                  0) > 0;
}

void CppSQLite3DB::verifyTable(const QString& table) {
    QString verdict;
    forEachRow(QStringLiteral("pragma quick_check('") + sql::escaped(table) + QStringLiteral("')"),
               [&verdict](const CppSQLite3Query& row) { verdict += row.columnTextOr(0); });
    if (verdict != QLatin1String("ok")) raise(SQLITE_CORRUPT, "damaged pages");
}

void CppSQLite3DB::setWaitTimeout(int milliseconds) {
    m_waitTimeoutMs = milliseconds;
    if (m_db) sqlite3_busy_timeout(m_db, milliseconds);
}
