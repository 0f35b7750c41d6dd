#include "class_file_check.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <cerrno>
#include <cstdio>

#include "storage/error_stream.h"
#include "storage/file_problem.h"
#include "storage/pupil_store.h"
#include "storage/safe_replace.h"
#include "storage/system_error.h"

namespace {

// Long enough for another program's short write to finish; the teacher waits meanwhile.
constexpr int kLockWaitMs = 3000;

// The engine's code name in a store message ("SQL exception: \nSQLITE_NOTADB"); "" if none.
QString engineCode(const QString& message) {
    const QStringList words =
        message.split(QRegularExpression(QStringLiteral("[\\s:\\[]+")), Qt::SkipEmptyParts);
    for (const QString& word : words) {
        if (word.startsWith(QLatin1String("SQLITE_")) || word.startsWith(QLatin1String("CPPSQLITE_")))
            return word;
    }
    return QString();
}

// Why the file cannot be read as a class file, with the engine's code for whoever helps.
QString databaseReason(const QString& code) {
    QString reason = strFunDatabaseProblem(code);
    if (!code.isEmpty()) reason += QStringLiteral(" (%1)").arg(code);
    return reason;
}

// Reads the file where it lies, read-only: a file another program holds locked, or one left
// half-written (its journal beside it), is refused rather than copied in half-done.
QString classFileProblem(const QString& path) {
    ErrorStream err;
    ClassFileReader reader;
    if (!reader.open(err, path, kLockWaitMs)) return databaseReason(reader.failureCode());
    StudentList students;
    if (!reader.studentsList(err, students)) {
        const QString code = reader.failureCode();
        return databaseReason(code.isEmpty() ? engineCode(err.text()) : code);
    }
    return QString();
}

void removeStaged(const QString& staged) {
    QFile::remove(staged);
    QFile::remove(staged + QStringLiteral("-journal"));
}

}  // namespace

bool bFunStageClassFile(const QString& path, const QString& staged, QString& reason) {
    reason = strFunReadProblem(path);
    if (reason.isEmpty()) reason = classFileProblem(path);
    if (!reason.isEmpty()) return false;

    removeStaged(staged);
    if (!bFunReplaceFileSafely(path, staged)) {
        reason = strFunSystemErrorReason(lastSystemErrorCode());
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
