#include "class_file_check.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include <cerrno>
#include <cstdio>

#include "storage/error_stream.h"
#include "storage/pupil_store.h"
#include "storage/safe_replace.h"
#include "storage/system_error.h"

namespace {

// Why a path that should name a class file cannot be read as one, from what the file system
// says before anything is copied; "" when nothing is wrong that it can see.
QString unreadablePathReason(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return QStringLiteral("Plik nie istnieje.");
    if (info.isDir()) return QStringLiteral("Wybrana ścieżka jest folderem, a nie plikiem.");
    if (!info.isFile()) return QStringLiteral("Wybrana ścieżka nie jest zwykłym plikiem.");
    if (!info.isReadable()) return QStringLiteral("Brak uprawnień do odczytu pliku.");
    return QString();
}

// The engine's code name in a store message ("SQL exception: \nSQLITE_NOTADB"); "" if none.
QString engineCode(const QString& message) {
    const QStringList words = message.split(QRegularExpression(QStringLiteral("[\\s:\\[]+")),
                                            Qt::SkipEmptyParts);
    for (const QString& word : words) {
        if (word.startsWith(QLatin1String("SQLITE_")) || word.startsWith(QLatin1String("CPPSQLITE_")))
            return word;
    }
    return QString();
}

void removeStaged(const QString& staged) {
    QFile::remove(staged);
    QFile::remove(staged + QStringLiteral("-journal"));
}

}  // namespace

bool bFunStageClassFile(const QString& path, const QString& staged, QString& reason) {
    reason = unreadablePathReason(path);
    if (!reason.isEmpty()) return false;

    removeStaged(staged);
    if (!bFunReplaceFileSafely(path, staged)) {
        reason = QStringLiteral("Nie można skopiować pliku (kod błędu: %1).")
                     .arg(lastSystemErrorCode());
        return false;
    }

    ErrorStream err;
    StudentList students;
    if (!bFunGetStudentsList(err, staged, students)) {
        reason = QStringLiteral("Plik nie jest prawidłowym plikiem świadectw: nie jest bazą danych "
                                "programu albo jest uszkodzony.");
        const QString code = engineCode(err.text());
        if (!code.isEmpty()) reason += QStringLiteral(" (%1)").arg(code);
        removeStaged(staged);
        return false;
    }
    return true;
}

bool bFunMoveStagedClassFile(const QString& staged, const QString& target) {
    if (std::rename(QFile::encodeName(staged).constData(), QFile::encodeName(target).constData())
        == 0)
        return true;
    setLastSystemErrorCode(errno);
    return false;
}
