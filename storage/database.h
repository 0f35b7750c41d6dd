#pragma once

#include <QString>

#include <functional>

// The program's own thin layer over SQLite: one connection class, one cursor class and one error
// type. Statement text and column text cross this layer as Windows-1250 on the SQLite side and
// as QString on ours. This is the only code that talks to sqlite3 directly.

struct sqlite3;
struct sqlite3_stmt;

class CppSQLite3Exception {
public:
    // Errors raised by this layer itself, not by SQLite.
    static constexpr int kLayerError = 1000;
    // A read-only open found the journal of an unfinished write beside the file.
    static constexpr int kHotJournal = 1001;

    CppSQLite3Exception(int errorCode, const char* errorMessage);
    CppSQLite3Exception(const CppSQLite3Exception& other);
    CppSQLite3Exception& operator=(const CppSQLite3Exception& other);
    ~CppSQLite3Exception();

    int errorCode() const { return m_code; }
    // "CODE_NAME[code]: message"
    const char* errorMessage() const { return m_text ? m_text : ""; }

    static const char* codeName(int errorCode);

private:
    int m_code;
    char* m_text;  // allocated and released by SQLite's own formatter
};

class CppSQLite3Query {
public:
    CppSQLite3Query();
    CppSQLite3Query(CppSQLite3Query&& other) noexcept;
    CppSQLite3Query& operator=(CppSQLite3Query&& other) noexcept;
    CppSQLite3Query(const CppSQLite3Query&) = delete;
    CppSQLite3Query& operator=(const CppSQLite3Query&) = delete;
    ~CppSQLite3Query();

    bool atEnd() const;
    void advance();
    void release();

    int columnCount() const;
    int columnIndex(const QString& name) const;
    int columnType(int index) const;

    // A NULL value (or a query at end) gives a null QString.
    QString columnText(const QString& name) const;
    int columnInt(int index, int nullValue = 0) const;
    int columnInt(const QString& name, int nullValue = 0) const;
    QString columnTextOr(int index, const QString& nullValue = QString()) const;
    QString columnTextOr(const QString& name, const QString& nullValue = QString()) const;

private:
    friend class CppSQLite3DB;
    CppSQLite3Query(sqlite3* db, sqlite3_stmt* statement, bool atEnd, bool ownsStatement);

    void requireStatement() const;
    void checkIndex(int index) const;
    bool isNull(int index) const;
    QString textAt(int index) const;

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_statement = nullptr;
    bool m_atEnd = true;
    int m_columnCount = 0;
    bool m_ownsStatement = false;
};

class CppSQLite3DB {
public:
    static constexpr int kDefaultWaitTimeoutMs = 60000;

    CppSQLite3DB();
    CppSQLite3DB(const CppSQLite3DB&) = delete;
    CppSQLite3DB& operator=(const CppSQLite3DB&) = delete;
    ~CppSQLite3DB();

    // Opens (creating when absent) the database file at `path`.
    void open(const QString& path);
    // Opens the existing database file at `path` for reading only. Nothing is ever written to
    // it, not even the roll-back of a journal that an interrupted writer left beside it: such a
    // file is refused with kHotJournal instead of being read half-written. A read transaction
    // stays open until close(), so every read of this connection sees the same state.
    void openReadOnly(const QString& path);
    void close();
    bool isOpen() const { return m_db != nullptr; }

    // Runs one or more statements without results; returns SQLite's change count.
    int execute(const QString& sql);
    CppSQLite3Query query(const QString& sql);
    // Runs `read` on each row of `sql`; the statement is released before this returns or throws.
    void forEachRow(const QString& sql, const std::function<void(const CppSQLite3Query&)>& read);
    int scalar(const QString& sql, int nullValue = 0);
    bool hasTable(const QString& table);
    // Runs the engine's quick check over the pages of one table; throws SQLITE_CORRUPT when it
    // finds damage.
    void verifyTable(const QString& table);
    void setWaitTimeout(int milliseconds);

private:
    void requireOpen() const;

    sqlite3* m_db = nullptr;
    int m_waitTimeoutMs = kDefaultWaitTimeoutMs;
};
