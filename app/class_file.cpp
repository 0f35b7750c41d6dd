#include "class_file.h"

#include <QStringList>

#include "storage/error_stream.h"

namespace {

bool holdsForeignEntriesOnly(const QString& path) {
    ErrorStream err;
    QStringList entries;
    if (!bFunGetTableList(err, path, entries)) return false;
    for (const QString& entry : entries) {
        if (!entry.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive)) return true;
    }
    return false;
}

}  // namespace

bool bFunReadClassFile(const QString& path, StudentList& students) {
    students.clear();
    ErrorStream err;
    if (!bFunGetStudentsList(err, path, students)) return false;
    return !(students.isEmpty() && holdsForeignEntriesOnly(path));
}

QString strFunNotAClassFileMessage(const QString& path) {
    return QStringLiteral("Plik nie jest prawidłowym plikiem świadectw: ") + path;
}
