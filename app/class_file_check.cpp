#include "class_file_check.h"

#include <QFile>
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

// Why the file cannot be read as a class file, with the engine's code for whoever helps.
QString databaseReason(const QString& code) {
    QString reason = strFunDatabaseProblem(code);
    if (!code.isEmpty()) reason += QStringLiteral(" (%1)").arg(code);
    return reason;
}

// Reads the file's catalogue where it lies, read-only: a file another program holds locked, one
// left half-written (its journal beside it) or one that is no database is refused rather than
// copied in. The pupils themselves are listed once, from the working copy, after the open.
QString classFileProblem(const QString& path) {
    ErrorStream err;
    ClassFileReader reader;
    QStringList tables;
    if (!reader.open(err, path, kLockWaitMs) || !reader.tableList(err, tables))
        return databaseReason(reader.failureCode());
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
