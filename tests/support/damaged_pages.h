#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

#include "storage/database.h"

// Overwrites bytes of the first page of `table` in the database at `path`, as a disk or a
// program gone wrong would: at offset 0 the page type (reading the table fails), at offset 1 the
// first free block (every row still reads; only the engine's own check finds the damage).
inline void damageTablePage(const QString& path, const QString& table, int offset,
                            const QByteArray& bytes) {
    CppSQLite3DB db;
    db.open(path);
    const int pageSize = db.scalar(QStringLiteral("pragma page_size"));
    const int root = db.scalar(
        QStringLiteral("select rootpage from sqlite_master where name='%1'").arg(table));
    db.close();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.seek(qint64(root - 1) * pageSize + offset));
    QCOMPARE(file.write(bytes), bytes.size());
}
