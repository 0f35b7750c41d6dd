#include "file_ops.h"

#include <QFile>

#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

#include "error_log.h"
#include "paths.h"
#include "system_error.h"

namespace fs = std::filesystem;

namespace {

fs::path nativePath(const QString& path) { return fs::path(QFile::encodeName(path).toStdString()); }

}  // namespace

bool bFunDeleteTmpFile(ErrorStream& err) {
    const QString path = strFunGetTmpFilePath(err);
    if (path.isEmpty()) return true;  // no data directory, so no working database either

    if (bFunRemoveDatabaseFile(path)) return true;

    err.clear();
    err << "Błąd podczas próby kasowania pliku\n" << path << "\nKod błędu: " << lastSystemErrorCode();
    vFunWriteLog(err, QStringLiteral("bFunDeleteTmpFile()"), kLogError);
    return false;
}

bool bFunRemoveDatabaseFile(QString path) {
    std::error_code ec;
    fs::remove(nativePath(path), ec);  // a missing file is no error
    if (ec) {
        setLastSystemErrorCode(ec.value());
        return false;
    }
    for (const char* suffix : {"-journal", "-wal", "-shm"}) {
        std::error_code ignored;
        fs::remove(nativePath(path + QLatin1String(suffix)), ignored);
    }
    return true;
}

bool bFunCopyFile(ErrorStream& err, QString source, QString target, bool failIfExists) {
    std::error_code ec;
    const auto options = failIfExists ? fs::copy_options::none : fs::copy_options::overwrite_existing;
    fs::copy_file(nativePath(source), nativePath(target), options, ec);
    if (!ec) return true;

    setLastSystemErrorCode(ec.value());
    err.clear();
    err << "Błąd podczas kopiowania pliku.\n\nZ: " << source << "\ndo: " << target
        << "\n\n Kod błędu: " << ec.value();
    vFunWriteLog(err, QStringLiteral("bFunCopyFile()"), kLogError);
    return false;
}

bool bFunClearFileAttributes(QString path) {
    const fs::path file = nativePath(path);
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    if (ec || !fs::exists(status)) {
        setLastSystemErrorCode(ec ? ec.value() : ENOENT);
        return false;
    }
    // The only attribute that matters here is "read-only", i.e. a missing write permission.
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
    if (ec) {
        setLastSystemErrorCode(ec.value());
        return false;
    }
    return true;
}

void vFunReplaceAll(QString& text, QString find, QString replacement) {
    // Scanning resumes after each inserted replacement, so a replacement that contains the
    // searched text cannot loop.
    if (find.isEmpty()) return;
    text.replace(find, replacement, Qt::CaseSensitive);
}
