#include "pdf_completeness.h"

#include <QFile>

#include <sys/statvfs.h>

#include <cerrno>

#include "storage/file_problem.h"

bool bFunDiskFull(const QString& path) {
    struct statvfs space {};
    return ::statvfs(QFile::encodeName(path).constData(), &space) == 0 && space.f_bavail == 0;
}

QString strFunIncompletePdfReason(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return strFunSystemErrorReason(EIO);
    const qint64 size = file.size();
    file.seek(qMax<qint64>(0, size - 64));
    if (file.readAll().contains("%%EOF")) return QString();
    if (bFunDiskFull(path)) return strFunSystemErrorReason(ENOSPC);
    return QStringLiteral("Plik PDF nie został zapisany w całości");
}
