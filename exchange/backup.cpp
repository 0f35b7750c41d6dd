#include "backup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <utility>
#include <vector>

#include "storage/clock.h"
#include "storage/error_log.h"
#include "storage/paths.h"
#include "storage/safe_replace.h"
#include "storage/system_error.h"

namespace {

bool finish(BackupOutcome* outcome, BackupOutcome value) {
    if (outcome) *outcome = value;
    return value != BackupOutcome::Failed;
}

// While a write transaction is open the database file alone is no consistent state: its
// rollback journal lies beside it until the commit.
bool isBeingWritten(const QString& database) {
    return QFileInfo::exists(database + QLatin1String("-journal")) ||
           QFileInfo::exists(database + QLatin1String("-wal"));
}

bool sameBytes(const QString& first, const QString& second) {
    QFile a(first);
    QFile b(second);
    if (!a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly)) return false;
    if (a.size() != b.size()) return false;
    constexpr qint64 kChunk = 64 * 1024;
    while (!a.atEnd()) {
        const QByteArray chunk = a.read(kChunk);
        if (chunk.isEmpty() || chunk != b.read(chunk.size())) return false;
    }
    return true;
}

// Keeps the entries with the greatest names; everything else goes. A folder or a file that
// cannot be deleted simply stays.
void prune(const QString& dir) {
    const QStringList names = backupEntryNames(dir);
    for (int i = kBackupsKept; i < names.size(); ++i) QFile::remove(dir + names.at(i));
}

}  // namespace

QString strFunGetBackupDirPath(ErrorStream& err) {
    const QString mainDir = strFunGetMainDirPath(err);
    if (mainDir.isEmpty()) return QString();
    return mainDir + QLatin1Char('/') + QLatin1String(kBackupDirName) + QLatin1Char('/');
}

QString strFunBackupFileName(const QDateTime& localTime) {
    const QDate date = localTime.date();
    const QTime time = localTime.time();
    return QString::asprintf("%d-%02d-%02d_%02d%02d%02d%s", date.year(), date.month(), date.day(),
                             time.hour(), time.minute(), time.second(), ".smrk");
}

QStringList backupEntryNames(const QString& dir) {
    const QStringList names =
        QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                            QDir::Unsorted);
    std::vector<std::pair<QByteArray, QString>> keyed;
    keyed.reserve(names.size());
    for (const QString& name : names) keyed.emplace_back(QFile::encodeName(name), name);
    std::sort(keyed.begin(), keyed.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    QStringList sorted;
    sorted.reserve(names.size());
    for (const auto& entry : keyed) sorted << entry.second;
    return sorted;
}

bool bFunBackupCopyFile(ErrorStream& err, BackupOutcome* outcome) {
    const QString fileName = strFunBackupFileName(program_clock::now().toLocalTime());

    const QString source = strFunGetTmpFilePath(err);
    if (source.isEmpty()) return finish(outcome, BackupOutcome::Failed);  // message in `err`
    if (!QFileInfo(source).isFile()) return finish(outcome, BackupOutcome::NoWorkingDatabase);
    if (isBeingWritten(source)) return finish(outcome, BackupOutcome::Busy);

    const QString dir = strFunGetBackupDirPath(err);
    if (dir.isEmpty()) return finish(outcome, BackupOutcome::Failed);
    // The directory operation writes and logs its own message.
    if (!bFunCreateDirectory(err, dir.chopped(1))) return finish(outcome, BackupOutcome::Failed);

    // Ten copies of one state would push the earlier states out.
    const QStringList existing = backupEntryNames(dir);
    if (!existing.isEmpty() && sameBytes(source, dir + existing.first()))
        return finish(outcome, BackupOutcome::Unchanged);

    const QString target = dir + fileName;
    if (!bFunReplaceFileSafely(source, target)) {
        const int code = lastSystemErrorCode();
        err.clear();
        err << "Błąd podczas próby kopiowania pliku z:\n"
            << source << "\ndo\n"
            << target << "\nKod błędu: " << code;
        vFunWriteLog(err, QStringLiteral("bFunBackupCopyFile()"), kLogError);
        return finish(outcome, BackupOutcome::Failed);
    }

    prune(dir);
    return finish(outcome, BackupOutcome::Copied);
}
